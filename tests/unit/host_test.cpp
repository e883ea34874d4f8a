// The program trailer, the DATA list, the runtime's command line and configuration.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_runtime.h"

namespace tw {
namespace {

host::ProgramImage sampleImage(std::string program) {
  return {std::string(host::defaultFaceName), std::string(host::defaultFontNumbers), std::move(program)};
}

TEST(Trailer, RoundTripsBehindAnyExecutableBytes) {
  host::ProgramImage image = sampleImage("10 A=1\n20 \x10\x10 A\n");
  ASSERT_EQ(image.programText.size(), 15u);
  std::string file = std::string(1000, '\x7F') + *host::makeTrailer(image);
  std::optional<host::ProgramImage> back = host::readTrailer(file);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->programText, image.programText);
  EXPECT_EQ(back->faceName, image.faceName);
  EXPECT_EQ(back->fontNumbers, image.fontNumbers);
}

TEST(Trailer, LayoutOfATypicalTrailer) {
  host::ProgramImage image = sampleImage(std::string(4438, 'x'));
  std::string trailer = *host::makeTrailer(image);
  EXPECT_EQ(trailer.size(), 4480u);
  EXPECT_EQ(static_cast<unsigned char>(trailer[trailer.size() - 2]), 0x11);
  EXPECT_EQ(static_cast<unsigned char>(trailer[trailer.size() - 1]), 0x56);
  EXPECT_EQ(trailer[9], '\x09');            // the face name's length after its 9 bytes
  EXPECT_EQ(trailer[9 + 1 + 29], '\x1D');   // the numbers' length after their 29 bytes
  EXPECT_EQ(host::readTrailer(trailer)->programText.size(), 4438u);
}

TEST(Trailer, FontNumbersFillTheLogfont) {
  auto font = host::parseFont("-16 0 0 0 0 0 0 0 128 0 0 0 0", "face");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->height, -16);
  EXPECT_EQ(font->charSet, 128);
  EXPECT_EQ(font->width + font->weight + font->italic + font->pitchAndFamily, 0);
  EXPECT_EQ(font->faceName, "face");
  auto wrapped = host::parseFont("1 2 3 4 5 257 6 7 8 9 10 11 -1", "");
  ASSERT_TRUE(wrapped);
  EXPECT_EQ(wrapped->italic, 1);  // the low 8 bits
  EXPECT_EQ(wrapped->pitchAndFamily, 255);
}

TEST(Trailer, DamagedTrailersAreRejected) {
  EXPECT_FALSE(host::readTrailer(""));
  EXPECT_FALSE(host::readTrailer("\x01"));
  // Program length reaching before the start of the file.
  EXPECT_FALSE(host::readTrailer(std::string("abc\x01\x00", 5)));
  std::string good = *host::makeTrailer(sampleImage("10 \x10\x78\n"));
  EXPECT_TRUE(host::readTrailer(good));
  // Cut from the front: the face name or its length goes missing.
  EXPECT_FALSE(host::readTrailer(good.substr(9)));
  EXPECT_FALSE(host::readTrailer(good.substr(10)));
  // A face name over 31 bytes.
  host::ProgramImage longFace = sampleImage("10 X\n");
  longFace.faceName = std::string(32, 'f');
  EXPECT_FALSE(host::makeTrailer(longFace));
  std::string forged = std::string(32, 'f') + '\x20' + host::makeTrailer(sampleImage("10 X\n"))->substr(10);
  EXPECT_FALSE(host::readTrailer(forged));
  // Fewer than 13 font numbers.
  host::ProgramImage fewNumbers = sampleImage("10 X\n");
  fewNumbers.fontNumbers = "-16 0 0 0 0 0 0 0 128 0 0 0";
  EXPECT_FALSE(host::readTrailer(*host::makeTrailer(fewNumbers)));
  // An executable without any trailer.
  EXPECT_FALSE(host::readTrailer(std::string(5000, '\0') + "\x7F" "ELF\x02\x01"));
}

std::string dataList(std::string_view program) {
  test::TestRuntime t(program);
  host::buildDataList(t.rt.host);
  return t.rt.host.dataList;
}

TEST(DataList, ItemsLineMarkersAndLabels) {
  EXPECT_EQ(dataList("10 \x10\x63 1, 2\n20 *L: \x10\x63 \"a:b\" ,3\n"),
            "\x01n10,1,2,\x01n20,\x01v*L,\"a:b\",3");
  // Every line gets its marker; blanks inside quotes and inside items stay.
  EXPECT_EQ(dataList("5 A=1\n7 \x10\x63  \" x \" ,a b  ,  c\n"),
            "\x01n5,\x01n7,\" x \",a b,c");
}

TEST(DataList, DataIsFoundOnlyAtAStatementStart) {
  // After a label and its ':' (with blanks) it is found; after another statement's ": " not.
  EXPECT_EQ(dataList("10 *A:\x10\x63 1\n"), "\x01n10,\x01v*A,1");
  EXPECT_EQ(dataList("10 X=1: \x10\x63 2\n"), "\x01n10");
  EXPECT_EQ(dataList("10 X=1:\x10\x63 2:3\n"), "\x01n10,2:3");
  // A label later on the line after ':' gets a marker; a label's text stops at a blank.
  EXPECT_EQ(dataList("10 X=1:*B \x10\x63 4\n"), "\x01n10,\x01v*B");
  // Empty lines at the end add nothing.
  EXPECT_EQ(dataList("10 X=1\n\n\n"), "\x01n10");
}

TEST(DataList, StopsAppendingAtItsBound) {
  std::string program;
  for (int line = 1; line <= 20; ++line)
    program += std::to_string(line) + " \x10\x63 " + std::string(4000, 'd') + "\n";
  test::TestRuntime t;
  t.rt.host.programText = program;
  host::buildDataList(t.rt.host);
  EXPECT_LE(t.rt.host.dataList.size(), host::dataListLimit);
  EXPECT_GT(t.rt.host.dataList.size(), host::dataListLimit - 4100);
  // Whole items only: every item is a line marker or one statement's 4,000 bytes.
  std::string_view list = t.rt.host.dataList;
  for (std::size_t start = 0; start < list.size();) {
    std::size_t end = std::min(list.find(',', start), list.size());
    std::string_view item = list.substr(start, end - start);
    EXPECT_TRUE(item.starts_with("\x01n") || item == std::string(4000, 'd')) << item.substr(0, 8);
    start = end + 1;
  }
  EXPECT_EQ(t.rt.host.dataReadIndex, 0);
}

TEST(CommandLine, OptionsAndErrors) {
  std::string error;
  auto cl = host::parseCommandLine({"--headless", "--client", "800x600", "--screen-dump", "out",
                                    "--settings", "s", "prog.bas"},
                                   error);
  ASSERT_TRUE(cl);
  EXPECT_TRUE(cl->headless);
  EXPECT_EQ(cl->client.width, 800);
  EXPECT_EQ(cl->client.height, 600);
  EXPECT_EQ(cl->display.width, 1024);
  EXPECT_EQ(cl->screenDump, "out");
  EXPECT_EQ(cl->file, "prog.bas");
  EXPECT_FALSE(host::parseCommandLine({"--bogus"}, error));
  EXPECT_FALSE(host::parseCommandLine({"--client", "800"}, error));
  EXPECT_FALSE(host::parseCommandLine({"--display", "0x10"}, error));
  EXPECT_FALSE(host::parseCommandLine({"--screen-dump"}, error));
  EXPECT_FALSE(host::parseCommandLine({"a.bas", "b.bas"}, error));
  EXPECT_TRUE(host::parseCommandLine({}, error));
}

// The Windows command line splits as the C run-time splits it; words cross as UTF-8.
TEST(WideCommandLine, QuotesBackslashesAndNonAsciiWords) {
  using V = std::vector<std::string>;
  EXPECT_EQ(host::splitCommandLine(u"\"C:\\Program Files\\app.exe\" --box-log \"a b.txt\""),
            (V{"C:\\Program Files\\app.exe", "--box-log", "a b.txt"}));
  // The program's name keeps its backslashes; the others halve them before a quote.
  EXPECT_EQ(host::splitCommandLine(u"C:\\x\\app.exe a\\\\\"b c\" d\\\"e f\\g"),
            (V{"C:\\x\\app.exe", "a\\b c", "d\"e", "f\\g"}));
  EXPECT_EQ(host::splitCommandLine(u"app \"x\"\"y\" \t \"\""), (V{"app", "x\"y", ""}));
  EXPECT_EQ(host::splitCommandLine(u"app \u65E5\u672C.txt"), (V{"app", "\u65E5\u672C.txt"}));
  EXPECT_EQ(host::splitCommandLine(u""), (V{""}));
}

TEST(WideCommandLine, TheTrailersFontBecomesALogfont) {
  auto font = host::parseFont("-16 0 0 0 400 1 0 0 128 0 0 0 49", host::defaultFaceName);
  ASSERT_TRUE(font);
  platform::LogFont lf = host::logFont(*font);
  EXPECT_EQ(lf.height, -16);
  EXPECT_EQ(lf.weight, 400);
  EXPECT_EQ(lf.italic, 1);
  EXPECT_EQ(lf.charSet, 128);
  EXPECT_EQ(lf.pitchAndFamily, 49);
  EXPECT_EQ(lf.faceName, u"\uFF2D\uFF33 \u660E\u671D");
  // A byte without a character is kept visible; a face name stays within the LOGFONT's field.
  font->faceName = "a\x81";
  EXPECT_EQ(host::logFont(*font).faceName, u"a\uFFFD");
  font->faceName = std::string(40, 'b');
  EXPECT_EQ(host::logFont(*font).faceName.size(), platform::logFontFaceLimit);
}

class MemorySettings : public platform::Settings {
 public:
  std::optional<std::string> value;
  std::optional<std::string> read() override { return value; }
  bool write(std::string_view v) override {
    value = std::string(v);
    return true;
  }
};

TEST(Configuration, SerialDefaultsAreStoredAndPartialValuesKeepTheRest) {
  test::TestRuntime t;
  MemorySettings settings;
  t.rt.sys.settings = &settings;
  host::loadConfiguration(t.rt);
  EXPECT_EQ(settings.value, "1 9600 8 0 0 1 0");
  EXPECT_EQ(t.rt.host.serial.baudRate, 9600);
  settings.value = "3 19200";
  host::loadConfiguration(t.rt);
  EXPECT_EQ(t.rt.host.serial.port, 3);
  EXPECT_EQ(t.rt.host.serial.baudRate, 19200);
  EXPECT_EQ(t.rt.host.serial.dataBits, 8);
  EXPECT_TRUE(t.rt.host.serial.xonXoff);
  EXPECT_FALSE(t.rt.host.serial.rtsCts);
}


// ---- The tarnwick command, run as a process ---------------------------------------------------

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out, err, dump;
};

class TarnwickCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tw-host-test-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path write(const std::string& name, std::string_view bytes) {
    fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  Outcome run(const std::string& args) {
    fs::path out = dir_ / "stdout", err = dir_ / "stderr", dump = dir_ / "dump";
    std::string command = std::string(TW_BUILD_DIR) + "/tarnwick --settings '" +
                          (dir_ / "settings").string() + "' --screen-dump '" + dump.string() +
                          "' " + args + " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'";
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(out), read(err), read(dump)};
  }
  std::string app(std::string_view program) {
    return write("app", "not an executable\n" + *host::makeTrailer(sampleImage(std::string(program)))).string();
  }
  fs::path dir_;
};

TEST_F(TarnwickCommand, RunsAnApplicationAndDumpsTheScreen) {
  Outcome o = run("--headless " + app("10 \x10\x10 \"hello\"\n20 \x10\x78\n30 \x10\x10 \"never\"\n"));
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.dump, "hello\n");
  EXPECT_EQ(o.out, "hello\n");
  EXPECT_EQ(o.err, "");
}

TEST_F(TarnwickCommand, AnErrorReportEndsWithStatusOne) {
  Outcome o = run("--headless " + app("10 \x10\x10 \"a\"\n20 \x10\x22\n"));
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "[Basic - Error] \x10\" 無効な識別子です  Error line:20\n");
  EXPECT_EQ(o.dump, "a\n");
}

TEST_F(TarnwickCommand, DamagedOrMissingProgramsAreNotLoaded) {
  Outcome damaged = run("--headless " + write("junk", "no trailer here").string());
  EXPECT_EQ(damaged.status, 2);
  EXPECT_EQ(damaged.err, "[Error] ﾌｧｲﾙ ｼｽﾃﾑ ｴﾗｰ\n");
  EXPECT_EQ(damaged.dump, "");
  EXPECT_EQ(run("--headless " + (dir_ / "absent").string()).status, 2);
  EXPECT_EQ(run("--headless").status, 2);
}

TEST_F(TarnwickCommand, CommandLineMistakesAndInformation) {
  Outcome bad = run("--frobnicate x.bas");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("unknown option --frobnicate"), std::string::npos);
  Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: tarnwick"), std::string::npos);
  EXPECT_EQ(run("--version").out, "tarnwick 0.1.0\n");
}

TEST_F(TarnwickCommand, RunsSourceFilesAndReportsBuildErrors) {
  Outcome ok = run("--headless " + write("p.bas", "10 PRINT \"日本\"\r\n20 END\r\n").string());
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.dump, test::sjis("日本\n"));
  EXPECT_EQ(ok.out, "日本\n");
  Outcome bad = run("--headless " + write("q.bas", "10 PRINT 1\n5 END\n").string());
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("q.bas:2:"), std::string::npos);
}

// The settings file keeps its other lines; the RS232C line is added with the default once and
// then left as the user wrote it.
TEST_F(TarnwickCommand, TheSettingsFileGainsTheSerialLine) {
  const std::string program = write("p.bas", "10 END\n").string();
  write("settings", "COM1=/dev/ttyUSB0\n");
  EXPECT_EQ(run("--headless " + program).status, 0);
  EXPECT_EQ(read(dir_ / "settings"), "COM1=/dev/ttyUSB0\nRS232C=1 9600 8 0 0 1 0\n");
  write("settings", "RS232C=3 19200\r\n");
  EXPECT_EQ(run("--headless " + program).status, 0);
  EXPECT_EQ(read(dir_ / "settings"), "RS232C=3 19200\r\n");
}

}  // namespace
}  // namespace tw
