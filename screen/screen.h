// The text screen: the text layer and its colours, putText, the window procedure shared by every
// backend, and the screen statements (PRINT, CLS, COLOR, WIDTH).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tw {
struct Runtime;
}

namespace tw::screen {

// The text layer holds at most this many bytes; text beyond is dropped. Observable.
inline constexpr std::size_t screenTextLimit = 8191;
// A typed line holds at most this many bytes (escape pairs count two); further keys are not taken.
// Observable.
inline constexpr std::size_t inputLineLimit = 8191;
// INPUT asks for its line at most every this many milliseconds while it waits. Not observable.
inline constexpr int inputPollMilliseconds = 10;
// Colour entries per byte position, with room for the shifts of one write.
inline constexpr std::size_t colourSlots = 8192 + 16;

inline constexpr platform::Colour white = 0xFFFFFF;
inline constexpr platform::Colour transparent = 0xFFFFFFFF;

// The screen font's line height and the width of every byte as its one-byte extent.
struct FontMetrics {
  bool measured = false;
  int lineHeight = 16;
  std::array<int, 256> width{};
};

struct State {
  std::mutex textMutex;    // held by putText, the layout and the line editor
  std::string screenText;  // code page 932, escape pairs included; no NUL
  std::array<platform::Colour, colourSlots> cellForeground{};
  std::array<platform::Colour, colourSlots> cellBackground{};
  int screenCursor = 0;  // the byte position where the next character is written
  platform::Colour textForeground = white;
  platform::Colour textBackground = 0;
  bool textAreaLimited = false;
  int textAreaWidth = 0, textAreaHeight = 0;
  int caretX = 0, caretY = 0;
  std::atomic<bool> caretEnabled{false};
  std::atomic<bool> inputMode{false};
  std::atomic<std::uint8_t> lastKey{0};
  // The line being typed, in the escaped form of string values; written by the line editor while
  // inputMode is set, read by INPUT after it is cleared.
  std::string inputLine;
  std::size_t inputLength = 0;
  FontMetrics metrics;
};

// Start-up colours: white on opaque black for every cell and for new text.
void resetColours(State& s);
// The kind of the cell at pos: 0 plain, 1 0x01 0x01, 2 see-through blank, 3 quote, 4 NUL.
int escapeKind(std::string_view text, std::size_t pos);
// Writes text at the cursor with the current colours and draws what was written.
void putText(Runtime& rt, std::string_view text);
// Lays out the whole text layer for the window's client size: draws on target (the client area
// unless another is given; none draws nothing) the cells whose last byte lies in [start, start + count)
// (every cell when count is 0), places the caret, and drops leading lines while the text is too
// tall. Takes the text lock itself.
void renderText(Runtime& rt, std::size_t count, std::size_t start);
void renderText(Runtime& rt, std::size_t count, std::size_t start, platform::Canvas* target);
// The text layer's bytes, taken under the lock.
std::string snapshot(State& s);
// The colour of a colour number: 0 to 7 the eight colours, a negative number -v the value v.
platform::Colour colourValue(std::int32_t n);

// The window procedure: runs on the UI thread for every message.
void windowProcedure(Runtime& rt, const platform::Message& message);
// The line editor: one typed character while INPUT waits for its line (UI thread).
void lineEditor(Runtime& rt, std::uint8_t key);

// Statements; each takes the statement's argument text.
void printStatement(Runtime& rt, std::string_view argument);
void clsStatement(Runtime& rt, std::string_view argument);
void colorStatement(Runtime& rt, std::string_view argument);
void widthStatement(Runtime& rt, std::string_view argument);
void inputStatement(Runtime& rt, std::string_view argument);
// LINE INPUT: the argument after the word INPUT.
void lineInputStatement(Runtime& rt, std::string_view argument);

}  // namespace tw::screen
