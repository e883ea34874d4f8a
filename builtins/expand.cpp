// Function-call expansion and user-defined functions. Until the function table is filled no call
// is recognised and statement texts pass through unchanged.
#include "interp/interp.h"

namespace tw::builtins {

void expandFunctionCalls(Runtime&, std::string&) {}

std::string dispatchFunction(Runtime&, std::string_view callText) { return std::string(callText); }

bool checkArgCount(Runtime&, std::string_view, int, bool) { return true; }

bool defineUserFunction(Runtime&, std::string_view, std::string_view) { return true; }

bool callUserFunction(Runtime&, std::string_view, std::string_view, std::string&) { return false; }

void charToLiteral(unsigned char byte, std::string& out, bool) { out.push_back(static_cast<char>(byte)); }

bool unescapeString(Runtime&, std::string_view contents, std::string& out) {
  out.append(contents);
  return true;
}

}  // namespace tw::builtins
