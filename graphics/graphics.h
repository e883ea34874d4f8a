// Graphics: the drawing statements (PSET, PRESET, MOVE, LINE, CIRCLE), PAINT, the picture slots
// (PICTURE, GET, PUT) and SCROLL. They draw on the graphics bitmap and on the client area through
// the platform's canvases; the text layer is screen's.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace tw {
struct Runtime;
}

namespace tw::graphics {

// Picture slots a program can fill before CLEAR; one more is refused with error 12. Observable.
inline constexpr int pictureLimit = 1024;
// Pixels the pictures of all slots may hold together (1 GiB of 32-bit pixels, a full 640 by 400
// screen in every slot): a GET or PICTURE that would pass it makes no picture, as when the system
// has no memory left for one. Observable only by programs holding very large pictures.
inline constexpr long long heldPixelsLimit = 1LL << 28;

struct State {
  int lastPointX = 0, lastPointY = 0;  // the graphics last point: MOVE, LINE, STEP
  std::array<std::unique_ptr<platform::Picture>, pictureLimit> pictureSlots;
  int pictureCount = 0;  // slots in use; the next one to fill
};

// Statements; each takes the statement's argument text.
void psetStatement(Runtime& rt, std::string_view argument);
void presetStatement(Runtime& rt, std::string_view argument);
void moveStatement(Runtime& rt, std::string_view argument);
void lineStatement(Runtime& rt, std::string_view argument);
void circleStatement(Runtime& rt, std::string_view argument);
void paintStatement(Runtime& rt, std::string_view argument);
void pictureStatement(Runtime& rt, std::string_view argument);
void getStatement(Runtime& rt, std::string_view argument);
void putStatement(Runtime& rt, std::string_view argument);
void scrollStatement(Runtime& rt, std::string_view argument);

// Fills the area around (x, y) on the bitmap with paint, up to pixels of the border colour.
void floodFill(Runtime& rt, int x, int y, platform::Colour paint, platform::Colour border);

}  // namespace tw::graphics
