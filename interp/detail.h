// The interpreter's own statements, shared by the files of interp/ only; no other folder
// includes this header.
#pragma once

#include <string>
#include <string_view>

#include "interp/interp.h"

namespace tw::interp::detail {

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
