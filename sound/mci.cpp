// The MCI and BEEP statements and the completion notices of MCI. The device work is the
// platform's (Services::mci); this file owns only the completion assignment and the notices.
#include "interp/interp.h"

namespace tw::sound {

void mciStatement(Runtime& rt, std::string_view argument) {
  const std::size_t comma = expr::topLevelComma(argument);
  const bool notify = comma != std::string_view::npos;
  if (notify) {
    std::string assignment(argument.substr(comma + 1));
    assignment.append("=1");
    std::lock_guard lock(rt.sound.mciMutex);
    rt.sound.mciNotifyAssignment = std::move(assignment);
  }
  std::string quoted;
  const std::uint32_t reportsBefore = rt.interp.reports;
  if (!expr::scratchString(rt, argument.substr(0, comma), quoted)) return;
  std::string command;
  if (!builtins::unescapeString(rt, quoted, command) || rt.interp.reports != reportsBefore) return;
  platform::Mci* mci = rt.sys.mci;
  if (!mci) return;
  const std::uint32_t error =
      mci->sendString(command, notify, rt.host.programDir, rt.interp.stopRequested);
  if (error == 0 || rt.interp.stopRequested) return;
  std::string text(interp::text(interp::Text::MciError));
  text.replace(text.find("%s"), 2, mci->errorString(error));
  interp::report(rt, interp::OwnText, text);
}

void beepStatement(Runtime& rt) {
  if (rt.sys.mci) rt.sys.mci->beep();
}

void mciNotified(Runtime& rt) {
  if (!rt.interp.interpreterStarted) return;
  State& s = rt.sound;
  std::lock_guard lock(s.mciMutex);
  if (s.mciNotifyAssignment.empty() || s.mciNotices.size() >= mciNoticeLimit) return;
  s.mciNotices.push_back(s.mciNotifyAssignment);
  s.mciNoticesWaiting.store(true, std::memory_order_release);
}

void runMciNotices(Runtime& rt) {
  State& s = rt.sound;
  std::vector<std::string> notices;
  {
    std::lock_guard lock(s.mciMutex);
    notices.swap(s.mciNotices);
    s.mciNoticesWaiting.store(false, std::memory_order_relaxed);
  }
  for (const std::string& assignment : notices) {
    if (rt.interp.stopRequested) return;
    expr::assignStatement(rt, assignment);
  }
}

}  // namespace tw::sound
