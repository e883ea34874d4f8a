// The dispatcher: builds the StatementRecord of one statement and routes it by its code to the
// handler named in the statement table. Handlers live in their folders; this file only routes.
#include "interp/detail.h"
#include "statements/statements.h"

namespace tw::interp {
namespace {

using Record = StatementRecord;

// One adapter per row of the statement table. Statements that later work builds do nothing yet.
void stmt_print(Runtime& rt, Record& r) { screen::printStatement(rt, r.argument); }
void stmt_input(Runtime& rt, Record& r) { screen::inputStatement(rt, r.argument); }
void stmt_open(Runtime& rt, Record& r) { io::openStatement(rt, r.argument); }
void stmt_close(Runtime& rt, Record& r) { io::closeStatement(rt, r.argument); }
void stmt_ifThen(Runtime& rt, Record& r) { detail::ifStatement(rt, r.argument); }
void stmt_gotoLine(Runtime& rt, Record& r) { detail::gotoStatement(rt, r.argument); }
void stmt_returnSub(Runtime& rt, Record&) { detail::returnStatement(rt); }
void stmt_on(Runtime& rt, Record& r) { detail::onStatement(rt, r.argument); }
void stmt_forLoop(Runtime& rt, Record& r) { detail::forStatement(rt, r.argument); }
void stmt_next(Runtime& rt, Record& r) { detail::nextStatement(rt, r.argument); }
void stmt_whileLoop(Runtime& rt, Record& r) { detail::whileStatement(rt, r.argument); }
void stmt_wend(Runtime& rt, Record&) { detail::wendStatement(rt); }
void stmt_gosub(Runtime& rt, Record& r) { detail::gosubStatement(rt, r.argument); }
void stmt_chdir(Runtime& rt, Record& r) { statements::chdirStatement(rt, r.argument); }
void stmt_kill(Runtime& rt, Record& r) { io::killStatement(rt, r.argument); }
void stmt_mkdir(Runtime& rt, Record& r) { io::mkdirStatement(rt, r.argument); }
void stmt_files(Runtime& rt, Record& r) { io::filesStatement(rt, r.argument); }
void stmt_picture(Runtime& rt, Record& r) { graphics::pictureStatement(rt, r.argument); }
void stmt_circle(Runtime& rt, Record& r) { graphics::circleStatement(rt, r.argument); }
void stmt_paint(Runtime& rt, Record& r) { graphics::paintStatement(rt, r.argument); }
void stmt_move(Runtime& rt, Record& r) { graphics::moveStatement(rt, r.argument); }
void stmt_preset(Runtime& rt, Record& r) { graphics::presetStatement(rt, r.argument); }
void stmt_pset(Runtime& rt, Record& r) { graphics::psetStatement(rt, r.argument); }
void stmt_scroll(Runtime& rt, Record& r) { graphics::scrollStatement(rt, r.argument); }
void stmt_mci(Runtime& rt, Record& r) { sound::mciStatement(rt, r.argument); }
void stmt_play(Runtime& rt, Record& r) { sound::playStatement(rt, r.argument); }
void stmt_clear(Runtime& rt, Record&) { clearProgram(rt); }
void stmt_dim(Runtime& rt, Record& r) { expr::dimStatement(rt, r.argument); }
void stmt_erase(Runtime& rt, Record& r) { expr::eraseStatement(rt, r.argument); }
void stmt_defType(Runtime& rt, Record& r) { detail::defTypeStatement(rt, r.argument); }
// DATA items were collected into the DATA list before the program started.
void stmt_data(Runtime&, Record&) {}
void stmt_read(Runtime& rt, Record& r) { statements::readStatement(rt, r.argument); }
void stmt_restore(Runtime& rt, Record& r) { statements::restoreStatement(rt, r.argument); }
void stmt_swap(Runtime& rt, Record& r) { statements::swapStatement(rt, r.argument); }
void stmt_beep(Runtime& rt, Record&) { sound::beepStatement(rt); }
void stmt_chain(Runtime& rt, Record&) { report(rt, OwnText, text(Text::ChainRefused)); }
void stmt_cls(Runtime& rt, Record& r) { screen::clsStatement(rt, r.argument); }
void stmt_color(Runtime& rt, Record& r) { screen::colorStatement(rt, r.argument); }
void stmt_defFn(Runtime& rt, Record& r) { detail::defFnStatement(rt, r.argument); }
void stmt_end(Runtime& rt, Record&) { endProgram(rt); }
void stmt_let(Runtime& rt, Record& r) { expr::assignStatement(rt, r.argument); }
void stmt_locate(Runtime& rt, Record& r) { statements::locateStatement(rt, r.argument); }
void stmt_randomize(Runtime& rt, Record& r) { statements::randomizeStatement(rt, r.argument); }
void stmt_run(Runtime& rt, Record&) { report(rt, OwnText, text(Text::RunRefused)); }
void stmt_sleep(Runtime& rt, Record& r) { statements::sleepStatement(rt, r.argument); }
void stmt_width(Runtime& rt, Record& r) { screen::widthStatement(rt, r.argument); }
void stmt_get(Runtime& rt, Record& r) { graphics::getStatement(rt, r.argument); }
void stmt_put(Runtime& rt, Record& r) { graphics::putStatement(rt, r.argument); }
// LINE INPUT arrives as LINE with an argument that begins with the word INPUT and a blank, a tab
// or a double quote; any other LINE draws.
void stmt_line(Runtime& rt, Record& r) {
  std::string_view a = r.argument;
  bool input = a.size() > 5 && (a[5] == ' ' || a[5] == '\t' || a[5] == '"');
  for (std::size_t i = 0; i < 5 && input; ++i) input = (a[i] | 0x20) == "input"[i];
  if (input)
    screen::lineInputStatement(rt, a.substr(5));
  else
    graphics::lineStatement(rt, a);
}

}  // namespace

bool dispatchStatement(Runtime& rt, std::string_view statement) {
  if (rt.interp.stopRequested || statement.empty()) return false;
  Record record;
  record.full = statement;
  auto first = static_cast<unsigned char>(statement[0]);
  // A statement whose expansion was reported is not run: its text is only partly rewritten.
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (!host::isCodeByte(first)) {
    if (first != '*') {
      std::string assignment(statement);
      builtins::expandFunctionCalls(rt, assignment);
      if (rt.interp.reports == reportsBefore) expr::assignStatement(rt, assignment);
    }
    return true;  // a label does nothing
  }
  auto second = statement.size() > 1 ? static_cast<unsigned char>(statement[1]) : 0;
  record.code = static_cast<std::uint16_t>(first << 8 | second);
  if (statement.size() > 3 && statement[2] == ' ') {
    record.argument.assign(statement.substr(3));
    // A DEF FN body is kept as written and expanded each time the function is called.
    if (record.code != host::codeDefFn) builtins::expandFunctionCalls(rt, record.argument);
    if (rt.interp.reports != reportsBefore) return true;
  }
  switch (record.code) {
#define TW_DISPATCH_CASE(code, keyword, handler) \
  case code:                                     \
    record.handled = true;                       \
    stmt_##handler(rt, record);                  \
    break;
    TW_STATEMENTS(TW_DISPATCH_CASE)
#undef TW_DISPATCH_CASE
    default:
      break;
  }
  if (record.handled) return true;
  report(rt, InvalidIdentifier, statement.substr(0, 2));
  return false;
}

}  // namespace tw::interp
