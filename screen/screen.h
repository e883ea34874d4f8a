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
// Colour entries per byte position, with room for the shifts of one write.
inline constexpr std::size_t colourSlots = 8192 + 16;

inline constexpr platform::Colour white = 0xFFFFFF;
inline constexpr platform::Colour transparent = 0xFFFFFFFF;

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
};

// Start-up colours: white on opaque black for every cell and for new text.
void resetColours(State& s);
// The kind of the cell at pos: 0 plain, 1 0x01 0x01, 2 see-through blank, 3 quote, 4 NUL.
int escapeKind(std::string_view text, std::size_t pos);
// Writes text at the cursor with the current colours.
void putText(Runtime& rt, std::string_view text);
// The text layer's bytes, taken under the lock.
std::string snapshot(State& s);

// The window procedure: runs on the UI thread for every message.
void windowProcedure(Runtime& rt, const platform::Message& message);

// Statements.
void printStatement(Runtime& rt, std::string_view argument);

}  // namespace tw::screen
