// The run-time host: the statement-code table, the program trailer, the program image with its DATA
// list, configuration and the start-up order. Entry points live beside it (main_*.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

// The statement codes: one table for the builder (keyword to code) and the dispatcher (code to
// handler). X(code, keyword, handler): the keyword as a program writes it, the handler's name in
// interp's dispatcher. DEFINT/DEFSNG/DEFSTR share 0x1062 and carry their type word in the argument;
// DEF FN carries "FN..." in its argument.
#define TW_STATEMENTS(X)                \
  X(0x1010, "PRINT", print)             \
  X(0x1011, "INPUT", input)             \
  X(0x1012, "OPEN", open)               \
  X(0x1013, "CLOSE", close)             \
  X(0x1020, "IF", ifThen)               \
  X(0x1021, "GOTO", gotoLine)           \
  X(0x1023, "RETURN", returnSub)        \
  X(0x1024, "ON", on)                   \
  X(0x1025, "FOR", forLoop)             \
  X(0x1026, "NEXT", next)               \
  X(0x1027, "WHILE", whileLoop)         \
  X(0x1030, "WEND", wend)               \
  X(0x1031, "GOSUB", gosub)             \
  X(0x1035, "CHDIR", chdir)             \
  X(0x1036, "KILL", kill)               \
  X(0x1037, "MKDIR", mkdir)             \
  X(0x1038, "FILES", files)             \
  X(0x1040, "PICTURE", picture)         \
  X(0x1041, "CIRCLE", circle)           \
  X(0x1042, "PAINT", paint)             \
  X(0x1043, "MOVE", move)               \
  X(0x1044, "PRESET", preset)           \
  X(0x1045, "PSET", pset)               \
  X(0x1046, "SCROLL", scroll)           \
  X(0x1050, "MCI", mci)                 \
  X(0x1051, "PLAY", play)               \
  X(0x1059, "CLEAR", clear)             \
  X(0x1060, "DIM", dim)                 \
  X(0x1061, "ERASE", erase)             \
  X(0x1062, "DEFINT", defType)          \
  X(0x1063, "DATA", data)               \
  X(0x1064, "READ", read)               \
  X(0x1065, "RESTORE", restore)         \
  X(0x1066, "SWAP", swap)               \
  X(0x1070, "BEEP", beep)               \
  X(0x1071, "CHAIN", chain)             \
  X(0x1072, "CLS", cls)                 \
  X(0x1074, "COLOR", color)             \
  X(0x1077, "DEF", defFn)               \
  X(0x1078, "END", end)                 \
  X(0x1079, "LET", let)                 \
  X(0x107A, "LOCATE", locate)           \
  X(0x107B, "RANDOMIZE", randomize)     \
  X(0x107D, "RUN", run)                 \
  X(0x107E, "SLEEP", sleep)             \
  X(0x1080, "WIDTH", width)             \
  X(0x1110, "GET", get)                 \
  X(0x1111, "PUT", put)                 \
  X(0x1112, "LINE", line)

namespace tw {
struct Runtime;
}

namespace tw::host {

struct StatementCode {
  std::uint16_t code;
  std::string_view keyword;
};
#define TW_STATEMENT_ENTRY(code, keyword, handler) StatementCode{code, keyword},
inline constexpr StatementCode statementCodes[] = {TW_STATEMENTS(TW_STATEMENT_ENTRY)};
#undef TW_STATEMENT_ENTRY
inline constexpr std::uint16_t codeDefType = 0x1062;
inline constexpr std::uint16_t codeDefFn = 0x1077;
inline constexpr std::uint16_t codeData = 0x1063;
inline constexpr std::uint16_t codeIf = 0x1020;
inline constexpr std::uint16_t codeGoto = 0x1021;
inline constexpr std::uint16_t codeGosub = 0x1031;
inline constexpr std::uint16_t codePut = 0x1111;
inline bool isCodeByte(unsigned char b) { return b == 0x10 || b == 0x11; }

// ---- The program trailer ------------------------------------------------------------------------

// Limits of the trailer's fields; a program sees none of them directly.
inline constexpr std::size_t programTextLimit = 65535;  // two length bytes
inline constexpr std::size_t fontNumbersLimit = 255;    // one length byte
inline constexpr std::size_t faceNameLimit = 31;        // a 32-byte face-name field with its NUL
// The most bytes a trailer can take at the end of a file.
inline constexpr std::size_t trailerLimit = programTextLimit + 2 + fontNumbersLimit + 1 + 255 + 1;

// The font of the screen, as a Windows LOGFONT holds it.
struct FontSpec {
  std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0, outPrecision = 0,
               clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::string faceName;  // code page 932, at most faceNameLimit bytes
};

struct ProgramImage {
  std::string faceName;     // code page 932
  std::string fontNumbers;  // 13 decimal integers separated by single blanks
  std::string programText;  // the encoded program, without a terminating NUL
};

// The default font of a built application: face "ＭＳ 明朝" and these numbers.
extern const std::string_view defaultFaceName;  // code page 932
inline constexpr std::string_view defaultFontNumbers = "-16 0 0 0 0 0 0 0 128 0 0 0 0";

// Reads the trailer at the end of the given bytes (a whole file, or at least its last trailerLimit
// bytes). Nothing when the trailer is missing or damaged: lengths reaching before the start, a face
// name over 31 bytes, font numbers that are not 13 integers.
std::optional<ProgramImage> readTrailer(std::string_view fileEnd);
// The trailer bytes for an image; nothing when a field is too long for its length bytes.
std::optional<std::string> makeTrailer(const ProgramImage& image);
// The LOGFONT of an image's font numbers and face name; nothing unless there are 13 numbers.
std::optional<FontSpec> parseFont(std::string_view fontNumbers, std::string_view faceName);

// ---- The program image and its DATA list --------------------------------------------------------

// The DATA list holds at most this many bytes; a program sees only that appending stops there.
inline constexpr std::size_t dataListLimit = 65535;
// The most bytes of one DATA statement that are taken.
inline constexpr std::size_t dataStatementLimit = 8192;
// A label is at most this long; longer ones are cut.
inline constexpr std::size_t labelLimit = 50;

struct State {
  std::string programText;  // NUL-terminated through std::string
  FontSpec font;
  std::string dataList;
  int dataReadIndex = 0;
  std::string programDir;  // code page 932, no trailing separator
  platform::SerialSettings serial;
};

// Rebuilds the DATA list from the program text and restarts READ at its first item.
void buildDataList(State& host);
// Normalises one run of comma-separated DATA items and appends it (with a ',' between).
void appendDataItems(State& host, std::string_view items);

// ---- The runtime's command line ------------------------------------------------------------------

struct CommandLine {
  bool headless = false;
  bool help = false;
  bool version = false;
  std::string file;  // the application or .bas source; empty when none was given
  std::string screenDump;
  std::string screenshot;
  std::string settings;
  std::string boxLog;  // message boxes go to this file instead of being shown
  std::string midi;       // the MIDI messages of the run are saved here as a Standard MIDI File
  std::string soundFont;  // Linux: the synthesiser's sound font instead of the system's default
  std::string wav;        // Linux: the synthesiser's output is also written here
  platform::Extent client{640, 400};
  platform::Extent display{1024, 768};
  bool displayGiven = false;  // without --display a window uses the real display's size
  int scale = 0;              // 0: the window picks 2 or 1
};
// The largest --scale accepted.
inline constexpr int scaleLimit = 8;
// The largest client or display side accepted on the command line.
inline constexpr int extentLimit = 16384;

// Parses the arguments after the program name; nothing and a reason when they are wrong.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);
std::string_view usageText();
inline constexpr std::string_view versionText = "tarnwick 0.1.0";

// ---- What the Windows entry point needs --------------------------------------------------------

// The words of a Windows command line as the system's C run-time splits them, in UTF-8. The first
// word, the program's name, ends at the first blank or tab (or runs between quotes, taken as they
// stand); in the others a double quote starts or ends a quoted part, 2n backslashes before one
// stand for n, 2n+1 backslashes for n and a literal quote, and "" inside quotes is one quote.
std::vector<std::string> splitCommandLine(std::u16string_view commandLine);
// The trailer's font as a LOGFONT; a face-name byte without a character becomes U+FFFD.
platform::LogFont logFont(const FontSpec& font);

// ---- Configuration and start-up -----------------------------------------------------------------

// Sets the serial defaults and reads the stored RS232C value, writing the default when absent.
void loadConfiguration(Runtime& rt);

// Loads an image into the runtime: the program text and the font. False if the font is damaged.
bool loadImage(Runtime& rt, const ProgramImage& image);

}  // namespace tw::host
