#include "field/dtazv_field.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace xkdtazv {
namespace {

DtAzvField MakeField(std::int16_t length, std::int32_t fill, bool left, std::string_view value) {
  DtAzvField field;
  field.setFieldLength(length);
  field.setFieldCharCompletion(fill);
  field.setIsLeftAligned(left);
  field.setFieldValue(value);
  return field;
}

const std::string kOverflowText = "FEHLER: DtAzvField korrupt.\r\n6\r\nÜberlauf\r\n";
const std::string kInvalidArgumentText =
    "FEHLER: DtAzvField korrupt.\r\n5\r\nUnzulässiger Prozeduraufruf oder ungültiges Argument\r\n";

TEST(DtAzvField, StartsEmptyAndReturnsWhatWasSet) {
  DtAzvField field;
  EXPECT_EQ(field.FieldName(), "");
  EXPECT_EQ(field.FieldValue(), "");
  EXPECT_EQ(field.FieldLength(), 0);
  EXPECT_FALSE(field.IsLeftAligned());
  EXPECT_EQ(field.FieldCharCompletion(), 0);
  EXPECT_EQ(field.toFileString(), "");

  field.setFieldName("BLZ");
  field.setFieldValue(" 12 ab ");
  field.setFieldLength(-3);
  field.setIsLeftAligned(true);
  field.setFieldCharCompletion(-7);
  EXPECT_EQ(field.FieldName(), "BLZ");
  EXPECT_EQ(field.FieldValue(), " 12 ab ");
  EXPECT_EQ(field.FieldLength(), -3);
  EXPECT_TRUE(field.IsLeftAligned());
  EXPECT_EQ(field.FieldCharCompletion(), -7);
}

TEST(DtAzvField, StoresInvalidUtf8AsReplacementCharacters) {
  DtAzvField field;
  field.setFieldValue(
      "A\xFF"
      "B");
  EXPECT_EQ(field.FieldValue(),
            "A\xEF\xBF\xBD"
            "B");
  field.setFieldName("\xC3");
  EXPECT_EQ(field.FieldName(), "\xEF\xBF\xBD");
  field.setFieldLength(4);
  field.setFieldCharCompletion(1);
  EXPECT_EQ(field.toFileString(),
            "0A\xEF\xBF\xBD"
            "B");  // one character each
  field.setFieldValue(std::string("A\0B", 3));
  EXPECT_EQ(field.FieldValue(), std::string("A\0B", 3));
}

struct RenderCase {
  const char* name;
  std::int16_t length;
  std::int32_t fill;
  bool left;
  std::string value;
  std::string expected;
};

TEST(DtAzvField, RendersToItsWidth) {
  const RenderCase cases[] = {
      {"zeros right", 8, 1, false, "123", "00000123"},
      {"zeros left", 3, 1, true, "5", "500"},
      {"spaces left", 35, 0, true, "ABC", "ABC" + std::string(32, ' ')},
      {"spaces right", 5, 0, false, "AB", "   AB"},
      {"cut, zeros right", 3, 1, false, "EURO", "EUR"},
      {"cut, zeros left", 3, 1, true, "EURO", "EUR"},
      {"cut, spaces right", 3, 0, false, "EURO", "EUR"},
      {"cut, spaces left", 3, 0, true, "EURO", "EUR"},
      {"cut, fill mode 2", 3, 2, false, "EURO", "EUR"},
      {"cut, fill mode -1", 3, -1, true, "EURO", "EUR"},
      {"empty, zeros", 4, 1, false, "", "0000"},
      {"empty, spaces", 4, 0, false, "", "    "},
      {"exact width", 4, 1, false, "1234", "1234"},
      {"exact width, fill mode 2", 4, 2, false, "ABCD", "ABCD"},
      {"trailing spaces count", 5, 1, false, "AB   ", "AB   "},
      {"trailing spaces fill up", 6, 1, false, "AB ", "000AB "},
      {"width 0, empty", 0, 1, false, "", ""},
      {"width 0, value", 0, 1, false, "ABC", ""},
      {"width 0, fill mode 2", 0, 2, false, "ABC", ""},
      {"no sign handling", 4, 1, false, "-5", "00-5"},
      {"umlauts count once", 5, 0, true, "\xC3\x84\xC3\x96\xC3\x9C", "\xC3\x84\xC3\x96\xC3\x9C  "},
      {"umlauts cut between characters", 3, 0, true, "\xC3\x84\xC3\x96\xC3\x9C\xC3\x9FX",
       "\xC3\x84\xC3\x96\xC3\x9C"},
      {"emoji counts once", 2, 1, false, "\xF0\x9F\x98\x80", "0\xF0\x9F\x98\x80"},
      {"nul counts once", 3, 0, true, std::string("\0", 1), std::string("\0  ", 3)},
      {"longest value", 40, 0, true, std::string(32767, 'A'), std::string(40, 'A')},
      {"fill mode 2, shorter value", 4, 2, false, "AB", kInvalidArgumentText},
      {"fill mode -1, empty value", 1, -1, true, "", kInvalidArgumentText},
      {"one character too long", 40, 0, true, std::string(32768, 'A'), kOverflowText},
      {"one umlaut too long", 40, 0, true,
       [] {
         std::string text;
         for (int i = 0; i < 32768; ++i) text += "\xC3\xA4";
         return text;
       }(),
       kOverflowText},
      {"100,000 characters", 35, 0, true, std::string(100000, 'A'), kOverflowText},
      {"100,000 characters in a wide field", 32767, 0, true, std::string(100000, 'A'),
       kOverflowText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DtAzvField field = MakeField(c.length, c.fill, c.left, c.value);
    EXPECT_EQ(field.toFileString(), c.expected);
    EXPECT_EQ(field.FieldValue(), c.value);  // rendering changes nothing
    EXPECT_EQ(field.toFileString(), c.expected);
  }
}

TEST(DtAzvField, AFieldOfTheLargestWidthRendersFully) {
  const DtAzvField field = MakeField(32767, 1, false, "7");
  const std::string rendered = field.toFileString();
  ASSERT_EQ(rendered.size(), 32767u);
  EXPECT_EQ(rendered.substr(32760), "0000007");
}

TEST(DtAzvField, ANegativeWidthIsARenderingFailure) {
  EXPECT_EQ(MakeField(-1, 0, true, "A").toFileString(), kInvalidArgumentText);
  EXPECT_EQ(MakeField(-1, 0, true, "A").StringValidation(), -1);
}

struct ValidationCase {
  const char* name;
  std::int16_t length;
  std::int32_t fill;
  bool left;
  std::string value;
  std::int16_t expected;
};

TEST(DtAzvField, StringValidationFindsTheFirstCharacterOutsideTheSet) {
  const ValidationCase cases[] = {
      {"allowed text", 35, 0, true, "MUELLER & SOHN", 0},
      {"lower case", 35, 0, true, "Mueller", 2},
      {"colon", 35, 0, true, "A:B", 2},
      {"cut character not looked at", 2, 0, true, "ABc", 0},
      {"zero fill passes anything", 4, 1, false, "12ab", 0},
      {"zero fill passes umlauts", 4, 1, false, "\xC3\x84", 0},
      {"fill mode 2 is not examined", 4, 2, false, "a", 0},
      {"fill spaces are allowed", 10, 0, false, "A", 0},
      {"position counts characters", 35, 0, true,
       "\xC3\x9C\xC3\x9C"
       "a",
       1},
      {"after an umlaut", 35, 0, true, "M\xC3\x9CLLER", 2},
      {"after an emoji", 35, 0, true, "A\xF0\x9F\x98\x80", 2},
      {"sharp s", 35, 0, true,
       "STRA\xC3\x9F"
       "E",
       5},
      {"nul", 35, 0, true, std::string("AB\0", 3), 3},
      {"tab", 35, 0, true, "A\tB", 2},
      {"line break", 35, 0, true, "AB\r\n", 3},
      {"replacement character", 35, 0, true, "AB\xFF", 3},
      {"last position", 35, 0, true, std::string(34, 'A') + "a", 35},
      {"position 36 is cut off", 35, 0, true, std::string(35, 'A') + "a", 0},
      {"longest field", 32767, 0, true, std::string(32766, 'A') + "a", 32767},
      {"too long to render", 35, 0, true, std::string(32768, 'A'), -1},
      {"100,000 characters", 35, 0, true, std::string(100000, 'a'), -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MakeField(c.length, c.fill, c.left, c.value).StringValidation(), c.expected);
  }
}

TEST(DtAzvField, TheCharacterSetIsExactlyTheDtazvSet) {
  for (char32_t c = 0; c < 0x180; ++c) {
    SCOPED_TRACE(static_cast<unsigned>(c));
    const bool expected = c == 32 || c == 36 || c == 37 || c == 38 || (c >= 42 && c <= 47) ||
                          (c >= 48 && c <= 57) || (c >= 65 && c <= 90);
    EXPECT_EQ(IsDtAzvCharacter(c), expected);
  }
  for (char32_t c : {U'\u20AC', U'\uFFFD', U'\U0001F600', U'\uFF21'}) {
    EXPECT_FALSE(IsDtAzvCharacter(c));
  }
}

TEST(DtAzvField, StringValidationReportsEachCharacterOfTheSetAsAllowed) {
  const std::string allowed = " $%&*+,-./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  EXPECT_EQ(MakeField(60, 0, true, allowed).StringValidation(), 0);
  for (const std::string bad :
       {"!", "\"", "#", "'", "(",  ")",    ":",        ";",           "<", "=",
        ">", "?",  "@", "[", "\\", "]",    "^",        "_",           "`", "a",
        "z", "{",  "|", "}", "~",  "\x7F", "\xC3\xA4", "\xE2\x82\xAC"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(MakeField(60, 0, true, allowed + bad).StringValidation(), 47);
  }
}

}  // namespace
}  // namespace xkdtazv
