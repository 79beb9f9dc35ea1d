// UTF-8 <-> UTF-16 as the Windows build hands names to the system and takes them back.
#include "platform/format/Utf16Text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::format::Utf16Of;
using platform::format::Utf16Shown;
using platform::format::Utf8Of;

TEST(Utf16Text, UtfEightOfEveryLengthBecomesUtf16AndComesBackTheSame) {
    const std::string text = "a\u00e9\u6f22\U0001F600z";  // 1, 2, 3 and 4 bytes
    const std::optional<std::u16string> wide = Utf16Of<char16_t>(text);
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(*wide, u"a\u00e9\u6f22\U0001F600z");
    EXPECT_EQ(Utf8Of<char16_t>(*wide), text);
    EXPECT_EQ(Utf16Of<char16_t>(""), std::u16string());
}

TEST(Utf16Text, ANameThatIsNotUtf8OrHoldsANulIsRefused) {
    for (const std::string& bad :
         std::vector<std::string>{"\xff", "a\xe9.ico", "\xc0\x80", "\xe0\x80\xaf", "\xed\xa0\x80",
                                  "\xf4\x90\x80\x80", "\xe6\xbc", "\x80", std::string("a\0b", 3)}) {
        EXPECT_FALSE(Utf16Of<char16_t>(bad).has_value()) << testing::PrintToString(bad);
    }
}

TEST(Utf16Text, TextToShowReplacesWhatIsNotUtf8AndALoneSurrogateComesBackReplaced) {
    EXPECT_EQ(Utf16Shown<char16_t>("a\xe9"
                                   "b"),
              u"a\ufffdb");
    EXPECT_EQ(Utf16Shown<char16_t>("\xe6\xbc"), u"\ufffd\ufffd");
    EXPECT_EQ(Utf8Of<char16_t>(std::u16string(u"x") + char16_t(0xD800) + u"y"), "x\uFFFDy");
    EXPECT_EQ(Utf8Of<char16_t>(std::u16string(1, char16_t(0xDC00))), "\uFFFD");
}

}  // namespace
