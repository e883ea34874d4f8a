// What the platform folder does on texts alone: the UTF-16 side of the codec (how typed
// characters become key bytes on Windows) and the settings file's NAME=VALUE lines.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace tw {
namespace {

TEST(Utf16, TypedCharactersBecomeTheirCodePage932Bytes) {
  EXPECT_EQ(platform::utf16ToCp932(u"a"), "a");
  EXPECT_EQ(platform::utf16ToCp932(u"\uFF76"), "\xB6");          // half-width katakana: one byte
  EXPECT_EQ(platform::utf16ToCp932(u"\u65E5"), "\x93\xFA");      // a kanji: lead and trail byte
  EXPECT_EQ(platform::utf16ToCp932(u"\u00A5"), std::nullopt);    // no form: the key is dropped
  EXPECT_EQ(platform::utf16ToCp932(u"\xD83D"), std::nullopt);    // half of a surrogate pair
  EXPECT_EQ(platform::utf16ToCp932(u"\U0001F600"), std::nullopt);
  bool lossless = true;
  EXPECT_EQ(platform::cp932ToUtf16("\x93\xFA\xB6" "a", &lossless), u"\u65E5\uFF76a");
  EXPECT_TRUE(lossless);
  EXPECT_EQ(platform::cp932ToUtf16("\x81", &lossless), u"\uFFFD");  // a lead byte cut off
  EXPECT_FALSE(lossless);
}

TEST(SettingsFile, OneNameChangesAndEveryOtherLineIsKept) {
  using platform::settingsValue, platform::withSettingsValue;
  EXPECT_EQ(settingsValue("", "RS232C"), std::nullopt);
  EXPECT_EQ(settingsValue("X=1\r\nRS232C=2 4800\r\nRS232C=9\n", "RS232C"), "2 4800");
  EXPECT_EQ(settingsValue("RS232CX=1\nRS232C\n", "RS232C"), std::nullopt);
  EXPECT_EQ(settingsValue("RS232C=", "RS232C"), "");
  EXPECT_EQ(withSettingsValue("", "RS232C", "1 9600"), "RS232C=1 9600\n");
  EXPECT_EQ(withSettingsValue("# mine\nX=1", "RS232C", "1"), "# mine\nX=1\nRS232C=1\n");
  EXPECT_EQ(withSettingsValue("A=1\r\nRS232C=old\r\nB=2\r\n", "RS232C", "new"),
            "A=1\r\nRS232C=new\r\nB=2\r\n");
}

}  // namespace
}  // namespace tw
