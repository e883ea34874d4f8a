// Fuzz target of the evaluators: the first byte picks the numeric, string or condition evaluator,
// the function-call expansion, or the prepared numeric and condition forms; the rest is the text
// they are given, on a runtime holding a few variables, arrays and functions.
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/unit/memory_files.h"
#include "tests/unit/test_runtime.h"

namespace {

using namespace tw;

// Variables and functions the texts may name, set as the statements set them.
void setUp(Runtime& rt) {
  interp::startProgram(rt, "C:\\fuzz");
  for (const char* assignment : {"A=1.5", "B%=-3", "C!=2.5E+10", "S$=\"ab\"", "T$=\"\x82\xa0x\""})
    expr::assignStatement(rt, assignment);
  expr::dimStatement(rt, "X(10),Y%(2,3),N$(4)");
  expr::assignStatement(rt, "X(2)=7");
  expr::assignStatement(rt, "N$(1)=\"x,y\"");
  builtins::defineUserFunction(rt, "FNA(X,Y)", "X*Y+1");
  builtins::defineUserFunction(rt, "FNB$(S$)", "S$+CHR$(33)");
  builtins::defineUserFunction(rt, "FNR(X)", "FNR(X)+1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  test::TestRuntime t;
  // A program waiting for keys that never come ends when the user gives up.
  t.clock.closes = &t.window;
  t.clock.closeAtSleep = 200;
  test::MemoryFiles files;
  t.rt.sys.files = &files;
  setUp(t.rt);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string value;
  switch (data[0] % 6) {
    case 0: expr::scratchNumeric(t.rt, text); break;
    case 1: expr::scratchString(t.rt, text, value); break;
    case 2: expr::evalCondition(t.rt, text); break;
    case 3:
      value.assign(text);
      builtins::expandFunctionCalls(t.rt, value);
      break;
    case 4: {
      double number = 0;
      if (expr::PreparedNumericPtr p = expr::prepareNumeric(t.rt, text))
        expr::evaluatePrepared(t.rt, *p, number);
      break;
    }
    default: {
      std::int32_t truth = 0;
      if (expr::PreparedConditionPtr p = expr::prepareCondition(t.rt, text, text.size()))
        expr::evaluatePrepared(t.rt, *p, truth);
      break;
    }
  }
  return 0;
}
