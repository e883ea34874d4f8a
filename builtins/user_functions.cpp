// User-defined functions (DEF FN): the table of definitions and their calls. Parameters are
// ordinary program variables, assigned through the assignment statement; nothing restores them.
#include "builtins/detail.h"

namespace tw::builtins {
namespace {

std::string_view functionName(std::string_view left) {
  return left.substr(0, left.find('('));
}

const UserFunction* findUserFunction(const State& s, std::string_view name) {
  for (const UserFunction& f : s.userFunctions)
    if (functionName(f.left) == name) return &f;
  return nullptr;
}

// The next parameter name from pos: up to a comma outside parentheses. pos moves past the comma,
// or to npos after the last name.
std::string_view nextParameter(std::string_view list, std::size_t& pos) {
  int depth = 0;
  const std::size_t from = pos;
  for (std::size_t i = from; i < list.size(); ++i) {
    if (list[i] == '(') ++depth;
    if (list[i] == ')') --depth;
    if (list[i] == ',' && depth == 0) {
      pos = i + 1;
      return list.substr(from, i - from);
    }
  }
  pos = std::string_view::npos;
  return list.substr(from);
}

// The next argument text from pos (commas inside literals and parentheses do not cut); an empty
// text once the arguments are used up.
std::string_view nextArgument(std::string_view arguments, std::size_t& pos) {
  if (pos == std::string_view::npos) return {};
  const std::size_t from = pos;
  const std::size_t comma = detail::topLevelComma(arguments, from);
  pos = comma == std::string_view::npos ? comma : comma + 1;
  return arguments.substr(from, comma == std::string_view::npos ? comma : comma - from);
}

// Assigns each argument to its parameter, in order, up to the first empty parameter name;
// surplus arguments are ignored. False once the program has been stopped.
bool bindParameters(Runtime& rt, std::string_view left, std::string_view arguments) {
  const std::size_t open = left.find('(');
  if (open == std::string_view::npos) return true;
  std::string_view list = left.substr(open + 1);
  if (!list.empty()) list.remove_suffix(1);  // the closing parenthesis
  std::size_t paramPos = 0;
  std::size_t argPos = 0;
  std::string assignment;
  while (paramPos != std::string_view::npos) {
    const std::string_view parameter = nextParameter(list, paramPos);
    if (parameter.empty()) break;
    assignment.assign(parameter).append("=").append(nextArgument(arguments, argPos));
    expr::assignStatement(rt, assignment);
    if (rt.interp.stopRequested) return false;
  }
  return true;
}

// One call level for as long as it lives; ok() is false past the limit (error 12 reported), and
// for every later call of the same chain. With ON ERROR the chain runs on after the report, and a
// function that calls itself twice would run past the limit again 2^limit times: refused quietly,
// the chain ends after one report.
class CallLevel {
 public:
  explicit CallLevel(Runtime& rt) : rt_(rt) {
    State& s = rt.builtins;
    ok_ = ++s.userCallDepth <= userCallLimit && !s.userCallsRefused;
    if (ok_ || s.userCallsRefused) return;
    s.userCallsRefused = true;
    interp::report(rt, interp::MemoryRangeExceeded);
  }
  ~CallLevel() {
    if (--rt_.builtins.userCallDepth == 0) rt_.builtins.userCallsRefused = false;
  }
  CallLevel(const CallLevel&) = delete;
  CallLevel& operator=(const CallLevel&) = delete;
  bool ok() const { return ok_; }

 private:
  Runtime& rt_;
  bool ok_ = false;
};

}  // namespace

bool defineUserFunction(Runtime& rt, std::string_view left, std::string_view body) {
  State& s = rt.builtins;
  if (left.size() > userFunctionTextLimit || body.size() > userFunctionTextLimit) {
    interp::report(rt, interp::MemoryRangeExceeded);
    return false;
  }
  // The first definition of a name stays in force; a DEF FN run again stores nothing.
  if (findUserFunction(s, functionName(left)) != nullptr) return true;
  if (s.userFunctions.size() >= userFunctionLimit) {
    interp::report(rt, interp::MemoryRangeExceeded);
    return false;
  }
  s.userFunctions.push_back({std::string(left), std::string(body)});
  ++rt.expr.meaningGeneration;
  return true;
}

bool callUserFunction(Runtime& rt, std::string_view name, std::string_view arguments,
                      std::string& out) {
  const UserFunction* found = findUserFunction(rt.builtins, name);
  if (found == nullptr) return false;
  const bool isString = !name.empty() && name.back() == '$';
  out.assign(isString ? "\"\"" : "0");
  CallLevel level(rt);
  if (!level.ok()) return true;
  // A copy: an error handler run during the call may empty the table.
  const UserFunction f = *found;
  if (!bindParameters(rt, f.left, arguments)) return true;
  std::string text(isString ? "xxxxx$=" : "xxxxx=");
  text.append(f.body);
  expandFunctionCalls(rt, text);
  if (rt.interp.stopRequested) return true;
  if (!isString) {
    expr::formatFixed(expr::evalNumeric(rt, text), 15, out);
    return true;
  }
  std::string value;
  if (expr::evalString(rt, text, value))
    out.swap(value);
  else
    out.assign("\"").append(value).append("\"");
  return true;
}

}  // namespace tw::builtins
