// The MIDI recorder of --midi and the Standard MIDI File it is saved as. Portable: it sees the
// device it wraps only through the Midi interface.
#include <algorithm>
#include <mutex>

#include "platform/platform.h"

namespace tw::platform {
namespace {

constexpr std::uint16_t ticksPerQuarter = 1000;
constexpr std::uint32_t microsecondsPerQuarter = 1'000'000;

void putBigEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}

// A variable-length quantity: seven bits a byte, the high bit set on all but the last.
void putVariableLength(std::string& out, std::uint32_t value) {
  char bytes[5];
  int n = 0;
  do {
    bytes[n++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out += static_cast<char>(bytes[--n] | 0x80);
  out += bytes[0];
}

// Program change and channel pressure carry one data byte; the other channel messages two.
int dataBytes(std::uint8_t status) {
  const std::uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

class Recorder final : public MidiRecorder {
 public:
  Recorder(std::unique_ptr<Midi> device, Clock& clock)
      : device_(std::move(device)), clock_(clock) {}

  int deviceCount() override { return std::max(usesDevice() ? device_->deviceCount() : 0, 1); }
  bool open() override { return !usesDevice() || device_->open(); }
  bool shortMessage(std::uint32_t message) override {
    std::lock_guard lock(mutex_);
    if (usesDevice() && !device_->shortMessage(message)) return false;
    messages_.push_back({clock_.steadyMilliseconds(), message});
    return true;
  }
  std::string errorText() override { return usesDevice() ? device_->errorText() : std::string(); }
  void close() override {
    if (usesDevice()) device_->close();
  }
  std::vector<TimedMidiMessage> recorded() override {
    std::lock_guard lock(mutex_);
    return messages_;
  }

 private:
  // Decided once: a device that counts none stays out of the way.
  bool usesDevice() {
    if (!checked_) {
      hasDevice_ = device_ && device_->deviceCount() > 0;
      checked_ = true;
    }
    return hasDevice_;
  }

  std::unique_ptr<Midi> device_;
  Clock& clock_;
  bool checked_ = false;
  bool hasDevice_ = false;
  std::mutex mutex_;
  std::vector<TimedMidiMessage> messages_;
};

}  // namespace

std::string standardMidiFile(const std::vector<TimedMidiMessage>& messages) {
  std::string track;
  putVariableLength(track, 0);
  track += "\xFF\x51\x03";
  putBigEndian(track, microsecondsPerQuarter, 3);
  std::int64_t previous = messages.empty() ? 0 : messages.front().milliseconds;
  for (const TimedMidiMessage& m : messages) {
    const std::int64_t delta = std::max<std::int64_t>(m.milliseconds - previous, 0);
    previous = std::max(previous, m.milliseconds);
    putVariableLength(track, static_cast<std::uint32_t>(std::min<std::int64_t>(delta, 0x0FFFFFFF)));
    const auto status = static_cast<std::uint8_t>(m.message & 0xFF);
    track += static_cast<char>(status);
    for (int i = 1; i <= dataBytes(status); ++i)
      track += static_cast<char>((m.message >> (8 * i)) & 0x7F);
  }
  putVariableLength(track, 0);
  track += "\xFF\x2F";
  track += '\0';

  std::string file = "MThd";
  putBigEndian(file, 6, 4);
  putBigEndian(file, 0, 2);  // format 0: one track
  putBigEndian(file, 1, 2);
  putBigEndian(file, ticksPerQuarter, 2);
  file += "MTrk";
  putBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
  return file + track;
}

std::unique_ptr<MidiRecorder> makeMidiRecorder(std::unique_ptr<Midi> device, Clock& clock) {
  return std::make_unique<Recorder>(std::move(device), clock);
}

MidiOutput makeMidiOutput(std::unique_ptr<Midi> device, bool record, Clock& clock) {
  if (!record) return {std::move(device), nullptr};
  std::unique_ptr<MidiRecorder> recorder = makeMidiRecorder(std::move(device), clock);
  MidiRecorder* recording = recorder.get();
  return {std::move(recorder), recording};
}

}  // namespace tw::platform
