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

// Forgets the kept results and the prepared statements: the program text is about to change.
void forgetScans(Runtime& rt);
// The position a jump to target (digits or a label) continues from; nothing, and no report, when
// the text has no such line.
std::optional<std::int32_t> lookupLine(Runtime& rt, std::string_view target);
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
// NEXT with its name already taken from its text.
void nextByName(Runtime& rt, std::string_view name);
// NEXT and WEND once their loop's start (or notFound) is known.
void nextTo(Runtime& rt, std::int32_t start);
void wendTo(Runtime& rt, std::int32_t start);
void whileStatement(Runtime& rt, std::string_view argument);
void wendStatement(Runtime& rt);

// The three texts of a FOR: "variable=start", the limit and the step, without blanks and tabs.
struct ForTexts {
  std::string first, limit, step;
  int parts = 1;
};
// Cuts a FOR's text at "to" and "step"; false when there is no "to".
bool splitFor(std::string_view text, ForTexts& out);
// A loop variable's name as FOR and NEXT compare it.
std::string loopName(std::string_view text);
// The condition of an IF: its text before THEN.
std::string_view conditionOf(std::string_view text);

// IF and the declarations.
void ifStatement(Runtime& rt, std::string_view argument);
void defFnStatement(Runtime& rt, std::string_view argument);
void defTypeStatement(Runtime& rt, std::string_view argument);

}  // namespace tw::interp::detail
