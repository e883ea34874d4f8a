// INPUT and LINE INPUT from the keyboard, and the line editor that collects the typed line on the UI
// thread. The file forms are io's; values are stored through the variable store.
#include "interp/interp.h"

namespace tw::screen {
namespace {

// Waits until Enter ends the line; false when the program was stopped meanwhile (the window was
// closed), after the clean-up that this asks for.
bool waitForLine(Runtime& rt) {
  State& s = rt.screen;
  platform::Window& window = *rt.sys.window;
  s.caretEnabled = true;
  window.send({platform::Msg::SetFocus});
  s.inputLength = 0;
  s.inputMode = true;
  window.keysWanted(platform::KeyRequest::Line);
  while (s.inputMode && !rt.interp.stopRequested) rt.sys.clock->sleep(inputPollMilliseconds);
  if (rt.interp.stopRequested) {
    putText(rt, "\n");
    interp::endProgram(rt);
    return false;
  }
  s.caretEnabled = false;
  window.send({platform::Msg::KillFocus});
  return true;
}

// The prompt of INPUT and where its variable list begins; false after a reported error.
bool inputPrompt(Runtime& rt, std::string_view text, std::string& prompt, std::size_t& names) {
  if (text.find('"') == std::string_view::npos) {
    prompt = "\"? \";";
    names = 0;
    return true;
  }
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (quoted || (text[i] != ';' && text[i] != ',')) continue;
    prompt.assign(text.substr(0, i));
    if (text[i] == ';') prompt += ";\"? \"";
    prompt += ';';
    names = i + 1;
    return true;
  }
  interp::report(rt, interp::SyntaxError);
  return false;
}

// Cuts a text at the commas that stand outside parentheses (with parenthesesCount), or at every
// comma.
std::vector<std::string_view> cut(std::string_view text, bool parenthesesCount) {
  std::vector<std::string_view> pieces;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ',';
    if (parenthesesCount && c == '(') ++depth;
    if (parenthesesCount && c == ')') --depth;
    if (c != ',' || depth > 0) continue;
    pieces.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return pieces;
}

// Stores the typed fields in the variables; false when their numbers differ.
bool storeFields(Runtime& rt, std::string_view names, std::string_view line) {
  const std::vector<std::string_view> variables = cut(names, true);
  const std::vector<std::string_view> fields = cut(line, false);
  if (variables.size() != fields.size()) return false;
  const std::uint32_t reportsBefore = rt.interp.reports;
  for (std::size_t k = 0; k < variables.size() && rt.interp.reports == reportsBefore; ++k) {
    if (expr::variableType(rt, variables[k]) == expr::String)
      expr::storeVariable(rt, variables[k], '"' + std::string(fields[k]) + '"');
    else
      expr::storeVariable(rt, variables[k], fields[k]);
  }
  return true;
}

// The cell before the cursor: two bytes after a lead byte or an escape's 0x01, else one.
std::size_t cellBeforeCursor(const State& s) {
  const auto cursor = static_cast<std::size_t>(s.screenCursor);
  if (cursor >= 2) {
    const auto before = static_cast<unsigned char>(s.screenText[cursor - 2]);
    if (platform::isLeadByte(before) || before == 0x01) return 2;
  }
  return 1;
}

void backspace(Runtime& rt) {
  State& s = rt.screen;
  {
    std::lock_guard lock(s.textMutex);
    const auto cursor = static_cast<std::size_t>(s.screenCursor);
    if (cursor == 0 || cursor > s.screenText.size() || s.screenText[cursor - 1] == '\n') return;
    const std::size_t size = cellBeforeCursor(s);
    if (size > s.inputLength || size > s.inputLine.size()) return;
    s.inputLength -= size;
    s.screenText.erase(cursor - size, size);
    std::copy(s.cellForeground.begin() + static_cast<long>(cursor), s.cellForeground.end(),
              s.cellForeground.begin() + static_cast<long>(cursor - size));
    std::copy(s.cellBackground.begin() + static_cast<long>(cursor), s.cellBackground.end(),
              s.cellBackground.begin() + static_cast<long>(cursor - size));
    s.inputLine.resize(s.inputLine.size() - size);
    s.screenCursor = static_cast<int>(cursor - size);
  }
  rt.sys.window->invalidate();
}

}  // namespace

void lineEditor(Runtime& rt, std::uint8_t key) {
  State& s = rt.screen;
  if (!s.inputMode || !rt.interp.interpreterStarted) return;
  if (key == 13) {
    putText(rt, "\n");
    s.inputMode = false;
    return;
  }
  if (key == 8) {
    backspace(rt);
    return;
  }
  std::string form;
  builtins::charToLiteral(key, form, false);
  if (s.inputLine.size() + form.size() > inputLineLimit) return;
  s.inputLine += form;
  s.inputLength += form.size();
  putText(rt, form);
}

void inputStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  if (!text.empty() && text[0] == '#') {
    io::inputFromChannel(rt, text, false);
    return;
  }
  std::string prompt;
  std::size_t names = 0;
  if (!inputPrompt(rt, text, prompt, names)) return;
  for (;;) {
    rt.screen.inputLine.clear();
    const std::uint32_t reportsBefore = rt.interp.reports;
    printStatement(rt, prompt);
    if (rt.interp.reports != reportsBefore || !waitForLine(rt)) return;
    const std::string line = std::move(rt.screen.inputLine);
    rt.screen.inputLine.clear();
    if (storeFields(rt, std::string_view(text).substr(names), line)) return;
    // The line is asked for again, unless an ON ERROR statement takes over.
    const bool handled = !rt.interp.errorHandlerStmt.empty();
    interp::report(rt, interp::InvalidInput);
    if (handled || rt.interp.stopRequested) return;
  }
}

void lineInputStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  if (!text.empty() && text[0] == '#') {
    io::inputFromChannel(rt, text, true);
    return;
  }
  std::string prompt = "\"? \";";
  std::size_t name = 0;
  if (!text.empty() && text[0] == '"') {
    const std::size_t close = text.find('"', 1);
    const char separator = close == std::string::npos || close + 1 >= text.size() ? '\0' : text[close + 1];
    if (separator != ';' && separator != ',') {
      interp::report(rt, interp::SyntaxError);
      return;
    }
    prompt.assign(text, 0, close + 1);
    if (separator == ';') prompt += ";\"? \"";
    prompt += ';';
    name = close + 2;
  }
  rt.screen.inputLine.clear();
  const std::uint32_t reportsBefore = rt.interp.reports;
  printStatement(rt, prompt);
  if (rt.interp.reports != reportsBefore || !waitForLine(rt)) return;
  std::string assignment(text, name);
  assignment.append("=\"").append(rt.screen.inputLine).append("\"");
  rt.screen.inputLine.clear();
  expr::assignStatement(rt, assignment);
}

}  // namespace tw::screen
