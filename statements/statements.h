// Utility statements: RANDOMIZE, SLEEP, CHDIR, SWAP, READ and RESTORE. They keep no state of their
// own: the generator lives in builtins, the DATA list and the program folder in host.
#pragma once

#include <string_view>

namespace tw {
struct Runtime;
}

namespace tw::statements {

// Each handler takes the statement's argument text, function calls already expanded.
void randomizeStatement(Runtime& rt, std::string_view argument);
void sleepStatement(Runtime& rt, std::string_view argument);
void chdirStatement(Runtime& rt, std::string_view argument);
void swapStatement(Runtime& rt, std::string_view argument);
void readStatement(Runtime& rt, std::string_view argument);
void restoreStatement(Runtime& rt, std::string_view argument);

}  // namespace tw::statements
