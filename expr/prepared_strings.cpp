// Prepared string values: literals, string variables, CHR$ and the slices MID$, LEFT$ and RIGHT$
// of a variable, read once from their text, and the string assignments made of them. Each gives
// what the text rewriting gives, or declines at run time before it has changed anything, so that
// the statement goes through the reference path. The store is changed here only by assignment.
#include <algorithm>
#include <cstring>

#include "builtins/builtins.h"
#include "expr/detail.h"

namespace tw::expr {
namespace {

using detail::isDigit;
using detail::isLetter;

// A slice's result is spliced into the statement text as a literal; a longer one could take the
// text past its limit, which only the reference path reports. Not observable.
constexpr std::size_t spliceBound = detail::preparedCallBound - 2;
// Terms of one prepared string expression; more are left to the reference path. Not observable.
constexpr std::size_t termLimit = 16;

enum class Form : std::uint8_t { Literal, Variable, Chr, Mid, Left, Right };

// A string variable read by name, its place in the table kept while the table keeps its layout.
struct StringRef {
  std::string name;
  std::uint64_t layout = ~std::uint64_t{0};
  std::uint64_t creations = 0;
  long index = -1;

  long find(Runtime& rt) {
    const State& s = rt.expr;
    if (layout != s.layoutGeneration || (index < 0 && creations != s.creations)) {
      index = findStringValue(rt, name);
      layout = s.layoutGeneration;
      creations = s.creations;
    }
    return index;
  }
  // The stored value's bytes between its quotes; false when the variable does not exist (reading
  // it may call a user-defined function of that name).
  bool contents(Runtime& rt, std::string_view& out) {
    const long i = find(rt);
    if (i < 0) return false;
    const std::string& value = rt.expr.strings[static_cast<std::size_t>(i)].value;
    out = std::string_view(value).substr(1, value.size() - 2);
    return true;
  }
};

bool isNameByte(char c) { return isLetter(c) || isDigit(c) || c == '.'; }

bool sameName(std::string_view name, std::string_view lower) {
  if (name.size() != lower.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (static_cast<char>(name[i] | 0x20) != lower[i]) return false;
  return true;
}

// The arguments of a call, cut at the commas outside parentheses (no quotes may stand in them).
bool splitArguments(std::string_view text, std::vector<std::string_view>& out) {
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ',';
    if (c == '"') return false;
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) return false;
    if (c != ',' || depth != 0) continue;
    out.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return depth == 0;
}

// A numeric argument that can report nothing, so that computing it early changes nothing.
PreparedNumericPtr quietNumber(Runtime& rt, std::string_view text) {
  PreparedNumericPtr p = prepareNumeric(rt, text);
  return p && detail::cannotReport(*p) ? std::move(p) : nullptr;
}

}  // namespace

namespace detail {

struct PreparedString {
  Form form = Form::Literal;
  std::string literal;           // a literal's contents; CHR$'s text once made
  StringRef variable;            // a variable, or the variable a slice cuts
  PreparedNumericPtr first;      // CHR$'s code; a slice's start (MID$) or count
  PreparedNumericPtr second;     // MID$'s length, when given
};

void PreparedStringDeleter::operator()(PreparedString* p) const { delete p; }

}  // namespace detail

namespace {

using detail::PreparedString;
using detail::PreparedStringPtr;

bool prepareVariable(Runtime& rt, std::string_view text, PreparedString& p) {
  std::size_t end = 0;
  while (end < text.size() && isNameByte(text[end])) ++end;
  if (end < text.size() && text[end] == '$') ++end;
  if (end == 0 || end != text.size() || !isLetter(text[0]) || variableType(rt, text) != String)
    return false;
  p.form = Form::Variable;
  p.variable.name.assign(text);
  return true;
}

// CHR$(code), MID$(v,start[,length]), LEFT$(v,n) or RIGHT$(v,n), the call filling the text.
bool prepareCall(Runtime& rt, std::string_view text, std::size_t open, PreparedString& p) {
  const std::string_view name = text.substr(0, open);
  if (text.back() != ')') return false;
  std::vector<std::string_view> arguments;
  if (!splitArguments(text.substr(open + 1, text.size() - open - 2), arguments)) return false;
  if (sameName(name, "chr$")) {
    p.form = Form::Chr;
    if (arguments.size() != 1) return false;
    p.first = quietNumber(rt, arguments[0]);
    return p.first != nullptr;
  }
  if (sameName(name, "mid$"))
    p.form = Form::Mid;
  else if (sameName(name, "left$"))
    p.form = Form::Left;
  else if (sameName(name, "right$"))
    p.form = Form::Right;
  else
    return false;
  const std::size_t count = arguments.size();
  if (count != 2 && !(p.form == Form::Mid && count == 3)) return false;
  PreparedString source;
  if (!prepareVariable(rt, arguments[0], source)) return false;
  p.variable = std::move(source.variable);
  p.first = quietNumber(rt, arguments[1]);
  if (count == 3) p.second = quietNumber(rt, arguments[2]);
  return p.first && (count == 2 || p.second);
}

PreparedStringPtr prepareOperand(Runtime& rt, std::string_view text) {
  if (text.empty()) return nullptr;
  PreparedStringPtr p(new PreparedString);
  if (text[0] == '"') {
    // A literal whose bytes join as they stand: no quote or escape pair inside.
    if (text.size() < 2 || text.back() != '"') return nullptr;
    const std::string_view contents = text.substr(1, text.size() - 2);
    if (contents.find_first_of("\"\x01") != std::string_view::npos) return nullptr;
    p->form = Form::Literal;
    p->literal.assign(contents);
    return p;
  }
  const std::size_t open = text.find('(');
  const bool ok = open == std::string_view::npos ? prepareVariable(rt, text, *p)
                                                 : prepareCall(rt, text, open, *p);
  return ok ? std::move(p) : nullptr;
}

// The value of a quiet numeric argument as a whole number, as the functions read it.
bool wholeArgument(Runtime& rt, PreparedNumeric& p, std::int32_t& value) {
  double v;
  if (!evaluatePrepared(rt, p, v)) return false;
  value = toInteger(v);
  return true;
}

// The bytes a slice gives; false to decline: MID$ with a start below 1 gives no text at all, and
// one with a negative length reports.
bool sliceOf(Runtime& rt, PreparedString& p, std::string_view& out) {
  std::string_view contents;
  std::int32_t n;
  if (!p.variable.contents(rt, contents) || !wholeArgument(rt, *p.first, n)) return false;
  const std::size_t size = contents.size();
  const std::size_t count = n < 0 ? 0 : static_cast<std::size_t>(n);
  switch (p.form) {
    case Form::Left:
      out = contents.substr(0, count);
      break;
    case Form::Right:
      out = contents.substr(size - std::min(count, size));
      break;
    default: {
      if (n <= 0) return false;
      std::size_t length = std::string_view::npos;
      if (p.second) {
        std::int32_t l;
        if (!wholeArgument(rt, *p.second, l) || l < 0) return false;
        length = static_cast<std::size_t>(l);
      }
      out = contents.substr(std::min(count - 1, size), length);
    }
  }
  return out.size() <= spliceBound;
}

}  // namespace

namespace detail {

PreparedStringPtr prepareStringArgument(Runtime& rt, std::string_view text) {
  PreparedStringPtr p = prepareOperand(rt, text);
  return p && p->form != Form::Literal && p->form != Form::Chr ? std::move(p) : nullptr;
}

bool argumentContents(Runtime& rt, PreparedString& p, std::string_view& contents) {
  if (p.form == Form::Variable) {
    // The variable's bytes reach the function as they stand; escape pairs are left to the
    // reference path, which reads what they stand for.
    return p.variable.contents(rt, contents) &&
           std::memchr(contents.data(), '\x01', contents.size()) == nullptr;
  }
  // A slice reaches the function as a literal in the call's text: a quote or escape byte in it
  // would change the literal, and a parenthesis would be counted when the call is cut.
  if (!sliceOf(rt, p, contents)) return false;
  for (char c : contents)
    if (c == '"' || c == '\x01' || c == '(' || c == ')') return false;
  return true;
}

}  // namespace detail

// ---- String assignments ---------------------------------------------------------------------------

struct PreparedStringAssignment {
  StringRef target;
  std::vector<PreparedStringPtr> terms;
  bool appends = false;  // the first term is the target, which no other term reads
  std::string buffer;    // the new value, kept to save allocations
};

void PreparedStringAssignmentDeleter::operator()(PreparedStringAssignment* p) const { delete p; }

namespace detail {

PreparedStringAssignmentPtr prepareStringAssignment(Runtime& rt, std::string_view target,
                                                    std::string_view expression,
                                                    std::size_t statementSize) {
  PreparedStringAssignmentPtr a(new PreparedStringAssignment);
  PreparedString name;
  if (!prepareVariable(rt, target, name)) return nullptr;
  a->target = std::move(name.variable);
  int depth = 0;
  bool quoted = false;
  std::size_t start = 0, calls = 0;
  for (std::size_t i = 0; i <= expression.size(); ++i) {
    const bool end = i == expression.size();
    const char c = end ? '+' : expression[i];
    if (c == '"') quoted = !quoted;
    if (!quoted && c == '(') ++depth;
    if (!quoted && c == ')') --depth;
    if (quoted || depth != 0 || c != '+') continue;
    PreparedStringPtr term = prepareOperand(rt, expression.substr(start, i - start));
    if (!term || a->terms.size() == termLimit) return nullptr;
    if (term->form != Form::Literal && term->form != Form::Variable) ++calls;
    a->terms.push_back(std::move(term));
    start = i + 1;
  }
  if (quoted || depth != 0 || statementSize + calls * preparedCallBound > builtins::expandedTextLimit)
    return nullptr;
  const auto readsTarget = [&](const PreparedStringPtr& t) {
    return t->form != Form::Literal && t->form != Form::Chr && t->variable.name == a->target.name;
  };
  a->appends = a->terms[0]->form == Form::Variable && readsTarget(a->terms[0]) &&
               std::none_of(a->terms.begin() + 1, a->terms.end(), readsTarget);
  return a;
}

}  // namespace detail

namespace {

// The bytes of each term as the join appends them; false to decline.
bool termBytes(Runtime& rt, PreparedString& t, std::string_view& out) {
  switch (t.form) {
    case Form::Literal:
      out = t.literal;
      return true;
    case Form::Variable:
      return t.variable.contents(rt, out);
    case Form::Chr: {
      std::int32_t n;
      if (!wholeArgument(rt, *t.first, n)) return false;
      t.literal.clear();
      builtins::charToLiteral(static_cast<unsigned char>(n & 0xFF), t.literal, false);
      out = t.literal;
      return true;
    }
    default:
      // A quote in a spliced slice would end its literal early in the statement's text, and an
      // escape byte could pair with what follows it there.
      return sliceOf(rt, t, out) && out.find_first_of("\"\x01") == std::string_view::npos;
  }
}

}  // namespace

namespace detail {

bool runStringAssignment(Runtime& rt, PreparedStringAssignment& a) {
  std::string_view parts[termLimit];
  std::size_t total = 0;
  const std::size_t count = a.terms.size();
  for (std::size_t k = 0; k < count; ++k) {
    if (!termBytes(rt, *a.terms[k], parts[k])) return false;
    total += parts[k].size();
  }
  // A value too long for the statements' buffers, or a full table, is reported by the reference
  // path, which stores nothing.
  if (total + 2 > stringLimit) return false;
  State& s = rt.expr;
  const long index = a.target.find(rt);
  if (index < 0) {
    a.buffer.assign(1, '"');
    for (std::size_t k = 0; k < count; ++k) a.buffer.append(parts[k]);
    a.buffer.push_back('"');
    setString(rt, a.target.name, a.buffer);  // reports a full table as the store does
    return true;
  }
  std::string& value = s.strings[static_cast<std::size_t>(index)].value;
  const std::size_t newSize = s.stringTableSize - value.size() + total + 2;
  if (newSize + 1 > stringTableLimit) return false;
  if (a.appends) {
    // The target is the first term: the other terms are appended to it where it stands.
    value.pop_back();
    for (std::size_t k = 1; k < count; ++k) value.append(parts[k]);
  } else {
    a.buffer.assign(1, '"');
    for (std::size_t k = 0; k < count; ++k) a.buffer.append(parts[k]);
    value.swap(a.buffer);
  }
  value.push_back('"');
  s.stringTableSize = newSize;
  return true;
}

}  // namespace detail
}  // namespace tw::expr
