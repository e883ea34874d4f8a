// Sound: the MML player (PLAY) on the MIDI output device, MCI command strings with their
// completion notices, and BEEP. The devices themselves are the platform's; this folder keeps the
// channels' octave and tempo, the device's open state and the notices waiting to be run.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tw {
struct Runtime;
}

namespace tw::sound {

// MIDI channels PLAY can fill; more non-empty strings in one PLAY are error 5. Observable.
inline constexpr int channelLimit = 8;
// A playing channel looks at the stop request at least this often (milliseconds), even in the
// middle of a long note. Not observable by a program; closing the window ends a PLAY this soon.
inline constexpr int stopSliceLimit = 20;
// Notices that wait for the interpreter thread; more are dropped until it has run them. Not
// observable: each notice only sets a variable to 1.
inline constexpr std::size_t mciNoticeLimit = 64;

struct ChannelState {
  std::int32_t octave = 4;
  std::int32_t quarterMs = 500;  // the length of a quarter note: tempo 120
};

struct State {
  std::array<ChannelState, channelLimit> channels{};
  // The device is opened by the first PLAY and closed by END, which may run on the UI thread
  // while channel threads still play: opening and closing happen under this lock, and END waits
  // for the channels (counted in activeChannels, signalled through channelsDone) first.
  std::mutex deviceMutex;
  bool deviceOpen = false;
  std::atomic<int> activeChannels{0};
  std::condition_variable channelsDone;

  // The completion assignment ("NAME=1") and the notices received, guarded by mciMutex: the
  // interpreter thread sets the assignment, the UI thread takes a copy when a notice arrives.
  std::mutex mciMutex;
  std::string mciNotifyAssignment;
  std::vector<std::string> mciNotices;
  std::atomic<bool> mciNoticesWaiting{false};
};

// ---- The MML player --------------------------------------------------------------------------

// PLAY: plays its strings of MML together, one MIDI channel each, and returns when all have ended.
void playStatement(Runtime& rt, std::string_view argument);
// CLEAR: every channel back to octave 4 and tempo 120.
void resetChannels(State& sound);
// END: closes the device once the channels have stopped.
void closeDevice(Runtime& rt);

// ---- MCI and BEEP -------------------------------------------------------------------------------

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
