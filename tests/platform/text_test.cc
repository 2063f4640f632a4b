#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace xkdtazv::detail {
namespace {

const std::string kFFFD = "\xEF\xBF\xBD";

struct SanitizeCase {
  const char* name;
  std::string input;
  std::string expected;
};

TEST(SanitizeUtf8, ReplacesEachInvalidByteAndKeepsValidText) {
  const SanitizeCase cases[] = {
      {"empty", "", ""},
      {"ascii", "ABC xyz", "ABC xyz"},
      {"nul bytes stay", std::string("A\0B\0", 4), std::string("A\0B\0", 4)},
      {"control characters stay", "\t\r\n\x01\x7F", "\t\r\n\x01\x7F"},
      {"umlauts", "M\xC3\xBCller \xC3\x9F", "M\xC3\xBCller \xC3\x9F"},
      {"euro sign", "\xE2\x82\xAC", "\xE2\x82\xAC"},
      {"four-byte emoji", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"a valid U+FFFD stays one", kFFFD, kFFFD},
      {"lone continuation byte",
       "A\x80"
       "B",
       "A" + kFFFD + "B"},
      {"latin-1 byte", "M\xFCller", "M" + kFFFD + "ller"},
      {"lead byte at the end", "A\xC3", "A" + kFFFD},
      {"truncated three-byte sequence",
       "\xE2\x82"
       "A",
       kFFFD + kFFFD + "A"},
      {"overlong slash", "\xC0\xAF", kFFFD + kFFFD},
      {"overlong three-byte", "\xE0\x80\x80", kFFFD + kFFFD + kFFFD},
      {"surrogate", "\xED\xA0\x80", kFFFD + kFFFD + kFFFD},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", kFFFD + kFFFD + kFFFD + kFFFD},
      {"bytes F5 to FF", "\xF5\xFE\xFF", kFFFD + kFFFD + kFFFD},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SanitizeUtf8(c.input), c.expected);
    EXPECT_EQ(EncodeUtf8(DecodeUtf8(c.input)), c.expected);
  }
}

TEST(DecodeUtf8, GivesOneCodePointPerCharacter) {
  EXPECT_EQ(DecodeUtf8("M\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"),
            std::u32string(U"M\u00FC\u20AC\U0001F600"));
  EXPECT_EQ(DecodeUtf8("\xFF"
                       "A"),
            std::u32string(U"\uFFFDA"));
}

TEST(EncodeUtf8, ReplacesCodePointsThatHaveNoEncoding) {
  const std::u32string text{U'A', static_cast<char32_t>(0xD800), static_cast<char32_t>(0x110000),
                            U'\u00C4'};
  EXPECT_EQ(EncodeUtf8(text), "A" + kFFFD + kFFFD + "\xC3\x84");
}

TEST(CountCodePoints, CountsCharactersNotBytes) {
  EXPECT_EQ(CountCodePoints(""), 0u);
  EXPECT_EQ(CountCodePoints("ABC"), 3u);
  EXPECT_EQ(CountCodePoints("M\xC3\xBCLLER"), 6u);
  EXPECT_EQ(CountCodePoints("\xE2\x82\xAC\xF0\x9F\x98\x80"), 2u);
  EXPECT_EQ(CountCodePoints(std::string("\0\0", 2)), 2u);
  EXPECT_EQ(CountCodePoints(SanitizeUtf8("\xFF\xFE")), 2u);
}

TEST(FirstCodePoints, CutsBetweenCharacters) {
  const std::string text =
      "\xC3\x84\xC3\x96\xC3\x9C"
      "X";  // ÄÖÜX
  EXPECT_EQ(FirstCodePoints(text, 0), "");
  EXPECT_EQ(FirstCodePoints(text, 1), "\xC3\x84");
  EXPECT_EQ(FirstCodePoints(text, 3), "\xC3\x84\xC3\x96\xC3\x9C");
  EXPECT_EQ(FirstCodePoints(text, 4), text);
  EXPECT_EQ(FirstCodePoints(text, 100), text);
  EXPECT_EQ(FirstCodePoints("\xF0\x9F\x98\x80"
                            "A",
                            1),
            "\xF0\x9F\x98\x80");
}

TEST(ToUpper, MapsEachLowerCaseLetterToItsSimpleUpperCase) {
  const SanitizeCase cases[] = {
      {"ascii", "Bahnhofstrasse 1", "BAHNHOFSTRASSE 1"},
      {"umlauts", "m\xC3\xBCller \xC3\xA4\xC3\xB6", "M\xC3\x9CLLER \xC3\x84\xC3\x96"},
      {"sharp s stays",
       "stra\xC3\x9F"
       "e",
       "STRA\xC3\x9F"
       "E"},
      {"accents", "\xC3\xA9\xC3\xA8\xC3\xA7", "\xC3\x89\xC3\x88\xC3\x87"},
      {"y diaeresis", "\xC3\xBF", "\xC5\xB8"},
      {"greek", "\xCE\xB1\xCE\xB2", "\xCE\x91\xCE\x92"},
      {"digits, signs and capitals stay", "A1 $%&*+,-./:;", "A1 $%&*+,-./:;"},
      {"control characters and nul stay", std::string("a\0\t\r\n", 5), std::string("A\0\t\r\n", 5)},
      {"no letters change length", "\xE2\x82\xAC\xF0\x9F\x98\x80", "\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"invalid bytes become U+FFFD",
       "a\xFF"
       "b",
       "A" + kFFFD + "B"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToUpper(c.input), c.expected);
  }
}

TEST(ToUpper, HandlesLongTexts) {
  const std::string text(100000, 'a');
  EXPECT_EQ(ToUpper(text), std::string(100000, 'A'));
}

}  // namespace
}  // namespace xkdtazv::detail
