// The newer interfaces _DtAzvDatei2, _MeineInfo2 and _GeldTransfer2: reached
// by QueryInterface beside the published ones, by slot and by name, and
// described by the version 1.1 type information.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

constexpr XkGuid kUnknownIid = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

class ExtensionTest : public AutomationTest {};

TEST_F(ExtensionTest, EachObjectAnswersForItsPublishedAndNewerInterfaceOnly) {
  Com<XkDtAzvDatei> file = NewFile();
  Com<XkMeineInfo> sender;
  ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), sender.out()), XK_S_OK);
  Com<XkGeldTransfer> payment = NewPayment();
  struct Case {
    XkUnknown* object;
    const XkGuid* newer;
    const XkGuid* foreign;
  };
  const Case cases[] = {
      {file.unknown(), &XK_IID__DtAzvDatei2, &XK_IID__GeldTransfer2},
      {sender.unknown(), &XK_IID__MeineInfo2, &XK_IID__DtAzvDatei2},
      {payment.unknown(), &XK_IID__GeldTransfer2, &XK_IID__MeineInfo2},
  };
  for (const Case& c : cases) {
    void* newer = nullptr;
    EXPECT_EQ(c.object->lpVtbl->QueryInterface(c.object, c.newer, &newer), XK_S_OK);
    EXPECT_EQ(newer, c.object);
    if (newer != nullptr) c.object->lpVtbl->Release(c.object);
    for (const XkGuid* refused : {c.foreign, &kUnknownIid}) {
      void* none = &newer;
      EXPECT_EQ(c.object->lpVtbl->QueryInterface(c.object, refused, &none), XK_E_NOINTERFACE);
      EXPECT_EQ(none, nullptr);
    }
  }
}

TEST_F(ExtensionTest, NewMembersWorkBySlotAndByName) {
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("xkdtazv-ext-" + std::to_string(getpid())))
          .string();
  std::filesystem::create_directories(dir);
  Com<XkDtAzvDatei2> file;
  {
    Com<XkDtAzvDatei> published = NewFile();
    ASSERT_EQ(
        published->lpVtbl->QueryInterface(published.get(), &XK_IID__DtAzvDatei2, file.out_void()),
        XK_S_OK);
  }
  Bstr path(dir);
  ASSERT_EQ(file->lpVtbl->put_Pfad(file.get(), path.get()), XK_S_OK);
  Com<XkMeineInfo> sender;
  ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), sender.out()), XK_S_OK);
  auto* sender2 = reinterpret_cast<XkMeineInfo2*>(sender.get());
  Bstr iban("DE89370400440532013000");
  ASSERT_EQ(sender2->lpVtbl->put_IBAN(sender2, iban.get()), XK_S_OK);
  Bstr read;
  ASSERT_EQ(sender2->lpVtbl->get_IBAN(sender2, read.out()), XK_S_OK);
  EXPECT_EQ(read.utf8(), "DE89370400440532013000");
  for (const auto& [name, value] :
       {std::pair{"Name", "Muster GmbH"}, {"OrtPLZ", "50667 Koeln"}, {"ExecutionDate", "261210"}}) {
    Variant text;
    text.value.vt = XK_VT_BSTR;
    text.value.bstrVal = XkBstrFromUtf8(value, std::strlen(value));
    EXPECT_EQ(Put(sender.dispatch(), name, text.value).status, XK_S_OK) << name;
  }

  Com<XkGeldTransfer> payment = NewPayment();
  auto* payment2 = reinterpret_cast<XkGeldTransfer2*>(payment.get());
  Bstr usd("USD");
  ASSERT_EQ(payment2->lpVtbl->put_Auftragswaehrung(payment2, usd.get()), XK_S_OK);
  ASSERT_EQ(payment->lpVtbl->put_Zahlungsart(payment.get(), 0), XK_S_OK);
  for (const auto& [name, value] : {std::pair{"Name", "Acme Tools Inc."},
                                    {"Betrag", "100.25"},
                                    {"LaenderISO", "US"},
                                    {"Ort", "New York"},
                                    {"EmpfaengerKonto", "4567890123"},
                                    {"Clearingcode", "USABA021000021"},
                                    {"BankName", "JPMorgan Chase Bank"},
                                    {"BankOrtPLZ", "New York"}}) {
    Variant text;
    text.value.vt = XK_VT_BSTR;
    text.value.bstrVal = XkBstrFromUtf8(value, std::strlen(value));
    EXPECT_EQ(Put(payment.dispatch(), name, text.value).status, XK_S_OK) << name;
  }
  Outcome currency = Get(payment.dispatch(), "auftragswaehrung");
  ASSERT_EQ(currency.status, XK_S_OK);
  EXPECT_EQ(Utf8(currency.result.value.bstrVal), "USD");
  Bstr added;
  ASSERT_EQ(file->lpVtbl->AddGeldTransfer(file.get(), payment.get(), added.out()), XK_S_OK);

  Bstr result;
  ASSERT_EQ(file->lpVtbl->GeneratePain001(file.get(), result.out()), XK_S_OK);
  EXPECT_NE(result.utf8().find("Warnung: Zahlung 1: Keine Postleitzahl"), std::string::npos)
      << result.utf8();
  Bstr listed;
  ASSERT_EQ(file->lpVtbl->get_Pain001Dateien(file.get(), listed.out()), XK_S_OK);
  EXPECT_NE(listed.utf8().find("-01-AXZ.xml\n"), std::string::npos) << listed.utf8();
  Outcome by_name = Get(file.dispatch(), "Pain001Dateien");
  EXPECT_EQ(Utf8(by_name.result.value.bstrVal), listed.utf8());
  EXPECT_EQ(Call(file.dispatch(), "GeneratePain001").status, XK_S_OK);
  std::filesystem::remove_all(dir);
}

TEST(ExtendedTypeLibraryTest, MakesTheNewerInterfacesTheDefaultsAndKeepsThePublishedOnes) {
  const XkTypeLibInfo& published = *XkGetTypeLibInfo();
  const XkTypeLibInfo& newer = *XkGetTypeLibInfo2();
  EXPECT_EQ(newer.major_version, 1);
  EXPECT_EQ(newer.minor_version, 1);
  ASSERT_EQ(newer.class_count, published.class_count);
  ASSERT_EQ(newer.interface_count, 2 * published.interface_count);
  const char* names[] = {"_DtAzvDatei2", "_GeldTransfer2", "_MeineInfo2"};
  const XkGuid* iids[] = {&XK_IID__DtAzvDatei2, &XK_IID__GeldTransfer2, &XK_IID__MeineInfo2};
  for (std::uint32_t c = 0; c < newer.class_count; ++c) {
    const XkInterfaceInfo& extension = *newer.classes[c].default_interface;
    const XkInterfaceInfo& old = newer.interfaces[published.interface_count + c];
    const XkInterfaceInfo& reference = published.interfaces[c];
    SCOPED_TRACE(names[c]);
    EXPECT_STREQ(extension.name, names[c]);
    EXPECT_TRUE(XkGuidEqual(&extension.iid, iids[c]));
    EXPECT_STREQ(old.name, reference.name);
    EXPECT_TRUE(XkGuidEqual(&old.iid, &reference.iid));
    ASSERT_EQ(old.member_count, reference.member_count);
    ASSERT_GT(extension.member_count, reference.member_count);
    // The published members come first, unchanged, in both.
    for (std::uint32_t m = 0; m < reference.member_count; ++m) {
      EXPECT_STREQ(extension.members[m].name, reference.members[m].name);
      EXPECT_EQ(extension.members[m].dispid, reference.members[m].dispid);
      EXPECT_EQ(extension.members[m].get_slot, reference.members[m].get_slot);
      EXPECT_EQ(extension.members[m].put_slot, reference.members[m].put_slot);
    }
  }
  EXPECT_EQ(offsetof(XkGeldTransfer2Vtbl, GetSeparatorString),
            offsetof(XkGeldTransferVtbl, GetSeparatorString));
  EXPECT_EQ(offsetof(XkMeineInfo2Vtbl, put_ExecutionDate),
            offsetof(XkMeineInfoVtbl, put_ExecutionDate));
}

}  // namespace
}  // namespace xkdtazv::testing
