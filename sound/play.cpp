// PLAY: reads every channel's MML into notes and rests before anything sounds, then plays each
// channel on a thread of its own against one shared starting time. Touches the MIDI device only
// under the sound state's lock; never reports from a channel thread.
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "interp/interp.h"

namespace tw::sound {
namespace {

// END waits at most this long for the channels to notice the stop before it closes the device
// anyway. Not observable: the channels notice it within stopSliceLimit.
constexpr auto closeWaitLimit = std::chrono::seconds(1);
// Digits of a number in MML are read up to this value and no further; a larger number acts as
// this one. Not observable: every duration it gives is 0 ms and every tone beyond the table.
constexpr std::int64_t mmlNumberLimit = 999'999'999;
constexpr std::uint32_t noteVelocity = 0x60;
constexpr int defaultTone = 0;

struct Event {
  enum class Kind : std::uint8_t { Program, Note, Rest } kind;
  std::uint8_t value = 0;     // the program or the note number
  std::int32_t duration = 0;  // milliseconds
};

// The General MIDI program of each listed MML tone number; every other tone gives program 6.
struct ToneRow {
  std::int64_t tone;
  std::uint8_t program;
};
constexpr ToneRow toneTable[] = {
    {1, 63},  {22, 63}, {2, 51},   {25, 51},  {3, 4},    {28, 4},  {4, 39},   {30, 39},
    {5, 18},  {32, 18}, {6, 20},   {34, 20},  {7, 73},   {36, 73}, {8, 68},   {9, 71},
    {39, 71}, {10, 11}, {41, 11},  {12, 112}, {47, 112}, {13, 1},  {21, 62},  {23, 56},
    {24, 50}, {26, 2},  {27, 5},   {29, 27},  {31, 38},  {33, 16}, {35, 19},  {37, 72},
    {40, 9},  {42, 13}, {43, 107}, {45, 7},   {48, 46},  {50, 22}, {51, 114}, {52, 47},
    {53, 69}, {63, 10}, {64, 42},  {65, 58},  {67, 25},  {75, 85}, {80, 40}};
constexpr std::uint8_t unlistedToneProgram = 6;

std::uint8_t toneProgram(std::int64_t tone) {
  for (const ToneRow& row : toneTable)
    if (row.tone == tone) return row.program;
  return unlistedToneProgram;
}

std::uint32_t programChange(int channel, std::uint8_t program) {
  return 0xC0u + static_cast<std::uint32_t>(channel) + (std::uint32_t{program} << 8);
}
std::uint32_t noteMessage(int channel, std::uint8_t note, std::uint32_t velocity) {
  return 0x90u + static_cast<std::uint32_t>(channel) + (std::uint32_t{note} << 8) +
         (velocity << 16);
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The digits at i, if any, moving i past them.
std::optional<std::int64_t> readNumber(std::string_view t, std::size_t& i) {
  if (i >= t.size() || !isDigit(t[i])) return std::nullopt;
  std::int64_t n = 0;
  for (; i < t.size() && isDigit(t[i]); ++i) n = std::min(n * 10 + (t[i] - '0'), mmlNumberLimit);
  return n;
}

// A note's or rest's duration: its length digits, then a tie, then a dot, each step truncated.
// Nothing for a length of 0, which would have no duration at all.
std::optional<std::int32_t> readDuration(std::string_view t, std::size_t& i, std::int32_t quarter) {
  std::int32_t total = quarter;
  if (std::optional<std::int64_t> n = readNumber(t, i)) {
    if (*n == 0) return std::nullopt;
    total =
        static_cast<std::int32_t>(static_cast<float>(quarter) / (static_cast<float>(*n) / 4.0f));
  }
  if (i < t.size() && t[i] == '^') {
    ++i;
    const float tie = static_cast<float>(readNumber(t, i).value_or(0)) / 4.0f;
    if (tie != 0.0f) total += static_cast<std::int32_t>(static_cast<float>(quarter) / tie);
  }
  if (i < t.size() && t[i] == '.') {
    ++i;
    total = static_cast<std::int32_t>(total * 1.5);
  }
  return total;
}

int semitone(char letter) {
  switch (letter) {
    case 'C':
      return 0;
    case 'D':
      return 2;
    case 'E':
      return 4;
    case 'F':
      return 5;
    case 'G':
      return 7;
    case 'A':
      return 9;
    case 'B':
      return 11;
    default:
      return -1;
  }
}

// Reads a channel's MML (upper case) into events, changing its octave and tempo as it goes; false
// for a text that cannot be played: a tempo of 0 or without digits, an octave that is not a digit,
// a length of 0, a note outside 0..127.
bool readChannel(std::string_view t, ChannelState& channel, std::vector<Event>& events) {
  std::size_t i = 0;
  while (i < t.size()) {
    const char c = t[i++];
    if (c == 'O') {
      if (i >= t.size() || !isDigit(t[i])) return false;
      channel.octave = t[i++] - '0';
    } else if (c == 'T') {
      std::optional<std::int64_t> tempo = readNumber(t, i);
      if (!tempo || *tempo == 0) return false;
      channel.quarterMs = static_cast<std::int32_t>(60.0 / static_cast<double>(*tempo) * 1000.0);
    } else if (c == '@') {
      events.push_back({Event::Kind::Program, toneProgram(readNumber(t, i).value_or(defaultTone))});
    } else if (c == 'P') {
      std::optional<std::int32_t> d = readDuration(t, i, channel.quarterMs);
      if (!d) return false;
      events.push_back({Event::Kind::Rest, 0, *d});
    } else if (semitone(c) >= 0) {
      std::int32_t note = 12 * channel.octave + 12 + semitone(c);
      if (i < t.size() && (t[i] == '+' || t[i] == '-')) note += t[i++] == '+' ? 1 : -1;
      std::optional<std::int32_t> d = readDuration(t, i, channel.quarterMs);
      if (!d || note < 0 || note > 127) return false;
      events.push_back({Event::Kind::Note, static_cast<std::uint8_t>(note), *d});
    }
  }
  return true;
}

// What went wrong on a channel thread, kept for the interpreter thread to report.
struct Failure {
  std::mutex mutex;
  bool failed = false;
  std::string text;  // the first failure's
  void set(std::string failure) {
    std::lock_guard lock(mutex);
    if (failed) return;
    failed = true;
    text = std::move(failure);
  }
};

// Sends one message unless END has closed the device; false when the device refused it. The
// device's text is asked for at once, under the lock: the device keeps one last result, which
// another channel's next message would replace.
bool send(Runtime& rt, std::uint32_t message, Failure& failure) {
  std::lock_guard lock(rt.sound.deviceMutex);
  if (!rt.sound.deviceOpen || rt.sys.midi->shortMessage(message)) return true;
  failure.set(rt.sys.midi->errorText());
  return false;
}

// Sleeps toward a planned time in slices short enough to notice a stop; false when stopped first.
bool waitUntil(Runtime& rt, std::int64_t planned) {
  platform::Clock& clock = *rt.sys.clock;
  for (;;) {
    const std::int64_t now = clock.steadyMilliseconds();
    if (now >= planned) return true;
    if (rt.interp.stopRequested) return false;
    clock.sleep(static_cast<int>(std::min<std::int64_t>(planned - now, stopSliceLimit)));
  }
}

// The body of a channel thread. Every note ends when planned from the shared start, so channels
// do not drift apart; a note cut short by a stop still gets its note-off.
void playChannel(Runtime& rt, int channel, const std::vector<Event>& events, std::int64_t start,
                 Failure& failure) {
  std::int64_t planned = start;
  for (const Event& e : events) {
    if (rt.interp.stopRequested) break;
    if (e.kind == Event::Kind::Program) {
      if (!send(rt, programChange(channel, e.value), failure)) break;
      continue;
    }
    const bool note = e.kind == Event::Kind::Note;
    if (note && !send(rt, noteMessage(channel, e.value, noteVelocity), failure)) break;
    planned += e.duration;
    const bool whole = waitUntil(rt, planned);
    if (note && !send(rt, noteMessage(channel, e.value, 0), failure)) break;
    if (!whole) break;
  }
}

// Where the channels wait until every one of them has started, so that the time a thread takes to
// start (long on a busy system) is not taken from the first notes: all begin at the same moment.
class StartLine {
 public:
  // On a channel thread: the shared start time, once every channel is ready.
  std::int64_t ready() {
    std::unique_lock lock(mutex_);
    ++ready_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return started_; });
    return start_;
  }
  // On the interpreter thread: waits for the channels, then lets them go with the start time
  // read once they are all there.
  void start(std::size_t channels, platform::Clock& clock) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ready_ >= channels; });
    start_ = clock.steadyMilliseconds();
    started_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t ready_ = 0;
  bool started_ = false;
  std::int64_t start_ = 0;
};

void channelEnded(State& s) {
  {
    std::lock_guard lock(s.deviceMutex);
    --s.activeChannels;
  }
  s.channelsDone.notify_all();
}

// Opens the device on first use and sets every channel to tone 0; false after a report.
bool openDevice(Runtime& rt) {
  std::string failure;
  {
    std::lock_guard lock(rt.sound.deviceMutex);
    if (rt.sound.deviceOpen) return true;
    platform::Midi* midi = rt.sys.midi;
    if (!midi || midi->deviceCount() <= 0) {
      failure = interp::text(interp::Text::NoMidiDevice);
    } else if (!midi->open()) {
      failure = midi->errorText();
    } else {
      rt.sound.deviceOpen = true;
      for (int channel = 0; channel < channelLimit && failure.empty(); ++channel)
        if (!midi->shortMessage(programChange(channel, toneProgram(defaultTone))))
          failure = midi->errorText();
    }
  }
  // Reported outside the lock: an error ends the program, and END closes the device.
  if (!failure.empty()) interp::report(rt, interp::OwnText, failure);
  return failure.empty();
}

bool startsWithAlloc(std::string_view t) {
  if (t.size() < 5) return false;
  for (std::size_t i = 0; i < 5; ++i)
    if ((t[i] | 0x20) != "alloc"[i]) return false;
  return true;
}

// The pieces between commas that fill a channel: the non-empty ones, and the last even when empty.
std::vector<std::string_view> channelPieces(std::string_view t) {
  std::vector<std::string_view> pieces;
  for (;;) {
    const std::size_t comma = t.find(',');
    if (comma == std::string_view::npos) {
      pieces.push_back(t);
      return pieces;
    }
    if (comma > 0) pieces.push_back(t.substr(0, comma));
    t.remove_prefix(comma + 1);
  }
}

// Every channel's MML as events, with the octave and tempo it leaves; false after a report.
bool readChannels(Runtime& rt, std::string_view argument, std::vector<std::vector<Event>>& events,
                  std::array<ChannelState, channelLimit>& channels) {
  std::vector<std::string_view> pieces = channelPieces(argument);
  // An empty last piece after eight others would play nothing: it takes no channel.
  if (pieces.size() > static_cast<std::size_t>(channelLimit) && pieces.back().empty())
    pieces.pop_back();
  if (pieces.size() > static_cast<std::size_t>(channelLimit)) {
    interp::report(rt, interp::OutOfRange);
    return false;
  }
  std::string value, mml;
  for (std::size_t ch = 0; ch < pieces.size(); ++ch) {
    if (!expr::scratchString(rt, pieces[ch], value) || rt.interp.stopRequested) return false;
    mml.clear();
    for (char c : value) {
      if (c == ' ' || c == '\t') continue;
      mml += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    events.emplace_back();
    if (!readChannel(mml, channels[ch], events.back())) {
      interp::report(rt, interp::OutOfRange);
      return false;
    }
  }
  return true;
}

}  // namespace

void playStatement(Runtime& rt, std::string_view argument) {
  const std::string text = expr::stripBlanks(argument);
  if (startsWithAlloc(text) || !openDevice(rt)) return;
  std::vector<std::vector<Event>> events;
  std::array<ChannelState, channelLimit> channels = rt.sound.channels;
  if (!readChannels(rt, text, events, channels) || rt.interp.stopRequested) return;
  rt.sound.channels = channels;

  State& s = rt.sound;
  Failure failure;
  StartLine line;
  std::vector<std::thread> threads;
  s.activeChannels = static_cast<int>(events.size());
  for (std::size_t ch = 0; ch < events.size(); ++ch) {
    try {
      threads.emplace_back([&rt, &s, &events, &failure, &line, ch] {
        const std::int64_t start = line.ready();
        playChannel(rt, static_cast<int>(ch), events[ch], start, failure);
        channelEnded(s);
      });
    } catch (const std::system_error&) {
      failure.set(std::string(interp::message(interp::UnexpectedError)));
      channelEnded(s);
    }
  }
  line.start(threads.size(), *rt.sys.clock);
  // The channels themselves notice a stop, so joining them cannot outlast one.
  for (std::thread& t : threads) t.join();
  // A program that the window's closing has ended reports nothing more, as elsewhere.
  if (failure.failed && !rt.interp.stopRequested) interp::report(rt, interp::OwnText, failure.text);
}

void resetChannels(State& sound) {
  sound.channels.fill(ChannelState{});
}

void closeDevice(Runtime& rt) {
  State& s = rt.sound;
  std::unique_lock lock(s.deviceMutex);
  s.channelsDone.wait_for(lock, closeWaitLimit, [&s] { return s.activeChannels == 0; });
  if (!s.deviceOpen) return;
  s.deviceOpen = false;
  rt.sys.midi->close();
}

}  // namespace tw::sound
