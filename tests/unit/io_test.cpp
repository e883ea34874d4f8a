// Unit tests of io/: the reading and writing of channels that the PRINT # and INPUT # statements
// call (their statements are built elsewhere), the bytes read ahead and given back, EOF and LOF,
// the resolution of names, the files of this system (no sharing, no truncation), serial ports on
// channels against a port double, and a runtime without files. The statements themselves are
// tested as programs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/unit/test_runtime.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr const char* accessError = "ﾌｧｲﾙへのｱｸｾｽ ｴﾗｰです";
constexpr const char* openError = "ﾌｧｲﾙをｵｰﾌﾟﾝできません";
constexpr const char* outOfRange = "指定すべき数値の範囲ではありません";
constexpr const char* syntaxError = "文法が間違っています";
constexpr const char* memoryRange = "ﾒﾓﾘの指定範囲を超えています";

// The files of this system, with failures to order and a count of the reads asked of them.
class FaultyFiles : public platform::Files {
 public:
  std::unique_ptr<platform::Files> real = platform::makeFiles();
  bool failReads = false, failWrites = false;
  long long sizeOverride = -2;  // -2: the real size
  int reads = 0;

  platform::FileHandle open(std::string_view name, platform::FileAccess access,
                            platform::FileCreate create) override {
    return real->open(name, access, create);
  }
  long long read(platform::FileHandle f, void* buffer, std::size_t count) override {
    ++reads;
    return failReads ? -1 : real->read(f, buffer, count);
  }
  long long write(platform::FileHandle f, const void* data, std::size_t count) override {
    return failWrites ? -1 : real->write(f, data, count);
  }
  long long seek(platform::FileHandle f, long long offset, platform::SeekFrom from) override {
    return real->seek(f, offset, from);
  }
  long long size(platform::FileHandle f) override {
    return sizeOverride != -2 ? sizeOverride : real->size(f);
  }
  bool close(platform::FileHandle f) override { return real->close(f); }
  bool remove(std::string_view name) override { return real->remove(name); }
  bool makeDirectory(std::string_view name) override { return real->makeDirectory(name); }
  bool list(std::string_view pattern, std::vector<platform::DirEntry>& entries) override {
    return real->list(pattern, entries);
  }
};

class Io : public ::testing::Test {
 protected:
  test::TestRuntime t;
  Runtime& rt = t.rt;
  FaultyFiles files;
  fs::path folder;

  Io() {
    folder = fs::temp_directory_path() / ("tw-io-test-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    rt.sys.files = &files;
    rt.host.programDir = folder.string();
  }
  ~Io() override {
    io::closeAllChannels(rt);
    fs::remove_all(folder);
  }

  void writeFile(const std::string& name, std::string_view bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
  std::string readFile(const std::string& name) {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // OPEN with its argument text; no box expected.
  void open(std::string_view argument) {
    io::openStatement(rt, argument);
    expectNoBox();
  }
  void input(std::string_view argument, bool lineMode = false) {
    io::inputFromChannel(rt, argument, lineMode);
  }
  std::string value(std::string_view reference) {
    std::string out;
    EXPECT_TRUE(expr::readVariable(rt, reference, out)) << reference;
    return out;
  }
  void expectBox(std::string_view message) { t.expectOneBox(message); }
  void expectNoBox() { EXPECT_TRUE(t.takeBoxes().empty()); }
};

// ---- OPEN and CLOSE texts -----------------------------------------------------------------------

TEST_F(Io, OpenClausesAndChannels) {
  for (const char* text :
       {"\"a.txt\" FOR OUTPUT AS #1", "\"a.txt\" for Output as 1", "\"a.txt\"\tFOR\tINPUT\tAS\t#1",
        "\"a\" + \".txt\"  FOR OUTPUT  AS  #1", "A$ AS 1"}) {
    expr::storeVariable(rt, "A$", "\"a.txt\"");
    open(text);
    EXPECT_NE(rt.io.channelHandles[0], platform::invalidFile) << text;
  }
  const std::vector<std::pair<const char*, const char*>> failures{
      {"\"a.txt\" FOR APPEND AS #1", "APPEND 無効な識別子です"},
      {"\"a.txt\" AS #10", outOfRange},
      {"\"a.txt\" AS #0", outOfRange},
      {"\"a.txt\" AS #1 ", outOfRange},
      {"\"a.txt\" AS #", outOfRange},
      {"\"a.txt\" AS # 1", outOfRange},
      {"\"a.txt\"", syntaxError},
      {"\"a.txt\" ", syntaxError},
      {"\"a.txt\" FOR OUTPUT", syntaxError},
      {"\"a.txt\" FOR OUTPUT #1", syntaxError},
      {"\"a.txt\" FORM AS 1", syntaxError},
      {"\"a.txt\" #1", syntaxError},
      {"5 AS 1", "型が違います"},
      {"\"COM1:N81N\" AS 1", openError},
      {"\"com:\" AS 1", openError},
  };
  for (const auto& [text, message] : failures) {
    io::openStatement(rt, text);
    SCOPED_TRACE(text);
    expectBox(message);
  }
}

TEST_F(Io, CloseStopsAtAFaultyItem) {
  open("\"a.txt\" AS 1");
  open("\"b.txt\" AS 2");
  open("\"c.txt\" AS 3");
  rt.interp.errorHandlerStmt = "*handler";  // runs instead of the report, so END closes nothing
  io::closeStatement(rt, "#1,#22,#3");
  EXPECT_EQ(rt.io.channelHandles[0], platform::invalidFile);
  EXPECT_NE(rt.io.channelHandles[1], platform::invalidFile);
  EXPECT_NE(rt.io.channelHandles[2], platform::invalidFile);
  rt.interp.errorHandlerStmt.clear();
  for (const char* text : {"#0", "1,", "#", "x"}) {
    io::closeStatement(rt, text);
    SCOPED_TRACE(text);
    expectBox(outOfRange);
  }
}

TEST_F(Io, NamesPastTheLimitAreRefused) {
  rt.host.programDir = ".";
  std::string name(259 - 2 + 1, 'n');
  io::openStatement(rt, "\"" + name + "\" AS 1");
  expectBox(openError);
  io::killStatement(rt, "\"" + name + "\"");
  expectBox(accessError);
}

// ---- Writing ------------------------------------------------------------------------------------

TEST_F(Io, WritingOverwritesFromTheStartAndEndsLinesWithCrLf) {
  writeFile("ten.txt", "0123456789");
  open("\"ten.txt\" FOR OUTPUT AS #1");
  EXPECT_EQ(readFile("ten.txt"), "0123456789");  // OPEN never truncates
  EXPECT_TRUE(io::writeLine(rt, 1, "AB\n"));
  EXPECT_TRUE(io::writeLine(rt, 1, "c"));
  EXPECT_TRUE(io::writeLine(rt, 1, ""));
  EXPECT_EQ(io::lengthOfFile(rt, 1), 10);
  io::closeStatement(rt, "#1");
  // Only the line's final LF becomes CR LF.
  EXPECT_EQ(readFile("ten.txt"), "AB\r\nc56789");
  open("\"two.txt\" AS 2");
  EXPECT_TRUE(io::writeLine(rt, 2, "a\nb\n"));
  io::closeAllChannels(rt);
  EXPECT_EQ(readFile("two.txt"), "a\nb\r\n");
  expectNoBox();
}

TEST_F(Io, WriteFailures) {
  EXPECT_FALSE(io::writeLine(rt, 3, "x\n"));  // not open
  expectBox(accessError);
  EXPECT_FALSE(io::writeLine(rt, 0, "x\n"));
  expectBox(outOfRange);
  open("\"in.txt\" FOR INPUT AS #1");
  EXPECT_FALSE(io::writeLine(rt, 1, "x\n"));  // opened for reading only
  expectBox(accessError);
  open("\"out.txt\" FOR OUTPUT AS #2");
  files.failWrites = true;
  EXPECT_FALSE(io::writeLine(rt, 2, "x\n"));
  expectBox(accessError);
}

// ---- Reading fields -----------------------------------------------------------------------------

TEST_F(Io, FieldsEndAtCommasAndLineEnds) {
  writeFile("f.txt", "x,y\r\n42\r\na,\"b\"\r\nlast");
  open("\"f.txt\" FOR INPUT AS #1");
  input("#1,A$,B$");
  EXPECT_EQ(value("A$"), "\"x\"");
  EXPECT_EQ(value("B$"), "\"y\"");
  input("#1,N");
  EXPECT_EQ(value("N"), "42");
  input("#1,L$", true);  // a whole line, comma and quotes included
  EXPECT_EQ(value("L$"), "\"a,\001Db\001D\"");
  input("#1,E$");  // the end of the file ends the last field
  EXPECT_EQ(value("E$"), "\"last\"");
  EXPECT_EQ(io::endOfFile(rt, 1), -1);
  expectNoBox();
  input("#1,Z$");  // nothing left before the field
  expectBox(accessError);
}

TEST_F(Io, CrAloneEndsAFieldAndLfAloneDoesNot) {
  writeFile("f.txt", "a\rb,c\nd\r\n\r\nq\r");
  open("\"f.txt\" AS #1");
  input("#1,A$,B$,C$,D$,Q$");
  EXPECT_EQ(value("A$"), "\"a\"");
  EXPECT_EQ(value("B$"), "\"b\"");  // the byte after a lone CR begins the next field
  EXPECT_EQ(value("C$"), "\"c\nd\"");
  EXPECT_EQ(value("D$"), "\"\"");   // an empty line is an empty field
  EXPECT_EQ(value("Q$"), "\"q\"");  // CR as the file's last byte
  EXPECT_EQ(io::endOfFile(rt, 1), -1);
  expectNoBox();
}

TEST_F(Io, FieldBytesThatWouldBreakAStringBecomeEscapePairs) {
  // A pair already in the file (PRINT # writes strings so) passes as it is.
  writeFile("f.txt", std::string("say \"hi\"\001D\0!\r\n", 14));
  open("\"f.txt\" AS #1");
  input("#1,S$");
  EXPECT_EQ(value("S$"), "\"say \001Dhi\001D\001D\001Z!\"");
  expectNoBox();
}

TEST_F(Io, ALongFieldIsReadToItsEndAndRefusedAsAString) {
  writeFile("f.txt", std::string(8189, 'a') + "\r\n" + std::string(9000, '7') + "\r\nnext\r\n" +
                         std::string(8190, 'b') + "\r\n");
  open("\"f.txt\" AS #1");
  input("#1,A$,N,C$");
  EXPECT_EQ(value("A$").size(), 8191u);
  EXPECT_EQ(value("C$"), "\"next\"");
  expectNoBox();
  input("#1,B$");
  expectBox(memoryRange);
}

// An error ends the program, which closes the channels; each case therefore stands alone.
TEST_F(Io, ChannelAndCommaAreChecked) {
  input("#0,A");
  expectBox(outOfRange);
  input("#A");
  expectBox(outOfRange);
  input("#1A");
  expectBox(syntaxError);
  input("#1");
  expectBox(syntaxError);
  input("#2,A");  // not open
  expectBox(accessError);
  writeFile("f.txt", "1,2\r\n");
  open("\"f.txt\" AS #1");
  input("#1,A,B");
  EXPECT_EQ(value("B"), "2");
  expectNoBox();
}

TEST_F(Io, ReadFailureIsAnAccessError) {
  writeFile("f.txt", "1\r\n");
  for (bool lineMode : {false, true}) {
    open("\"f.txt\" AS #1");
    files.failReads = true;
    input("#1,A", lineMode);
    expectBox(accessError);
  }
  open("\"f.txt\" AS #1");
  EXPECT_EQ(io::endOfFile(rt, 1), 0);
  expectBox(accessError);
}

// ---- Reading ahead ------------------------------------------------------------------------------

TEST_F(Io, FieldsAreReadInBlocksNotByteByByte) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += std::to_string(i) + "\r\n";
  writeFile("f.txt", text);
  open("\"f.txt\" FOR INPUT AS #1");
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(io::endOfFile(rt, 1), 0);
    input("#1,N");
    ASSERT_EQ(value("N"), std::to_string(i));
  }
  EXPECT_EQ(io::endOfFile(rt, 1), -1);
  EXPECT_LT(files.reads, 10);
  expectNoBox();
}

TEST_F(Io, AWriteAfterAReadLandsWhereTheProgramStopped) {
  writeFile("f.txt", "abc,def\r\n");
  open("\"f.txt\" AS #1");
  input("#1,A$");
  EXPECT_EQ(io::endOfFile(rt, 1), 0);
  EXPECT_TRUE(io::writeLine(rt, 1, "XY"));
  input("#1,B$");
  EXPECT_EQ(value("B$"), "\"f\"");
  io::closeAllChannels(rt);
  EXPECT_EQ(readFile("f.txt"), "abc,XYf\r\n");
  expectNoBox();
}

TEST_F(Io, ReopeningForgetsTheBytesReadAhead) {
  writeFile("a.txt", "1,2\r\n");
  writeFile("b.txt", "3\r\n");
  open("\"a.txt\" AS #1");
  input("#1,A");
  open("\"b.txt\" AS #1");
  input("#1,B");
  EXPECT_EQ(value("B"), "3");
  expectNoBox();
}

// ---- EOF and LOF --------------------------------------------------------------------------------

TEST_F(Io, EndOfFileAndLength) {
  for (int channel : {0, 10, -1}) {
    EXPECT_EQ(io::endOfFile(rt, channel), 0);
    expectBox(accessError);
    EXPECT_EQ(io::lengthOfFile(rt, channel), 0);
    expectBox(accessError);
  }
  EXPECT_EQ(io::endOfFile(rt, 4), 0);  // not open: the read fails
  expectBox(accessError);
  EXPECT_EQ(io::lengthOfFile(rt, 4), -1);
  open("\"new.txt\" FOR INPUT AS #4");  // created empty
  EXPECT_TRUE(fs::exists(folder / "new.txt"));
  EXPECT_EQ(io::endOfFile(rt, 4), -1);
  EXPECT_EQ(io::lengthOfFile(rt, 4), 0);
  open("\"out.txt\" FOR OUTPUT AS #5");
  files.sizeOverride = (1LL << 32) + 5;
  EXPECT_EQ(io::lengthOfFile(rt, 5), 5);  // the low 32 bits
  files.sizeOverride = 0xFFFFFFFELL;
  EXPECT_EQ(io::lengthOfFile(rt, 5), -2);
  expectNoBox();
  EXPECT_EQ(io::endOfFile(rt, 5), 0);  // a file opened for writing cannot be read
  expectBox(accessError);
}

// ---- Names --------------------------------------------------------------------------------------

TEST_F(Io, RelativeNamesGoToTheProgramFolder) {
  rt.host.programDir = "C:\\prog";
  auto resolved = [&](std::string name) {
    EXPECT_TRUE(io::resolvePath(rt, name));
    return name;
  };
  EXPECT_EQ(resolved("sub\\x.txt"), "C:\\prog\\sub\\x.txt");
  EXPECT_EQ(resolved("D:\\x.txt"), "D:\\x.txt");
  EXPECT_EQ(resolved("\\\\server\\x"), "\\\\server\\x");
  EXPECT_EQ(resolved("/tmp/x"), "/tmp/x");
  // 0x95 0x5C is one character whose second byte is no backslash.
  EXPECT_EQ(resolved("\x95\x5C\\x"), "C:\\prog\\\x95\x5C\\x");
  std::string name(259 - 8, 'n');
  EXPECT_TRUE(io::resolvePath(rt, name));
  EXPECT_EQ(name.size(), 259u);
  name.assign(259 - 7, 'n');
  EXPECT_FALSE(io::resolvePath(rt, name));
  name.assign(260, ':');
  EXPECT_FALSE(io::resolvePath(rt, name));
}

// ---- The files of this system -------------------------------------------------------------------

TEST_F(Io, AFileHeldOpenIsNotSharedTruncatedOrDeleted) {
  using platform::FileAccess, platform::FileCreate;
  writeFile("held.txt", "data");
  const std::string held = (folder / "held.txt").string();
  platform::FileHandle h = files.open(held, FileAccess::Read, FileCreate::OpenAlways);
  ASSERT_NE(h, platform::invalidFile);
  EXPECT_EQ(files.open(held, FileAccess::Read, FileCreate::OpenAlways), platform::invalidFile);
  EXPECT_EQ(files.open(held, FileAccess::Write, FileCreate::CreateAlways), platform::invalidFile);
  fs::create_hard_link(folder / "held.txt", folder / "link.txt");
  EXPECT_EQ(files.open((folder / "link.txt").string(), FileAccess::Read, FileCreate::OpenExisting),
            platform::invalidFile);
  EXPECT_FALSE(files.remove(held));
  EXPECT_EQ(readFile("held.txt"), "data");
  EXPECT_TRUE(files.close(h));
  EXPECT_TRUE(files.remove(held));
  EXPECT_FALSE(fs::exists(folder / "held.txt"));
  // Folders are no files.
  EXPECT_EQ(files.open(folder.string(), FileAccess::Read, FileCreate::OpenAlways),
            platform::invalidFile);
}

TEST_F(Io, FolderEntriesIncludeDotsAndTellPlainFoldersFromLinks) {
  fs::create_directory(folder / "sub");
  fs::create_directory_symlink(folder / "sub", folder / "link");
  writeFile("f.txt", "");
  std::vector<platform::DirEntry> entries;
  ASSERT_TRUE(files.list(folder.string() + "\\*", entries));
  std::map<std::string, bool> found;
  for (const auto& e : entries) found[e.name] = e.directory;
  EXPECT_EQ(found,
            (std::map<std::string, bool>{
                {".", true}, {"..", true}, {"f.txt", false}, {"link", false}, {"sub", true}}));
}

// ---- Serial ports -------------------------------------------------------------------------------

// Ports that record how they were opened, deliver the bytes given to them in the chunks given,
// and take written bytes a few at a time.
class PortDouble : public platform::Serial {
 public:
  std::vector<platform::SerialSettings> opened;
  std::vector<platform::FileAccess> accesses;
  std::vector<std::string> chunks;  // what successive reads deliver; "" is a read that times out
  std::string written;
  std::size_t writeStep = 3;
  int closes = 0, emptyReads = 0;
  bool ended = false;         // the line has ended once the chunks are used up
  Runtime* stopAfterEmpty = nullptr;  // this runtime is stopped after three reads that time out

  platform::FileHandle open(const platform::SerialSettings& s, platform::FileAccess a) override {
    opened.push_back(s);
    accesses.push_back(a);
    return 100 + static_cast<platform::FileHandle>(opened.size());
  }
  long long read(platform::FileHandle, void* buffer, std::size_t count) override {
    if (chunks.empty()) {
      if (ended) return -1;
      if (stopAfterEmpty && ++emptyReads == 3) stopAfterEmpty->interp.stopRequested = true;
      return 0;
    }
    std::string chunk = chunks.front();
    chunks.erase(chunks.begin());
    EXPECT_LE(chunk.size(), count);
    chunk.copy(static_cast<char*>(buffer), chunk.size());
    return static_cast<long long>(chunk.size());
  }
  long long write(platform::FileHandle, const void* data, std::size_t count) override {
    // Every other call is held up by flow control.
    if ((held_ = !held_)) return 0;
    const std::size_t n = std::min(count, writeStep);
    written.append(static_cast<const char*>(data), n);
    return static_cast<long long>(n);
  }
  long long waiting(platform::FileHandle) override {
    return chunks.empty() ? 0 : static_cast<long long>(chunks.front().size());
  }
  void close(platform::FileHandle) override { ++closes; }

 private:
  bool held_ = false;
};

class SerialIo : public Io {
 protected:
  PortDouble ports;
  SerialIo() { rt.sys.serial = &ports; }
  // The ports are closed while their double still exists.
  ~SerialIo() override { io::closeAllChannels(rt); }
  const platform::SerialSettings& last() { return ports.opened.back(); }
};

TEST_F(SerialIo, SettingsTextOverTheConfiguredDefaults) {
  rt.host.serial = {3, 4800, 8, 0, 0, true, false};
  struct Case {
    const char* text;
    int port, dataBits, parity, stopBits;
    bool xonXoff, rtsCts;
  };
  const std::vector<Case> cases{
      {"\"COM1:N81N\" AS 1", 1, 8, 0, 0, false, false},
      {"\"COM2:E72X\" AS 1", 2, 7, 2, 1, true, false},  // 2 is one and a half stop bits
      {"\"COM:\" AS 1", 3, 8, 0, 0, true, false},       // the configured port, all defaults
      {"\"com12:o83S\" AS 1", 12, 8, 1, 2, true, true},
      {"\"COM1:n81x\" AS 1", 1, 8, 0, 0, true, false},  // flow letters are upper case only
      {"\"COM1:e9?D\" AS 1", 1, 8, 2, 0, true, true},
      {"\"cOm:O\" AS 1", 3, 8, 1, 0, true, false},
      {"\"COM255:\" AS 1", 255, 8, 0, 0, true, false},
  };
  for (const Case& c : cases) {
    open(c.text);
    SCOPED_TRACE(c.text);
    EXPECT_EQ(last().port, c.port);
    EXPECT_EQ(last().baudRate, 4800);
    EXPECT_EQ(last().dataBits, c.dataBits);
    EXPECT_EQ(last().parity, c.parity);
    EXPECT_EQ(last().stopBits, c.stopBits);
    EXPECT_EQ(last().xonXoff, c.xonXoff);
    EXPECT_EQ(last().rtsCts, c.rtsCts);
  }
  open("\"COM4:\" FOR INPUT AS #2");
  EXPECT_EQ(ports.accesses.back(), platform::FileAccess::Read);
  EXPECT_EQ(ports.closes, static_cast<int>(cases.size()) - 1);  // reopening closed the port first
  // A name with ':' is used as it stands, here in the test's folder.
  const fs::path here = fs::current_path();
  fs::current_path(folder);
  open("\"COMPUTER:X\" AS 3");  // a file
  fs::current_path(here);
  EXPECT_TRUE(fs::exists(folder / "COMPUTER:X"));
  EXPECT_EQ(ports.opened.size(), cases.size() + 1);
}

TEST_F(SerialIo, NamesThatGiveNoPortCannotBeOpened) {
  for (const char* text : {"\"COM0:\" AS 1", "\"COM256:\" AS 1", "\"COM01:\" AS 1",
                           "\"COM-1:\" AS 1", "\"COM1X:\" AS 1"}) {
    io::openStatement(rt, text);
    SCOPED_TRACE(text);
    expectBox(openError);
  }
  rt.host.serial.port = 0;  // configured so: COM: names no port
  io::openStatement(rt, "\"COM:N81N\" AS 1");
  expectBox(openError);
  EXPECT_TRUE(ports.opened.empty());
  EXPECT_EQ(rt.io.channelHandles[0], platform::invalidFile);
}

TEST_F(SerialIo, EndOfFilePeeksAndLosesNoByte) {
  open("\"COM1:\" AS 1");
  EXPECT_EQ(io::endOfFile(rt, 1), -1);
  ports.chunks = {"AB\r", "\n12,", "", "3\r"};
  EXPECT_EQ(io::lengthOfFile(rt, 1), 3);
  EXPECT_EQ(io::endOfFile(rt, 1), 0);
  EXPECT_EQ(io::endOfFile(rt, 1), 0);
  input("#1,A$");  // ends at the CR without waiting for the byte after it
  EXPECT_EQ(value("A$"), "\"AB\"");
  EXPECT_EQ(io::endOfFile(rt, 1), 0);  // the LF of that line end is not a byte of the next line
  EXPECT_EQ(io::lengthOfFile(rt, 1), 3);
  input("#1,N,M");  // the second field waits through a read that timed out
  EXPECT_EQ(value("N"), "12");
  EXPECT_EQ(value("M"), "3");
  EXPECT_EQ(io::endOfFile(rt, 1), -1);
  EXPECT_EQ(io::lengthOfFile(rt, 1), 0);
  expectNoBox();
}

TEST_F(SerialIo, AFieldEndsWithTheLineAndAStopEndsTheWait) {
  open("\"COM1:\" AS 1");
  ports.chunks = {"part"};
  ports.ended = true;
  input("#1,A$", true);
  EXPECT_EQ(value("A$"), "\"part\"");
  input("#1,B$");  // nothing before the line ended
  expectBox(accessError);
  open("\"COM1:\" AS 1");
  ports.ended = false;
  ports.stopAfterEmpty = &rt;
  input("#1,C$");
  EXPECT_EQ(ports.emptyReads, 3);
  expectNoBox();
}

TEST_F(SerialIo, WritesGoWholeToThePortAndClosingClosesIt) {
  open("\"COM1:\" AS 1");
  ports.chunks = {"x,"};
  input("#1,X$");
  EXPECT_TRUE(io::writeLine(rt, 1, "*IDN?\n"));
  EXPECT_EQ(ports.written, "*IDN?\r\n");
  ports.chunks = {"y\r"};
  input("#1,Y$");  // the bytes read before the write are still the port's
  EXPECT_EQ(value("Y$"), "\"y\"");
  io::closeStatement(rt, "#1");
  EXPECT_EQ(ports.closes, 1);
  EXPECT_FALSE(rt.io.isPort[0]);
  open("\"COM2:\" AS 2");
  open("\"COM3:\" AS 3");
  io::closeAllChannels(rt);
  EXPECT_EQ(ports.closes, 3);
  expectNoBox();
  rt.sys.serial = nullptr;
  io::openStatement(rt, "\"COM1:\" AS 1");
  expectBox(openError);
}

// ---- Without files ------------------------------------------------------------------------------

TEST_F(Io, EveryEntryPointCopesWithoutFiles) {
  rt.sys.files = nullptr;
  io::openStatement(rt, "\"a.txt\" FOR OUTPUT AS #1");
  expectBox(openError);
  io::killStatement(rt, "\"a.txt\"");
  expectBox(accessError);
  io::mkdirStatement(rt, "\"sub\"");
  io::closeStatement(rt, "#1");
  io::closeStatement(rt, "");
  io::closeAllChannels(rt);
  EXPECT_EQ(io::lengthOfFile(rt, 1), -1);
  expectNoBox();
  EXPECT_FALSE(io::writeLine(rt, 1, "x\n"));
  expectBox(accessError);
  input("#1,A");
  expectBox(accessError);
  EXPECT_EQ(io::endOfFile(rt, 1), 0);
  expectBox(accessError);
  io::filesStatement(rt, "\"x\"");
  EXPECT_EQ(t.screen(), "x\\\n");
  expectNoBox();
}

}  // namespace
}  // namespace tw
