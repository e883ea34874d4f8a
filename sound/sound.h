// Sound: the MML player (PLAY) on the MIDI output device, MCI command strings and BEEP. The
// device itself is the platform's; this folder keeps the channels' octave and tempo and the
// device's open state.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace tw {
struct Runtime;
}

namespace tw::sound {

// ---- The MML player --------------------------------------------------------------------------

// MIDI channels PLAY can fill; more non-empty strings in one PLAY are error 5. Observable.
inline constexpr int channelLimit = 8;
// A playing channel looks at the stop request at least this often (milliseconds), even in the
// middle of a long note. Not observable by a program; closing the window ends a PLAY this soon.
inline constexpr int stopSliceLimit = 20;

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
};

// PLAY: plays its strings of MML together, one MIDI channel each, and returns when all have ended.
void playStatement(Runtime& rt, std::string_view argument);
// CLEAR: every channel back to octave 4 and tempo 120.
void resetChannels(State& sound);
// END: closes the device once the channels have stopped.
void closeDevice(Runtime& rt);

}  // namespace tw::sound
