// GOTO, GOSUB, RETURN and ON.
#include "interp/detail.h"

namespace tw::interp::detail {

void gotoStatement(Runtime&, std::string_view) {}
void gosubStatement(Runtime&, std::string_view) {}
void returnStatement(Runtime&) {}
void onStatement(Runtime&, std::string_view) {}

}  // namespace tw::interp::detail
