// FOR/NEXT and WHILE/WEND.
#include "interp/detail.h"

namespace tw::interp::detail {

void forStatement(Runtime&, std::string_view) {}
void nextStatement(Runtime&, std::string_view) {}
void whileStatement(Runtime&, std::string_view) {}
void wendStatement(Runtime&) {}

}  // namespace tw::interp::detail
