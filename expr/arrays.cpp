// DIM and ERASE: declaring numeric arrays and removing variables by name.
#include "expr/detail.h"

namespace tw::expr {

void dimStatement(Runtime&, std::string_view) {}
void eraseStatement(Runtime&, std::string_view) {}
void eraseName(Runtime&, std::string_view) {}

}  // namespace tw::expr
