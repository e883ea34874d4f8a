// Prepared expressions: a numeric expression, an assignment or a condition read once from its
// text into a form whose evaluation gives exactly what the text rewriting gives (the same values,
// the same rounding wherever a value passes through text, the same reports in the same order).
// Whatever the preparation does not understand is left to the reference path.
#include <algorithm>
#include <cmath>

#include "builtins/builtins.h"
#include "expr/detail.h"

namespace tw::expr {
namespace {

using detail::isDigit;
using detail::isLetter;

// A value text spliced into a work text for an element is at most this long (15 significant
// digits, sign, point and exponent); a group's "%15.15f" text at most groupTextBound. Used only to
// prove at preparation time that no work text can pass its limit.
constexpr std::size_t elementTextBound = 24;
constexpr std::size_t groupTextBound = detail::preparedCallBound;
// Expressions nested deeper are left to the reference path.
constexpr int preparedDepthLimit = 32;

bool isNameByte(char c) {
  return isLetter(c) || isDigit(c) || c == '.' || c == '%' || c == '#' || c == '!';
}

// The value a stored number that is not a whole number reads back as: its "%15.15f" text tidied
// and read again. Out of line, so that reading a whole number costs its callers nothing more.
[[gnu::noinline]] double readBackFraction(Runtime& rt, double stored) {
  double value;
  if (quickReadBack(stored, value)) return value;
  std::string text;
  formatFixed(stored, 15, text);
  trimNumberText(rt, text);
  return decimalValue(text);
}
inline double readBack(Runtime& rt, double stored) {
  // A whole number of at most 15 digits reads back as itself.
  if (stored < 1e15 && stored > -1e15 && stored == static_cast<double>(static_cast<std::int64_t>(stored)))
    return stored == 0 ? 0.0 : stored;
  return readBackFraction(rt, stored);
}

// A value written "%15.15f" and read again, as a group's value is; length is the text's length.
[[gnu::always_inline]] inline double fifteenDecimals(double v, std::size_t& length) {
  if (detail::isExactWhole(v)) {
    length = 17 + 16 + 1;  // at most, and far below any limit
    return v == 0 ? 0.0 : v;
  }
  double rounded;
  if (detail::fifteenDecimalsQuickly(v, rounded)) {
    length = 17 + 16 + 1;  // below 2^53: at most
    return rounded;
  }
  std::string text;
  formatFixed(v, 15, text);
  length = text.size();
  return decimalValue(text);
}

bool isRndName(std::string_view name) {
  return name.size() == 3 && (name[0] | 0x20) == 'r' && (name[1] | 0x20) == 'n' &&
         (name[2] | 0x20) == 'd';
}

}  // namespace

// ---- The prepared forms -------------------------------------------------------------------------

// A numeric variable read by name, its slot kept while the store keeps its layout.
struct ScalarRef {
  std::string name;
  std::uint64_t layout = ~std::uint64_t{0};
  std::uint64_t creations = 0;
  int slot = noSlot;

  // A slot found stays while the layout does; a name without one is looked up again once
  // anything has been made.
  int find(Runtime& rt) {
    const State& s = rt.expr;
    if (layout != s.layoutGeneration || (slot < 0 && creations != s.creations)) return findAgain(rt);
    return slot;
  }
  [[gnu::noinline]] int findAgain(Runtime& rt) {
    slot = findNumericSlot(rt, name, {});
    layout = rt.expr.layoutGeneration;
    creations = rt.expr.creations;
    return slot;
  }
  double read(Runtime& rt) {
    const int s = find(rt);
    return s < 0 ? 0.0 : readBack(rt, rt.expr.numericValues[static_cast<std::size_t>(s)]);
  }
};

// An array element: its name and its subscripts, each a scratch evaluation of its own.
struct ElementRef {
  std::string name;
  std::vector<PreparedNumericPtr> subscripts;
  std::vector<std::int32_t> values;  // the subscripts' values, kept to save allocations
  // The name's DIM array while the store keeps its layout and makes nothing new.
  std::uint64_t layout = ~std::uint64_t{0};
  std::uint64_t creations = 0;
  int arraySlot = noSlot;
  std::vector<int> bounds;
};

struct Operand {
  enum Kind : std::uint8_t { Constant, Scalar, Element, Group, Call } kind = Constant;
  bool negated = false;
  char sign = 0;  // the sign written before it, if any
  double constant = 0;
  int index = 0;  // into the node's scalars or groups, or the root's elements or calls
};

// A call of a numeric function whose argument reads no element and can report nothing, or of
// LEN or ASC of a string variable or a slice of one.
struct CallRef {
  const builtins::NumericFunction* function = nullptr;
  PreparedNumericPtr argument;
  detail::PreparedStringPtr text;
  bool asc = false;
};

// One evaluation of a work text: the root of an expression, or a group inside it.
struct PreparedNumeric {
  std::vector<Operand> operands;
  std::vector<char> operators;  // entry 0 the assignment mark, then one before each operand
  std::vector<ScalarRef> scalars;
  std::vector<PreparedNumericPtr> groups;  // in text order
  std::vector<ElementRef> elements;        // the root's, in text order, groups' included
  std::vector<double> elementValues;       // the root's elements' values in one evaluation
  std::vector<CallRef> calls;              // the root's, in text order, groups' included
  std::vector<double> callValues;          // their values as their texts read back
  std::vector<std::size_t> callLengths;    // and the lengths of those texts
  bool stringCalls = false;                // some of the calls are of LEN or ASC
  std::vector<detail::ReductionStep> steps;  // the operators' passes, worked out once
  bool single = false;  // one constant or scalar, read without the general evaluation
  bool pair = false;    // two of them and one operator, the commonest expression
  bool lone = false;    // one call, its value read as it was spliced
  // The value is one group or call, already rounded to 15 decimals as its text was: rounding a
  // rounded value again leaves it as it is.
  bool rounded = false;
  // A spliced value after '+' or '-' whose text may begin with '-': the signs then fold into
  // the operator, which the operand's sign and the value's decide. Indexed by whether the
  // value's text begins with '-': the operator and whether the operand keeps a '-'.
  struct Fold {
    std::uint8_t operand;
    char op[2];
    bool negative[2];
  };
  std::vector<Fold> folds;
  int depth = 1;                           // this node and the nodes below it
};

void PreparedNumericDeleter::operator()(PreparedNumeric* p) const { delete p; }

namespace {

// ---- Reading a text into a prepared form ---------------------------------------------------------

class Reader {
 public:
  Reader(Runtime& rt, std::string_view text, PreparedNumeric& root, bool calls)
      : rt_(rt), text_(text), root_(root), callsAllowed_(calls) {}

  // The expression text[pos, end) into node; false when something is not understood.
  bool expression(PreparedNumeric& node, std::size_t pos, std::size_t end, int level) {
    if (level > preparedDepthLimit) return false;
    node.operators.push_back('=');
    if (pos == end) {
      node.operands.push_back({});
      return true;
    }
    for (bool first = true;; first = false) {
      if (!operand(node, pos, end, first, level)) return false;
      if (node.operands.size() > operatorLimit) return false;
      if (pos == end) return true;
      if (!binaryOperator(node, pos)) return false;
      if (pos == end) {
        node.operands.push_back({});  // a trailing operator reads an empty operand: 0
        return node.operands.size() <= operatorLimit;
      }
    }
  }

  // No splice can take the work text past its limit: proven from the text and the bounds.
  bool fitsWorkText() const {
    const std::size_t bound = detail::scratchPrefix.size() + text_.size() +
                              root_.elements.size() * elementTextBound +
                              (groupCount_ + root_.calls.size()) * groupTextBound;
    return bound <= workTextLimit;
  }

 private:
  bool binaryOperator(PreparedNumeric& node, std::size_t& pos) {
    const char c = text_[pos];
    if (c == '\x01' && pos + 1 < text_.size()) {
      const char letter = text_[pos + 1];
      if (letter != 'm' && letter != '&' && letter != '|' && letter != 'e') return false;
      node.operators.push_back(letter);
      pos += 2;
      return true;
    }
    if (c != '^' && c != '*' && c != '/' && c != '\\' && c != '+' && c != '-') return false;
    node.operators.push_back(c);
    ++pos;
    return true;
  }

  // The ')' that closes the '(' at open, before end; npos when none (a quote refuses the text).
  std::size_t closing(std::size_t open, std::size_t end) const {
    int depth = 0;
    for (std::size_t i = open; i < end; ++i) {
      if (text_[i] == '"') return std::string_view::npos;
      if (text_[i] == '(') ++depth;
      if (text_[i] == ')' && --depth == 0) return i;
    }
    return std::string_view::npos;
  }

  // An operand ends before an operator, or at the end of its text.
  bool endsOperand(std::size_t pos, std::size_t end) const {
    return pos == end || isOperatorAt(text_.substr(0, end), pos);
  }

  bool operand(PreparedNumeric& node, std::size_t& pos, std::size_t end, bool first, int level) {
    Operand op;
    const char sign = text_[pos];
    if (sign == '-' || sign == '+') {
      // One sign before an operand; a run of signs is left to the reference path.
      op.negated = sign == '-';
      op.sign = sign;
      if (++pos == end || text_[pos] == '-' || text_[pos] == '+') return false;
    }
    const char c = text_[pos];
    if (c == '(') return group(node, op, pos, end, level);
    if (isDigit(c) || c == '.') return constant(node, op, pos, end, first);
    if (!isLetter(c)) return false;
    std::size_t nameEnd = pos;
    while (nameEnd < end && isNameByte(text_[nameEnd])) ++nameEnd;
    std::string_view name = text_.substr(pos, nameEnd - pos);
    if (name.size() > operandLimit || !isNumericName(name)) return false;
    if (nameEnd < end && text_[nameEnd] == '(') {
      if (callNameStart(nameEnd) < nameEnd) return call(node, op, name, pos, nameEnd, end);
      return element(node, op, name, pos, nameEnd, end);
    }
    if (!endsOperand(nameEnd, end)) return false;
    op.kind = Operand::Scalar;
    op.index = static_cast<int>(node.scalars.size());
    node.scalars.push_back({std::string(name)});
    node.operands.push_back(op);
    pos = nameEnd;
    return true;
  }

  bool isNumericName(std::string_view name) const {
    return !isRndName(name) && variableType(rt_, name) != String;
  }

  bool constant(PreparedNumeric& node, Operand op, std::size_t& pos, std::size_t end,
                bool first) {
    // A '-' right after the '=' belongs to the number, as the reducer reads it.
    const bool signInside = first && op.negated;
    const std::size_t start = signInside ? pos - 1 : pos;
    const std::size_t stop = detail::endOfOperand(text_.substr(0, end), start);
    std::string_view text = text_.substr(start, stop - start);
    // A parenthesis inside would be spliced before the number is read.
    // A relation inside would end the reducer's operand list there.
    if (text.size() > operandLimit || text.find_first_of("()=<>") != std::string_view::npos)
      return false;
    // A number ending in an exponent letter takes a sign and the digits of a value spliced after
    // it as its exponent (1E-(K) reads 1E-0.5...).
    const char last = text.back();
    if ((last == 'E' || last == 'e' || last == 'D' || last == 'd') && stop < end) return false;
    if (!detail::valueOfOperand(rt_, text, op.constant)) return false;
    if (signInside) op.negated = false;
    op.kind = Operand::Constant;
    node.operands.push_back(op);
    pos = stop;
    return true;
  }

  bool group(PreparedNumeric& node, Operand op, std::size_t& pos, std::size_t end, int level) {
    const std::size_t close = closing(pos, end);
    if (close == std::string_view::npos || !endsOperand(close + 1, end)) return false;
    PreparedNumericPtr inner(new PreparedNumeric);
    if (!expression(*inner, pos + 1, close, level + 1)) return false;
    node.depth = std::max(node.depth, inner->depth + 1);
    op.kind = Operand::Group;
    op.index = static_cast<int>(node.groups.size());
    node.groups.push_back(std::move(inner));
    node.operands.push_back(op);
    ++groupCount_;
    pos = close + 1;
    return true;
  }

  // A call the expansion makes: its result text is spliced where it stands before anything else
  // is evaluated, so the calls are made first (see makeCalls) and read here like groups.
  bool call(PreparedNumeric& node, Operand op, std::string_view name, std::size_t& pos,
            std::size_t open, std::size_t end) {
    if (!callsAllowed_ || callNameStart(open) != pos) return false;
    const std::size_t close = closing(open, end);
    if (close == std::string_view::npos || !endsOperand(close + 1, end)) return false;
    const std::string_view argument = text_.substr(open + 1, close - open - 1);
    CallRef ref;
    if (isLenOrAsc(name)) {
      ref.text = detail::prepareStringArgument(rt_, argument);
      ref.asc = (name[0] | 0x20) == 'a';
      if (!ref.text) return false;
    } else {
      ref.function = builtins::findNumericFunction(name);
      if (!ref.function || argument.empty() || argument.find_first_of("(),") != std::string_view::npos)
        return false;
      ref.argument = prepareNumeric(rt_, argument);
      if (!ref.argument || !detail::cannotReport(*ref.argument)) return false;
    }
    op.kind = Operand::Call;
    op.index = static_cast<int>(root_.calls.size());
    root_.calls.push_back(std::move(ref));
    node.operands.push_back(op);
    pos = close + 1;
    return true;
  }

  static bool isLenOrAsc(std::string_view name) {
    if (name.size() != 3) return false;
    const char a = static_cast<char>(name[0] | 0x20), b = static_cast<char>(name[1] | 0x20),
               c = static_cast<char>(name[2] | 0x20);
    return (a == 'l' && b == 'e' && c == 'n') || (a == 'a' && b == 's' && c == 'c');
  }

  bool element(PreparedNumeric& node, Operand op, std::string_view name, std::size_t& pos,
               std::size_t open, std::size_t end) {
    const std::size_t close = closing(open, end);
    if (close == std::string_view::npos || !endsOperand(close + 1, end)) return false;
    ElementRef ref;
    ref.name.assign(name);
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i <= close; ++i) {
      const char c = text_[i];
      if (c == '(') ++depth;
      if (c == ')') --depth;
      if (!((c == ',' && depth == 0) || i == close)) continue;
      PreparedNumericPtr subscript = prepareNumeric(rt_, text_.substr(start, i - start));
      if (!subscript) return false;
      node.depth = std::max(node.depth, subscript->depth + 1);
      ref.subscripts.push_back(std::move(subscript));
      start = i + 1;
    }
    if (ref.subscripts.size() > subscriptLimit) return false;
    op.kind = Operand::Element;
    op.index = static_cast<int>(root_.elements.size());
    root_.elements.push_back(std::move(ref));
    node.operands.push_back(op);
    pos = close + 1;
    return true;
  }

  // Where the name of the call whose '(' stands at open begins, as the call expansion finds it
  // (the letters and '$' before it name a built-in or a user-defined function); open when the
  // parenthesis is not a call's.
  std::size_t callNameStart(std::size_t open) const {
    std::size_t start = open;
    while (start > 0 && (isLetter(text_[start - 1]) || text_[start - 1] == '$') &&
           !(start > 1 && text_[start - 2] == '\x01'))
      --start;
    const bool call = start < open && builtins::isFunctionName(rt_, text_.substr(start, open - start));
    return call ? start : open;
  }

  Runtime& rt_;
  std::string_view text_;
  PreparedNumeric& root_;
  bool callsAllowed_;
  std::size_t groupCount_ = 0;
};

// ---- Evaluating a prepared form ------------------------------------------------------------------

// The signs before an operand after '+' or '-' fold into that operator, as they do in the text:
// at once for a number or a name, by the value's sign for a spliced value.
void foldSignsInto(PreparedNumeric& node) {
  for (std::size_t k = 1; k < node.operands.size(); ++k) {
    const char o = node.operators[k];
    if (o != '+' && o != '-') continue;
    Operand& op = node.operands[k];
    auto folded = [&](bool negativeText) {
      std::string run(1, o);
      if (op.sign) run += op.sign;
      if (negativeText) run += '-';
      detail::foldSigns(run);
      return run;
    };
    if (op.kind == Operand::Constant || op.kind == Operand::Scalar) {
      if (!op.sign) continue;
      node.operators[k] = folded(false)[0];
      op.negated = false;
      op.sign = 0;
      continue;
    }
    PreparedNumeric::Fold f{static_cast<std::uint8_t>(k), {}, {}};
    for (int negativeText = 0; negativeText < 2; ++negativeText) {
      const std::string run = folded(negativeText != 0);
      f.op[negativeText] = run[0];
      f.negative[negativeText] = run.size() > 1 && run[1] == '-';
    }
    node.folds.push_back(f);
  }
}

void schedule(PreparedNumeric& node) {
  foldSignsInto(node);
  node.steps = detail::schedulePasses(node.operators.data(), node.operands.size());
  auto plain = [&](const Operand& op) {
    return op.kind == Operand::Constant || op.kind == Operand::Scalar;
  };
  node.single = node.operands.size() == 1 && node.elements.empty() && plain(node.operands[0]);
  node.pair = node.operands.size() == 2 && node.elements.empty() && node.folds.empty() &&
              node.steps.size() == 1 && plain(node.operands[0]) && plain(node.operands[1]);
  const bool one = node.operands.size() == 1 && node.elements.empty();
  node.lone = one && node.operands[0].kind == Operand::Call;
  node.rounded = node.lone || (one && node.operands[0].kind == Operand::Group);
  for (PreparedNumericPtr& group : node.groups) schedule(*group);
}

double evaluateNode(Runtime& rt, PreparedNumeric& node, PreparedNumeric& root);

}  // namespace

bool detail::cannotReport(const PreparedNumeric& p) {
  for (const Operand& op : p.operands)
    if (op.kind != Operand::Constant && op.kind != Operand::Scalar) return false;
  // A division reports only a divisor of 0: one that is a constant, not the result of an
  // earlier step, is known now.
  for (std::size_t k = 0; k < p.steps.size(); ++k) {
    const detail::ReductionStep& s = p.steps[k];
    if (s.op != '/' && s.op != '\\' && s.op != 'm') continue;
    const Operand& divisor = p.operands[s.right];
    if (divisor.kind != Operand::Constant) return false;
    for (std::size_t j = 0; j < k; ++j)
      if (p.steps[j].left == s.right) return false;
    const double d = divisor.negated ? -divisor.constant : divisor.constant;
    if (s.op == '/' ? d == 0 : toInteger(d) == 0) return false;
  }
  return true;
}

namespace {

// The slot of an element: of a DIM array by its bounds, as elementOffset finds it; of elements
// stored without DIM through the store. failedSlot after a reported error.
int elementSlot(Runtime& rt, ElementRef& ref) {
  const State& s = rt.expr;
  if (ref.layout != s.layoutGeneration || ref.creations != s.creations) {
    auto it = s.numericIndex.find(ref.name);
    ref.arraySlot = it == s.numericIndex.end() ? noSlot : it->second.arraySlot;
    if (ref.arraySlot != noSlot) ref.bounds = it->second.bounds;
    ref.layout = s.layoutGeneration;
    ref.creations = s.creations;
  }
  if (ref.arraySlot == noSlot) return findNumericSlot(rt, ref.name, ref.values);
  if (ref.values.size() != ref.bounds.size()) {
    interp::report(rt, interp::ArrayMemoryExceeded);
    return failedSlot;
  }
  std::int64_t offset = 0, stride = 1;
  for (std::size_t k = ref.bounds.size(); k-- > 0;) {
    if (ref.values[k] > ref.bounds[k]) {
      interp::report(rt, interp::ArrayMemoryExceeded);
      return failedSlot;
    }
    offset += ref.values[k] * stride;
    stride *= ref.bounds[k] + std::int64_t{1};
  }
  return ref.arraySlot + static_cast<int>(offset);
}

// Evaluates an element's subscripts into ref.values; false after a reported error.
bool subscriptValues(Runtime& rt, ElementRef& ref) {
  ref.values.clear();
  for (PreparedNumericPtr& sub : ref.subscripts) {
    const std::int32_t s = toInteger(evaluateNode(rt, *sub, *sub));
    if (s < 0) {
      interp::report(rt, interp::OwnText, interp::text(interp::Text::NegativeSubscript));
      return false;
    }
    ref.values.push_back(s);
  }
  return true;
}

// The element's value as its splice gives it; false after a reported error.
bool readElement(Runtime& rt, ElementRef& ref, double& value) {
  if (!subscriptValues(rt, ref)) return false;
  const int slot = elementSlot(rt, ref);
  if (slot == failedSlot) return false;
  value = slot == noSlot ? 0.0 : readBack(rt, rt.expr.numericValues[static_cast<std::size_t>(slot)]);
  return true;
}

// The length of the operand the reducer cuts for a spliced value text, once the sign written
// before it has been folded in.
std::size_t splicedLength(std::size_t length, bool valueNegative, bool signBefore) {
  return signBefore && !valueNegative ? length + 1 : length;
}

// A spliced value after the sign written before it, where no '+' or '-' operator takes that sign
// in: the sign folds into the value's text ("-" before "-1.#INF" gives "+1.#INF"). The texts of
// an infinity or a NaN read back as such only without a '+': with one, only its "+1." is read.
inline double splicedOperand(const Operand& op, char before, double v) {
  if (op.sign != 0 && before != '+' && before != '-' && !std::isfinite(v)) {
    const bool negativeText = v < 0 || (std::isnan(v) && std::signbit(v));
    if ((op.sign == '-') == negativeText) return 1;
  }
  return op.negated ? -v : v;
}

// The reduction of a node whose spliced values may fold their signs into the operators before
// them: each such operand becomes the value its text leaves after the fold.
double foldedResult(Runtime& rt, const PreparedNumeric& node, double* values) {
  char operators[operatorLimit + 1];
  bool turned = false;
  for (const PreparedNumeric::Fold& f : node.folds) {
    const double written = node.operands[f.operand].negated ? -values[f.operand] : values[f.operand];
    const int negativeText = written < 0 || (std::isnan(written) && std::signbit(written)) ? 1 : 0;
    const double magnitude = std::fabs(written);
    values[f.operand] = f.negative[negativeText] ? -magnitude : magnitude;
    if (f.op[negativeText] == node.operators[f.operand]) continue;
    if (!turned) std::copy(node.operators.begin(), node.operators.end(), operators);
    operators[f.operand] = f.op[negativeText];
    turned = true;
  }
  if (!detail::applySteps(rt, values, node.steps, turned ? operators : nullptr)) return 0;
  return values[0];
}

// The nesting of the evaluations is checked once, before the first, so that none is counted here.
double evaluateNode(Runtime& rt, PreparedNumeric& node, PreparedNumeric& root) {
  // Elements are spliced first, all of them, then the groups; an element that fails ends the
  // evaluation, a group that fails leaves 0 in its place.
  if (&node == &root && !root.elements.empty()) {
    root.elementValues.resize(root.elements.size());
    for (std::size_t k = 0; k < root.elements.size(); ++k)
      if (!readElement(rt, root.elements[k], root.elementValues[k])) return 0;
  }
  double groupValues[operatorLimit + 1];
  std::size_t groupLengths[operatorLimit + 1];
  for (std::size_t g = 0; g < node.groups.size(); ++g)
    groupValues[g] = fifteenDecimals(evaluateNode(rt, *node.groups[g], root), groupLengths[g]);
  double values[operatorLimit + 1];
  const std::size_t count = node.operands.size();
  for (std::size_t k = 0; k < count; ++k) {
    const Operand& op = node.operands[k];
    double v = op.constant;
    switch (op.kind) {
      case Operand::Constant:
        break;
      case Operand::Scalar:
        v = node.scalars[static_cast<std::size_t>(op.index)].read(rt);
        break;
      case Operand::Element:
        v = root.elementValues[static_cast<std::size_t>(op.index)];
        break;
      case Operand::Group:
        v = groupValues[op.index];
        if (splicedLength(groupLengths[op.index], std::signbit(v), op.negated) > operandLimit) {
          detail::refuse(rt);
          return 0;
        }
        break;
      case Operand::Call:
        v = root.callValues[static_cast<std::size_t>(op.index)];
        if (splicedLength(root.callLengths[static_cast<std::size_t>(op.index)], std::signbit(v),
                          op.negated) > operandLimit) {
          detail::refuse(rt);
          return 0;
        }
        break;
    }
    const bool spliced = op.kind != Operand::Scalar && op.kind != Operand::Constant;
    values[k] = k > 0 && spliced ? splicedOperand(op, node.operators[k], v) : op.negated ? -v : v;
  }
  if (!node.folds.empty()) return foldedResult(rt, node, values);
  if (!detail::applySteps(rt, values, node.steps)) return 0;
  return count > 0 ? values[0] : 0;
}

// A constant or a variable as an operand.
[[gnu::always_inline]] inline double plainValue(Runtime& rt, PreparedNumeric& p, const Operand& op) {
  const double v = op.kind == Operand::Constant
                       ? op.constant
                       : p.scalars[static_cast<std::size_t>(op.index)].read(rt);
  return op.negated ? -v : v;
}

// A root that is one call: the call's value as its text was spliced.
inline double loneCall(Runtime& rt, PreparedNumeric& p) {
  const Operand& op = p.operands[0];
  const double v = p.callValues[0];
  if (splicedLength(p.callLengths[0], std::signbit(v), op.negated) > operandLimit) {
    detail::refuse(rt);
    return 0;
  }
  return op.negated ? -v : v;
}

// Two constants or variables joined by an operator: 0 after a reported division error.
[[gnu::always_inline]] inline double pairValue(Runtime& rt, PreparedNumeric& p) {
  double values[2] = {plainValue(rt, p, p.operands[0]), plainValue(rt, p, p.operands[1])};
  return detail::applySteps(rt, values, p.steps) ? values[0] : 0;
}

// A root's value once its nesting has been checked: one constant or variable, or two joined by
// an operator, read directly.
[[gnu::always_inline]] inline double valueOf(Runtime& rt, PreparedNumeric& p) {
  if (p.single) return plainValue(rt, p, p.operands[0]);
  if (p.lone) return loneCall(rt, p);
  if (!p.pair) return evaluateNode(rt, p, p);
  return pairValue(rt, p);
}

// The calls of LEN and ASC, which change nothing and report nothing: false when one must be left
// to the reference path.
bool makeStringCalls(Runtime& rt, PreparedNumeric& root) {
  for (std::size_t k = 0; k < root.calls.size(); ++k) {
    CallRef& c = root.calls[k];
    std::string_view contents;
    // ASC of an empty text reports, and that is left to the reference path too.
    if (!detail::argumentContents(rt, *c.text, contents) || (c.asc && contents.empty())) return false;
    root.callValues[k] = c.asc ? static_cast<unsigned char>(contents[0])
                               : static_cast<double>(contents.size());
    root.callLengths[k] = 11;
  }
  return true;
}

// The calls of a root, all of them, in the order of the text, as the expansion makes them before
// the statement runs; a stop ends them. Nothing else is evaluated first, so a call reports exactly
// as it would there. A root holds calls of LEN and ASC or calls that may report, never both, so
// that false (leave the statement to the reference path) comes before anything was done.
bool makeCalls(Runtime& rt, PreparedNumeric& root) {
  if (root.stringCalls) return makeStringCalls(rt, root);
  for (std::size_t k = 0; k < root.calls.size() && !rt.interp.stopRequested; ++k) {
    const CallRef& c = root.calls[k];
    const double result = c.function->apply(rt, valueOf(rt, *c.argument));
    if (c.function->whole) {
      root.callValues[k] = result;  // a 32-bit whole number, written and read back as itself
      root.callLengths[k] = 11;
    } else {
      root.callValues[k] = fifteenDecimals(result, root.callLengths[k]);
    }
  }
  return true;
}

// Whether a root holds calls of LEN or ASC, and whether it holds other calls.
void callKinds(const PreparedNumeric& root, bool& strings, bool& numbers) {
  for (const CallRef& c : root.calls) (c.text ? strings : numbers) = true;
}

// With its calls' results in place (each at most as long as a group's text), the statement's
// text still fits the expansion's limit.
bool expansionFits(std::size_t statementSize, std::size_t calls) {
  return statementSize + calls * groupTextBound <= builtins::expandedTextLimit;
}

PreparedNumericPtr prepareRoot(Runtime& rt, std::string_view expression, bool calls);

// ---- Assignments ---------------------------------------------------------------------------------

}  // namespace

struct PreparedAssignment {
  std::string target;  // the text before '=', blanks removed
  ScalarRef scalar;    // a scalar target
  std::unique_ptr<ElementRef> element;  // an element target
  int type = Double;
  PreparedNumericPtr value;
  PreparedStringAssignmentPtr strings;  // a string target's assignment instead
  // A count: the scalar target plus or minus a whole constant below 1e15, which is by.
  bool counts = false;
  double by = 0;
  // A numeric target given one call of a numeric function, its argument plain.
  bool loneCall = false;
};

void PreparedAssignmentDeleter::operator()(PreparedAssignment* p) const { delete p; }

namespace {

// Stores a number in an element, or in a scalar not made yet.
[[gnu::noinline]] void storeElsewhere(Runtime& rt, PreparedAssignment& a, double value) {
  if (!a.element) {
    detail::createNumeric(rt, a.target, {}, value);
    return;
  }
  ElementRef& e = *a.element;
  if (!subscriptValues(rt, e)) return;
  const int slot = elementSlot(rt, e);
  if (slot == failedSlot) return;
  if (slot == noSlot) {
    detail::createNumeric(rt, e.name, e.values, value);
    return;
  }
  rt.expr.numericValues[static_cast<std::size_t>(slot)] = value;
}

// Stores a number as the assignment's store does; the value given is what its text reads back as
// for this target's type.
inline void storeNumber(Runtime& rt, PreparedAssignment& a, double value) {
  if (!a.element) {
    const int slot = a.scalar.find(rt);
    if (slot >= 0) {
      rt.expr.numericValues[static_cast<std::size_t>(slot)] = value;
      return;
    }
  }
  storeElsewhere(rt, a, value);
}

// NAME=NAME+N or NAME=NAME-N, N a whole constant below 1e15, the commonest assignment of all.
void findCount(PreparedAssignment& a) {
  const PreparedNumeric& p = *a.value;
  if (a.element || !p.pair || p.depth != 1 || p.operands[0].kind != Operand::Scalar ||
      p.operands[0].negated || p.operands[1].kind != Operand::Constant ||
      p.scalars[0].name != a.scalar.name || (p.operators[1] != '+' && p.operators[1] != '-'))
    return;
  const double n = p.operands[1].negated ? -p.operands[1].constant : p.operands[1].constant;
  if (!(n < 1e15 && n > -1e15) || n != static_cast<double>(static_cast<std::int64_t>(n))) return;
  a.by = p.operators[1] == '-' ? -n : n;
  a.counts = true;
}

void findLoneCall(PreparedAssignment& a) {
  const PreparedNumeric& p = *a.value;
  a.loneCall = p.lone && !p.stringCalls && p.calls.size() == 1 && p.calls[0].argument->single;
}

}  // namespace

PreparedAssignmentPtr prepareAssignment(Runtime& rt, std::string_view text) {
  const std::string stripped = stripBlanks(text);
  const std::string_view statement = stripped;
  const std::size_t eq = statement.find('=');
  if (eq == std::string_view::npos || eq == 0 || !isLetter(statement[0])) return nullptr;
  PreparedAssignmentPtr a(new PreparedAssignment);
  a->target.assign(statement.substr(0, eq));
  a->type = variableType(rt, a->target);
  if (a->type == String) {
    // A LET's text is 3 bytes longer than the assignment given.
    a->strings = detail::prepareStringAssignment(rt, a->target, statement.substr(eq + 1),
                                                 text.size() + 3);
    return a->strings ? std::move(a) : nullptr;
  }
  if (statement.find('"') != std::string_view::npos || isRndName(a->target)) return nullptr;
  const std::size_t open = a->target.find('(');
  std::string_view name = std::string_view(a->target).substr(0, open);
  for (char c : name)
    if (!isNameByte(c)) return nullptr;
  if (open == std::string::npos) {
    a->scalar.name = a->target;
  } else {
    if (a->target.back() != ')' || name.empty()) return nullptr;
    // The target's subscripts are read as the store reads them, at the commas of the first level.
    a->element = std::make_unique<ElementRef>();
    a->element->name.assign(name);
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i < a->target.size(); ++i) {
      const char c = a->target[i];
      if (c == '(') ++depth;
      if (c == ')') --depth;
      if (!((c == ',' && depth == 0) || (c == ')' && depth < 0))) continue;
      if (c == ')' && i + 1 != a->target.size()) return nullptr;
      PreparedNumericPtr sub = prepareNumeric(rt, std::string_view(a->target).substr(start, i - start));
      if (!sub) return nullptr;
      a->element->subscripts.push_back(std::move(sub));
      start = i + 1;
    }
    if (a->element->subscripts.empty() || a->element->subscripts.size() > subscriptLimit)
      return nullptr;
  }
  a->value = prepareRoot(rt, statement.substr(eq + 1), true);
  // A LET's text is 3 bytes longer than the assignment given.
  if (!a->value || !expansionFits(text.size() + 3, a->value->calls.size())) return nullptr;
  findCount(*a);
  findLoneCall(*a);
  return a;
}

namespace {

// Stores a value that is not a whole number through its "%15.15f" text, or the same in doubles.
[[gnu::noinline]] void storeFraction(Runtime& rt, PreparedAssignment& a, double result) {
  double rounded;
  if (a.type == Double && detail::fifteenDecimalsQuickly(result, rounded)) {
    storeNumber(rt, a, rounded);
    return;
  }
  std::string text;
  formatFixed(result, 15, text);
  if (a.type != Double) {
    storeVariable(rt, a.target, text);
    return;
  }
  storeNumber(rt, a, decimalValue(text));
}

// Stores the value of a numeric assignment's expression as its text would have.
inline void storeResult(Runtime& rt, PreparedAssignment& a, double result) {
  if (detail::isExactWhole(result)) {
    // A whole number is stored as itself, the integer type's in 32 bits, zero without a sign.
    double whole = a.type == Integer ? toInteger(result) : result;
    storeNumber(rt, a, whole == 0 ? 0.0 : whole);
    return;
  }
  if (a.type == Double && a.value->rounded && std::fabs(result) < 9007199254740992.0) {
    storeNumber(rt, a, result);
    return;
  }
  storeFraction(rt, a, result);
}

// A numeric assignment in general: the calls first, then the expression.
[[gnu::noinline]] bool runGeneral(Runtime& rt, PreparedAssignment& a) {
  const std::uint32_t refusalsBefore = rt.expr.refusals;
  if (rt.expr.nesting + a.value->depth + 2 > nestingLimit) return false;
  if (!a.value->calls.empty()) {
    // A statement whose expansion was reported is not run.
    const std::uint32_t reportsBefore = rt.interp.reports;
    if (!makeCalls(rt, *a.value)) return false;
    if (rt.interp.reports != reportsBefore || rt.interp.stopRequested) return true;
  }
  const double result = valueOf(rt, *a.value);
  if (rt.expr.refusals != refusalsBefore) return true;
  storeResult(rt, a, result);
  return true;
}

// The same for two constants or variables joined by one operator.
[[gnu::noinline]] bool runPair(Runtime& rt, PreparedAssignment& a) {
  PreparedNumeric& p = *a.value;
  const std::uint32_t refusalsBefore = rt.expr.refusals;
  if (rt.expr.nesting + p.depth + 2 > nestingLimit) return false;
  const double result = pairValue(rt, p);
  if (rt.expr.refusals != refusalsBefore) return true;
  storeResult(rt, a, result);
  return true;
}

// The same for one call of a numeric function on a plain argument, without the general loops:
// the call, its value as its text reads back, then the store.
[[gnu::noinline]] bool runLoneCall(Runtime& rt, PreparedAssignment& a) {
  PreparedNumeric& p = *a.value;
  const std::uint32_t refusalsBefore = rt.expr.refusals;
  if (rt.expr.nesting + p.depth + 2 > nestingLimit) return false;
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (rt.interp.stopRequested) return true;
  const CallRef& c = p.calls[0];
  PreparedNumeric& argument = *c.argument;
  const double result = c.function->apply(rt, plainValue(rt, argument, argument.operands[0]));
  double v = result;
  std::size_t length = 11;  // a 32-bit whole number, written and read back as itself
  if (!c.function->whole) v = fifteenDecimals(result, length);
  if (rt.interp.reports != reportsBefore || rt.interp.stopRequested) return true;
  const Operand& op = p.operands[0];
  if (splicedLength(length, std::signbit(v), op.negated) > operandLimit) {
    detail::refuse(rt);
    return true;
  }
  if (rt.expr.refusals != refusalsBefore) return true;
  storeResult(rt, a, op.negated ? -v : v);
  return true;
}

// A count, or when the variable's value is no whole number below 1e15, the pair it is.
[[gnu::noinline]] bool runCounted(Runtime& rt, PreparedAssignment& a) {
  double counted;
  return runCount(rt, a, counted) || runPair(rt, a);
}

}  // namespace

// Each route is a call of its own: choosing one saves and restores nothing.
bool runPrepared(Runtime& rt, PreparedAssignment& a) {
  if (a.counts) return runCounted(rt, a);
  if (a.strings) return detail::runStringAssignment(rt, *a.strings);
  if (a.loneCall) return runLoneCall(rt, a);
  if (a.value->pair) return runPair(rt, a);
  return runGeneral(rt, a);
}

namespace {

// The count on the variable's stored value. A whole number below 1e15 reads back as itself (zero
// without a sign), and the sum of two is exact: what the variable reads, the sum and the stored
// value are those the text gives. No call on the way, so that a FOR pays for none.
inline bool countIn(double& stored, const PreparedAssignment& a, double& value) {
  const double v = stored;
  if (!(v < 1e15 && v > -1e15) || v != static_cast<double>(static_cast<std::int64_t>(v)))
    return false;
  // A stored -0 adds as 0 does; a sum of zero is stored without its sign below.
  const double sum = v + a.by;
  if (!(sum < 1e15 && sum > -1e15)) return false;
  // The integer type keeps the low 32 bits, as toInteger does for any whole number this small.
  const double whole =
      a.type == Integer
          ? static_cast<double>(static_cast<std::int32_t>(
                static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(sum)))))
          : sum;
  stored = whole == 0 ? 0.0 : whole;
  value = stored;
  return true;
}

[[gnu::noinline]] bool countAfterFinding(Runtime& rt, PreparedAssignment& a, double& value) {
  const int slot = a.scalar.find(rt);
  return slot >= 0 && countIn(rt.expr.numericValues[static_cast<std::size_t>(slot)], a, value);
}

}  // namespace

bool runCount(Runtime& rt, PreparedAssignment& a, double& value) {
  // A count's expression is one level deep.
  if (!a.counts || rt.expr.nesting + 3 > nestingLimit) return false;
  const ScalarRef& r = a.scalar;
  if (r.layout != rt.expr.layoutGeneration || r.slot < 0) return countAfterFinding(rt, a, value);
  return countIn(rt.expr.numericValues[static_cast<std::size_t>(r.slot)], a, value);
}

// ---- Numeric expressions and conditions ----------------------------------------------------------

PreparedNumericPtr prepareNumeric(Runtime& rt, std::string_view expression) {
  return prepareRoot(rt, expression, false);
}

namespace {

PreparedNumericPtr prepareRoot(Runtime& rt, std::string_view expression, bool calls) {
  if (expression.find_first_of(" \t\"") != std::string_view::npos) return nullptr;
  PreparedNumericPtr root(new PreparedNumeric);
  Reader reader(rt, expression, *root, calls);
  if (!reader.expression(*root, 0, expression.size(), 1) || !reader.fitsWorkText()) return nullptr;
  bool strings = false, numbers = false;
  callKinds(*root, strings, numbers);
  if (strings && numbers) return nullptr;
  root->stringCalls = strings;
  root->callValues.resize(root->calls.size());
  root->callLengths.resize(root->calls.size());
  schedule(*root);
  return root;
}

}  // namespace

bool constantOf(const PreparedNumeric& p, double& value) {
  if (!p.single || p.operands[0].kind != Operand::Constant) return false;
  value = p.operands[0].negated ? -p.operands[0].constant : p.operands[0].constant;
  return true;
}

bool evaluatePrepared(Runtime& rt, PreparedNumeric& p, double& value) {
  if (rt.expr.nesting + p.depth + 2 > nestingLimit) return false;
  value = valueOf(rt, p);
  return true;
}

struct PreparedCondition {
  struct Segment {
    PreparedNumericPtr left, right;  // without a relation, left alone is the segment
    detail::Relation relation = detail::Relation::None;
  };
  std::vector<Segment> segments;
  std::vector<char> logic;  // entry 0 the assignment mark, then '&', '|' or 'e' between segments
  std::vector<detail::ReductionStep> steps;  // the logical operators' passes
  bool hasCalls = false;
  // One relation between two constants or variables, the commonest condition of all.
  bool plainComparison = false;
};

void PreparedConditionDeleter::operator()(PreparedCondition* p) const { delete p; }

namespace {

using detail::Relation;

// A left operand that compares as strings: a literal, or a name of the string type.
bool comparesStrings(Runtime& rt, std::string_view left) {
  if (!left.empty() && left[0] == '"') return true;
  std::size_t end = 0;
  while (end < left.size() && (isNameByte(left[end]) || left[end] == '$')) ++end;
  return variableType(rt, left.substr(0, end)) == String;
}


}  // namespace

PreparedConditionPtr prepareCondition(Runtime& rt, std::string_view condition,
                                      std::size_t statementSize) {
  std::string text = stripBlanks(condition);
  // Groups of conditions and NOT are left to the reference path: a '(' that begins the text or
  // follows an operator escape (MOD as much as AND) holds a condition of its own.
  if (text.empty() || text[0] == '(' || text.find('"') != std::string::npos) return nullptr;
  for (std::size_t i = 2; i < text.size(); ++i)
    if (text[i] == '(' && text[i - 2] == '\x01') return nullptr;
  PreparedConditionPtr c(new PreparedCondition);
  c->logic.push_back('=');
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size();
    if (!end && !isLogicOperatorAt(text, i)) continue;
    if (!end && (text[i + 1] == '!' || (i + 2 < text.size() && text[i + 2] == '('))) return nullptr;
    std::string_view segment = std::string_view(text).substr(start, i - start);
    PreparedCondition::Segment s;
    std::size_t pos = 0, length = 0;
    s.relation = detail::findRelation(segment, pos, length);
    if (s.relation == Relation::None) {
      if (text.size() != segment.size()) return nullptr;  // a plain value among comparisons
      s.left = prepareRoot(rt, segment, true);
    } else {
      if (comparesStrings(rt, segment.substr(0, pos))) return nullptr;
      s.left = prepareRoot(rt, segment.substr(0, pos), true);
      s.right = prepareRoot(rt, segment.substr(pos + length), true);
      if (!s.right) return nullptr;
    }
    if (!s.left) return nullptr;
    c->segments.push_back(std::move(s));
    if (end) break;
    c->logic.push_back(text[i + 1]);
    start = i + 2;
    ++i;
  }
  // More results than the reducer's lists hold are left to the reference path.
  if (c->segments.size() > operatorLimit) return nullptr;
  std::size_t calls = 0;
  bool strings = false, numbers = false;
  for (const auto& s : c->segments) {
    calls += s.left->calls.size() + (s.right ? s.right->calls.size() : 0);
    callKinds(*s.left, strings, numbers);
    if (s.right) callKinds(*s.right, strings, numbers);
  }
  if (!expansionFits(statementSize, calls) || (strings && numbers)) return nullptr;
  c->hasCalls = calls > 0;
  const PreparedCondition::Segment& first = c->segments[0];
  c->plainComparison = c->segments.size() == 1 && first.relation != Relation::None &&
                       !c->hasCalls && first.left->single && first.right->single;
  c->steps = detail::schedulePasses(c->logic.data(), c->segments.size());
  return c;
}

namespace {

// Any other condition, kept apart so that a plain comparison pays for none of its set-up.
[[gnu::noinline]] bool evaluateGeneral(Runtime& rt, PreparedCondition& c, std::int32_t& value) {
  for (const auto& s : c.segments)
    if (rt.expr.nesting + s.left->depth + 3 > nestingLimit ||
        (s.right && rt.expr.nesting + s.right->depth + 3 > nestingLimit))
      return false;
  if (c.hasCalls) {
    // Every call of the condition is made before any part of it is evaluated; a condition whose
    // calls were reported is not evaluated.
    const std::uint32_t reportsBefore = rt.interp.reports;
    for (auto& s : c.segments)
      if (!makeCalls(rt, *s.left) || (s.right && !makeCalls(rt, *s.right))) return false;
    if (rt.interp.reports != reportsBefore || rt.interp.stopRequested) {
      value = 0;
      return true;
    }
  }
  // One comparison, the commonest condition, is its own result.
  if (c.segments.size() == 1 && c.segments[0].relation != Relation::None) {
    const auto& s = c.segments[0];
    const double a = valueOf(rt, *s.left);
    value = detail::holds<double>(s.relation, a, valueOf(rt, *s.right)) ? -1 : 0;
    return true;
  }
  detail::Nesting level(rt);
  double values[operatorLimit + 1];
  std::size_t count = 0;
  for (auto& s : c.segments) {
    double v = 0;
    if (s.relation == Relation::None) {
      evaluatePrepared(rt, *s.left, v);
    } else {
      double a = 0, b = 0;
      evaluatePrepared(rt, *s.left, a);
      evaluatePrepared(rt, *s.right, b);
      v = detail::holds<double>(s.relation, a, b) ? -1 : 0;
    }
    values[count++] = v;
  }
  // What is left, the results joined by the logical operators, is reduced as the numeric
  // evaluator reduces it.
  {
    detail::Nesting reduction(rt);
    if (!detail::applySteps(rt, values, c.steps)) {
      value = 0;
      return true;
    }
  }
  value = toInteger(count > 0 ? values[0] : 0);
  return true;
}

}  // namespace

bool evaluatePrepared(Runtime& rt, PreparedCondition& c, std::int32_t& value) {
  if (!c.plainComparison) return evaluateGeneral(rt, c, value);
  // Both sides are one level deep.
  if (rt.expr.nesting + 4 > nestingLimit) return false;
  const auto& s = c.segments[0];
  const double a = plainValue(rt, *s.left, s.left->operands[0]);
  value = detail::holds<double>(s.relation, a, plainValue(rt, *s.right, s.right->operands[0])) ? -1 : 0;
  return true;
}

}  // namespace tw::expr
