// MIDI files: the reader on well-formed and broken files, and the player's timing against a
// recording device.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace tw::test {
namespace {

using platform::TimedMidiMessage;

std::string bigEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
  return out;
}

std::string header(int format, int tracks, std::uint16_t division) {
  return "MThd" + bigEndian(6, 4) + bigEndian(format, 2) + bigEndian(tracks, 2) +
         bigEndian(division, 2);
}

std::string track(std::string_view events) {
  return "MTrk" + bigEndian(static_cast<std::uint32_t>(events.size()), 4) + std::string(events);
}

const std::string endOfTrack("\x00\xFF\x2F\x00", 4);

std::uint32_t msg(std::uint32_t status, std::uint32_t data1, std::uint32_t data2 = 0) {
  return status | data1 << 8 | data2 << 16;
}

std::optional<platform::MidiSong> read(const std::string& bytes) {
  return platform::readStandardMidiFile(bytes);
}

TEST(MidiFileReader, ReadsWhatTheRecorderWrites) {
  const std::vector<TimedMidiMessage> sent = {{5000, msg(0xC0, 19)},
                                              {5000, msg(0x90, 60, 100)},
                                              {5250, msg(0x80, 60, 0)},
                                              {6200, msg(0xE1, 0x00, 0x40)},
                                              {6200, msg(0xD1, 3)}};
  std::optional<platform::MidiSong> song = read(platform::standardMidiFile(sent));
  ASSERT_TRUE(song);
  const std::vector<TimedMidiMessage> expected = {{0, msg(0xC0, 19)},
                                                  {0, msg(0x90, 60, 100)},
                                                  {250, msg(0x80, 60, 0)},
                                                  {1200, msg(0xE1, 0x00, 0x40)},
                                                  {1200, msg(0xD1, 3)}};
  EXPECT_EQ(song->messages, expected);
  EXPECT_EQ(song->length, 1200);
}

TEST(MidiFileReader, TempoChangesInTheConductorTrackTimeEveryTrack) {
  // 96 ticks a quarter; the default 120 beats a minute, then from tick 192 (1000 ms) twice as fast.
  const std::string conductor = std::string("\x00\xFF\x03\x01T", 5) +
                                std::string("\x81\x40\xFF\x51\x03\x03\xD0\x90", 8) + endOfTrack;
  const std::string notes = std::string("\x60\x90\x3C\x40", 4) +      // tick 96: 500 ms
                            std::string("\x81\x40\x80\x3C\x00", 5) +  // tick 288: 1250 ms
                            std::string("\x60\xFF\x2F\x00", 4);       // tick 384: 1500 ms
  std::optional<platform::MidiSong> song = read(header(1, 2, 96) + track(conductor) + track(notes));
  ASSERT_TRUE(song);
  const std::vector<TimedMidiMessage> expected = {{500, msg(0x90, 0x3C, 0x40)},
                                                  {1250, msg(0x80, 0x3C, 0)}};
  EXPECT_EQ(song->messages, expected);
  EXPECT_EQ(song->length, 1500);
}

TEST(MidiFileReader, RunningStatusOutlivesMetaAndSystemExclusiveEvents) {
  const std::string events = std::string("\x00\x91\x3C\x40", 4) +
                             std::string("\x0A\x3E\x40", 3) +                      // running status
                             std::string("\x00\xF0\x03\x7E\x7F\xF7", 6) +          // skipped
                             std::string("\x00\xFF\x01\x02hi", 6) +                // a text
                             std::string("\x0A\x3C\x00", 3) +                      // still note-on
                             std::string("\x00\xC2\x05\x00\x06", 5) + endOfTrack;  // one data byte
  std::optional<platform::MidiSong> song = read(header(0, 1, 1000) + track(events));
  ASSERT_TRUE(song);
  // At the default tempo a tick of 1000 a quarter lasts 0.5 ms.
  const std::vector<TimedMidiMessage> expected = {{0, msg(0x91, 0x3C, 0x40)},
                                                  {5, msg(0x91, 0x3E, 0x40)},
                                                  {10, msg(0x91, 0x3C, 0)},
                                                  {10, msg(0xC2, 5)},
                                                  {10, msg(0xC2, 6)}};
  EXPECT_EQ(song->messages, expected);
}

TEST(MidiFileReader, TracksMergeInTimeOrderTheEarlierTrackFirst) {
  // Frame-based time: 25 frames a second of 40 ticks, a tick a millisecond, whatever the tempo.
  const std::uint16_t division = 0xE700 | 40;
  const std::string first = std::string("\x00\xFF\x51\x03\x00\x00\x01", 7) +
                            std::string("\x0A\x90\x01\x01\x0A\x90\x02\x01", 8) + endOfTrack;
  const std::string second =
      std::string("\x05\x91\x03\x01\x05\x91\x04\x01", 8) + std::string("\x64\xFF\x2F\x00", 4);
  const std::string alien = "XTRA" + bigEndian(2, 4) + "zz";
  std::optional<platform::MidiSong> song =
      read(header(1, 2, division) + track(first) + alien + track(second));
  ASSERT_TRUE(song);
  const std::vector<TimedMidiMessage> expected = {
      {5, msg(0x91, 3, 1)}, {10, msg(0x90, 1, 1)}, {10, msg(0x91, 4, 1)}, {20, msg(0x90, 2, 1)}};
  EXPECT_EQ(song->messages, expected);
  EXPECT_EQ(song->length, 110);
}

std::string littleEndian(std::uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

TEST(MidiFileReader, AWrappedFileIsReadFromItsDataChunk) {
  const std::string file = header(0, 1, 96) + track(std::string("\x60\x90\x3C\x40", 4));
  const std::string info = "LIST" + littleEndian(3) + "abc" + '\0';
  const std::string data = "data" + littleEndian(static_cast<std::uint32_t>(file.size())) + file;
  const std::string wrapped =
      "RIFF" + littleEndian(static_cast<std::uint32_t>(4 + info.size() + data.size())) + "RMID" +
      info + data;
  EXPECT_TRUE(platform::isMidiFile(wrapped));
  EXPECT_TRUE(platform::isMidiFile(file));
  EXPECT_FALSE(platform::isMidiFile(std::string("RIFF\0\0\0\0WAVE", 12)));
  EXPECT_FALSE(platform::isMidiFile("RIFF"));
  std::optional<platform::MidiSong> song = read(wrapped);
  ASSERT_TRUE(song);
  EXPECT_EQ(song->messages, (std::vector<TimedMidiMessage>{{500, msg(0x90, 0x3C, 0x40)}}));
  // Without its data chunk, or with one cut short, there is nothing to play.
  EXPECT_FALSE(read("RIFF" + littleEndian(4 + info.size()) + "RMID" + info));
  EXPECT_FALSE(read(wrapped.substr(0, wrapped.size() - 1)));
}

TEST(MidiFileReader, BrokenFilesAreRefused) {
  const std::string ok = header(0, 1, 96) + track(std::string("\x00\x90\x3C\x40", 4) + endOfTrack);
  ASSERT_TRUE(read(ok));
  const std::string fiveByteDelta("\x80\x80\x80\x80\x00\x90\x3C\x40", 8);
  const std::pair<const char*, std::string> broken[] = {
      {"nothing", ""},
      {"a header cut short", ok.substr(0, 12)},
      {"a header too short", "MThd" + bigEndian(4, 4) + bigEndian(0, 2) + bigEndian(1, 2)},
      {"a track cut short", ok.substr(0, ok.size() - 1)},
      {"a track longer than the file", header(0, 1, 96) + "MTrk" + bigEndian(0xFFFFFFFF, 4)},
      {"fewer tracks than announced", header(1, 2, 96) + ok.substr(14)},
      {"no tracks", header(0, 0, 96)},
      {"format 2", header(2, 1, 96) + ok.substr(14)},
      {"division 0", header(0, 1, 0) + ok.substr(14)},
      {"23 frames a second", header(0, 1, 0xE900 | 10) + ok.substr(14)},
      {"no ticks a frame", header(0, 1, 0xE700) + ok.substr(14)},
      {"running status first", header(0, 1, 96) + track(std::string("\x00\x3C\x40", 3))},
      {"a message cut short", header(0, 1, 96) + track(std::string("\x00\x90\x3C", 3))},
      {"a status as data", header(0, 1, 96) + track(std::string("\x00\x90\x3C\x90\x00", 5))},
      {"a system message", header(0, 1, 96) + track(std::string("\x00\xF2\x00\x00", 4))},
      {"a delta of five bytes", header(0, 1, 96) + track(fiveByteDelta)},
      {"a delta cut short", header(0, 1, 96) + track(std::string("\x81", 1))},
      {"a meta past the end", header(0, 1, 96) + track(std::string("\x00\xFF\x01\x7F", 4))},
      {"a sysex past the end",
       header(0, 1, 96) + track(std::string("\x00\xF0\x8F\xFF\xFF\x7F\x01", 7))},
      {"a tempo cut short", header(0, 1, 96) + track(std::string("\x00\xFF\x51\x03\x07", 5))},
  };
  for (const auto& [what, bytes] : broken) EXPECT_FALSE(read(bytes)) << what;
}

TEST(MidiFileReader, TheTickAndEventLimitsAreKept) {
  // Each step is the longest delta there is, then an empty text.
  const std::string step("\xFF\xFF\xFF\x7F\xFF\x01\x00", 7);
  std::string far;
  for (int i = 0; i < 256; ++i) far += step;
  ASSERT_LE(256 * std::int64_t{0x0FFFFFFF}, platform::midiSongTickLimit);
  EXPECT_TRUE(read(header(0, 1, 0x7FFF) + track(far)));
  EXPECT_FALSE(read(header(0, 1, 0x7FFF) + track(far + step)));

  // Note-offs in running status, three bytes each, split over two tracks.
  const std::size_t limit = platform::midiSongEventLimit;
  std::string half = std::string("\x00\x80\x3C\x00", 4);
  for (std::size_t i = 1; i < limit / 2; ++i) half.append("\x00\x3C\x00", 3);
  const std::string full = header(1, 2, 96) + track(half) + track(half);
  std::optional<platform::MidiSong> song = read(full);
  ASSERT_TRUE(song);
  EXPECT_EQ(song->messages.size(), limit);
  const std::string over =
      header(1, 2, 96) + track(half) + track(half + std::string("\x00\x3C\x00", 3));
  EXPECT_FALSE(read(over));
}

// ---- The player -----------------------------------------------------------------------------

using SteadyClock = std::chrono::steady_clock;

// Records each message with the time it came, in milliseconds since `start`.
class TimedDevice : public platform::Midi {
 public:
  SteadyClock::time_point start = SteadyClock::now();
  int deviceCount() override { return 1; }
  bool open() override { return true; }
  bool shortMessage(std::uint32_t message) override {
    std::lock_guard lock(mutex_);
    const auto at =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start);
    received_.push_back({at.count(), message});
    return true;
  }
  std::string errorText() override { return {}; }
  void close() override {}
  std::vector<TimedMidiMessage> received() {
    std::lock_guard lock(mutex_);
    return received_;
  }
  // The notes and the programs of channel 3 but its reset: what the song itself holds.
  std::vector<TimedMidiMessage> music() {
    std::vector<TimedMidiMessage> out;
    for (const TimedMidiMessage& m : received())
      if ((m.message & 0xE0) == 0x80 || ((m.message & 0xFF) == 0xC3 && m.message >> 8 != 0))
        out.push_back(m);
    return out;
  }

 private:
  std::mutex mutex_;
  std::vector<TimedMidiMessage> received_;
};

platform::MidiSong song() {
  return {{{0, msg(0xC3, 40)},
           {0, msg(0x93, 60, 90)},
           {100, msg(0x83, 60, 0)},
           {200, msg(0xC3, 41)},
           {200, msg(0x93, 62, 90)},
           {300, msg(0x83, 62, 0)}},
          300};
}

// How late a message or the end may come on a busy machine.
constexpr std::int64_t lateness = 60;

void waitForEnd(const platform::MidiSongPlayer& player) {
  for (int i = 0; i < 500 && !player.finished(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

TEST(MidiSongPlayer, SendsEachMessageAtItsTimeAndEndsAtTheEnd) {
  TimedDevice device;
  auto player = platform::makeMidiSongPlayer(song(), &device);
  EXPECT_EQ(player->length(), 300);
  device.start = SteadyClock::now();
  player->play(0, 300);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_FALSE(player->finished());
  EXPECT_NEAR(static_cast<double>(player->position()), 150, lateness);
  waitForEnd(*player);
  const auto ended =
      std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - device.start);
  EXPECT_TRUE(player->finished());
  EXPECT_GE(ended.count(), 300);
  EXPECT_LT(ended.count(), 300 + lateness);
  EXPECT_EQ(player->position(), 300);
  const std::vector<TimedMidiMessage> music = device.music();
  ASSERT_EQ(music.size(), 6u);
  for (std::size_t i = 0; i < music.size(); ++i) {
    EXPECT_EQ(music[i].message, song().messages[i].message);
    EXPECT_GE(music[i].milliseconds, song().messages[i].milliseconds);
    EXPECT_LT(music[i].milliseconds, song().messages[i].milliseconds + lateness);
  }
  // Only the notes still held at a stop are cut: an ended play lets its last notes ring.
  const std::size_t before = device.received().size();
  player->stop();
  EXPECT_EQ(device.received().size(), before);
}

TEST(MidiSongPlayer, APlayFromLaterSetsTheProgramsFirstAndEndsAtTo) {
  TimedDevice device;
  auto player = platform::makeMidiSongPlayer(song(), &device);
  device.start = SteadyClock::now();
  player->play(150, 250);
  waitForEnd(*player);
  EXPECT_TRUE(player->finished());
  const std::vector<TimedMidiMessage> music = device.music();
  // The program of the earlier part comes at once, its notes not; the note-off at 300 is past `to`.
  ASSERT_EQ(music.size(), 3u);
  EXPECT_EQ(music[0].message, msg(0xC3, 40));
  EXPECT_LT(music[0].milliseconds, lateness);
  EXPECT_EQ(music[1].message, msg(0xC3, 41));
  EXPECT_EQ(music[2].message, msg(0x93, 62, 90));
  EXPECT_GE(music[2].milliseconds, 50);
  // The channels were reset before anything else: what an earlier play left does not stay.
  EXPECT_EQ(device.received().front().message, msg(0xB0, 121));
}

TEST(MidiSongPlayer, AStopCutsTheSoundingNotesAtOnce) {
  TimedDevice device;
  auto player = platform::makeMidiSongPlayer(song(), &device);
  player->play(0, 300);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto stopping = SteadyClock::now();
  player->stop();
  EXPECT_LT(SteadyClock::now() - stopping, std::chrono::milliseconds(lateness));
  EXPECT_FALSE(player->finished());
  const std::vector<TimedMidiMessage> received = device.received();
  // The last messages silence every channel: all notes off and all sound off.
  ASSERT_GE(received.size(), 32u);
  for (int channel = 0; channel < 16; ++channel) {
    EXPECT_EQ(received[received.size() - 32 + 2 * channel].message, msg(0xB0 | channel, 123));
    EXPECT_EQ(received[received.size() - 31 + 2 * channel].message, msg(0xB0 | channel, 120));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(device.received().size(), received.size());
}

TEST(MidiSongPlayer, WithoutADeviceTheSongKeepsItsPace) {
  auto player = platform::makeMidiSongPlayer(song(), nullptr);
  const auto start = SteadyClock::now();
  player->play(100, 300);
  waitForEnd(*player);
  const auto took = SteadyClock::now() - start;
  EXPECT_TRUE(player->finished());
  EXPECT_GE(took, std::chrono::milliseconds(200));
  EXPECT_LT(took, std::chrono::milliseconds(200 + lateness));
}

}  // namespace
}  // namespace tw::test
