// The interpreter's own statements, shared by the files of interp/ only; no other folder
// includes this header.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "interp/interp.h"

namespace tw::interp::detail {

// ---- Scans of the program text (scans.cpp) ------------------------------------------------------

inline constexpr std::int32_t notFound = std::numeric_limits<std::int32_t>::min();
enum class Loop : std::uint8_t { For, While };

// Forgets the kept results: the program text is about to change.
void forgetScans(Runtime& rt);
// For the NEXT or WEND now executing: where to go to run its FOR (named, or the nearest) or WHILE
// again; notFound when the text before it holds none.
std::int32_t loopStart(Runtime& rt, Loop kind, std::string_view name);
// For a finished FOR (or a false WHILE) now executing: where execution continues after its NEXT
// (or WEND). A FOR without a NEXT gives notFound; a WHILE without a WEND the end of the text.
std::int32_t loopEnd(Runtime& rt, Loop kind, std::string_view name);
// For the IF now executing: the last blank before its THEN part, or notFound when its line has no
// THEN; the last blank before its own ELSE part, or notFound when it has none.
std::int32_t thenPart(Runtime& rt);
std::int32_t elsePart(Runtime& rt);

// ---- Statements ---------------------------------------------------------------------------------

// Jumps and subroutines.
void gotoStatement(Runtime& rt, std::string_view target);
void gosubStatement(Runtime& rt, std::string_view target);
void returnStatement(Runtime& rt);
void onStatement(Runtime& rt, std::string_view argument);

// Loops.
void forStatement(Runtime& rt, std::string_view argument);
void nextStatement(Runtime& rt, std::string_view argument);
void whileStatement(Runtime& rt, std::string_view argument);
void wendStatement(Runtime& rt);

// IF and the declarations.
void ifStatement(Runtime& rt, std::string_view argument);
void defFnStatement(Runtime& rt, std::string_view argument);
void defTypeStatement(Runtime& rt, std::string_view argument);

}  // namespace tw::interp::detail
