// The dispatcher: builds the StatementRecord of one statement and routes it by its code to the
// handler named in the statement table. Handlers live in their folders; this file only routes.
#include "interp/interp.h"

namespace tw::interp {
namespace {

using Record = StatementRecord;

// One adapter per row of the statement table. Statements that later work builds do nothing yet.
void stmt_print(Runtime& rt, Record& r) { screen::printStatement(rt, r.argument); }
void stmt_input(Runtime&, Record&) {}
void stmt_open(Runtime&, Record&) {}
void stmt_close(Runtime&, Record&) {}
void stmt_ifThen(Runtime&, Record&) {}
void stmt_gotoLine(Runtime&, Record&) {}
void stmt_returnSub(Runtime&, Record&) {}
void stmt_on(Runtime&, Record&) {}
void stmt_forLoop(Runtime&, Record&) {}
void stmt_next(Runtime&, Record&) {}
void stmt_whileLoop(Runtime&, Record&) {}
void stmt_wend(Runtime&, Record&) {}
void stmt_gosub(Runtime&, Record&) {}
void stmt_chdir(Runtime&, Record&) {}
void stmt_kill(Runtime&, Record&) {}
void stmt_mkdir(Runtime&, Record&) {}
void stmt_files(Runtime&, Record&) {}
void stmt_picture(Runtime&, Record&) {}
void stmt_circle(Runtime&, Record&) {}
void stmt_paint(Runtime&, Record&) {}
void stmt_move(Runtime&, Record&) {}
void stmt_preset(Runtime&, Record&) {}
void stmt_pset(Runtime&, Record&) {}
void stmt_scroll(Runtime&, Record&) {}
void stmt_mci(Runtime&, Record&) {}
void stmt_play(Runtime&, Record&) {}
void stmt_clear(Runtime& rt, Record&) { clearProgram(rt); }
void stmt_dim(Runtime&, Record&) {}
void stmt_erase(Runtime&, Record&) {}
void stmt_defType(Runtime&, Record&) {}
// DATA items were collected into the DATA list before the program started.
void stmt_data(Runtime&, Record&) {}
void stmt_read(Runtime&, Record&) {}
void stmt_restore(Runtime&, Record&) {}
void stmt_swap(Runtime&, Record&) {}
void stmt_beep(Runtime&, Record&) {}
void stmt_chain(Runtime& rt, Record&) { report(rt, OwnText, text(Text::ChainRefused)); }
void stmt_cls(Runtime&, Record&) {}
void stmt_color(Runtime&, Record&) {}
void stmt_defFn(Runtime&, Record&) {}
void stmt_end(Runtime& rt, Record&) { endProgram(rt); }
void stmt_let(Runtime& rt, Record& r) { expr::assignStatement(rt, r.argument); }
void stmt_locate(Runtime&, Record&) {}
void stmt_randomize(Runtime&, Record&) {}
void stmt_run(Runtime& rt, Record&) { report(rt, OwnText, text(Text::RunRefused)); }
void stmt_sleep(Runtime&, Record&) {}
void stmt_width(Runtime&, Record&) {}
void stmt_get(Runtime&, Record&) {}
void stmt_put(Runtime&, Record&) {}
void stmt_line(Runtime&, Record&) {}

}  // namespace

bool dispatchStatement(Runtime& rt, std::string_view statement) {
  if (rt.interp.stopRequested || statement.empty()) return false;
  Record record;
  record.full = statement;
  auto first = static_cast<unsigned char>(statement[0]);
  if (!host::isCodeByte(first)) {
    if (first != '*') {
      std::string assignment(statement);
      builtins::expandFunctionCalls(rt, assignment);
      expr::assignStatement(rt, assignment);
    }
    return true;  // a label does nothing
  }
  auto second = statement.size() > 1 ? static_cast<unsigned char>(statement[1]) : 0;
  record.code = static_cast<std::uint16_t>(first << 8 | second);
  if (statement.size() > 3 && statement[2] == ' ') {
    record.argument.assign(statement.substr(3));
    builtins::expandFunctionCalls(rt, record.argument);
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
