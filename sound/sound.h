// Sound: MCI command strings with their completion notices, and BEEP.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tw {
struct Runtime;
}

namespace tw::sound {

// ---- MCI and BEEP -------------------------------------------------------------------------------

// Notices that wait for the interpreter thread; more are dropped until it has run them. Not
// observable: each notice only sets a variable to 1.
inline constexpr std::size_t mciNoticeLimit = 64;

struct State {
  // The completion assignment ("NAME=1") and the notices received, guarded by mciMutex: the
  // interpreter thread sets the assignment, the UI thread takes a copy when a notice arrives.
  std::mutex mciMutex;
  std::string mciNotifyAssignment;
  std::vector<std::string> mciNotices;
  std::atomic<bool> mciNoticesWaiting{false};
};

// MCI: a string expression (the command), optionally a comma and a variable that becomes 1 when
// the command's notice arrives.
void mciStatement(Runtime& rt, std::string_view argument);
// BEEP: the argument, if any, is ignored.
void beepStatement(Runtime& rt);
// The window procedure's part (UI thread): a notice has arrived. Its assignment is run by the
// interpreter thread between statements, because the variable store belongs to that thread.
void mciNotified(Runtime& rt);
// Runs the assignments of the notices that have arrived (interpreter thread).
void runMciNotices(Runtime& rt);

}  // namespace tw::sound
