// The drawing statements on a recording canvas: what each statement asks the platform to draw,
// the last point, the flood fill's spans and the picture slots.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "test_runtime.h"

namespace tw {
namespace {

// A small canvas that keeps its pixels (lines are drawn only when horizontal or vertical, enough
// for the fill and for test borders) and writes every call into a log.
class RecordingCanvas : public platform::Canvas {
 public:
  explicit RecordingCanvas(platform::Extent size)
      : size_(size), pixels_(static_cast<std::size_t>(size.width * size.height), 0) {}
  std::vector<std::string> log;

  platform::Extent size() const override { return size_; }
  std::optional<platform::Colour> pixel(int x, int y) const override {
    if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return std::nullopt;
    return pixels_[static_cast<std::size_t>(y * size_.width + x)];
  }
  void setPixel(int x, int y, platform::Colour c) override {
    record("pixel", {x, y}, c);
    put(x, y, c);
  }
  void line(int x1, int y1, int x2, int y2, platform::Colour pen) override {
    record("line", {x1, y1, x2, y2}, pen);
    if (y1 == y2)
      for (int x = std::min(x1, x2); x < std::max(x1, x2); ++x) put(x, y1, pen);
    if (x1 == x2)
      for (int y = std::min(y1, y2); y < std::max(y1, y2); ++y) put(x1, y, pen);
  }
  void fillRect(const platform::Rect& r, platform::Colour c) override {
    record("fill", {r.left, r.top, r.right, r.bottom}, c);
  }
  void rectangle(const platform::Rect& r, platform::Colour pen,
                 std::optional<platform::Colour> fill) override {
    record("rectangle", {r.left, r.top, r.right, r.bottom}, pen, fill);
  }
  void ellipse(const platform::Rect& r, platform::Colour pen,
               std::optional<platform::Colour> fill) override {
    record("ellipse", {r.left, r.top, r.right, r.bottom}, pen, fill);
  }
  void arc(const platform::Rect& r, int x3, int y3, int x4, int y4, platform::Colour pen) override {
    record("arc", {r.left, r.top, r.right, r.bottom, x3, y3, x4, y4}, pen);
  }
  void pie(const platform::Rect& r, int x3, int y3, int x4, int y4, platform::Colour pen,
           platform::Colour fill) override {
    record("pie", {r.left, r.top, r.right, r.bottom, x3, y3, x4, y4}, pen, fill);
  }
  void drawText(int, int, std::string_view, platform::Colour,
                std::optional<platform::Colour>) override {}
  void copyFrom(const platform::Canvas&, const platform::Rect&) override { log.push_back("copy"); }
  void scroll(int dx, int dy) override { record("scroll", {dx, dy}, 0); }
  struct Shot : platform::Picture {
    platform::Extent extent;
    platform::Extent size() const override { return extent; }
  };
  std::unique_ptr<platform::Picture> capture(const platform::Rect& r) const override {
    auto p = std::make_unique<Shot>();
    p->extent = {r.right - r.left, r.bottom - r.top};
    return p;
  }
  void putPicture(const platform::Picture& p, int x, int y, platform::RasterOp op) override {
    record("put", {x, y, p.size().width, p.size().height}, static_cast<platform::Colour>(op));
  }
  std::unique_ptr<platform::Picture> loadPicture(std::string_view name) override {
    log.push_back("load " + std::string(name));
    return nullptr;
  }

 private:
  void put(int x, int y, platform::Colour c) {
    if (pixel(x, y)) pixels_[static_cast<std::size_t>(y * size_.width + x)] = c;
  }
  void record(std::string_view what, std::initializer_list<int> numbers, platform::Colour c,
              std::optional<platform::Colour> fill = std::nullopt) {
    std::ostringstream out;
    out << what;
    for (int n : numbers) out << ' ' << n;
    out << " #" << std::hex << c;
    if (fill) out << " fill #" << std::hex << *fill;
    log.push_back(out.str());
  }
  platform::Extent size_;
  std::vector<platform::Colour> pixels_;
};

struct Graphics : ::testing::Test {
  test::TestRuntime t;
  RecordingCanvas bitmap{{40, 30}};
  RecordingCanvas client{{40, 30}};
  Graphics() {
    t.rt.sys.bitmap = &bitmap;
    t.rt.sys.clientArea = &client;
  }
  // Runs program text and returns what was drawn on the bitmap.
  std::vector<std::string> run(std::string_view program) {
    t.load(program);
    t.run();
    return bitmap.log;
  }
};

using Log = std::vector<std::string>;

TEST_F(Graphics, PointsTakeColourNumbersOrValuesAndPresetTheBackground) {
  Log log = run(
      "10 \x10\x45 (1,2):\x10\x45 (3,4),2:\x10\x45 (5,6),-255:\x10\x45 (7,8),2.9\n"
      "20 \x10\x74 7,1:\x10\x44 (9,9):\x10\x74 7,-1:\x10\x44 (9,9)\n");
  EXPECT_EQ(log, (Log{"pixel 1 2 #ffffff", "pixel 3 4 #ff", "pixel 5 6 #ff", "pixel 7 8 #ff",
                      "pixel 9 9 #ff0000"}));
  EXPECT_EQ(client.log, log);
}

TEST_F(Graphics, LinesBoxesStepAndTheLastPoint) {
  Log log = run(
      "10 \x11\x12 (0,0)-(10,0):\x11\x12 -(10,5),2\n"
      "20 \x10\x43 (2,2):\x11\x12 -STEP(3,4)\n"
      "30 \x11\x12 (1,1)-(4,4),,B:\x11\x12 (5,5)-(8,8),2,bf,4\n");
  EXPECT_EQ(log, (Log{"line 0 0 10 0 #ffffff", "line 10 0 10 5 #ff", "line 2 2 5 6 #ffffff",
                      "line 1 1 1 4 #ffffff", "line 1 4 4 4 #ffffff", "line 4 4 4 1 #ffffff",
                      "line 4 1 1 1 #ffffff", "line 5 5 5 8 #ff", "line 5 8 8 8 #ff",
                      "line 8 8 8 5 #ff", "line 8 5 5 5 #ff", "rectangle 5 5 8 8 #ff fill #ff00"}));
  EXPECT_EQ(t.rt.graphics.lastPointX, 8);
  EXPECT_EQ(t.rt.graphics.lastPointY, 8);
  EXPECT_TRUE(t.window.boxes.empty());
}

TEST_F(Graphics, CirclesArcsAndPies) {
  Log log = run(
      "10 \x10\x41 (20,15),10:\x10\x41 (20,15),10,,,,2:\x10\x41 (20,15),10,,,,0.5\n"
      "20 \x10\x41 (20,15),10,4,,,,F\n"
      "30 \x10\x41 (20,15),10,,0,3.14:\x10\x41 (20,15),10,,-0.01,-1.57,,F,2\n");
  EXPECT_EQ(log, (Log{"arc 10 5 30 25 0 0 0 0 #ffffff", "arc 15 5 25 25 0 0 0 0 #ffffff",
                      "arc 10 10 30 20 0 0 0 0 #ffffff", "ellipse 10 5 30 25 #ff00 fill #ff00",
                      // 0 to 314 hundredths: from the right-hand side round to the left.
                      "arc 10 5 30 25 98 15 -58 15 #ffffff",
                      // A negative angle makes a pie; the fill option plays no part in it.
                      "pie 10 5 30 25 98 14 20 -63 #ffffff fill #ff"}));
}

TEST_F(Graphics, ParseErrorsAreSyntaxErrorsAndAnglesOutOfRangeAreError5) {
  for (std::string_view bad :
       {"10 \x10\x45 (1,2\n", "10 \x10\x44 1,2\n", "10 \x10\x43 (12)\n", "10 \x11\x12 (0,0)(9,9)\n",
        "10 \x11\x12 (0,0)-9,9\n", "10 \x11\x12 (0,0)-(9,9),,X\n", "10 \x10\x41 (5,5)\n",
        "10 \x10\x42 (5,5\n", "10 \x11\x11 (0,0),P,AND\n", "10 \x11\x11 (0,0),P\n",
        "10 \x10\x46 16\n"}) {
    run(bad);
    EXPECT_EQ(t.takeBoxes(), Log{"[Basic - Error] 文法が間違っています  Error line:10"}) << bad;
  }
  run("10 \x10\x41 (100,100),50,,7\n");
  EXPECT_EQ(t.takeBoxes(), Log{"[Basic - Error] 指定すべき数値の範囲ではありません  Error line:10"});
}

TEST_F(Graphics, PaintFillsUpToTheBorderAndStopsAtThePaintColourWithoutOne) {
  // A red box from (2,2) to (12,8): without a border colour the red fill stops at it; the green
  // one outside stops at the red border named.
  Log log = run(
      "10 \x11\x12 (2,2)-(12,8),2,B\n"
      "20 \x10\x42 (5,5),2\n"
      "30 \x10\x42 (20,20),4,2\n");
  EXPECT_EQ(bitmap.pixel(3, 3), 0x0000FFu);
  EXPECT_EQ(bitmap.pixel(11, 7), 0x0000FFu);
  EXPECT_EQ(bitmap.pixel(2, 2), 0x0000FFu);
  EXPECT_EQ(bitmap.pixel(1, 5), 0x00FF00u);
  EXPECT_EQ(bitmap.pixel(39, 29), 0x00FF00u);
  EXPECT_EQ(bitmap.pixel(13, 5), 0x00FF00u);
  EXPECT_EQ(client.log.back(), "copy");  // the client area shows the result at once
  // A fill where the paint colour already is changes nothing.
  bitmap.log.clear();
  run("10 \x10\x42 (0,0),4\n");
  EXPECT_TRUE(bitmap.log.empty());
}

TEST_F(Graphics, PicturesTakeSlotsInOrderAndPutDrawsThem) {
  run("10 \x11\x10 @(0,0)-(10,10),P:\x11\x10 (5,5)-STEP(10,10),Q:\x11\x10 (9,9)-(3,4),R\n"
      "20 \x11\x11 (20,20),Q,PSET:\x11\x11 @(1,1),R,xor:\x11\x11 #1,whatever\n");
  std::string value;
  expr::readVariable(t.rt, "Q", value);
  EXPECT_EQ(value, "1");
  EXPECT_EQ(t.rt.graphics.pictureCount, 3);
  EXPECT_EQ(t.rt.graphics.pictureSlots[0]->size().width, 10);
  EXPECT_EQ(t.rt.graphics.pictureSlots[2]->size().height, 5);  // corners in any order
  EXPECT_EQ(bitmap.log, (Log{"put 20 20 10 10 #0", "put 1 1 6 5 #2"}));
  run("10 \x11\x11 (0,0),7,PSET\n");
  EXPECT_EQ(t.takeBoxes(), Log{"[Basic - Error] 指定すべき数値の範囲ではありません  Error line:10"});
}

TEST_F(Graphics, APictureThatCannotBeLoadedKeepsItsSlotNumberInTheVariable) {
  run("10 \x10\x40 \"nothing.bmp\",P\n");
  EXPECT_EQ(bitmap.log, Log{"load /tmp\\nothing.bmp"});
  EXPECT_EQ(t.takeBoxes(), Log{"[Basic - Error] ﾌｧｲﾙをｵｰﾌﾟﾝできません  Error line:10"});
  EXPECT_EQ(t.rt.graphics.pictureCount, 0);
}

TEST_F(Graphics, ScrollStampsTheTextAndKeepsOnlyItsLineBreaks) {
  run("10 \x10\x10 \"ab\"\n20 \x10\x10 \"cd\";\n30 \x10\x46 0,16\n");
  EXPECT_EQ(bitmap.log.back(), "scroll 0 16 #0");
  EXPECT_EQ(t.rt.screen.screenText, "\n");
  EXPECT_EQ(t.rt.screen.screenCursor, 1);
}

}  // namespace
}  // namespace tw
