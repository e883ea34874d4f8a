// MCI and BEEP: the statement against a recording device, the reader of the command subset, and
// the Linux mixer for real through the tarnwick command (SDL's silent output without a device).
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_runtime.h"

namespace tw::test {
namespace {

// Records the commands; a command in `failing` gives error 7, whose text is "装置の異常".
class RecordingMci : public platform::Mci {
 public:
  struct Call {
    std::string command;
    bool notify;
  };
  std::vector<Call> calls;
  std::string failing;
  int beeps = 0;
  // When set, a command with notify delivers its notice at once through the window.
  platform::Window* window = nullptr;

  std::uint32_t sendString(std::string_view command, bool notify, std::string_view,
                           const std::atomic<bool>&) override {
    calls.push_back({std::string(command), notify});
    if (command == failing) return 7;
    if (notify && window) window->send({platform::Msg::MciNotify});
    return 0;
  }
  std::string errorString(std::uint32_t code) override {
    return code == 7 ? sjis("装置の異常") : "?";
  }
  void beep() override { ++beeps; }
};

struct MciRuntime : TestRuntime {
  RecordingMci mci;
  explicit MciRuntime(std::string_view program) : TestRuntime(program) {
    rt.sys.mci = &mci;
    mci.window = &window;
  }
};

TEST(MciStatement, TheCommandIsEvaluatedAndTheVariableIsSetByTheNotice) {
  MciRuntime t(
      "10 F=0:G=5\n"
      "20 \x10\x50 \"play \"+\"x notify\", F\n"
      "30 \x10\x10 F;G\n"
      "40 \x10\x50 \"open \"+CHR$(34)+\"a b.wav\"+CHR$(34)\n"
      "50 \x10\x10 F\n");
  t.run();
  ASSERT_EQ(t.mci.calls.size(), 2u);
  EXPECT_EQ(t.mci.calls[0].command, "play x notify");
  EXPECT_TRUE(t.mci.calls[0].notify);
  EXPECT_EQ(t.mci.calls[1].command, "open \"a b.wav\"");
  EXPECT_FALSE(t.mci.calls[1].notify);
  EXPECT_EQ(t.screen(), " 1 5\n 1\n");
  // A statement without a variable keeps the assignment of the last one that named one.
  EXPECT_EQ(t.rt.sound.mciNotifyAssignment, " F=1");
}

TEST(MciStatement, CommasInQuotesAndParenthesesDoNotEndTheCommand) {
  MciRuntime t(
      "10 \x10\x60 S$(2,2)\n"
      "20 S$(1,2)=\"stop a,b\"\n"
      "30 \x10\x50 S$(1,2)\n"
      "40 \x10\x50 \"seek a,b\", N(2)\n");
  t.run();
  ASSERT_EQ(t.mci.calls.size(), 2u);
  EXPECT_EQ(t.mci.calls[0].command, "stop a,b");
  EXPECT_FALSE(t.mci.calls[0].notify);
  EXPECT_EQ(t.mci.calls[1].command, "seek a,b");
  EXPECT_TRUE(t.mci.calls[1].notify);
  EXPECT_EQ(t.rt.sound.mciNotifyAssignment, " N(2)=1");
}

TEST(MciStatement, ARejectedCommandEndsTheProgramWithTheDevicesText) {
  MciRuntime t("10 \x10\x50 \"bad\"\n20 \x10\x10 \"never\"\n");
  t.mci.failing = "bad";
  t.run();
  EXPECT_EQ(t.lastBox(), "[Basic - Error] MCI エラー:装置の異常  Error line:10");
  EXPECT_EQ(t.screen(), "");
}

TEST(MciStatement, NoticesWaitForTheInterpreterAndItsStart) {
  MciRuntime t("10 \x10\x10 V\n");
  t.rt.sound.mciNotifyAssignment = "V=1";
  // Before the run loop has started a notice is dropped.
  t.window.send({platform::Msg::MciNotify});
  EXPECT_TRUE(t.rt.sound.mciNotices.empty());
  t.rt.interp.interpreterStarted = true;
  for (std::size_t i = 0; i < sound::mciNoticeLimit + 5; ++i)
    t.window.send({platform::Msg::MciNotify});
  EXPECT_EQ(t.rt.sound.mciNotices.size(), sound::mciNoticeLimit);
  // The window procedure itself stores nothing: the interpreter thread runs the assignments.
  std::string value;
  ASSERT_TRUE(expr::readVariable(t.rt, "V", value));
  EXPECT_EQ(value, "0");
  sound::runMciNotices(t.rt);
  ASSERT_TRUE(expr::readVariable(t.rt, "V", value));
  EXPECT_EQ(value, "1");
  EXPECT_TRUE(t.rt.sound.mciNotices.empty());
}

TEST(MciStatement, BeepIgnoresItsArgument) {
  MciRuntime t("10 \x10\x70\n20 \x10\x70 1,2\n");
  t.run();
  EXPECT_EQ(t.mci.beeps, 2);
  EXPECT_TRUE(t.window.boxes.empty());
}

// ---- The command subset --------------------------------------------------------------------

platform::MciCommand parsed(std::string_view text) {
  platform::MciError error = platform::MciOk;
  std::optional<platform::MciCommand> c = platform::parseMciCommand(text, error);
  EXPECT_TRUE(c) << text << " gave error " << error;
  return c.value_or(platform::MciCommand{});
}

platform::MciError refused(std::string_view text) {
  platform::MciError error = platform::MciOk;
  EXPECT_FALSE(platform::parseMciCommand(text, error)) << text;
  return error;
}

TEST(MciCommand, ReadsTheSubset) {
  platform::MciCommand open = parsed("OPEN  \"my music\\a b.wav\"\tType WaveAudio ALIAS bgm");
  EXPECT_EQ(open.verb, platform::MciVerb::Open);
  EXPECT_EQ(open.device, "my music\\a b.wav");
  EXPECT_EQ(open.type, "waveaudio");
  EXPECT_EQ(open.alias, "bgm");

  platform::MciCommand play = parsed("play bgm from 250 to 1000 notify wait");
  EXPECT_EQ(play.verb, platform::MciVerb::Play);
  EXPECT_EQ(play.from, 250);
  EXPECT_EQ(play.to, 1000);
  EXPECT_TRUE(play.notify && play.wait);
  EXPECT_FALSE(parsed("play bgm").from);

  EXPECT_EQ(parsed("seek bgm to start").seek, platform::MciSeekTarget::Start);
  EXPECT_EQ(parsed("seek bgm to END").seek, platform::MciSeekTarget::End);
  platform::MciCommand seek = parsed("seek bgm to 1500");
  EXPECT_EQ(seek.seek, platform::MciSeekTarget::Position);
  EXPECT_EQ(seek.seekPosition, 1500);
  EXPECT_EQ(parsed("status bgm position").item, platform::MciStatusItem::Position);
  EXPECT_EQ(parsed("close all").device, "all");
  EXPECT_TRUE(parsed("stop bgm notify").notify);
  EXPECT_EQ(parsed("resume bgm").verb, platform::MciVerb::Resume);
  EXPECT_EQ(parsed("pause bgm").verb, platform::MciVerb::Pause);
}

TEST(MciCommand, RefusesWhatIsNotInTheSubset) {
  EXPECT_EQ(refused(""), platform::MciUnknownCommand);
  EXPECT_EQ(refused("set cdaudio door open"), platform::MciUnknownCommand);
  EXPECT_EQ(refused("play"), platform::MciMissingParameter);
  EXPECT_EQ(refused("open \"\""), platform::MciMissingParameter);
  EXPECT_EQ(refused("open a.wav alias"), platform::MciMissingParameter);
  EXPECT_EQ(refused("play a from"), platform::MciMissingParameter);
  EXPECT_EQ(refused("seek a"), platform::MciMissingParameter);
  EXPECT_EQ(refused("status a"), platform::MciMissingParameter);
  EXPECT_EQ(refused("play a from -5"), platform::MciBadParameter);
  EXPECT_EQ(refused("play a to 1000000000"), platform::MciBadParameter);
  EXPECT_EQ(refused("play a repeat"), platform::MciBadParameter);
  EXPECT_EQ(refused("seek a to middle"), platform::MciBadParameter);
  EXPECT_EQ(refused("status a volume"), platform::MciBadParameter);
  EXPECT_EQ(refused("stop a from 5"), platform::MciBadParameter);
  // Every code has a text of its own.
  EXPECT_EQ(platform::cp932ToUtf8(platform::mciErrorText(platform::MciUnknownCommand)),
            "認識できないコマンドです。");
  EXPECT_NE(platform::mciErrorText(platform::MciFileUnreadable),
            platform::mciErrorText(platform::MciUnknownDevice));
}

// ---- The mixer, for real --------------------------------------------------------------------

namespace fs = std::filesystem;

// A silent WAV file of 16-bit mono samples at 22,050 Hz.
std::string silentWav(int milliseconds) {
  const std::uint32_t dataBytes = 22050u * 2 * static_cast<std::uint32_t>(milliseconds) / 1000;
  std::string w;
  auto u32 = [&w](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) w.push_back(static_cast<char>(v >> (8 * i)));
  };
  auto u16 = [&w](std::uint16_t v) {
    w.push_back(static_cast<char>(v));
    w.push_back(static_cast<char>(v >> 8));
  };
  w += "RIFF";
  u32(36 + dataBytes);
  w += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(22050 * 2);
  u16(2);
  u16(16);
  w += "data";
  u32(dataBytes);
  w.append(dataBytes, '\0');
  return w;
}

class MixerMci : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tw-mci-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "sounds");
    std::ofstream(dir_ / "sounds" / "tone.wav", std::ios::binary) << silentWav(400);
    // A MIDI file of 600 ms: a program, then one note held to the end.
    std::ofstream(dir_ / "sounds" / "song.mid", std::ios::binary)
        << platform::standardMidiFile({{0, 0x0BC0}, {0, 0x503C90}, {600, 0x003C80}});
    std::ofstream(dir_ / "sounds" / "broken.mid", std::ios::binary) << "MThd";  // cut short
  }
  void TearDown() override { fs::remove_all(dir_); }

  struct Outcome {
    int status;
    std::string out, err;
    double seconds;
  };
  Outcome run(const std::string& source) {
    std::ofstream(dir_ / "prog.bas", std::ios::binary) << source;
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    // Under the sanitizers, what the sound libraries keep for the process is not reported.
    const std::string command = "LSAN_OPTIONS=print_suppressions=0:suppressions='" +
                                std::string(TW_SOURCE_DIR) + "/tests/unit/sound_libraries.supp' " +
                                std::string(TW_BUILD_DIR) + "/tarnwick --headless --settings '" +
                                (dir_ / "settings").string() + "' '" +
                                (dir_ / "prog.bas").string() + "' </dev/null >'" + out.string() +
                                "' 2>'" + err.string() + "'";
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(command.c_str());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(out), read(err), took.count()};
  }
  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  fs::path dir_;
};

TEST_F(MixerMci, PlaysWithANoticeWhileTheProgramRunsOnAndWaits) {
  Outcome o =
      run("10 MCI \"open sounds\\tone.wav alias t\"\n"
          "20 MCI \"play t notify\", F\n"
          "30 PRINT \"started\";F\n"
          "40 N=0\n"
          "50 WHILE F=0 AND N<300: SLEEP 10: N=N+1: WEND\n"
          "60 PRINT \"ended\";F\n"
          "70 MCI \"play t from 100 wait\"\n"
          "80 MCI \"close all\"\n"
          "90 BEEP\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "started 0\nended 1\n");
  EXPECT_EQ(o.err, "");
  // The notice came after the sound's 400 ms, the wait took its 300 ms more.
  EXPECT_GE(o.seconds, 0.65);
}

TEST_F(MixerMci, AFailingCommandEndsTheProgramWithItsText) {
  Outcome unknown = run("10 MCI \"rewind t\"\n20 PRINT \"never\"\n");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "[Basic - Error] MCI エラー:認識できないコマンドです。  Error line:10\n");
  Outcome missing = run("10 MCI \"open nothing.wav\"\n");
  EXPECT_EQ(
      missing.err,
      "[Basic - Error] MCI エラー:ファイルが見つからないか、読み込めません。  Error line:10\n");
  Outcome alias = run("10 MCI \"open sounds/tone.wav alias t\"\n20 MCI \"play u\"\n");
  EXPECT_EQ(alias.err,
            "[Basic - Error] MCI エラー:指定されたデバイスは開かれていません。  Error line:20\n");
}

TEST_F(MixerMci, AMidiFileGivesItsNoticeAtItsEndAndWaitsItsTime) {
  Outcome o =
      run("10 MCI \"open sounds\\song.mid alias m\"\n"
          "20 MCI \"play m notify\", F\n"
          "30 N=0\n"
          "40 WHILE F=0 AND N<500: SLEEP 10: N=N+1: WEND\n"
          "50 IF N<80 THEN PRINT \"in time\";F ELSE PRINT \"late\";N\n"
          "60 MCI \"play m from 300 wait\"\n"
          "70 MCI \"close m\"\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "in time 1\n");
  EXPECT_EQ(o.err, "");
  // The notice after the file's 600 ms, the wait for the 300 ms from the middle.
  EXPECT_GE(o.seconds, 0.9);
}

TEST_F(MixerMci, AMidiFileSeeksAndPlaysAnyRangeWithinItsLength) {
  Outcome o =
      run("10 MCI \"open sounds/song.mid type sequencer alias m\"\n"
          "20 MCI \"seek m to end\": MCI \"seek m to 600\": MCI \"status m length\"\n"
          "30 MCI \"play m from 550 to 600 wait\": MCI \"play m from 0 to 50 wait\"\n"
          "40 MCI \"play m\": MCI \"pause m\": MCI \"resume m\": MCI \"status m position\"\n"
          "50 MCI \"seek m to start\": MCI \"play m\": MCI \"stop m\"\n"
          "60 PRINT \"ok\"\n"
          "70 MCI \"play m from 601\"\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "ok\n");
  EXPECT_EQ(o.err, "[Basic - Error] MCI エラー:指定された位置が範囲外です。  Error line:70\n");
  Outcome seek = run("10 MCI \"open sounds/song.mid alias m\"\n20 MCI \"seek m to 601\"\n");
  EXPECT_EQ(seek.err, "[Basic - Error] MCI エラー:指定された位置が範囲外です。  Error line:20\n");
  Outcome broken = run("10 MCI \"open sounds/broken.mid alias b\"\n");
  EXPECT_EQ(broken.err,
            "[Basic - Error] MCI エラー:この種類のファイルは再生できません。  Error line:10\n");
}

}  // namespace
}  // namespace tw::test
