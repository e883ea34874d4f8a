// The function table and the dispatch of one call text to its routine, to a user-defined
// function, or back into the text unchanged. The routines live in their own files.
#include <array>

#include "builtins/detail.h"

namespace tw::builtins {
namespace {

using detail::Routine;

// Numeric results written by the dispatcher, each in the format of its function.
template <double (*F)(Runtime&, std::string_view), int Decimals>
void fixed(Runtime& rt, std::string_view a, std::string& out) {
  std::string text;
  expr::formatFixed(F(rt, a), Decimals, text);
  out.append(text);
}

template <std::int32_t (*F)(Runtime&, std::string_view)>
void integer(Runtime& rt, std::string_view a, std::string& out) {
  detail::appendInteger(out, F(rt, a));
}

struct Function {
  std::string_view name;  // lower case
  Routine routine;
};

// Names are matched in any letter case. Functions of later work join this table.
constexpr std::array functions{
    Function{"abs", fixed<detail::absFunction, 15>},
    Function{"akcnv$", detail::akcnvFunction},
    Function{"asc", integer<detail::ascFunction>},
    Function{"atn", fixed<detail::atnFunction, 15>},
    Function{"cdbl", fixed<detail::cdblFunction, 15>},
    Function{"chr$", detail::chrFunction},
    Function{"cint", integer<detail::cintFunction>},
    Function{"csng", fixed<detail::csngFunction, 7>},
    Function{"cos", fixed<detail::cosFunction, 15>},
    Function{"eof", integer<detail::eofFunction>},
    Function{"exp", fixed<detail::expFunction, 15>},
    Function{"fix", integer<detail::fixFunction>},
    Function{"hex$", detail::hexFunction},
    Function{"input$", detail::inputKeysFunction},
    Function{"instr", integer<detail::instrFunction>},
    Function{"int", integer<detail::intFunction>},
    Function{"kacnv$", detail::kacnvFunction},
    Function{"keystate", integer<detail::keyStateFunction>},
    Function{"kinstr", integer<detail::kinstrFunction>},
    Function{"klen", integer<detail::klenFunction>},
    Function{"kmid$", detail::kmidFunction},
    Function{"left$", detail::leftFunction},
    Function{"len", integer<detail::lenFunction>},
    Function{"lof", integer<detail::lofFunction>},
    Function{"log", fixed<detail::logFunction, 15>},
    Function{"mid$", detail::midFunction},
    Function{"oct$", detail::octFunction},
    Function{"point", detail::pointFunction},
    Function{"rgb", detail::rgbFunction},
    Function{"right$", detail::rightFunction},
    Function{"rnd", fixed<detail::rndFunction, 6>},
    Function{"sgn", integer<detail::sgnFunction>},
    Function{"sin", fixed<detail::sinFunction, 15>},
    Function{"spc", detail::spaceFunction},
    Function{"space$", detail::spaceFunction},
    Function{"sqr", fixed<detail::sqrFunction, 15>},
    Function{"str$", detail::strFunction},
    Function{"string$", detail::stringFunction},
    Function{"tan", fixed<detail::tanFunction, 15>},
    Function{"val", fixed<detail::valFunction, 15>},
};

// The name compared with a lower-case table name, ignoring the case of its letters.
bool sameName(std::string_view name, std::string_view lower) {
  if (name.size() != lower.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower[i]) return false;
  }
  return true;
}

// The call text without blanks outside literals and with the hidden marks turned back into
// parentheses. An escape pair is a unit, except that a quote after 0x01 still counts as a quote.
void normaliseCall(std::string_view call, std::string& out) {
  out.clear();
  out.reserve(call.size());
  bool quoted = false;
  for (std::size_t i = 0; i < call.size(); ++i) {
    const char c = call[i];
    if (c == '\x01' && i + 1 < call.size() && call[i + 1] != '"') {
      const char letter = call[++i];
      if (letter == 'a') {
        out.push_back('(');
      } else if (letter == 'b') {
        out.push_back(')');
      } else {
        out.push_back(c);
        out.push_back(letter);
      }
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == ' ' || c == '\t')) continue;
    out.push_back(c);
  }
}

// The call as given, its parentheses hidden so that later passes go by it.
void appendHidden(std::string_view call, std::string& out) {
  for (char c : call) {
    if (c == '(')
      out.append("\001a");
    else if (c == ')')
      out.append("\001b");
    else
      out.push_back(c);
  }
}

}  // namespace

namespace detail {

Routine findFunction(std::string_view name) {
  for (const Function& f : functions)
    if (sameName(name, f.name)) return f.routine;
  return nullptr;
}

// Appends the result text of one call text to out (nothing when the call has none).
void dispatchInto(Runtime& rt, std::string_view callText, std::string& out) {
  std::string call;
  normaliseCall(callText, call);
  const std::size_t open = call.find('(');
  // Here parentheses count whether or not they stand in a literal.
  std::size_t close = std::string::npos;
  int depth = 0;
  for (std::size_t i = open; open != std::string::npos && i < call.size(); ++i) {
    if (call[i] == '(') ++depth;
    if (call[i] == ')' && --depth == 0) {
      close = i;
      break;
    }
  }
  if (close == std::string::npos) {
    interp::report(rt, interp::SyntaxError);
    return;
  }
  const std::string_view name(call.data(), open);
  const std::string_view arguments(call.data() + open + 1, close - open - 1);
  if (Routine routine = findFunction(name)) {
    routine(rt, arguments, out);
    return;
  }
  std::string result;
  if (callUserFunction(rt, name, arguments, result)) {
    out.append(result);
    return;
  }
  appendHidden(callText, out);
}

}  // namespace detail

bool isFunctionName(const Runtime& rt, std::string_view name) {
  if (detail::findFunction(name)) return true;
  for (const UserFunction& f : rt.builtins.userFunctions)
    if (std::string_view(f.left).substr(0, f.left.find('(')) == name) return true;
  return false;
}

std::string dispatchFunction(Runtime& rt, std::string_view callText) {
  std::string out;
  detail::dispatchInto(rt, callText, out);
  return out;
}

}  // namespace tw::builtins
