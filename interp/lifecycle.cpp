// Program start, END and CLEAR: the points where a run's state is set up, reset or released.
// Each folder's own reset lives in that folder; this file only orders them.
#include "interp/detail.h"

namespace tw::interp {

void clearProgram(Runtime& rt) {
  expr::clearVariables(rt.expr);
  host::buildDataList(rt.host);
  rt.builtins.userFunctions.clear();
  // Emptying the GOSUB stack makes a RETURN after CLEAR an error instead of a jump to nowhere.
  rt.interp.gosubPositions.fill(0);
  rt.interp.gosubDepth = 0;
  rt.interp.errorHandlerStmt.clear();
  // The pictures stay until END; new ones take the slots from the first again.
  rt.graphics.pictureCount = 0;
  sound::resetChannels(rt.sound);
}

void startProgram(Runtime& rt, std::string programDir) {
  rt.screen.inputMode = false;
  rt.interp.stopRequested = false;
  rt.screen.caretEnabled = false;
  rt.sys.window->send({platform::Msg::KillFocus});
  detail::forgetScans(rt);
  clearProgram(rt);
  rt.host.programDir = std::move(programDir);
}

void endProgram(Runtime& rt) {
  State& s = rt.interp;
  {
    std::lock_guard lock(s.endMutex);
    s.stopRequested = true;
    if (s.endDone) return;
    s.endDone = true;
  }
  rt.screen.inputMode = false;
  rt.screen.caretEnabled = true;
  s.gosubDepth = 0;
  {
    std::lock_guard textLock(rt.screen.textMutex);
    rt.screen.textForeground = screen::white;
    rt.screen.textBackground = 0;
    rt.screen.textAreaLimited = false;
  }
  io::closeAllChannels(rt);
  sound::closeDevice(rt);
  // The program text stays allocated: the other thread may still be reading it, and nothing runs
  // after END.
  rt.sys.window->send({platform::Msg::SetFocus});
}

void interpreterThread(Runtime& rt, std::string programDir) {
  rt.interp.inBranch = false;
  startProgram(rt, std::move(programDir));
  runProgram(rt);
}

}  // namespace tw::interp
