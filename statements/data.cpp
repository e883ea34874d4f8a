// READ and RESTORE over the DATA list.
#include "interp/interp.h"
#include "statements/statements.h"

namespace tw::statements {

void readStatement(Runtime&, std::string_view) {}
void restoreStatement(Runtime&, std::string_view) {}

}  // namespace tw::statements
