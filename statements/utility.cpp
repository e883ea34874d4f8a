// RANDOMIZE, SLEEP, CHDIR and SWAP. They change the generator, the program folder and variables
// only through builtins, host's state and the store's own routines.
#include <algorithm>

#include "interp/interp.h"
#include "statements/statements.h"

namespace tw::statements {
namespace {

// True when the last byte is a backslash of its own, not the second byte of a double-byte
// character (such as 0x95 0x5C), which must stay with its first byte.
bool endsWithBackslash(std::string_view text) {
  if (text.empty() || text.back() != '\\') return false;
  std::size_t i = 0;
  while (i + 1 < text.size())
    i += platform::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  return i + 1 == text.size();
}

}  // namespace

void randomizeStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  std::int32_t seed = 0;
  if (text.empty()) {
    seed = expr::toInteger(static_cast<double>(rt.sys.clock->epochSeconds()));
  } else {
    seed = expr::toInteger(expr::scratchNumeric(rt, text));
    if (rt.interp.stopRequested) return;
    if (seed < 0) {
      interp::report(rt, interp::SyntaxError);
      return;
    }
  }
  builtins::seedRandom(rt.builtins, seed);
}

void sleepStatement(Runtime& rt, std::string_view argument) {
  const std::int32_t milliseconds = expr::toInteger(expr::scratchNumeric(rt, argument));
  if (rt.interp.stopRequested) return;
  if (milliseconds < 0) {
    interp::report(rt, interp::OwnText, interp::text(interp::Text::NegativeSleep));
    return;
  }
  if (milliseconds == 0) {
    rt.sys.clock->sleep(0);  // gives up the rest of the time slice
    return;
  }
  for (std::int32_t left = milliseconds; left > 0 && !rt.interp.stopRequested;
       left -= sleepSliceLimit)
    rt.sys.clock->sleep(std::min(left, sleepSliceLimit));
}

void chdirStatement(Runtime& rt, std::string_view argument) {
  std::string directory;
  if (!expr::scratchString(rt, argument, directory) || rt.interp.stopRequested) return;
  if (endsWithBackslash(directory)) directory.pop_back();
  // Only relative file names see it: whether the folder exists is not looked at, and the
  // process's own current directory stays as it is.
  rt.host.programDir = std::move(directory);
}

void swapStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  const std::size_t comma = expr::topLevelComma(text);
  if (comma == std::string::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const std::string_view first = std::string_view(text).substr(0, comma);
  const std::string_view second = std::string_view(text).substr(comma + 1);
  const bool isString = expr::variableType(rt, first) == expr::String;
  // A string and a number cannot change places; refused before either is touched.
  if (isString != (expr::variableType(rt, second) == expr::String)) {
    interp::report(rt, interp::TypeMismatch);
    return;
  }
  std::string saved;
  if (isString) {
    if (!expr::scratchString(rt, first, saved)) return;
    saved.insert(saved.begin(), '"');
    saved.push_back('"');
  } else {
    expr::formatFixed(expr::scratchNumeric(rt, first), 15, saved);
  }
  if (rt.interp.stopRequested) return;
  std::string assignment;
  assignment.reserve(text.size());
  assignment.append(first).append("=").append(second);
  expr::assignStatement(rt, assignment);
  if (rt.interp.stopRequested) return;
  // The saved value is already the text an assignment would store ("%15.15f", or quoted), so it
  // goes to the store directly; a number of any size arrives unchanged.
  expr::storeVariable(rt, second, saved);
}

}  // namespace tw::statements
