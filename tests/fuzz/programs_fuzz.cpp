// Fuzz target of whole programs, run on a test runtime with files in memory and a bitmap of its
// own, each with a budget of statements so that an endless program ends. Input that begins with
// 0xFF drives a small grammar of statements; any other input is source text.
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/unit/memory_files.h"
#include "tests/unit/test_runtime.h"
#include "tools/builder/builder.h"

namespace {

using namespace tw;

// Statements a run may start: enough for every line of a grammar program to run many times over,
// few enough that an endless one ends within milliseconds.
constexpr std::uint64_t statementBudget = 1000;
constexpr std::uint8_t grammarMark = 0xFF;
// Slots of arrays and variables a run may hold (32 MB of values): a DIM of two hundred million
// elements is legal, but takes seconds and gigabytes under the sanitizers.
constexpr std::int64_t slotsAllowed = std::int64_t{1} << 22;

// The input's bytes, taken one choice at a time; zeros once they run out.
class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  unsigned next(unsigned count) { return size_ == 0 ? 0 : (--size_, *data_++) % count; }
  bool empty() const { return size_ == 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

std::string numeric(Choices& c, int depth);

std::string text(Choices& c, int depth) {
  if (depth > 3) return "S$";
  switch (c.next(10)) {
    case 0: return "\"ab,c\"";
    case 1: return "N$(" + numeric(c, depth + 1) + ")";
    case 2: return "MID$(S$," + numeric(c, depth + 1) + "," + numeric(c, depth + 1) + ")";
    case 3: return "CHR$(" + numeric(c, depth + 1) + ")";
    case 4: return "STR$(" + numeric(c, depth + 1) + ")";
    case 5: return "STRING$(" + numeric(c, depth + 1) + ",65)";
    case 6: return text(c, depth + 1) + "+" + text(c, depth + 1);
    case 7: return "LEFT$(T$," + numeric(c, depth + 1) + ")";
    case 8: return "\"\x82\xa0\x82\xa2\"";
    default: return "S$";
  }
}

std::string numeric(Choices& c, int depth) {
  static const char* const operators[] = {"+", "-", "*", "/", "^", " MOD ", " AND ", " OR ", "\\"};
  if (depth > 3) return std::to_string(c.next(12));
  switch (c.next(14)) {
    case 0: return std::to_string(c.next(256));
    case 1: return "A";
    case 2: return "B%";
    case 3: return "X(" + numeric(c, depth + 1) + ")";
    case 4: return "LEN(" + text(c, depth + 1) + ")";
    case 5: return "VAL(" + text(c, depth + 1) + ")";
    case 6: return "FNF(" + numeric(c, depth + 1) + ")";
    case 7: return "(" + numeric(c, depth + 1) + ")";
    case 8: return "-" + numeric(c, depth + 1);
    case 9: return "INT(" + numeric(c, depth + 1) + ")";
    case 10: return std::to_string(c.next(256)) + "E+" + std::to_string(c.next(400));
    default:
      return numeric(c, depth + 1) + operators[c.next(9)] + numeric(c, depth + 1);
  }
}

std::string condition(Choices& c) {
  static const char* const relations[] = {"=", "<>", "<", ">", "<=", ">="};
  if (c.next(4) == 0) return text(c, 1) + relations[c.next(6)] + text(c, 1);
  return numeric(c, 1) + relations[c.next(6)] + numeric(c, 1);
}

std::string lineTarget(Choices& c) { return std::to_string(10 * (1 + c.next(12))); }
std::string channel(Choices& c) { return std::to_string(1 + c.next(3)); }
std::string fileName(Choices& c) {
  static const char* const names[] = {"\"a.txt\"", "\"b.txt\"", "\"d\\c.txt\"", "S$", "\"\""};
  return names[c.next(5)];
}

std::string statement(Choices& c) {
  switch (c.next(46)) {
    case 0: return "A=" + numeric(c, 0);
    case 1: return "B%=" + numeric(c, 0);
    case 2: return "S$=" + text(c, 0);
    case 3: return "X(" + numeric(c, 1) + ")=" + numeric(c, 0);
    case 4: return "N$(" + numeric(c, 1) + ")=" + text(c, 0);
    case 5: return "PRINT " + numeric(c, 0) + ";" + text(c, 0);
    case 6: return "PRINT #" + channel(c) + "," + numeric(c, 0) + ";" + text(c, 0);
    case 7: return "IF " + condition(c) + " THEN " + lineTarget(c) + " ELSE " + lineTarget(c);
    case 8: return "GOTO " + lineTarget(c);
    case 9: return "GOSUB " + lineTarget(c);
    case 10: return "RETURN";
    case 11: return "FOR I=" + numeric(c, 1) + " TO " + numeric(c, 1) + " STEP " + numeric(c, 1);
    case 12: return "NEXT";
    case 13: return "WHILE " + condition(c);
    case 14: return "WEND";
    case 15: return "DIM Z(" + numeric(c, 1) + ")";
    case 16: return "ERASE Z";
    case 17: return "DEF FNF(X)=" + numeric(c, 1);
    case 18: return "OPEN " + fileName(c) + " FOR OUTPUT AS #" + channel(c);
    case 19: return "OPEN " + fileName(c) + " FOR INPUT AS #" + channel(c);
    case 20: return "OPEN " + fileName(c) + " AS #" + channel(c);
    case 21: return "CLOSE #" + channel(c);
    case 22: return "CLOSE";
    case 23: return "INPUT #" + channel(c) + ",A,S$";
    case 24: return "LINE INPUT #" + channel(c) + ",S$";
    case 25: return "A=EOF(" + channel(c) + ")+LOF(" + channel(c) + ")";
    case 26: return "KILL " + fileName(c);
    case 27: return "MKDIR \"d\"";
    case 28: return "FILES " + text(c, 2);
    case 29: return "INPUT A";
    case 30: return "INPUT S$";
    case 31: return "SLEEP " + numeric(c, 1);
    case 32: return "SWAP A,C";
    case 33: return "READ A,S$";
    case 34: return "RESTORE";
    case 35: return "ON " + numeric(c, 1) + " GOTO 10,20,30";
    case 36: return "ON ERROR GOTO " + lineTarget(c);
    case 37: return "LOCATE " + numeric(c, 1) + "," + numeric(c, 1);
    case 38: return "COLOR " + numeric(c, 1);
    case 39: return "LINE (" + numeric(c, 1) + "," + numeric(c, 1) + ")-(" + numeric(c, 1) + "," +
                    numeric(c, 1) + ")";
    case 40: return "CIRCLE (" + numeric(c, 1) + "," + numeric(c, 1) + ")," + numeric(c, 1);
    case 41: return "PAINT (" + numeric(c, 1) + "," + numeric(c, 1) + ")";
    case 42: return "GET @(0,0)-(" + numeric(c, 1) + "," + numeric(c, 1) + "),P";
    case 43: return "PUT (" + numeric(c, 1) + "," + numeric(c, 1) + "),P";
    case 44: return "WIDTH " + numeric(c, 1);
    default: return "CLEAR";
  }
}

std::string grammarSource(Choices& c) {
  std::string source = "5 DATA 1,\"x\",2\n";
  for (int line = 10; line <= 120 && !c.empty(); line += 10) {
    source += std::to_string(line) + " " + statement(c);
    for (unsigned more = c.next(3); more > 0; --more) source += ":" + statement(c);
    source += "\n";
  }
  return source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string source;
  if (size > 0 && data[0] == grammarMark) {
    Choices choices(data + 1, size - 1);
    source = grammarSource(choices);
  } else {
    source.assign(reinterpret_cast<const char*>(data), size);
  }
  builder::BuildError error;
  const std::optional<std::string> program = builder::encodeSource(source, "fuzz.bas", error);
  if (!program) return 0;
  test::TestRuntime t;
  // A program waiting for keys that never come ends when the user gives up.
  t.clock.closes = &t.window;
  t.clock.closeAtSleep = 200;
  test::MemoryFiles files;
  files.folders.insert("C:\\fuzz");
  // One bitmap for every run: what a run leaves drawn on it is no concern of the next.
  static const std::unique_ptr<platform::Canvas> bitmap = platform::makeRasterCanvas({640, 400});
  t.rt.sys.files = &files;
  t.rt.sys.bitmap = bitmap.get();
  t.window.keys = "12\nab\n3\n";
  t.rt.host.programText = *program;
  t.rt.interp.statementsLeft = statementBudget;
  t.rt.expr.slotsAllowed = slotsAllowed;
  t.rt.interp.runPos = 0;
  t.rt.interp.stmtStartPos = 0;
  interp::startProgram(t.rt, "C:\\fuzz");
  interp::runProgram(t.rt);
  return 0;
}
