// Unit tests of PLAY against a recording MIDI device and a clock that each thread sees move only by
// its own sleeps (no real sleeping), and of the Standard MIDI File that --midi writes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/unit/test_runtime.h"

namespace tw {
namespace {

// Each thread's time starts at 0 and moves only by its own sleeps, as if every channel thread
// had a processor to itself.
class ThreadClock : public test::FakeClock {
 public:
  std::function<void()> onSleep;
  std::vector<int> longestSleeps;
  void sleep(int milliseconds) override {
    {
      std::lock_guard lock(mutex_);
      times_[std::this_thread::get_id()] += milliseconds;
      if (longestSleeps.empty() || milliseconds > longestSleeps.back())
        longestSleeps.push_back(milliseconds);
    }
    if (onSleep) onSleep();
  }
  std::int64_t steadyMilliseconds() override {
    std::lock_guard lock(mutex_);
    return times_[std::this_thread::get_id()];
  }
  // Every thread back to 0 (a new thread may be given the identity of one that ended).
  void reset() {
    std::lock_guard lock(mutex_);
    times_.clear();
  }

 private:
  std::mutex mutex_;
  std::map<std::thread::id, std::int64_t> times_;
};

struct Sent {
  std::int64_t ms;
  std::uint32_t message;
  bool operator==(const Sent&) const = default;
};

class RecordingMidi : public platform::Midi {
 public:
  std::atomic<int> notesOn{0};
  explicit RecordingMidi(platform::Clock& clock) : clock_(clock) {}
  int devices = 1;
  bool openFails = false;
  int opens = 0, closes = 0;
  std::vector<Sent> sent;

  int deviceCount() override { return devices; }
  bool open() override {
    ++opens;
    openedAt = sent.size();
    return !openFails;
  }
  std::uint32_t refused = 0;  // a message the device refuses
  bool shortMessage(std::uint32_t message) override {
    std::lock_guard lock(mutex_);
    if (message == refused) return false;
    sent.push_back({clock_.steadyMilliseconds(), message});
    if ((message & 0xFF0000) != 0) ++notesOn;
    return true;
  }
  std::string errorText() override { return test::sjis("デバイスが開けません"); }
  void close() override { ++closes; }

  std::size_t openedAt = std::string::npos;  // where the program changes of opening begin in sent

  // The messages of one channel, without the program changes that opening the device sends.
  std::vector<Sent> channel(int ch) {
    std::vector<Sent> out;
    for (std::size_t i = 0; i < sent.size(); ++i) {
      if (i >= openedAt && i < openedAt + sound::channelLimit) continue;
      if ((sent[i].message & 0x0F) == static_cast<std::uint32_t>(ch)) out.push_back(sent[i]);
    }
    return out;
  }

 private:
  platform::Clock& clock_;
  std::mutex mutex_;
};

std::uint32_t on(int ch, int note) {
  return 0x600090u + ch + (note << 8);
}
std::uint32_t off(int ch, int note) {
  return 0x90u + ch + (note << 8);
}

class Sound : public ::testing::Test {
 protected:
  test::TestRuntime t;
  Runtime& rt = t.rt;
  ThreadClock clock;
  RecordingMidi midi{clock};

  Sound() {
    rt.sys.clock = &clock;
    rt.sys.midi = &midi;
  }
  // Plays an argument text written as the program would, and returns channel 0's messages.
  std::vector<Sent> play(std::string_view argument) {
    midi.sent.clear();
    midi.openedAt = std::string::npos;
    clock.reset();
    sound::playStatement(rt, argument);
    return midi.channel(0);
  }
  // The single note channel 0 played: its number and length.
  std::pair<int, std::int64_t> note(std::string_view argument) {
    std::vector<Sent> s = play(argument);
    EXPECT_EQ(s.size(), 2u) << argument;
    if (s.size() != 2) return {-1, -1};
    return {static_cast<int>((s[0].message >> 8) & 0x7F), s[1].ms - s[0].ms};
  }
};

TEST_F(Sound, DurationsTakeLengthThenTieThenDotEachTruncated) {
  EXPECT_EQ(note("\"C\"").second, 500);
  EXPECT_EQ(note("\"C8\"").second, 250);
  EXPECT_EQ(note("\"C.\"").second, 750);
  EXPECT_EQ(note("\"C^8\"").second, 750);
  EXPECT_EQ(note("\"C^8.\"").second, 1125);
  EXPECT_EQ(note("\"C3\"").second, 666);      // 500 / 0.75 truncated
  EXPECT_EQ(note("\"C3^3.\"").second, 1998);  // (666 + 666) * 1.5
  EXPECT_EQ(note("\"C^\"").second, 500);      // a tie without digits adds nothing
  EXPECT_EQ(note("\"T150C\"").second, 400);
  EXPECT_EQ(note("\"T240C\"").second, 250);
  // A rest moves the next note; the planned times do not lose the truncated parts of each sleep.
  std::vector<Sent> s = play("\"T120P8C16P.C\"");
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0], (Sent{250, on(0, 60)}));
  EXPECT_EQ(s[1], (Sent{375, off(0, 60)}));
  EXPECT_EQ(s[2], (Sent{1125, on(0, 60)}));
  EXPECT_EQ(s[3], (Sent{1625, off(0, 60)}));
}

TEST_F(Sound, NoteNumbersOctavesAndTones) {
  EXPECT_EQ(note("\"T120O5C\"").first, 72);
  EXPECT_EQ(note("\"o0c-\"").first, 11);  // lower case reads as upper case
  EXPECT_EQ(note("\"O4C+\"").first, 61);
  EXPECT_EQ(note("\"O4B\"").first, 71);
  EXPECT_EQ(note("\"O4 A 4\"").first, 69);  // blanks in the value are dropped
  // Tones through the table; a tone not in it (11, 0) is program 6. Unknown letters are skipped.
  play("\"@1X@11@75@\"");
  EXPECT_EQ(midi.channel(0),
            (std::vector<Sent>{{0, 0x3FC0}, {0, 0x06C0}, {0, 0x55C0}, {0, 0x06C0}}));
}

TEST_F(Sound, TheFirstPlayOpensTheDeviceWithToneZeroOnEveryChannel) {
  play("\"C\"");
  play("\"C\"");
  EXPECT_EQ(midi.opens, 1);
  play("\"\"");
  ASSERT_EQ(midi.sent.size(), 0u);
  midi.opens = 0;
  rt.sound.deviceOpen = false;
  play("\"\"");
  ASSERT_EQ(midi.sent.size(), 8u);
  for (std::uint32_t ch = 0; ch < 8; ++ch) EXPECT_EQ(midi.sent[ch].message, 0x06C0 + ch);
  interp::endProgram(rt);
  EXPECT_EQ(midi.closes, 1);
  EXPECT_FALSE(rt.sound.deviceOpen);
}

TEST_F(Sound, AllocDoesNothingAndAMissingDeviceIsReported) {
  midi.devices = 0;
  play("AlLoC \"C\"");
  EXPECT_TRUE(t.takeBoxes().empty());
  EXPECT_EQ(midi.opens, 0);
  play("\"C\"");
  t.expectOneBox("Midi出力デバイスがインストールされていない可能性があります");
  midi.devices = 2;
  midi.openFails = true;
  play("\"C\"");
  t.expectOneBox("デバイスが開けません");
  EXPECT_TRUE(midi.sent.empty());
}

TEST_F(Sound, EachNonEmptyPieceTakesTheNextChannelAndAllPlayTogether) {
  play(",\"C8\",, \"E\"+\"G\", \"\"");
  EXPECT_EQ(midi.channel(0), (std::vector<Sent>{{0, on(0, 60)}, {250, off(0, 60)}}));
  EXPECT_EQ(
      midi.channel(1),
      (std::vector<Sent>{{0, on(1, 64)}, {500, off(1, 64)}, {500, on(1, 67)}, {1000, off(1, 67)}}));
  EXPECT_TRUE(midi.channel(2).empty());
  // Eight strings fill the eight channels; an empty last piece after them takes none.
  play("\"C\",\"C\",\"C\",\"C\",\"C\",\"C\",\"C\",\"B\",");
  EXPECT_EQ(midi.channel(7), (std::vector<Sent>{{0, on(7, 71)}, {500, off(7, 71)}}));
  EXPECT_TRUE(t.takeBoxes().empty());
}

TEST_F(Sound, UnplayableTextIsError5BeforeAnyChannelSounds) {
  for (std::string_view bad :
       {"\"C\",\"C\",\"C\",\"C\",\"C\",\"C\",\"C\",\"C\",\"C\"", "\"C\",\"T0C\"", "\"TC\"",
        "\"C\",\"OXC\"", "\"O\"", "\"O9B\"", "\"O9G+\"", "\"C0\"", "\"P0\""}) {
    play(bad);
    t.expectOneBox("指定すべき数値の範囲ではありません");
    EXPECT_TRUE(midi.channel(0).empty()) << bad;
  }
  // Nothing of a refused PLAY stays: the octave and tempo are those from before it.
  play("\"O5T240\",\"T0\"");
  t.takeBoxes();
  EXPECT_EQ(note("\"C\""), (std::pair<int, std::int64_t>{60, 500}));
}

TEST_F(Sound, OctaveAndTempoStayPerChannelUntilClear) {
  play("\"O5T240\",\"O3\"");
  EXPECT_EQ(note("\"C\""), (std::pair<int, std::int64_t>{72, 250}));
  play("\"C\",\"C\"");
  EXPECT_EQ(midi.channel(1), (std::vector<Sent>{{0, on(1, 48)}, {500, off(1, 48)}}));
  interp::clearProgram(rt);
  EXPECT_EQ(note("\"C\""), (std::pair<int, std::int64_t>{60, 500}));
}

TEST_F(Sound, AStopEndsEveryChannelMidNoteWithItsNoteOff) {
  // The stop comes once both channels sound their first note of 240 seconds.
  clock.onSleep = [this] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (midi.notesOn < 2 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::yield();
    rt.interp.stopRequested = true;
  };
  play("\"T1C1D\",\"E1\"");
  std::vector<Sent> c0 = midi.channel(0), c1 = midi.channel(1);
  ASSERT_EQ(c0.size(), 2u);
  ASSERT_EQ(c1.size(), 2u);
  EXPECT_EQ(c0[1].message, off(0, 60));
  EXPECT_EQ(c1[1].message, off(1, 64));
  EXPECT_LT(c0[1].ms, 240000);
  EXPECT_LT(c1[1].ms, 240000);
  // No sleep is longer than a slice, so the stop is seen within one.
  EXPECT_EQ(clock.longestSleeps.back(), sound::stopSliceLimit);
}

TEST_F(Sound, AChannelTheDeviceRefusesEndsAndTheOthersPlayOnBeforeTheReport) {
  midi.refused = on(0, 62);
  play("\"CDE\",\"GAB\"");
  EXPECT_EQ(midi.channel(0), (std::vector<Sent>{{0, on(0, 60)}, {500, off(0, 60)}}));
  EXPECT_EQ(midi.channel(1).size(), 6u);
  t.expectOneBox("デバイスが開けません");
}

TEST_F(Sound, ThePlayStatementRunsFromAProgram) {
  t.load("10 \x10\x51 \"C8\"\n20 \x10\x51 \"D8\"\n");
  t.run();
  std::vector<Sent> s = midi.channel(0);
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[2].message, on(0, 62));
  EXPECT_EQ(midi.closes, 1);  // running off the end is END
}

TEST(MidiFile, FormatZeroWithAMillisecondTickFromTheFirstMessage) {
  std::vector<platform::TimedMidiMessage> messages{
      {5000, 0x06C0}, {5000, 0x603C90}, {5200, 0x3C90}, {5200 + 0x80, 0x3C90}};
  const std::string file = platform::standardMidiFile(messages);
  const std::string track =
      std::string("\x00\xFF\x51\x03\x0F\x42\x40", 7) + std::string("\x00\xC0\x06", 3) +
      std::string("\x00\x90\x3C\x60", 4) + std::string("\x81\x48\x90\x3C\x00", 5) +
      std::string("\x81\x00\x90\x3C\x00", 5) + std::string("\x00\xFF\x2F\x00", 4);
  const std::string header = std::string("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x03\xE8", 14) +
                             "MTrk" + std::string("\x00\x00\x00", 3) +
                             static_cast<char>(track.size());
  EXPECT_EQ(file, header + track);
}

TEST(MidiFile, TheRecorderStandsAloneOrPassesMessagesOn) {
  test::FakeClock clock;
  auto alone = platform::makeMidiRecorder(nullptr, clock);
  EXPECT_EQ(alone->deviceCount(), 1);
  EXPECT_TRUE(alone->open());
  clock.steady = 7;
  EXPECT_TRUE(alone->shortMessage(0x90));
  ASSERT_EQ(alone->recorded().size(), 1u);
  EXPECT_EQ(alone->recorded()[0].milliseconds, 7);

  auto device = std::make_unique<RecordingMidi>(clock);
  RecordingMidi* inner = device.get();
  auto wrapped = platform::makeMidiRecorder(std::move(device), clock);
  EXPECT_TRUE(wrapped->open());
  EXPECT_TRUE(wrapped->shortMessage(0x91));
  wrapped->close();
  EXPECT_EQ(inner->opens, 1);
  EXPECT_EQ(inner->closes, 1);
  EXPECT_EQ(inner->sent.size(), 1u);
  EXPECT_EQ(wrapped->recorded().size(), 1u);
}

}  // namespace
}  // namespace tw
