// Tests of the builder: the encoder's bytes, its errors, the lister's round trip and the
// tarnwick-build command with temporary files. It touches nothing outside its temporary folder.
#include "tools/builder/builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "host/host.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;
using tw::builder::BuildError;

const std::string kPrint = "\x10\x10", kIf = "\x10\x20", kGoto = "\x10\x21", kCls = "\x10\x72",
                  kEnd = "\x10\x78", kLet = "\x10\x79", kData = "\x10\x63", kDefType = "\x10\x62",
                  kDefFn = "\x10\x77", kLine = "\x11\x12", kPut = "\x11\x11";
const std::string kMod = "\x01m", kAnd = "\x01&", kOr = "\x01|", kXor = std::string("\x01") + "e",
                  kNot = "\x01!";

std::string encode(std::string_view source) {
  BuildError error;
  auto program = tw::builder::encodeSource(source, "t.bas", error);
  EXPECT_TRUE(program) << describe(error);
  return program.value_or("<error>");
}

std::string encodeError(std::string_view source) {
  BuildError error;
  auto program = tw::builder::encodeSource(source, "t.bas", error);
  EXPECT_FALSE(program) << source;
  return describe(error);
}

struct Case {
  std::string source;
  std::string program;
};

void expectEncodings(const std::vector<Case>& cases) {
  for (const auto& c : cases) EXPECT_EQ(encode(c.source), c.program) << c.source;
}

TEST(Encoder, TwoLineExampleIsFifteenBytes) {
  std::string program = encode("10 A=1\n20 PRINT A\n");
  EXPECT_EQ(program, "10 A=1\n20 " + kPrint + " A\n");
  EXPECT_EQ(program.size(), 15u);
}

TEST(Encoder, KeywordsBecomeCodesOnlyAtStatementStarts) {
  expectEncodings({
      {"10 PRINT A:print b", "10 " + kPrint + " A:" + kPrint + " b\n"},
      {"10    CLS   ", "10 " + kCls + "\n"},
      {"10 LET A  =  1", "10 " + kLet + " A  =  1\n"},
      {"10 A=1: GOTO 20", "10 A=1: " + kGoto + " 20\n"},
      {"10 IF A THEN PRINT 1 ELSE GOTO 30",
       "10 " + kIf + " A THEN " + kPrint + " 1 ELSE " + kGoto + " 30\n"},
      {"10 if a then print else cls", "10 " + kIf + " a then " + kPrint + " else " + kCls + "\n"},
      {"10 X=PRINT+END", "10 X=PRINT+END\n"},
      {"10 PRINTER=1:GOTO10:ENDX=2", "10 PRINTER=1:GOTO10:ENDX=2\n"},
      {"10 PRINT\"A:B\" : END", "10 " + kPrint + " \"A:B\" : " + kEnd + "\n"},
      {"10 PRINT \"X\" THEN END", "10 " + kPrint + " \"X\" THEN " + kEnd + "\n"},
      {"10 IF A THEN?B ELSE?", "10 " + kIf + " A THEN " + kPrint + " B ELSE " + kPrint + "\n"},
      {"10 IF A THEN ?ELSE ?", "10 " + kIf + " A THEN " + kPrint + " ELSE " + kPrint + "\n"},
      {"10 A=1:\tCLS\t:IF", "10 A=1:\t " + kCls + "\t:" + kIf + "\n"},
      {"10\tCLS:CLS", "10 " + kCls + ":" + kCls + "\n"},
      {"10", "10 \n"},
      {"10 *LOOP:GOTO *LOOP", "10 *LOOP:" + kGoto + " *LOOP\n"},
      {"10 ON X GOTO 10,20:FOR I=1 TO 9 STEP 2", "10 \x10$ X GOTO 10,20:\x10% I=1 TO 9 STEP 2\n"},
  });
}

TEST(Encoder, LiteralsAndDoubleByteCharactersAreOpaque) {
  expectEncodings({
      {"10 PRINT \"A AND B: REM ' ELSE\"", "10 " + kPrint + " \"A AND B: REM ' ELSE\"\n"},
      {"10 PRINT \"A AND\n20 A=1 AND 2", "10 " + kPrint + " \"A AND\n20 A=1 " + kAnd + " 2\n"},
      // The second bytes of ア (0x83 'A'), グ (0x83 'O'), コ (0x83 'R'), 表 and ソ (0x95 and 0x83,
      // then '\\') are no letters or backslashes of their own.
      {"10 X=\x83\x41ND 1:Y=\x83\x41 AND 1", "10 X=\x83\x41ND 1:Y=\x83\x41 " + kAnd + " 1\n"},
      {"10 X=\x83OR 1:\x83REM 1", "10 X=\x83OR 1:\x83REM 1\n"},
      {"10 A$=\"\x95\x5C\x83\x5C\":PRINT A$", "10 A$=\"\x95\x5C\x83\x5C\":" + kPrint + " A$\n"},
      {"10 A=\x95\x5C OR 1", "10 A=\x95\x5C " + kOr + " 1\n"},
      // A lead byte cannot pair with ':' or a quote, so those keep their meaning.
      {"10 A=\x81:PRINT", "10 A=\x81:" + kPrint + "\n"},
      {"10 A$=\x81\"OR\" OR B", "10 A$=\x81\"OR\" " + kOr + " B\n"},
  });
}

TEST(Encoder, CommentsAreDropped) {
  expectEncodings({
      {"10 A=1   ' note", "10 A=1\n"},
      {"10 A=1:REM x", "10 A=1:\n"},
      {"10 rem all of it:PRINT", "10 \n"},
      {"10 IF A THEN REM x", "10 " + kIf + " A THEN\n"},
      {"10 PRINT \"'\" ' c", "10 " + kPrint + " \"'\"\n"},
      {"10 REMARK=1:X=1 REM y", "10 REMARK=1:X=1 REM y\n"},
      {"10 PRINT'x", "10 " + kPrint + "\n"},
  });
}

TEST(Encoder, SpecialStatementForms) {
  expectEncodings({
      {"10 ?A:? \"X\":?", "10 " + kPrint + " A:" + kPrint + " \"X\":" + kPrint + "\n"},
      {"10 LINE INPUT \"N\";A$", "10 " + kLine + " INPUT \"N\";A$\n"},
      {"10 line input#1,A$", "10 " + kLine + " input#1,A$\n"},
      {"10 LINE (0,0)-(9,9)", "10 " + kLine + " (0,0)-(9,9)\n"},
      {"10 DEFINT A-Z:defsng B:DefStr C,D",
       "10 " + kDefType + " INT A-Z:" + kDefType + " SNG B:" + kDefType + " STR C,D\n"},
      {"10 DEFINT   I-N", "10 " + kDefType + " INT I-N\n"},
      {"10 DEF FNA(X)=X*2:DEFFNB(Y)=Y MOD 3",
       "10 " + kDefFn + " FNA(X)=X*2:" + kDefFn + " FNB(Y)=Y " + kMod + " 3\n"},
      {"10 def  fnc=1", "10 " + kDefFn + " fnc=1\n"},
      {"10 DEF SEG=1:DEFINTA=2", "10 DEF SEG=1:DEFINTA=2\n"},
  });
}

TEST(Encoder, WordOperatorsAsWholeWords) {
  expectEncodings({
      {"10 A=B MOD C AND D OR E XOR F:B=NOT A",
       "10 A=B " + kMod + " C " + kAnd + " D " + kOr + " E " + kXor + " F:B=" + kNot + " A\n"},
      {"10 a=b mod c and d", "10 a=b " + kMod + " c " + kAnd + " d\n"},
      {"10 IF A>1 AND(B<2)THEN 50", "10 " + kIf + " A>1 " + kAnd + "(B<2)THEN 50\n"},
      {"10 A=5MOD 3:B=1.5AND 2", "10 A=5" + kMod + " 3:B=1.5" + kAnd + " 2\n"},
      {"10 A=A1AND B:C=X.5OR 1:D=5MOD3", "10 A=A1AND B:C=X.5OR 1:D=5MOD3\n"},
      {"10 ORDER=1:NOTE=FORM+ANDY", "10 ORDER=1:NOTE=FORM+ANDY\n"},
      {"10 A$=B$+\"AND\"", "10 A$=B$+\"AND\"\n"},
  });
}

TEST(Encoder, PutKeepsItsModeFieldAndDataItsLine) {
  expectEncodings({
      {"10 PUT @(0,0),1,OR", "10 " + kPut + " @(0,0),1,OR\n"},
      {"10 PUT @(A OR 1,0),P,XOR:X=1 OR 2",
       "10 " + kPut + " @(A " + kOr + " 1,0),P,XOR:X=1 " + kOr + " 2\n"},
      {"10 PUT @(0,0),1", "10 " + kPut + " @(0,0),1\n"},
      {"10 DATA 1, \"a:b\" ,AND:PRINT ' x", "10 " + kData + " 1, \"a:b\" ,AND:PRINT ' x\n"},
      {"10 A=1:DATA x OR y   ", "10 A=1:" + kData + " x OR y\n"},
      {"10 IF A THEN DATA 1 ELSE 2", "10 " + kIf + " A THEN " + kData + " 1 ELSE 2\n"},
  });
}

TEST(Encoder, InputEncodingsAndLineEnds) {
  std::string cp932Program = "10 " + kPrint + " \"\x95\x5C\x8E\xA6\"\n20 " + kEnd + "\n";
  EXPECT_EQ(encode("10 PRINT \"表示\"\n20 END\n"), cp932Program);
  EXPECT_EQ(encode("\xEF\xBB\xBF"
                   "10 PRINT \"表示\"\r\n\r\n   \t\r\n20 END"),
            cp932Program);
  EXPECT_EQ(encode("10 PRINT \"\x95\x5C\x8E\xA6\"\r20 END\r"), cp932Program);
  EXPECT_EQ(encode("  10 PRINT \"\x95\x5C\x8E\xA6\"\n\n20 END\n"), cp932Program);
  EXPECT_EQ(encode(""), "");
}

TEST(Encoder, ErrorsNameFileLineAndColumn) {
  EXPECT_EQ(encodeError("10 A=1\n  PRINT A\n"),
            "t.bas:2:3: error: the line does not start with a line number");
  EXPECT_EQ(encodeError("20 A=1\n\n10 B=2\n"),
            "t.bas:3:1: error: line number 10 does not follow 20; line numbers must ascend");
  EXPECT_EQ(encodeError("10 A=1\n010 B=2\n"),
            "t.bas:2:1: error: line number 010 does not follow 10; line numbers must ascend");
  EXPECT_EQ(encodeError("10 A$=\"表😀\"\n"),
            "t.bas:1:11: error: this character has no code page 932 form");
  EXPECT_EQ(encodeError("12345678901234567890 A=1\n"),
            "t.bas:1:1: error: a line number has at most 19 digits");
  EXPECT_EQ(encode("1234567890123456789 A=1\n"), "1234567890123456789 A=1\n");
  EXPECT_EQ(encodeError(std::string("10 A$=\"x\x01y\"\n")),
            "t.bas:1:9: error: the control character 0x01 cannot be part of a program");
  EXPECT_EQ(encodeError(std::string("10 A=1 ' \x01\n20 B=\x10\n")),
            "t.bas:2:6: error: the control character 0x10 cannot be part of a program");
}

TEST(Encoder, LimitsOfStatementsAndProgram) {
  // A code, its blank and this literal make a statement of exactly 8191 bytes.
  std::string fits = "\"" + std::string(8186, 'x') + "\"";
  std::string over = fits + "y";
  EXPECT_EQ(encode("10 A=1:PRINT " + fits + "\n").size(), 8199u);
  EXPECT_EQ(encodeError("10 表:A=1:PRINT " + over + "\n"),
            "t.bas:1:12: error: a statement is longer than 8191 bytes");
  // An IF statement runs to the end of its line, ':' included.
  EXPECT_EQ(encodeError("10 IF A THEN B=1:" + fits + "\n"),
            "t.bas:1:4: error: a statement is longer than 8191 bytes");
  std::string source;
  for (int n = 1000; n < 1008; ++n) source += std::to_string(n) + " " + fits + "\n";
  EXPECT_EQ(encode(source.substr(0, 7 * 8194)).size(), 7 * 8194u);
  EXPECT_EQ(encodeError(source),
            "t.bas:8:8178: error: the program text is longer than 65535 bytes");
}

TEST(Lister, ListsCodesAndOperatorsAsWords) {
  std::string program = "10 " + kDefType + " INT A-Z:" + kDefFn + " FNA(X)=X " + kMod + " 2\n" +
                        "20 " + kIf + " A " + kAnd + " B THEN " + kPrint + " \"\x95\x5C\" ELSE " +
                        kLine + " INPUT A$\n30 " + kData + " 1,2\n40 \x10\x7F X\n";
  EXPECT_EQ(tw::builder::listProgram(program),
            "10 DEFINT A-Z:DEF FNA(X)=X MOD 2\n"
            "20 IF A AND B THEN PRINT \"表\" ELSE LINE INPUT A$\n"
            "30 DATA 1,2\n"
            "40 \x10\x7F X\n");
}

// Encoding a listing gives the program text back, byte for byte.
void expectRoundTrip(const std::string& source) {
  std::string program = encode(source);
  std::string listing = tw::builder::listProgram(program);
  EXPECT_EQ(encode(listing), program) << "source:\n" << source << "\nlisting:\n" << listing;
}

TEST(Lister, RoundTripOfAVariedProgram) {
  expectRoundTrip(
      "10 DEFINT A-Z:DEFSTR S:defsng f\n"
      "20 DEF FNA(X)=X MOD 3:DEFFNB(Y)=NOT Y\n"
      "30 ?\"結果\";A AND B;5MOD 3;C XOR D:? :print\n"
      "40 IF A=1 AND B<>2 THEN PRINT \"x\" ELSE IF C THEN?D ELSE GOTO 10\n"
      "50 LINE INPUT \"名前\";N$:LINE (0,0)-(9,9),1\n"
      "60 PUT @(X OR 1,0),P,OR:GET @(0,0)-(9,9),P\n"
      "70 DATA 1,\"a:b\",OR,NOT ' kept\n"
      "80 *LOOP:FOR I=1 TO 10 STEP 2:NEXT:GOTO *LOOP  ' note\n"
      "90 A=アND 1:B=A1AND 2:REM gone\n"
      "100 IF X THEN PRINT ELSE CLS\t:\tEND:IF\n"
      "110 PRINT \"unclosed AND\n"
      "120\n");
}

TEST(Lister, KeepsCodePage932WhenUtf8CannotHoldIt) {
  // 0x85 0x40 is no character; the listing stays code page 932 and still encodes back.
  expectRoundTrip("10 A$=\"\x85\x40\" OR 1\n");
  EXPECT_EQ(tw::builder::listProgram(encode("10 A$=\"\x85\x40\" OR 1\n")),
            "10 A$=\"\x85\x40\" OR 1\n");
  // These code page 932 bytes happen to be valid UTF-8 too (a stray lead byte 0x90 ends them);
  // the source is read as code page 932 only because of its comment.
  std::string source = "10 A$=\"\xE3\x87\x90\":B=1 ' \xFF\n20 END\n";
  std::string program = encode(source);
  ASSERT_TRUE(tw::platform::isValidUtf8(program));
  EXPECT_EQ(encode(tw::builder::listProgram(program)), program);
}

// Whatever source the encoder accepts, its program survives the round trip; and listing any bytes
// at all stays within them (sanitizer builds check that).
TEST(Lister, RoundTripOfRandomSources) {
  const std::vector<std::string> tokens = {
      "PRINT", "?",   "AND",    "or",       "MOD",      "NOT",  "XOR",   "THEN", "ELSE", "REM",
      "DATA",  "PUT", "DEFINT", "DEF",      "FN",       "LINE", "INPUT", "IF",   "CLS",  " ",
      "\t",    ":",   "\"",     "'",        ",",        "A",    "1",     "5",    ".",    "=",
      "(",     "*",   "\x81",   "\x83\x41", "\x95\x5C", "\x83", "\x10",  "\x01"};
  std::mt19937 random(11);
  for (int program = 0; program < 1000; ++program) {
    std::string source;
    for (int line = 1; line <= 4; ++line) {
      source += std::to_string(line);
      for (int n = random() % 12; n > 0; --n) source += tokens[random() % tokens.size()];
      source += "\n";
    }
    BuildError error;
    auto encoded = tw::builder::encodeSource(source, "r.bas", error);
    if (encoded) {
      EXPECT_EQ(encode(tw::builder::listProgram(*encoded)), *encoded) << source;
    }
    tw::builder::listProgram(source);
  }
}

// Runs the command in a fresh temporary folder.
class Command : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) /
          ("tarnwick-build-" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    write("runtime", "RUNTIME-BYTES");
    write("app.bas", "10 PRINT \"表\" AND 1\n20 END\n");
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string path(const std::string& name) const { return (dir / name).string(); }
  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream(dir / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  int run(std::vector<std::string> args) const {
    args.insert(args.begin(), "tarnwick-build");
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    return tw::builder::runBuilderCommand(static_cast<int>(argv.size()), argv.data());
  }

  fs::path dir;
};

TEST_F(Command, BuildsAnApplicationWithTheDefaultFont) {
  ASSERT_EQ(run({path("app.bas"), "-o", path("app"), "--runtime", path("runtime")}), 0);
  std::string app = read("app");
  EXPECT_TRUE(app.starts_with("RUNTIME-BYTES"));
  auto image = tw::host::readTrailer(app);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->programText, encode("10 PRINT \"表\" AND 1\n20 END\n"));
  EXPECT_EQ(image->faceName, tw::host::defaultFaceName);
  EXPECT_EQ(image->fontNumbers, tw::host::defaultFontNumbers);
  EXPECT_NE(fs::status(dir / "app").permissions() & fs::perms::owner_exec, fs::perms::none);
  EXPECT_FALSE(fs::exists(dir / "app.partial"));
}

TEST_F(Command, FontOptions) {
  ASSERT_EQ(run({path("app.bas"), "-o", path("app"), "--runtime", path("runtime"), "--font",
                 "ＭＳ ゴシック", "--font-numbers", " -20  0 0 0 700 0 0 0 128 0 0 0 +1 "}),
            0);
  auto image = tw::host::readTrailer(read("app"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->faceName, "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(image->fontNumbers, "-20 0 0 0 700 0 0 0 128 0 0 0 +1");
  ::testing::internal::CaptureStderr();
  for (std::string bad : {"1 2 3", "1 2 3 4 5 6 7 8 9 10 11 12 13 14",
                          "1 2 3 4 5 6 7 8 9 10 11 12 x", "1 2 3 4 5 6 7 8 9 10 11 12 13x"})
    EXPECT_EQ(run({path("app.bas"), "-o", path("bad"), "--runtime", path("runtime"),
                   "--font-numbers", bad}),
              2)
        << bad;
  EXPECT_EQ(run({path("app.bas"), "-o", path("bad"), "--runtime", path("runtime"), "--font",
                 std::string(32, 'F')}),
            2);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("--font needs"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "bad"));
}

TEST_F(Command, ProgramOnlyAndList) {
  ASSERT_EQ(run({"--program-only", path("app.bas"), "-o", path("app.prg")}), 0);
  EXPECT_EQ(read("app.prg"), encode("10 PRINT \"表\" AND 1\n20 END\n"));
  ASSERT_EQ(run({path("app.bas"), "-o", path("app"), "--runtime", path("runtime")}), 0);
  for (std::string listed : {"app", "app.prg"}) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--list", path(listed)}), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "10 PRINT \"表\" AND 1\n20 END\n");
  }
}

TEST_F(Command, FailuresLeaveNoOutput) {
  write("bad.bas", "10 A=1\n5 B=2\n");
  write("app", "OLD");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(run({path("bad.bas"), "-o", path("app"), "--runtime", path("runtime")}), 1);
  EXPECT_EQ(run({path("app.bas"), "-o", path("app"), "--runtime", path("missing")}), 1);
  EXPECT_EQ(run({path("app.bas"), "-o", path("app"), "--runtime", dir.string()}), 1);
  EXPECT_EQ(run({"--program-only", path("missing.bas"), "-o", path("x")}), 1);
  EXPECT_EQ(run({path("app.bas"), "-o", path("no-such-dir/app"), "--runtime", path("runtime")}), 1);
  std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(messages.find("bad.bas:2:1: error: line number 5 does not follow 10"),
            std::string::npos);
  EXPECT_NE(messages.find("cannot read the runtime " + path("missing")), std::string::npos);
  EXPECT_EQ(read("app"), "OLD");
  EXPECT_FALSE(fs::exists(dir / "x"));
}

TEST_F(Command, CommandLineProblemsExitWithTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {path("app.bas")},
      {path("app.bas"), "-o"},
      {path("app.bas"), path("other.bas"), "-o", path("x")},
      {path("app.bas"), "-o", path("x"), "-o", path("y")},
      {path("app.bas"), "-o", path("x"), "--bogus"},
      {"--program-only", path("app.bas"), "-o", path("x"), "--font", "F"},
      {"--list", path("app.bas"), "-o", path("x")},
      {"--list", "--program-only", path("app.bas")},
  };
  ::testing::internal::CaptureStderr();
  for (const auto& args : bad) EXPECT_EQ(run(args), 2) << ::testing::PrintToString(args);
  ::testing::internal::GetCapturedStderr();
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(run({"--version"}), 0);
  EXPECT_EQ(run({"--help"}), 0);
  std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(out.starts_with("tarnwick-build 0.1.0\nusage:"));
  EXPECT_FALSE(fs::exists(dir / "x"));
}

}  // namespace
