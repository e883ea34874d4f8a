// IF, DEF FN and DEFINT/DEFSNG/DEFSTR.
#include "interp/detail.h"

namespace tw::interp::detail {

void ifStatement(Runtime&, std::string_view) {}
void defFnStatement(Runtime&, std::string_view) {}
void defTypeStatement(Runtime&, std::string_view) {}

}  // namespace tw::interp::detail
