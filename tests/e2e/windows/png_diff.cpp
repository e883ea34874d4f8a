// Compares two screenshots pixel by pixel, except in the rectangles listed for the test: in a
// "skip" rectangle pixels are left out, in a "near" one a pixel of the first image may differ when
// the second has its colour within one pixel of it (a curve's steps placed one pixel apart).
//
// usage: tw_png_diff A.png B.png [skip|near LEFT TOP RIGHT BOTTOM]...
// Prints the number of pixels that differ (right and bottom excluded from each rectangle) and the
// first few of them; exits 0 when there are none, 1 when there are, 2 when a file cannot be read,
// the sizes differ or the arguments are wrong.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <stb/stb_image.h>

namespace {

struct Box {
  bool near;
  int left, top, right, bottom;
  bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct Image {
  int width = 0, height = 0;
  stbi_uc* pixels = nullptr;
  const stbi_uc* at(int x, int y) const {
    return pixels + (static_cast<std::size_t>(y) * width + x) * 3;
  }
  bool same(int x, int y, const stbi_uc* p) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const stbi_uc* q = at(x, y);
    return p[0] == q[0] && p[1] == q[1] && p[2] == q[2];
  }
};

bool hasNear(const Image& b, int x, int y, const stbi_uc* p) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (b.same(x + dx, y + dy, p)) return true;
  return false;
}

// Whether the pixel of a at (x, y) counts as a difference.
bool differs(const Image& a, const Image& b, const std::vector<Box>& boxes, int x, int y) {
  const stbi_uc* p = a.at(x, y);
  if (b.same(x, y, p)) return false;
  for (const Box& box : boxes) {
    if (!box.holds(x, y)) continue;
    if (!box.near || hasNear(b, x, y, p)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc - 3) % 5 != 0) {
    std::fprintf(stderr, "usage: tw_png_diff A.png B.png [skip|near LEFT TOP RIGHT BOTTOM]...\n");
    return 2;
  }
  std::vector<Box> boxes;
  for (int i = 3; i < argc; i += 5) {
    const bool near = std::strcmp(argv[i], "near") == 0;
    if (!near && std::strcmp(argv[i], "skip") != 0) return 2;
    boxes.push_back({near, std::atoi(argv[i + 1]), std::atoi(argv[i + 2]),
                     std::atoi(argv[i + 3]), std::atoi(argv[i + 4])});
  }
  Image a, b;
  int n = 0;
  a.pixels = stbi_load(argv[1], &a.width, &a.height, &n, 3);
  b.pixels = stbi_load(argv[2], &b.width, &b.height, &n, 3);
  if (!a.pixels || !b.pixels || a.width != b.width || a.height != b.height) {
    std::printf("cannot compare %s (%dx%d) with %s (%dx%d)\n", argv[1], a.width, a.height,
                argv[2], b.width, b.height);
    return 2;
  }
  long differing = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (!differs(a, b, boxes, x, y)) continue;
      const stbi_uc* p = a.at(x, y);
      const stbi_uc* q = b.at(x, y);
      if (++differing <= 8)
        std::printf("  %d %d: %02X%02X%02X against %02X%02X%02X\n", x, y, p[0], p[1], p[2], q[0],
                    q[1], q[2]);
    }
  }
  std::printf("%ld pixels differ\n", differing);
  stbi_image_free(a.pixels);
  stbi_image_free(b.pixels);
  return differing == 0 ? 0 : 1;
}
