// RANDOMIZE, SLEEP, CHDIR and SWAP.
#include "interp/interp.h"
#include "statements/statements.h"

namespace tw::statements {

void randomizeStatement(Runtime&, std::string_view) {}
void sleepStatement(Runtime&, std::string_view) {}
void chdirStatement(Runtime&, std::string_view) {}
void swapStatement(Runtime&, std::string_view) {}

}  // namespace tw::statements
