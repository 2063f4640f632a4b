// Text, variants, identifiers and status descriptions of the C interface.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

struct Utf16Case {
  const char* label;
  std::u16string utf16;
  std::string utf8;
};

TEST(TextTest, ConvertsUtf16ToUtf8WithReplacementForUnpairedSurrogates) {
  const std::vector<Utf16Case> cases = {
      {"ascii", u"SUCCESS", "SUCCESS"},
      {"umlauts", u"Jörg Weiß", "Jörg Weiß"},
      {"pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"embedded nul", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {"lone high at the end", std::u16string{u'a', 0xD800}, "a\xEF\xBF\xBD"},
      {"lone low", std::u16string{0xDC00, u'b'},
       "\xEF\xBF\xBD"
       "b"},
      {"reversed pair", std::u16string{0xDC00, 0xD800}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"empty", u"", ""},
  };
  for (const Utf16Case& c : cases) {
    SCOPED_TRACE(c.label);
    const Bstr text(c.utf16);
    EXPECT_EQ(XkBstrLength(text.get()), c.utf16.size());
    EXPECT_EQ(text.utf8(), c.utf8);
  }
  EXPECT_EQ(Utf8(nullptr), "");
  EXPECT_EQ(XkBstrLength(nullptr), 0u);
}

TEST(TextTest, ConvertsUtf8ToUtf16WithReplacementForInvalidBytes) {
  const Bstr valid("€\U0001F600");
  ASSERT_EQ(XkBstrLength(valid.get()), 3u);
  EXPECT_EQ(valid.get()[0], 0x20AC);
  EXPECT_EQ(valid.get()[1], 0xD83D);
  EXPECT_EQ(valid.get()[2], 0xDE00);
  EXPECT_EQ(valid.get()[3], 0);  // terminated for hosts that expect it

  const Bstr invalid(
      "a\xFF"
      "b");
  ASSERT_EQ(XkBstrLength(invalid.get()), 3u);
  EXPECT_EQ(invalid.get()[1], 0xFFFD);
  EXPECT_EQ(XkBstrFromUtf8(nullptr, 3), nullptr);
}

TEST(TextTest, CopiesAndClearsVariants) {
  const Variant text = Variant::Text("abc");
  Variant copy;
  ASSERT_EQ(XkVariantCopy(&copy.value, &text.value), XK_S_OK);
  ASSERT_EQ(copy.value.vt, XK_VT_BSTR);
  EXPECT_NE(copy.value.bstrVal, text.value.bstrVal);
  EXPECT_EQ(Utf8(copy.value.bstrVal), "abc");

  XkVariant bad;
  XkVariantInit(&bad);
  bad.vt = 0x4008;  // by reference: not a kind this library knows
  EXPECT_EQ(XkVariantClear(&bad), XK_DISP_E_BADVARTYPE);
  EXPECT_EQ(XkVariantCopy(&copy.value, &bad), XK_DISP_E_BADVARTYPE);
  EXPECT_EQ(XkVariantClear(nullptr), XK_E_POINTER);
}

TEST(TextTest, FormatsAndParsesIdentifiers) {
  char text[XK_GUID_STRING_SIZE];
  XkGuidToString(&XK_IID_IDispatch, text);
  EXPECT_STREQ(text, "{00020400-0000-0000-C000-000000000046}");
  XkGuid parsed{};
  ASSERT_EQ(XkGuidFromString("{1564f465-cbc5-4d6f-9abb-570dda9604bc}", &parsed), XK_S_OK);
  EXPECT_TRUE(XkGuidEqual(&parsed, &XK_CLSID_DtAzvDatei));
  for (const char* wrong :
       {"", "1564F465-CBC5-4D6F-9ABB-570DDA9604BC", "{1564F465-CBC5-4D6F-9ABB-570DDA9604BG}",
        "{1564F465-CBC5-4D6F+9ABB-570DDA9604BC}", "{1564F465-CBC5-4D6F-9ABB-570DDA9604BC}x"}) {
    EXPECT_EQ(XkGuidFromString(wrong, &parsed), XK_E_INVALIDARG) << wrong;
  }
  EXPECT_FALSE(XkGuidEqual(&XK_IID_IUnknown, nullptr));
}

TEST(TextTest, NamesAndDescribesStatuses) {
  struct Case {
    XkResult status;
    const char* name;
    const char* description;
    std::int32_t number;
  };
  const std::vector<Case> cases = {
      {XK_S_OK, "XK_S_OK", "Kein Fehler", 0},
      {XK_RPC_E_WRONG_THREAD, "XK_RPC_E_WRONG_THREAD",
       "Aufruf aus einem anderen Thread als dem, der das Objekt erzeugt hat", 92},
      {XK_DISP_E_TYPEMISMATCH, "XK_DISP_E_TYPEMISMATCH", "Typen unverträglich", 13},
      {XK_REGDB_E_DAMAGED, "XK_REGDB_E_DAMAGED", "Registrierungsdatei ist beschädigt",
       XK_REGDB_E_DAMAGED},
      {XK_FAILURE_STATUS(6), "XK_FAILURE_STATUS", "Überlauf", 6},
      {static_cast<XkResult>(0x80001234), "XK_UNKNOWN_STATUS", "Unbekannter Fehler",
       static_cast<XkResult>(0x80001234)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_STREQ(XkStatusName(c.status), c.name);
    EXPECT_STREQ(XkStatusDescription(c.status), c.description);
    EXPECT_EQ(XkStatusNumber(c.status), c.number);
  }
}

}  // namespace
}  // namespace xkdtazv::testing
