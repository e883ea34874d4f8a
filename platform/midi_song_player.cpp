// The player of MIDI songs read from files: one thread a play that sends the messages at their
// planned times. Portable: it reaches the synthesiser only through the Midi interface and knows
// nothing of MCI.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace tw::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int midiChannels = 16;
constexpr std::uint32_t controlChange = 0xB0, programChange = 0xC0, pitchBend = 0xE0;
constexpr std::uint32_t allSoundOff = 120, resetControllers = 121, allNotesOff = 123;
constexpr std::uint32_t volumeController = 7, panController = 10;
constexpr std::uint32_t defaultVolume = 100, centrePan = 64, centreBend = 0x2000;

std::uint32_t message(std::uint32_t status, int channel, std::uint32_t data1, std::uint32_t data2) {
  return (status | static_cast<std::uint32_t>(channel)) | data1 << 8 | data2 << 16;
}

// Notes leave the sound as it was; everything else on a channel (programs, controllers, bends,
// pressure) is state that a play from a later point must set first.
bool isNote(std::uint32_t m) {
  const std::uint32_t kind = m & 0xF0;
  return kind == 0x80 || kind == 0x90 || kind == 0xA0;
}

class Player final : public MidiSongPlayer {
 public:
  Player(MidiSong song, Midi* device) : song_(std::move(song)), device_(device) {}
  ~Player() override { stop(); }

  std::int64_t length() const override { return song_.length; }

  void play(std::int64_t from, std::int64_t to) override {
    stop();
    stopping_ = false;
    finished_.store(false, std::memory_order_release);
    from_ = from;
    to_ = to;
    started_ = SteadyClock::now();
    thread_ = std::thread([this] { run(); });
  }

  std::int64_t position() const override {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - started_);
    return std::min(from_ + elapsed.count(), to_);
  }

  void stop() override {
    if (!thread_.joinable()) return;
    // A play that came to its end lets its last notes die away.
    const bool ended = finished();
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    if (!ended) silence(true);
  }

  bool finished() const override { return finished_.load(std::memory_order_acquire); }

 private:
  void run() {
    const std::int64_t from = from_, to = to_;
    reset();
    const auto& all = song_.messages;
    auto next = std::lower_bound(
        all.begin(), all.end(), from,
        [](const TimedMidiMessage& m, std::int64_t t) { return m.milliseconds < t; });
    for (auto m = all.begin(); m != next; ++m)
      if (!isNote(m->message)) send(m->message);
    const bool toEnd = to == song_.length;
    for (; next != all.end() && (next->milliseconds < to || toEnd); ++next) {
      if (!sleepUntil(started_ + std::chrono::milliseconds(next->milliseconds - from))) return;
      send(next->message);
    }
    if (!sleepUntil(started_ + std::chrono::milliseconds(to - from))) return;
    silence(false);
    finished_.store(true, std::memory_order_release);
  }

  // The channels as a General MIDI device starts them, so that what an earlier play left does
  // not carry over.
  void reset() {
    for (int channel = 0; channel < midiChannels; ++channel) {
      send(message(controlChange, channel, resetControllers, 0));
      send(message(controlChange, channel, volumeController, defaultVolume));
      send(message(controlChange, channel, panController, centrePan));
      send(message(pitchBend, channel, centreBend & 0x7F, centreBend >> 7));
      send(message(programChange, channel, 0, 0));
    }
  }

  // False when the play is stopped first.
  bool sleepUntil(SteadyClock::time_point when) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_until(lock, when, [this] { return stopping_; });
  }

  void send(std::uint32_t m) {
    if (device_) device_->shortMessage(m);
  }

  // Every note off; a cut silences at once what still rings (held by the pedal, or dying away).
  void silence(bool cut) {
    for (int channel = 0; channel < midiChannels; ++channel) {
      send(message(controlChange, channel, allNotesOff, 0));
      if (cut) send(message(controlChange, channel, allSoundOff, 0));
    }
  }

  MidiSong song_;
  Midi* device_;
  std::int64_t from_ = 0, to_ = 0;  // the last play's range, set while no thread runs
  SteadyClock::time_point started_;
  std::thread thread_;
  std::mutex mutex_;  // stopping_, between the caller and the thread
  std::condition_variable wake_;
  bool stopping_ = false;
  std::atomic<bool> finished_{true};
};

}  // namespace

std::unique_ptr<MidiSongPlayer> makeMidiSongPlayer(MidiSong song, Midi* device) {
  return std::make_unique<Player>(std::move(song), device);
}

}  // namespace tw::platform
