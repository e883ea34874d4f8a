// A stand-in for the evaluators: literals only, until the expression work lands.
#include <cstdlib>

#include "interp/interp.h"

namespace tw::expr {

void stripBlanks(std::string_view source, std::string& destination) {
  destination.clear();
  bool quoted = false;
  for (char c : source) {
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == ' ' || c == '\t')) continue;
    destination += c;
  }
}
std::string stripBlanks(std::string_view source) {
  std::string out;
  stripBlanks(source, out);
  return out;
}
std::int32_t toInteger(double value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(value)));
}
int variableType(Runtime&, std::string_view name) { return !name.empty() && name.back() == '$' ? 3 : 0; }
double scratchNumeric(Runtime&, std::string_view argument) { return std::atof(std::string(argument).c_str()); }
bool scratchString(Runtime&, std::string_view argument, std::string& value) {
  value = argument.size() >= 2 ? argument.substr(1, argument.size() - 2) : "";
  return true;
}
std::string numberText(Runtime&, double value) { return std::to_string(value); }
void assignStatement(Runtime&, std::string_view) {}
void clearVariables(State& s) { s = State{}; }

}  // namespace tw::expr
