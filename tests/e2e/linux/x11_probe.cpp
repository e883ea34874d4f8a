// What the end-to-end tests of the Linux window need from the X display beyond xdotool: waiting
// for the server to answer, a window's pixels as PNG (written by the runtime's own encoder, so
// that a capture compares byte for byte with a --screenshot), one pixel, and the close request a
// desktop sends.
//
//   x11_probe wait SECONDS                   exit 0 once the display named by DISPLAY answers
//   x11_probe capture WINDOW SCALE OUT.png   the window's pixels, each SCALE x SCALE block one
//                                            pixel (exit 1 when a block is not one colour)
//   x11_probe pixel WINDOW X Y               the colour at (X, Y) of the window as RRGGBB
//   x11_probe close WINDOW                   sends WM_DELETE_WINDOW, as a desktop's close button
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/raster/raster.h"

namespace {

using tw::raster::Image;

// The colour of an X pixel as the runtime holds colours (0x00BBGGRR).
tw::platform::Colour colourOf(XImage* image, int x, int y) {
  const unsigned long p = XGetPixel(image, x, y);
  auto channel = [&](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) mask >>= 1, ++shift;
    return static_cast<tw::platform::Colour>((p >> shift) & 0xFF);
  };
  return channel(image->red_mask) | channel(image->green_mask) << 8 |
         channel(image->blue_mask) << 16;
}

XImage* grab(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return nullptr;
  return XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                   static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
}

int wait(int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (Display* display = XOpenDisplay(nullptr)) {
      XCloseDisplay(display);
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::fprintf(stderr, "x11_probe: the display does not answer\n");
  return 1;
}

int capture(Display* display, Window window, int scale, const char* path) {
  XImage* shot = grab(display, window);
  if (!shot || scale < 1) return 1;
  Image image(shot->width / scale, shot->height / scale);
  int status = 0;
  for (int y = 0; y < image.height && status == 0; ++y)
    for (int x = 0; x < image.width && status == 0; ++x) {
      const tw::platform::Colour c = colourOf(shot, x * scale, y * scale);
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          if (colourOf(shot, x * scale + dx, y * scale + dy) != c) {
            std::fprintf(stderr, "x11_probe: the block at %d,%d is not one colour\n", x, y);
            status = 1;
          }
      image.row(y)[x] = c;
    }
  XDestroyImage(shot);
  if (status == 0 && !tw::raster::writePng(image, path)) status = 1;
  return status;
}

int pixel(Display* display, Window window, int x, int y) {
  XImage* shot = grab(display, window);
  if (!shot || x < 0 || y < 0 || x >= shot->width || y >= shot->height) return 1;
  const tw::platform::Colour c = colourOf(shot, x, y);
  std::printf("%02X%02X%02X\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  XDestroyImage(shot);
  return 0;
}

int close(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait" && argc == 3) return wait(std::atoi(argv[2]));
  Display* display = XOpenDisplay(nullptr);
  if (!display || argc < 3) {
    std::fprintf(stderr, "x11_probe: no display, or no window given\n");
    return 2;
  }
  const Window window = std::strtoul(argv[2], nullptr, 0);
  int status = 2;
  if (command == "capture" && argc == 5)
    status = capture(display, window, std::atoi(argv[3]), argv[4]);
  if (command == "pixel" && argc == 5)
    status = pixel(display, window, std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "close" && argc == 3) status = close(display, window);
  XCloseDisplay(display);
  return status;
}
