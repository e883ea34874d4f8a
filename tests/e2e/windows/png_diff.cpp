// Compares two screenshots pixel by pixel, leaving out the rectangles listed for the test.
//
// usage: tw_png_diff A.png B.png [LEFT TOP RIGHT BOTTOM]...
// Prints the number of pixels that differ outside the rectangles (right and bottom excluded) and
// the first few of them; exits 0 when there are none, 1 when there are, 2 when a file cannot be
// read or the sizes differ.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <stb/stb_image.h>

namespace {

struct Box {
  int left, top, right, bottom;
  bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc - 3) % 4 != 0) {
    std::fprintf(stderr, "usage: tw_png_diff A.png B.png [LEFT TOP RIGHT BOTTOM]...\n");
    return 2;
  }
  std::vector<Box> skipped;
  for (int i = 3; i < argc; i += 4)
    skipped.push_back({std::atoi(argv[i]), std::atoi(argv[i + 1]), std::atoi(argv[i + 2]),
                       std::atoi(argv[i + 3])});
  int wa = 0, ha = 0, wb = 0, hb = 0, n = 0;
  stbi_uc* a = stbi_load(argv[1], &wa, &ha, &n, 3);
  stbi_uc* b = stbi_load(argv[2], &wb, &hb, &n, 3);
  if (!a || !b || wa != wb || ha != hb) {
    std::printf("cannot compare %s (%dx%d) with %s (%dx%d)\n", argv[1], wa, ha, argv[2], wb, hb);
    return 2;
  }
  long differing = 0;
  for (int y = 0; y < ha; ++y) {
    for (int x = 0; x < wa; ++x) {
      const stbi_uc* p = a + (static_cast<std::size_t>(y) * wa + x) * 3;
      const stbi_uc* q = b + (static_cast<std::size_t>(y) * wa + x) * 3;
      if (p[0] == q[0] && p[1] == q[1] && p[2] == q[2]) continue;
      bool skip = false;
      for (const Box& box : skipped) skip = skip || box.holds(x, y);
      if (skip) continue;
      if (++differing <= 8)
        std::printf("  %d %d: %02X%02X%02X against %02X%02X%02X\n", x, y, p[0], p[1], p[2], q[0],
                    q[1], q[2]);
    }
  }
  std::printf("%ld pixels differ\n", differing);
  stbi_image_free(a);
  stbi_image_free(b);
  return differing == 0 ? 0 : 1;
}
