// The differential fuzzer: random programs run once through the prepared statements and once
// through the text rewriting alone, each on a fresh runtime; everything they leave must agree.
// It drives the interpreter from outside and changes nothing in it.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/test_runtime.h"
#include "tools/builder/builder.h"

namespace {

using namespace tw;

// A run that has not ended after this long is stopped; programs are made to end well before.
constexpr auto runLimit = std::chrono::seconds(2);

// ---- Running one program both ways ------------------------------------------------------------

// Everything a run leaves that a program or its user can observe.
struct Outcome {
  std::string echoed;  // all text written to the screen, in order
  std::string screen;  // the text layer at the end
  std::vector<std::string> boxes;
  int runResult = 0;
  bool endedByError = false;
  std::string variables;  // numeric directory with exact values, string table, letter lists
  bool timedOut = false;
};

std::string hexBits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(bits));
  return buffer;
}

std::string describeVariables(const Runtime& rt) {
  const expr::State& e = rt.expr;
  std::string out = "numeric " + e.numericDirectory + "\nvalues";
  for (double v : e.numericValues) {
    char shown[40];
    std::snprintf(shown, sizeof shown, "%.17g", v);
    out += " " + std::string(shown) + "(" + hexBits(v) + ")";
  }
  out += "\nstrings";
  for (const expr::StringVariable& s : e.strings) out += " " + s.name + "=" + s.value;
  out += "\nDEFINT " + e.defIntLetters + " DEFSNG " + e.defSngLetters + " DEFSTR " + e.defStrLetters;
  return out;
}

// Stops a run that goes on too long, so that a hang in one path shows as a difference rather
// than stopping the fuzzer.
class Watchdog {
 public:
  Watchdog() : thread_([this] { watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
  void begin(Runtime& rt) {
    std::lock_guard lock(mutex_);
    current_ = &rt;
    started_ = std::chrono::steady_clock::now();
    fired_ = false;
  }
  // True when the run had to be stopped.
  bool end() {
    std::lock_guard lock(mutex_);
    current_ = nullptr;
    return fired_;
  }

 private:
  void watch() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
      wake_.wait_for(lock, std::chrono::milliseconds(200));
      if (current_ && !fired_ && std::chrono::steady_clock::now() - started_ > runLimit) {
        current_->interp.stopRequested = true;
        fired_ = true;
      }
    }
  }
  std::mutex mutex_;
  std::condition_variable wake_;
  Runtime* current_ = nullptr;
  std::chrono::steady_clock::time_point started_;
  bool fired_ = false;
  bool quit_ = false;
  std::thread thread_;
};

Outcome runOnce(const std::string& programText, bool referenceOnly, Watchdog& watchdog) {
  test::TestRuntime t;
  t.rt.host.programText = programText;
  t.rt.interp.referenceOnly = referenceOnly;
  Outcome o;
  watchdog.begin(t.rt);
  o.runResult = t.run();
  o.timedOut = watchdog.end();
  o.echoed = platform::cp932ToUtf8(t.window.echoed);
  o.screen = t.screen();
  o.boxes = t.window.boxes;
  o.endedByError = t.rt.interp.endedByError;
  o.variables = describeVariables(t.rt);
  return o;
}

std::string describe(const Outcome& o) {
  std::string out = "[echo]\n" + o.echoed + "\n[boxes]\n";
  for (const std::string& b : o.boxes) out += b + "\n";
  out += "[end] run " + std::to_string(o.runResult) + (o.endedByError ? ", ended by an error" : "") +
         (o.timedOut ? ", stopped: too long" : "") + "\n[variables]\n" + o.variables + "\n";
  return out;
}

bool sameOutcome(const Outcome& a, const Outcome& b) {
  return a.echoed == b.echoed && a.screen == b.screen && a.boxes == b.boxes &&
         a.runResult == b.runResult && a.endedByError == b.endedByError &&
         a.variables == b.variables && a.timedOut == b.timedOut;
}

// ---- Programs as lines of statements ----------------------------------------------------------

struct Line {
  int number = 0;
  std::vector<std::string> statements;  // joined by ':'; an IF is always the last
};
using Program = std::vector<Line>;

std::string sourceOf(const Program& p) {
  std::string s;
  for (const Line& line : p) {
    if (line.statements.empty()) continue;
    s += std::to_string(line.number) + " ";
    for (std::size_t i = 0; i < line.statements.size(); ++i) {
      if (i) s += ":";
      s += line.statements[i];
    }
    s += "\n";
  }
  return s;
}

enum class Verdict { Same, Different, Unusable };

struct Comparison {
  Verdict verdict = Verdict::Unusable;
  Outcome fast, reference;
  std::uint64_t statements = 0;
};

std::uint64_t countStatements(const Program& p) {
  std::uint64_t n = 0;
  for (const Line& line : p) n += line.statements.size();
  return n;
}

Comparison compareSource(const std::string& source, Watchdog& watchdog) {
  Comparison c;
  builder::BuildError error;
  std::optional<std::string> text = builder::encodeSource(source, "fuzz.bas", error);
  if (!text) return c;
  c.fast = runOnce(*text, false, watchdog);
  c.reference = runOnce(*text, true, watchdog);
  if (c.fast.timedOut && c.reference.timedOut) return c;
  c.verdict = sameOutcome(c.fast, c.reference) ? Verdict::Same : Verdict::Different;
  return c;
}

// Drops lines, then statements, while the two paths still disagree.
Program shrink(Program p, Watchdog& watchdog) {
  auto differs = [&](const Program& candidate) {
    return compareSource(sourceOf(candidate), watchdog).verdict == Verdict::Different;
  };
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t i = 0; i < p.size();) {
      Program candidate = p;
      candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
      if (differs(candidate)) {
        p = std::move(candidate);
        progress = true;
      } else {
        ++i;
      }
    }
    for (std::size_t i = 0; i < p.size(); ++i) {
      for (std::size_t j = 0; j < p[i].statements.size() && p[i].statements.size() > 1;) {
        Program candidate = p;
        candidate[i].statements.erase(candidate[i].statements.begin() + static_cast<std::ptrdiff_t>(j));
        if (differs(candidate)) {
          p = std::move(candidate);
          progress = true;
        } else {
          ++j;
        }
      }
    }
  }
  return p;
}

// ---- The grammar ------------------------------------------------------------------------------

// Constructs that can be left out, so that one known difference does not hide the others.
struct Skips {
  std::set<std::string> names;
  bool has(const char* name) const { return names.count(name) != 0; }
};

class Generator {
 public:
  Generator(std::uint64_t seed, const Skips& skips) : random_(seed), skips_(skips) {}

  Program program();

 private:
  std::mt19937_64 random_;
  const Skips& skips_;
  int depth_ = 0;
  bool inDefinition_ = false;  // a DEF FN body calls no user function
  bool inLoop_ = false;
  int loopLevel_ = 0;
  std::vector<int> forwardTargets_;  // main lines after the one being made
  std::vector<int> subroutines_;

  int below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }
  template <std::size_t N>
  const char* pick(const char* const (&items)[N]) {
    return items[below(static_cast<int>(N))];
  }

  std::string digits(int count);
  std::string number();
  std::string numericVariable();
  std::string subscript();
  std::string numeric();
  std::string numericAtom();
  std::string stringLiteral();
  std::string stringTerm();
  std::string string();
  std::string condition();
  std::string relation();
  std::string printStatement();
  std::string simpleStatement();
  std::string letterList();
  std::vector<std::string> mainStatements(int lineNumber);
  void loop(Program& p, int& number);
};

std::string Generator::digits(int count) {
  // Runs of 9s, 0s and 4s or 5s make the values that sit on rounding boundaries.
  static const char* const styles[] = {"0123456789", "9", "0", "49", "5", "90", "12"};
  const char* style = pick(styles);
  std::string s;
  for (int i = 0; i < count; ++i) s += style[below(static_cast<int>(std::strlen(style)))];
  return s;
}

std::string Generator::number() {
  static const char* const edges[] = {
      "2147483647", "2147483648", "4294967295", "4294967296", "32767", "32768", "65535",
      "9007199254740993", "1E15", "1E16", "1E17", "9.99999999999999E15", "1E20", "1D300",
      "1E308", "1.7976931348623157E308", "1E309", "1E-15", "5E-16", "4.9E-16", "1E-20",
      "1E-300", "1E-320", ".5", "5.", ".999999999999999", "0.1", "0.3", ".333333333333333",
      "999999999999999.9", "1234567.891234567", "0.9999999999999995", "2.4999999999999996",
      "&HFF", "&hff", "&O17", "&H80000000", "&HFFFFFFFF", "&H7FFFFFFF", "&H", "1E", "1E+",
      "2.5D+3", "1D5", "1E-5", "3.", "0.00000000000000001", "123456789012345678"};
  switch (below(10)) {
    case 0:
    case 1:
      return std::to_string(below(21));
    case 2:
      if (skips_.has("nan")) return std::to_string(below(1000)) + "." + digits(3);
      return pick(edges);
    case 3:
      return std::to_string(below(100)) + "." + digits(1 + below(3));
    case 4: {
      // 14 to 18 significant digits with the point anywhere.
      std::string d = std::to_string(1 + below(9)) + digits(13 + below(5));
      int point = below(static_cast<int>(d.size()) + 1);
      if (chance(30)) return "." + std::string(static_cast<std::size_t>(below(4)), '0') + d;
      return d.substr(0, static_cast<std::size_t>(point)) + "." + d.substr(static_cast<std::size_t>(point));
    }
    case 5: {
      // A half at the 15th or 16th significant digit.
      std::string d = std::to_string(1 + below(9)) + digits(13 + below(2)) + "5";
      int point = 1 + below(10);
      return d.substr(0, static_cast<std::size_t>(point)) + "." + d.substr(static_cast<std::size_t>(point));
    }
    case 6: {
      if (skips_.has("nan")) return std::to_string(below(10)) + "E" + std::to_string(below(20) - 10);
      static const char* const exponents[] = {"0", "1", "5", "14", "15", "16", "17", "20", "38",
                                              "39", "300", "308", "309", "-1", "-15", "-16",
                                              "-17", "-20", "-300", "-320", "+2", "-0"};
      std::string mantissa = chance(50) ? std::to_string(1 + below(9)) : std::to_string(below(10)) + "." + digits(1 + below(15));
      return mantissa + (chance(70) ? "E" : "D") + pick(exponents);
    }
    case 7:
      return std::to_string(below(1000000)) + "." + digits(1 + below(9));
    default:
      return std::to_string(below(1000));
  }
}

std::string Generator::subscript() {
  static const char* const odd[] = {"-1", "11", "2.5", "1E10", "10", "0", "I%", "K", "-.4", ".6"};
  if (chance(70)) return std::to_string(below(6));
  if (chance(40) && depth_ < 3) {
    ++depth_;
    std::string s = numeric();
    --depth_;
    return s;
  }
  return pick(odd);
}

std::string Generator::numericVariable() {
  static const char* const scalars[] = {"A", "B", "C", "X", "Y", "K", "I%", "J%", "S!", "D#",
                                        "Z", "X1E", "D1D", "a", "AB"};
  switch (below(10)) {
    case 0:
      return "N(" + subscript() + ")";
    case 1:
      return "M%(" + subscript() + ")";
    case 2:
      return chance(50) ? "G(" + subscript() + "," + subscript() + ")" : "U(" + subscript() + ")";
    case 3:
      return chance(50) ? "F!(" + subscript() + ")" : "H#(" + subscript() + ")";
    default:
      return pick(scalars);
  }
}

std::string Generator::numericAtom() {
  static const char* const oneArgument[] = {"ABS", "INT", "FIX", "SGN", "CINT", "SIN", "COS",
                                            "TAN", "ATN", "EXP", "LOG", "SQR", "CSNG", "CDBL"};
  const int roll = below(100);
  if (roll < 38) return number();
  if (roll < 76 || depth_ >= 3) return numericVariable();
  if (roll < 88) return std::string(pick(oneArgument)) + "(" + numeric() + ")";
  if (roll < 92) {
    static const char* const ofString[] = {"LEN", "ASC", "VAL"};
    return std::string(pick(ofString)) + "(" + string() + ")";
  }
  if (roll < 94)
    return chance(50) ? "INSTR(" + string() + "," + string() + ")"
                      : "INSTR(" + numeric() + "," + string() + "," + string() + ")";
  if (roll < 97) {
    if (skips_.has("fn") || inDefinition_) return number();
    return chance(60) ? "FNA(" + numeric() + ")" : "FNB(" + numeric() + "," + numeric() + ")";
  }
  if (roll < 99) {
    if (skips_.has("exponent-splice")) return number();
    // A number ending in an exponent letter, then a sign and a spliced value.
    return std::to_string(1 + below(9)) + (chance(50) ? "E" : "D") + (chance(50) ? "-" : "+") +
           (chance(50) ? "(" + numeric() + ")" : numericVariable());
  }
  if (chance(50) || skips_.has("nan")) return "RND(" + std::string(chance(50) ? "1" : "0") + ")";
  // Values beyond the double range and their texts.
  static const char* const beyond[] = {"EXP(1000)", "-EXP(1000)", "(1E308*10)", "(-1E308*10)",
                                       "(1E308*10-1E308*10)", "EXP(-1000)", "VAL(\"1.#INF\")",
                                       "VAL(STR$(EXP(1000)))", "(1E200*1E200)"};
  return pick(beyond);
}

std::string Generator::numeric() {
  static const char* const operators[] = {"+", "-", "*", "/", "^", "\\", " MOD ", " AND ",
                                          " OR ", " XOR ", "=", "<>", "<", ">", "<=", ">=",
                                          "+", "-", "*", "/"};
  if (depth_ >= 3 || chance(50)) {
    ++depth_;
    std::string a = numericAtom();
    --depth_;
    return a;
  }
  ++depth_;
  std::string out;
  switch (below(8)) {
    case 0:
      out = "(" + numeric() + ")";
      break;
    case 1: {
      static const char* const signs[] = {"-", "+", "NOT ", "--", "+-", "-(", "-"};
      std::string sign = pick(signs);
      out = sign == "-(" ? "-(" + numeric() + ")" : sign + numeric();
      // A negative value before a power: differences/negative_value_before_power.bas.
      if (skips_.has("negative-power")) out = "(" + out + ")";
      break;
    }
    default: {
      std::string op = pick(operators);
      // A relation outside a condition can be left out: see differences/relation_before_*.
      if (skips_.has("relation") && op.find_first_of("<=>") != std::string::npos) op = "+";
      if (op == "^" && (skips_.has("negative-power") || skips_.has("nan"))) {
        // A literal base is never negative (differences/negative_value_before_power.bas); a small
        // exponent makes no infinity to meet a zero (differences/nan_sign_after_addition.bas).
        out = (skips_.has("negative-power") ? number() : numeric()) + op +
              (skips_.has("nan") ? std::to_string(below(4)) : numeric());
        break;
      }
      if (op.size() == 1 && chance(10)) op = " " + op + " ";
      out = numeric() + op + numeric();
    }
  }
  --depth_;
  return out;
}

std::string Generator::stringLiteral() {
  static const char* const literals[] = {"", "abc", "a+b", "1E5", "a,b", "x:y", "(", "あい",
                                         "  sp ", "-3.5", "12abc", "&HFF", "A", "z", "else",
                                         " THEN ", "=", "1.#INF", "あ", "ｶﾅ"};
  return "\"" + std::string(pick(literals)) + "\"";
}

std::string Generator::stringTerm() {
  static const char* const variables[] = {"S$", "T$", "U$", "A$", "a$"};
  static const char* const codes[] = {"0", "1", "34", "44", "58", "65", "97", "200", "129",
                                      "32", "43", "256+66"};
  if (depth_ >= 4) return chance(50) ? stringLiteral() : pick(variables);
  ++depth_;
  std::string out;
  switch (below(14)) {
    case 0:
    case 1:
    case 2:
      out = stringLiteral();
      break;
    case 3:
    case 4:
    case 5:
      out = pick(variables);
      break;
    case 6:
      out = "R$(" + subscript() + ")";
      break;
    case 7:
      out = std::string(chance(50) ? "LEFT$(" : "RIGHT$(") + string() + "," + numeric() + ")";
      break;
    case 8:
      out = "MID$(" + string() + "," + numeric() + (chance(50) ? "," + numeric() : "") + ")";
      break;
    case 9:
      out = "CHR$(" + std::string(chance(70) ? pick(codes) : numeric()) + ")";
      break;
    case 10:
      out = std::string(chance(60) ? "STR$(" : chance(50) ? "HEX$(" : "OCT$(") + numeric() + ")";
      break;
    case 11:
      out = chance(50) ? "SPACE$(" + std::to_string(below(6) - 1) + ")"
                       : "STRING$(" + std::to_string(below(5)) + "," + string() + ")";
      break;
    case 12:
      out = skips_.has("fn") ? stringLiteral() : "FNS$(" + string() + ")";
      break;
    default:
      out = chance(5) ? numeric() : stringLiteral();  // now and then a number where a string belongs
  }
  --depth_;
  return out;
}

std::string Generator::string() {
  std::string s = stringTerm();
  while (depth_ < 3 && chance(30)) s += "+" + stringTerm();
  return s;
}

std::string Generator::relation() {
  static const char* const relations[] = {"=", "<>", "<", ">", "<=", ">=", "=<", "=>", "><"};
  if (chance(30)) return string() + pick(relations) + string();
  if (chance(20)) return numeric();
  return numeric() + pick(relations) + numeric();
}

std::string Generator::condition() {
  std::string c = chance(10) ? "NOT " + relation() : relation();
  while (chance(30)) c += std::string(chance(50) ? " AND " : " OR ") + relation();
  if (chance(15)) c = "(" + c + ")";
  return c;
}

std::string Generator::printStatement() {
  std::string s = "PRINT";
  int items = below(4);
  for (int i = 0; i < items; ++i) {
    s += i == 0 ? " " : chance(75) ? ";" : ",";
    s += chance(65) ? numeric() : string();
  }
  if (items && chance(20)) s += ";";
  return s;
}

std::string Generator::letterList() {
  static const char* const lists[] = {"A", "B", "C", "X", "Y", "K", "Z", "A-C", "X-Z", "I-K",
                                      "N", "M", "G", "U", "S", "T", "A,X", "a", "D"};
  return pick(lists);
}

std::string Generator::simpleStatement() {
  switch (below(24)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return numericVariable() + "=" + numeric();
    case 5:
    case 6:
      return std::string(chance(70) ? "S$" : chance(50) ? "T$" : "R$(" + subscript() + ")") + "=" + string();
    case 7:
    case 8:
    case 9:
      return printStatement();
    case 10:
      return "LET " + numericVariable() + "=" + numeric();
    case 11:
      if (chance(50)) return std::string(pick({"A", "B", "X", "I%"})) + "=" + string();
      return std::string(chance(50) ? "S$" : "U$") + "=" + numeric();
    case 12:
      return chance(50) ? "SWAP " + numericVariable() + "," + numericVariable() : "SWAP S$,T$";
    case 13:
      if (skips_.has("deftype")) return printStatement();
      return std::string(pick({"DEFINT ", "DEFSNG ", "DEFSTR ", "DEFINT ", "DEFSNG "})) + letterList();
    case 14:
      if (subroutines_.empty()) return printStatement();
      return "GOSUB " + std::to_string(subroutines_[static_cast<std::size_t>(below(static_cast<int>(subroutines_.size())))]);
    case 15:
      return "READ " + std::string(chance(60) ? numericVariable() : "S$");
    case 16:
      return chance(70) ? "RESTORE" : "RESTORE 9500";
    case 17:
      return "A=A+" + numeric();
    case 18:
      return "S$=S$+" + string();
    case 19:
      if (chance(70) || skips_.has("erase")) return "DIM V(" + std::to_string(below(4)) + ")";
      return std::string("ERASE ") + pick({"N", "V", "R$", "U"});
    case 20:
      return "K=" + numeric();
    case 21:
      if (skips_.has("fn")) return printStatement();
      // A second definition of a name is ignored; a call before any definition is not a call.
      return chance(50) ? "DEF FNC(P)=P*" + number() : "PRINT FNC(" + numeric() + ")";
    case 22:
      if (subroutines_.empty()) return printStatement();
      return "ON " + numeric() + " GOSUB 5000,5100";
    default:
      return numericVariable() + "=" + numericVariable() + pick({"+", "-", "*", "/"}) + number();
  }
}

std::vector<std::string> Generator::mainStatements(int lineNumber) {
  forwardTargets_.clear();
  for (int t = lineNumber + 10; t < lineNumber + 60; t += 10) forwardTargets_.push_back(t);
  forwardTargets_.push_back(4000);
  std::vector<std::string> out;
  // Some lines begin with a label named after their number.
  if (chance(30)) out.push_back("*L" + std::to_string(lineNumber));
  int count = 1 + below(3);
  for (int i = 0; i < count; ++i) out.push_back(simpleStatement());
  if (chance(25)) {
    // An IF runs to the end of its line.
    const bool then = chance(90) || skips_.has("if-without-then");
    std::string s = "IF " + condition() + (then ? " THEN " : " ");
    const int target = forwardTargets_[static_cast<std::size_t>(below(static_cast<int>(forwardTargets_.size())))];
    if (chance(12)) {
      s += std::to_string(target);
    } else if (chance(8) && target != 4000) {
      s += "*L" + std::to_string(target);
    } else if (chance(10)) {
      // An IF in a THEN part: the second ELSE of the line is the outer one.
      s += "IF " + condition() + " THEN " + simpleStatement() + " ELSE " + simpleStatement();
    } else {
      s += simpleStatement();
      if (chance(30)) s += ":" + simpleStatement();
    }
    if (chance(40)) s += " ELSE " + simpleStatement();
    out.push_back(s);
  } else if (!inLoop_ && chance(8)) {
    int target = forwardTargets_[static_cast<std::size_t>(below(static_cast<int>(forwardTargets_.size())))];
    if (chance(20) && target != 4000) {
      out.push_back("GOTO *L" + std::to_string(target));
    } else if (chance(50)) {
      out.push_back("GOTO " + std::to_string(target));
    } else {
      out.push_back("ON " + numeric() + " GOTO " + std::to_string(target) + "," +
                    std::to_string(forwardTargets_.back()));
    }
  } else if (!inLoop_ && !skips_.has("clear") && chance(2)) {
    out.push_back("CLEAR");
  }
  return out;
}

// A bounded loop over several lines: FOR with a fractional or negative step, or WHILE with a
// counter that nothing else assigns.
void Generator::loop(Program& p, int& number) {
  static const char* const counters[] = {"L1", "L2", "L3"};
  const std::string counter = counters[loopLevel_];
  ++loopLevel_;
  const bool wasInLoop = inLoop_;
  inLoop_ = true;
  const bool isFor = skips_.has("while") || chance(65);
  if (isFor) {
    static const char* const heads[] = {"=1 TO 3", "=0 TO 1 STEP .25", "=1 TO 0 STEP -.5",
                                        "=.1 TO .5 STEP .1", "=3 TO 1 STEP -1", "=1 TO 1.0000004",
                                        "=1 TO 2 STEP .3333333333333333", "=5 TO 1",
                                        "=-1 TO 1 STEP .5", "=0 TO .3 STEP .1",
                                        "=1 TO 12", "=1 TO 3 STEP 1E-1*5", "=2 TO 9 STEP 2.5"};
    p.push_back({number, {"FOR " + counter + pick(heads)}});
  } else {
    p.push_back({number, {counter + "=0", "WHILE " + counter + "<" + std::to_string(1 + below(4))}});
  }
  number += 10;
  int body = 1 + below(3);
  for (int i = 0; i < body; ++i) {
    if (loopLevel_ < 3 && chance(15)) {
      loop(p, number);
    } else {
      p.push_back({number, mainStatements(number)});
      number += 10;
    }
  }
  if (isFor) {
    p.push_back({number, {chance(70) ? "NEXT " + counter : "NEXT"}});
  } else {
    p.push_back({number, {counter + "=" + counter + "+1", "WEND"}});
  }
  number += 10;
  inLoop_ = wasInLoop;
  --loopLevel_;
}

Program Generator::program() {
  Program p;
  subroutines_ = {5000, 5100};
  std::vector<std::string> prelude;
  prelude.push_back("DIM N(10),M%(5),G(3,3),R$(5),F!(5)");
  if (!skips_.has("fn")) {
    inDefinition_ = true;
    prelude.push_back("DEF FNA(P)=P" + std::string(pick({"+", "*", "/", "-"})) + numeric());
    inDefinition_ = false;
    prelude.push_back("DEF FNB(P,Q)=P*Q+" + number());
    prelude.push_back("DEF FNS$(P$)=P$+\"!\"");
  }
  p.push_back({10, prelude});
  int next = 20;
  if (chance(60) && !skips_.has("onerror"))
    p.push_back({15, {chance(70) ? "ON ERROR GOTO 9000" : "ON ERROR GOSUB 9100"}});
  if (chance(30) && !skips_.has("deftype"))
    p.push_back({17, {std::string(pick({"DEFINT ", "DEFSNG ", "DEFSTR "})) + letterList()}});
  int lines = 3 + below(12);
  for (int i = 0; i < lines; ++i) {
    if (chance(20) && loopLevel_ == 0) {
      loop(p, next);
    } else {
      p.push_back({next, mainStatements(next)});
      next += 10;
    }
  }
  forwardTargets_ = {4000};
  p.push_back({4000, {"PRINT A;B;C;X;Y;K;I%;J%;S!;D#;Z;S$;T$;N(1);M%(1)", "END"}});
  inLoop_ = true;  // subroutines and the handler jump nowhere of their own
  subroutines_.clear();
  p.push_back({5000, {simpleStatement(), simpleStatement(), "RETURN"}});
  p.push_back({5100, {printStatement(), "RETURN"}});
  p.push_back({9000, {"HE=HE+1", "PRINT \"handler\";HE", "IF HE>4 THEN END"}});
  p.push_back({9010, {"GOTO " + std::to_string(20 + 10 * below(std::max(1, (next - 20) / 10)))}});
  p.push_back({9100, {"HG=HG+1", "PRINT \"gosub handler\";HG", "IF HG>8 THEN END"}});
  p.push_back({9110, {"RETURN"}});
  p.push_back({9500, {"DATA " + number() + "," + number() + ",abc,\"q,r\"," + number()}});
  return p;
}

// ---- The command ----------------------------------------------------------------------------

struct Options {
  std::uint64_t seed = 1;
  std::uint64_t count = 1000;
  bool keepGoing = false;
  bool print = false;   // every program is printed with its verdict
  std::string saveDir;  // where the shrunk programs of differences are written
  std::string file;     // one readable program to run both ways
  Skips skips;
};

bool parseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--seed") {
      o.seed = std::stoull(value());
    } else if (a == "--count") {
      o.count = std::stoull(value());
    } else if (a == "--print") {
      o.print = true;
    } else if (a == "--keep-going") {
      o.keepGoing = true;
    } else if (a == "--save") {
      o.saveDir = value();
    } else if (a == "--file") {
      o.file = value();
    } else if (a == "--skip") {
      std::stringstream list(value());
      for (std::string name; std::getline(list, name, ',');) o.skips.names.insert(name);
    } else {
      std::fprintf(stderr,
                   "usage: tw_differential [--seed N] [--count N] [--keep-going] [--print] [--save DIR]\n"
                   "                       [--skip relation,negative-power,nan,if-without-then,fn,exponent-splice,deftype,erase,clear,while,onerror]\n"
                   "                       [--file PROGRAM.bas]\n");
      return false;
    }
  }
  return true;
}

void printDifference(const std::string& source, const Comparison& c) {
  std::printf("---- program\n%s---- fast path\n%s---- reference\n%s", source.c_str(),
              describe(c.fast).c_str(), describe(c.reference).c_str());
}

int runFile(const Options& o, Watchdog& watchdog) {
  std::ifstream in(o.file, std::ios::binary);
  std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Comparison c = compareSource(source, watchdog);
  printDifference(source, c);
  std::printf("==== %s\n", c.verdict == Verdict::Same ? "same" : c.verdict == Verdict::Different ? "DIFFERENT" : "unusable");
  return c.verdict == Verdict::Different ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parseOptions(argc, argv, o)) return 2;
  Watchdog watchdog;
  if (!o.file.empty()) return runFile(o, watchdog);
  std::uint64_t statements = 0, differences = 0, unusable = 0, endedByError = 0;
  for (std::uint64_t i = 0; i < o.count; ++i) {
    const std::uint64_t seed = o.seed + i;
    Program program = Generator(seed, o.skips).program();
    std::string source = sourceOf(program);
    Comparison c = compareSource(source, watchdog);
    statements += countStatements(program);
    if (c.verdict == Verdict::Unusable) {
      ++unusable;
      if (!o.print) std::printf("==== seed %llu: not comparable\n", static_cast<unsigned long long>(seed));
    }
    if (c.reference.endedByError) ++endedByError;
    if (o.print)
      std::printf("==== seed %llu: %s\n%s", static_cast<unsigned long long>(seed),
                  c.verdict == Verdict::Same ? "same" : c.verdict == Verdict::Different ? "different" : "not comparable",
                  source.c_str());
    if (c.verdict != Verdict::Different) continue;
    ++differences;
    std::printf("==== difference, seed %llu\n", static_cast<unsigned long long>(seed));
    printDifference(source, c);
    Program small = shrink(program, watchdog);
    std::string shrunk = sourceOf(small);
    std::printf("==== shrunk\n");
    printDifference(shrunk, compareSource(shrunk, watchdog));
    std::fflush(stdout);
    if (!o.saveDir.empty()) {
      std::ofstream out(o.saveDir + "/seed" + std::to_string(seed) + ".bas", std::ios::binary);
      out << shrunk;
    }
    if (!o.keepGoing) break;
  }
  std::printf("%llu programs (%llu statements, %llu ended by an error), %llu differences, %llu not comparable\n",
              static_cast<unsigned long long>(o.count), static_cast<unsigned long long>(statements),
              static_cast<unsigned long long>(endedByError),
              static_cast<unsigned long long>(differences), static_cast<unsigned long long>(unusable));
  return differences == 0 ? 0 : 1;
}
