// The fast path of the run loop: each statement of the immutable program text is prepared once,
// by the position where it begins, into a form that runs it exactly as the dispatcher and its
// handlers would; what is not understood, or whose meaning changed, goes through the dispatcher.
#include <cmath>
#include <cstring>

#include "interp/detail.h"

namespace tw::interp {
namespace {

using detail::notFound;

// ---- The prepared statements ---------------------------------------------------------------------

// A label, DATA: nothing to do.
struct Nothing final : PreparedStatement {
  bool run(Runtime&) override { return true; }
};

struct Assignment final : PreparedStatement {
  expr::PreparedAssignmentPtr assignment;
  bool run(Runtime& rt) override { return expr::runPrepared(rt, *assignment); }
};

struct Goto final : PreparedStatement {
  std::int32_t target;
  bool gosub;
  bool run(Runtime& rt) override {
    State& s = rt.interp;
    if (gosub) {
      if (static_cast<std::size_t>(s.gosubDepth) >= gosubLimit) return false;
      s.gosubPositions[static_cast<std::size_t>(s.gosubDepth)] = s.runPos;
      s.gosubInBranch[static_cast<std::size_t>(s.gosubDepth)] = s.inBranch;
      ++s.gosubDepth;
    }
    s.runPos = target;
    return true;
  }
};

struct Return final : PreparedStatement {
  bool run(Runtime& rt) override {
    State& s = rt.interp;
    if (s.gosubDepth <= 0) return false;
    --s.gosubDepth;
    s.runPos = s.gosubPositions[static_cast<std::size_t>(s.gosubDepth)];
    s.inBranch = s.gosubInBranch[static_cast<std::size_t>(s.gosubDepth)];
    return true;
  }
};

// Where a loop's scan back from a NEXT or WEND lands depends only on where the statement begins
// and whether it stands in a branch: kept for the last.
struct LoopStart {
  std::int32_t from = -2;
  bool inBranch = false;
  std::int32_t position = notFound;
  std::int32_t find(Runtime& rt, detail::Loop kind, std::string_view name) {
    const State& s = rt.interp;
    if (from != s.stmtStartPos || inBranch != s.inBranch) {
      position = detail::loopStart(rt, kind, name);
      from = s.stmtStartPos;
      inBranch = s.inBranch;
    }
    return position;
  }
};

struct Wend final : PreparedStatement {
  LoopStart start;
  bool run(Runtime& rt) override {
    detail::wendTo(rt, start.find(rt, detail::Loop::While, {}));
    return true;
  }
};

struct If final : PreparedStatement {
  expr::PreparedConditionPtr condition;
  bool run(Runtime& rt) override {
    State& s = rt.interp;
    std::int32_t value;
    const std::uint32_t reportsBefore = s.reports;
    if (!expr::evaluatePrepared(rt, *condition, value)) return false;
    if (s.reports != reportsBefore) return true;
    const bool holds = value != 0;
    const std::int32_t part = holds ? thenPart(rt) : detail::elsePart(rt);
    if (part == notFound) {
      if (holds) report(rt, SyntaxError);
      return true;
    }
    // A THEN part that is only a line number goes there as the GOTO it stands for would.
    s.runPos = holds && jump_ ? *jump_ : part;
    s.inBranch = true;
    return true;
  }

 private:
  // Where THEN's part begins depends only on where the statement begins: kept for the last, with
  // the line its number names when it is nothing else.
  std::int32_t thenPart(Runtime& rt) {
    if (thenFrom_ != rt.interp.stmtStartPos) {
      thenAt_ = detail::thenPart(rt);
      thenFrom_ = rt.interp.stmtStartPos;
      jump_ = thenAt_ == notFound ? std::nullopt : lineNumberPart(rt, thenAt_);
    }
    return thenAt_;
  }
  static std::optional<std::int32_t> lineNumberPart(Runtime& rt, std::int32_t part) {
    const std::string& text = rt.host.programText;
    // The part begins after the blank at part; its trailing blanks are cut off.
    auto pos = static_cast<std::size_t>(part + 1);
    const std::size_t digits = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    const std::string_view number(text.data() + digits, pos - digits);
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (number.empty() || (pos < text.size() && text[pos] != '\n')) return std::nullopt;
    return detail::lookupLine(rt, number);
  }
  std::int32_t thenFrom_ = -2;
  std::int32_t thenAt_ = notFound;
  std::optional<std::int32_t> jump_;
};

struct While final : PreparedStatement {
  expr::PreparedConditionPtr condition;
  bool run(Runtime& rt) override {
    std::int32_t value;
    const std::uint32_t reportsBefore = rt.interp.reports;
    if (!expr::evaluatePrepared(rt, *condition, value)) return false;
    if (value != 0 || rt.interp.reports != reportsBefore) return true;
    rt.interp.runPos = detail::loopEnd(rt, detail::Loop::While, {});
    return true;
  }
};

// FOR, on its first entry and when NEXT comes back to it: the variable is set or steps on, and is
// compared with the stored limit written with six decimals, as the condition reads it.
struct For final : PreparedStatement {
  For() { loopHead = true; }
  std::string name;
  expr::PreparedAssignmentPtr start;   // name=start
  expr::PreparedAssignmentPtr stepOn;  // name=name+step
  expr::PreparedNumericPtr limitText;
  expr::PreparedNumericPtr step;
  expr::PreparedNumericPtr variable;  // the name as the condition's left side reads it
  bool stepKnown = false;  // the step is one number: stepConstant
  double stepConstant = 0;
  double limitKey = 0;
  double limitValue = 0;
  bool limitFits = false;
  bool limitKnown = false;

  // The stored limit as its "%f" text reads back, kept for the limit last seen.
  void readLimit(double stored) {
    if (limitKnown && std::memcmp(&limitKey, &stored, sizeof stored) == 0) return;
    std::string text;
    expr::formatFixed(stored, 6, text);
    limitKey = stored;
    limitFits = text.size() <= expr::operandLimit;
    limitValue = expr::decimalValue(text);
    limitKnown = true;
  }

  // The end test "name>limit" (or '<', or "<>"); a limit too long for one operand goes through
  // the condition's text, which reports it. known: the variable's value when it is known.
  bool holds(Runtime& rt, double limit, char relation, const double* known) {
    readLimit(limit);
    if (!limitFits) {
      std::string text;
      expr::formatFixed(limit, 6, text);
      std::string condition = name + (relation == '!' ? std::string("<>") : std::string(1, relation));
      return expr::evalCondition(rt, condition + text) != 0;
    }
    double current = 0;
    if (known)
      current = *known;
    else
      expr::evaluatePrepared(rt, *variable, current);
    if (relation == '<') return current < limitValue;
    if (relation == '>') return current > limitValue;
    return current != limitValue;
  }

  bool run(Runtime& rt) override {
    State& s = rt.interp;
    const bool firstEntry = !s.forReentry || s.forDepth < 0;
    if (rt.expr.nesting != 0 || (firstEntry && s.forDepth + 1 >= static_cast<std::int32_t>(forLimit)))
      return false;
    s.forReentry = false;
    const std::uint32_t reportsBefore = s.reports;
    // A count by a whole step gives the variable's new value at once; with a known step and a
    // limit that fits, nothing can report and the end test is one comparison.
    double counted = 0;
    const bool known = !firstEntry && expr::runCount(rt, *stepOn, counted);
    if (known && stepKnown) {
      readLimit(s.forLimits[static_cast<std::size_t>(s.forDepth)]);
      if (limitFits) {
        if (stepConstant < 0 ? !(counted < limitValue) : !(counted > limitValue)) return true;
        return finish(rt);
      }
    }
    return runFully(rt, firstEntry, known, counted, reportsBefore);
  }

  // As run, for the NEXT that has just gone back to this FOR (its level stands).
  bool reenter(Runtime& rt) {
    State& s = rt.interp;
    if (rt.expr.nesting != 0) return false;
    s.forReentry = false;
    double counted = 0;
    const bool known = stepKnown && expr::runCount(rt, *stepOn, counted);
    if (known) {
      readLimit(s.forLimits[static_cast<std::size_t>(s.forDepth)]);
      if (limitFits) {
        if (stepConstant < 0 ? !(counted < limitValue) : !(counted > limitValue)) return true;
        return finish(rt);
      }
    }
    return runFully(rt, false, known, counted, s.reports);
  }

 private:
  // Every other entry: set or step the variable, read the limit and the step, test the end.
  [[gnu::noinline]] bool runFully(Runtime& rt, bool firstEntry, bool known, double counted,
                                  std::uint32_t reportsBefore) {
    State& s = rt.interp;
    if (!known && !expr::runPrepared(rt, firstEntry ? *start : *stepOn)) {
      s.forReentry = !firstEntry;
      return false;
    }
    if (s.reports != reportsBefore) return true;
    if (firstEntry) {
      double limit = 0;
      expr::evaluatePrepared(rt, *limitText, limit);
      if (s.reports != reportsBefore) return true;
      s.forLimits[static_cast<std::size_t>(++s.forDepth)] = limit;
    }
    double stepValue = stepConstant;
    if (!stepKnown) {
      expr::evaluatePrepared(rt, *step, stepValue);
      if (s.reports != reportsBefore) return true;
    }
    const double limit = s.forLimits[static_cast<std::size_t>(s.forDepth)];
    bool finished = holds(rt, limit, stepValue < 0 ? '<' : '>', known ? &counted : nullptr);
    if (s.reports != reportsBefore) return true;
    if (finished && firstEntry) finished = holds(rt, limit, '!', nullptr);
    if (!finished || s.reports != reportsBefore) return true;
    return finish(rt);
  }

  // The loop is over: its level goes, and execution goes on after its NEXT.
  bool finish(Runtime& rt) {
    State& s = rt.interp;
    --s.forDepth;
    const std::int32_t after = detail::loopEnd(rt, detail::Loop::For, name);
    if (after != notFound) s.runPos = after;
    return true;
  }
};

// NEXT goes back to where its FOR's statement begins, and the run loop runs the FOR from there.
// When that FOR stands outside a branch and is prepared, NEXT runs it itself, with the state the
// run loop would have given it: the loop then goes on after the FOR at once.
struct Next final : PreparedStatement {
  std::string name;
  LoopStart start;
  bool run(Runtime& rt) override {
    State& s = rt.interp;
    const std::int32_t at = start.find(rt, detail::Loop::For, name);
    if (at == notFound || s.forDepth < 0) {
      detail::nextTo(rt, at);  // reports the NEXT without its FOR
      return true;
    }
    // As nextTo goes back.
    s.forReentry = true;
    s.runPos = at;
    runFor(rt, at);
    return true;
  }

 private:
  // Where the FOR's statement begins from the landing, and the line number the run loop reads on
  // the way; kept for the last landing.
  struct Head {
    std::int32_t landing = notFound;
    std::int32_t position = -1;  // -1: the run loop must read on from the landing itself
    std::int32_t line = -1;
    bool terminator = false;  // the landing is a ':' or a newline
  };
  Head head_;

  void findHead(Runtime& rt, std::int32_t landing) {
    head_ = Head{landing, -1, -1, false};
    const std::string& text = rt.host.programText;
    if (landing < 0 || static_cast<std::size_t>(landing) >= text.size()) return;
    const char c = text[static_cast<std::size_t>(landing)];
    if (c != ':' && c != '\n') {
      head_.position = landing + 1;
      return;
    }
    const Site& term = continuationAt(rt, landing);
    head_.position = term.next;
    head_.line = term.nextLine;
    head_.terminator = true;
  }

  void runFor(Runtime& rt, std::int32_t landing) {
    State& s = rt.interp;
    if (head_.landing != landing) findHead(rt, landing);
    // A FOR reached in a branch runs in the run loop, which cuts it as a branch's statement.
    if (head_.position < 0 || (head_.line < 0 && s.inBranch)) return;
    Site& site = s.prepared.sites[static_cast<std::size_t>(head_.position)];
    const PreparedEntry& entry = site.entry;
    if (site.end < 0 || !entry.tried || entry.meaning != rt.expr.meaningGeneration ||
        !entry.statement || !entry.statement->loopHead)
      return;
    if (head_.terminator) {
      s.stmtStartPos = landing;
      if (head_.line >= 0) {
        s.inBranch = false;
        s.currentLine = head_.line;
      }
    }
    s.runPos = site.end;
    // Declined: the run loop goes to the FOR as usual, and sets the same state on the way.
    if (!static_cast<For*>(entry.statement.get())->reenter(rt)) s.runPos = landing;
  }
};

// ---- Preparing -----------------------------------------------------------------------------------

std::uint16_t codeOf(std::string_view statement) {
  if (statement.size() < 2 || !host::isCodeByte(static_cast<unsigned char>(statement[0]))) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(statement[0]) << 8 |
                                    static_cast<unsigned char>(statement[1]));
}

// The argument text of a coded statement as the dispatcher takes it.
std::string_view argumentOf(std::string_view statement) {
  return statement.size() > 3 && statement[2] == ' ' ? statement.substr(3) : std::string_view();
}

bool onlyDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::unique_ptr<PreparedStatement> prepareFor(Runtime& rt, std::string_view argument) {
  detail::ForTexts texts;
  if (!detail::splitFor(argument, texts)) return nullptr;
  auto p = std::make_unique<For>();
  p->name = detail::loopName(texts.first.substr(0, texts.first.find('=')));
  // A loop variable of the string type compares as text: left to the dispatcher.
  if (p->name.empty() || p->name.find('(') != std::string::npos ||
      expr::variableType(rt, p->name) == expr::String)
    return nullptr;
  p->start = expr::prepareAssignment(rt, texts.first);
  p->stepOn = expr::prepareAssignment(rt, p->name + '=' + p->name + '+' + texts.step);
  p->limitText = expr::prepareNumeric(rt, texts.limit);
  p->step = expr::prepareNumeric(rt, texts.step);
  p->variable = expr::prepareNumeric(rt, p->name);
  if (!p->start || !p->stepOn || !p->limitText || !p->step || !p->variable) return nullptr;
  p->stepKnown = expr::constantOf(*p->step, p->stepConstant);
  return p;
}

std::unique_ptr<PreparedStatement> prepareCoded(Runtime& rt, std::uint16_t code,
                                                std::string_view argument) {
  switch (code) {
    case 0x1063:  // DATA
      return std::make_unique<Nothing>();
    case 0x1079: {  // LET
      auto p = std::make_unique<Assignment>();
      p->assignment = expr::prepareAssignment(rt, argument);
      return p->assignment ? std::move(p) : nullptr;
    }
    case 0x1021:
    case 0x1031: {  // GOTO, GOSUB to a line number or a label that exists
      std::string target = expr::stripBlanks(argument);
      if (target != argument || target.empty() || (!onlyDigits(target) && target[0] != '*'))
        return nullptr;
      // Only a target that can be found is prepared; a missing one is reported by the dispatcher.
      std::optional<std::int32_t> pos = detail::lookupLine(rt, target);
      if (!pos) return nullptr;
      auto p = std::make_unique<Goto>();
      p->target = *pos;
      p->gosub = code == host::codeGosub;
      return p;
    }
    case 0x1023:  // RETURN
      return argument.empty() ? std::make_unique<Return>() : nullptr;
    case 0x1026: {  // NEXT
      auto p = std::make_unique<Next>();
      p->name = detail::loopName(argument);
      return p;
    }
    case 0x1030:  // WEND
      return std::make_unique<Wend>();
    case 0x1025:  // FOR
      return prepareFor(rt, argument);
    case 0x1027: {  // WHILE
      auto p = std::make_unique<While>();
      p->condition = expr::prepareCondition(rt, argument, argument.size() + 3);
      return p->condition ? std::move(p) : nullptr;
    }
    case 0x1020: {  // IF
      // An IF without THEN is left to the dispatcher, which reports it.
      const std::string_view condition = detail::conditionOf(argument);
      if (condition.size() == argument.size()) return nullptr;
      auto p = std::make_unique<If>();
      p->condition = expr::prepareCondition(rt, condition, argument.size() + 3);
      return p->condition ? std::move(p) : nullptr;
    }
    default:
      return nullptr;
  }
}

// LET, WHILE and IF may hold calls of the functions their prepared forms make themselves; an
// IF's calls must stand in its condition, before a blank, so that the condition ends where it
// did once their results are in place.
bool callsOnlyPrepared(Runtime& rt, std::uint16_t code, std::string_view argument) {
  if (code == 0x1079 || code == 0x1027)  // LET, WHILE
    return builtins::expansionCallsOnlyPrepared(rt, argument);
  if (code != host::codeIf) return false;
  const std::string_view condition = detail::conditionOf(argument);
  const std::string_view rest = argument.substr(condition.size());
  return !rest.empty() && (rest[0] == ' ' || rest[0] == '\t') &&
         builtins::expansionCallsOnlyPrepared(rt, condition) && builtins::expansionIsIdentity(rt, rest);
}

std::unique_ptr<PreparedStatement> prepare(Runtime& rt, std::string_view statement) {
  const std::uint16_t code = codeOf(statement);
  if (code == 0) {
    if (statement[0] == '*') return std::make_unique<Nothing>();
    if (!builtins::expansionIsIdentity(rt, statement) &&
        !builtins::expansionCallsOnlyPrepared(rt, statement))
      return nullptr;
    auto p = std::make_unique<Assignment>();
    p->assignment = expr::prepareAssignment(rt, statement);
    return p->assignment ? std::move(p) : nullptr;
  }
  const std::string_view argument = argumentOf(statement);
  // DEF FN's text is never expanded; every other argument must expand to itself, or only by
  // calls that the prepared form makes itself.
  if (code == host::codeDefFn) return nullptr;
  if (!builtins::expansionIsIdentity(rt, argument) && !callsOnlyPrepared(rt, code, argument))
    return nullptr;
  return prepareCoded(rt, code, argument);
}

}  // namespace

std::unique_ptr<PreparedStatement> prepareStatement(Runtime& rt, std::string_view statement) {
  return prepare(rt, statement);
}

}  // namespace tw::interp
