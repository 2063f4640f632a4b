#include "platform/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace xkdtazv::detail {
namespace {

struct EncodingCase {
  const char* name;
  std::string utf8;
  std::string windows1252;
};

TEST(ToWindows1252, WritesOneBytePerCharacterAndQuestionMarkForTheRest) {
  const EncodingCase cases[] = {
      {"empty", "", ""},
      {"ascii", "0768T EUR", "0768T EUR"},
      {"nul and control characters", std::string("A\0\r\n", 4), std::string("A\0\r\n", 4)},
      {"umlauts and sharp s", "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F",
       "\xC4\xD6\xDC\xE4\xF6\xFC\xDF"},
      {"euro sign", "\xE2\x82\xAC", "\x80"},
      {"y diaeresis capital", "\xC5\xB8", "\x9F"},
      {"no-break space", "\xC2\xA0", "\xA0"},
      {"cjk character", "\xE4\xB8\xAD", "?"},
      {"greek capital", "\xCE\x91", "?"},
      {"emoji is one character",
       "A\xF0\x9F\x98\x80"
       "B",
       "A?B"},
      {"U+FFFD", "\xEF\xBF\xBD", "?"},
      {"invalid byte",
       "A\xFF"
       "B",
       "A?B"},
      {"C1 controls without a place", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "?????"},
      {"no best-fit letters", "\xEF\xBC\xA1\xC4\x80\xC5\x81",
       "???"},  // fullwidth A, A macron, L stroke
      {"no best-fit quotes", "\xE2\x80\xB2\xE2\x80\x9B", "??"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToWindows1252(c.utf8), c.windows1252);
  }
}

TEST(ToWindows1252, KeepsTheCharacterCountOfLongTexts) {
  std::string text;
  for (int i = 0; i < 50000; ++i)
    text += "\xC3\xA4\xE4\xB8\xAD";  // ä and a character without a place
  const std::string bytes = ToWindows1252(text);
  ASSERT_EQ(bytes.size(), 100000u);
  EXPECT_EQ(bytes.substr(0, 4), "\xE4?\xE4?");
}

TEST(FromWindows1252, ReadsEveryDefinedByteAndReplacesTheUndefinedOnes) {
  const EncodingCase cases[] = {
      {"ascii", "ABC", "ABC"},
      {"umlauts", "\xC3\xBC\xC3\x9F", "\xFC\xDF"},
      {"euro sign", "\xE2\x82\xAC", "\x80"},
      {"undefined 81", "\xEF\xBF\xBD", "\x81"},
      {"undefined 8D", "\xEF\xBF\xBD", "\x8D"},
      {"undefined 8F", "\xEF\xBF\xBD", "\x8F"},
      {"undefined 90", "\xEF\xBF\xBD", "\x90"},
      {"undefined 9D", "\xEF\xBF\xBD", "\x9D"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FromWindows1252(c.windows1252), c.utf8);
  }
}

TEST(FromWindows1252, RoundTripsEveryDefinedByte) {
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) continue;
    SCOPED_TRACE(byte);
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(ToWindows1252(FromWindows1252(one)), one);
  }
}

}  // namespace
}  // namespace xkdtazv::detail
