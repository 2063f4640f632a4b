// Calls through the virtual-table slots: results through the last parameter,
// failures as statuses with a record kept for XkGetErrorInfo.
#include <gtest/gtest.h>

#include <string>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

class SlotTest : public AutomationTest {};

TEST_F(SlotTest, WritesAndReadsEveryKindOfMember) {
  Com<XkGeldTransfer> payment = NewPayment();
  const auto* slots = payment->lpVtbl;
  const Bstr purpose("Miete März € ☃");
  ASSERT_EQ(slots->put_Verwendungszweck1(payment.get(), purpose.get()), XK_S_OK);
  Bstr read;
  ASSERT_EQ(slots->get_Verwendungszweck1(payment.get(), read.out()), XK_S_OK);
  EXPECT_EQ(read.utf8(), "MIETE MÄRZ € ☃");

  ASSERT_EQ(slots->put_Weisungsschluessel4(payment.get(), 91), XK_S_OK);
  std::int32_t code = 0;
  ASSERT_EQ(slots->get_Weisungsschluessel4(payment.get(), &code), XK_S_OK);
  EXPECT_EQ(code, 91);

  // A null text is the empty text.
  ASSERT_EQ(slots->put_Verwendungszweck1(payment.get(), nullptr), XK_S_OK);
  ASSERT_EQ(slots->get_Verwendungszweck1(payment.get(), read.out()), XK_S_OK);
  EXPECT_EQ(XkBstrLength(read.get()), 0u);

  Com<XkDtAzvDatei> file = NewFile();
  ASSERT_EQ(file->lpVtbl->AddGeldTransfer(file.get(), payment.get(), read.out()), XK_S_OK);
  EXPECT_EQ(read.utf8(), "SUCCESS");
  ASSERT_EQ(file->lpVtbl->AddGeldTransfer(file.get(), nullptr, read.out()), XK_S_OK);
  EXPECT_EQ(read.utf8(), "SUCCESS");
}

TEST_F(SlotTest, KeepsTheFailureRecordUntilTheHostTakesIt) {
  Com<XkGeldTransfer> payment = NewPayment();
  const auto* slots = payment->lpVtbl;
  EXPECT_EQ(slots->put_Zahlungsart(payment.get(), 70000), XK_FAILURE_STATUS(6));
  XkExcepInfo record{};
  ASSERT_EQ(XkGetErrorInfo(payment.unknown(), &record), XK_S_OK);
  EXPECT_EQ(record.number, 6);
  EXPECT_EQ(record.scode, XK_FAILURE_STATUS(6));
  EXPECT_EQ(Utf8(record.source), "XKDTAZV.GeldTransfer");
  EXPECT_EQ(Utf8(record.description), "Überlauf");
  XkExcepInfoClear(&record);
  EXPECT_EQ(XkGetErrorInfo(payment.unknown(), &record), XK_S_FALSE);
  EXPECT_EQ(record.description, nullptr);

  std::int32_t kind = 42;
  EXPECT_EQ(slots->get_Zahlungsart(payment.get(), &kind), XK_FAILURE_STATUS(13));
  EXPECT_EQ(kind, 0);
  ASSERT_EQ(XkGetErrorInfo(payment.unknown(), &record), XK_S_OK);
  EXPECT_EQ(Utf8(record.description), "Typen unverträglich");
  XkExcepInfoClear(&record);

  // The object goes on working.
  EXPECT_EQ(slots->put_Zahlungsart(payment.get(), 15), XK_S_OK);
  EXPECT_EQ(slots->get_Zahlungsart(payment.get(), &kind), XK_S_OK);
  EXPECT_EQ(kind, 15);
}

TEST_F(SlotTest, RefusesNullPointers) {
  Com<XkDtAzvDatei> file = NewFile();
  const auto* slots = file->lpVtbl;
  EXPECT_EQ(slots->get_Pfad(file.get(), nullptr), XK_E_POINTER);
  EXPECT_EQ(slots->get_Pfad(nullptr, nullptr), XK_E_POINTER);
  Bstr text;
  EXPECT_EQ(slots->get_Pfad(nullptr, text.out()), XK_E_POINTER);
  EXPECT_EQ(slots->put_Pfad(nullptr, nullptr), XK_E_POINTER);
  EXPECT_EQ(slots->Generate(file.get(), nullptr), XK_E_POINTER);
  EXPECT_EQ(slots->AddGeldTransfer(file.get(), nullptr, nullptr), XK_E_POINTER);
  EXPECT_EQ(slots->get_GetMeineInfo(file.get(), nullptr), XK_E_POINTER);
  EXPECT_EQ(slots->QueryInterface(file.get(), &XK_IID_IUnknown, nullptr), XK_E_POINTER);
  void* object = &object;
  EXPECT_EQ(slots->QueryInterface(file.get(), nullptr, &object), XK_E_POINTER);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(slots->GetTypeInfoCount(file.get(), nullptr), XK_E_POINTER);
  EXPECT_EQ(slots->GetTypeInfo(file.get(), 0, 0, nullptr), XK_E_POINTER);
  EXPECT_EQ(XkGetErrorInfo(nullptr, nullptr), XK_E_POINTER);
  XkExcepInfo record{};
  EXPECT_EQ(XkGetErrorInfo(nullptr, &record), XK_E_POINTER);
}

TEST_F(SlotTest, AnswersQueriesForItsOwnInterfacesOnly) {
  Com<XkDtAzvDatei> file = NewFile();
  for (const XkGuid* iid : {&XK_IID_IUnknown, &XK_IID_IDispatch, &XK_IID__DtAzvDatei}) {
    Com<XkUnknown> same;
    ASSERT_EQ(file->lpVtbl->QueryInterface(file.get(), iid, same.out_void()), XK_S_OK);
    EXPECT_EQ(static_cast<void*>(same.get()), static_cast<void*>(file.get()));
  }
  for (const XkGuid* iid : {&XK_IID__GeldTransfer, &XK_IID_IClassFactory, &XK_CLSID_DtAzvDatei}) {
    void* other = &other;
    EXPECT_EQ(file->lpVtbl->QueryInterface(file.get(), iid, &other), XK_E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
  }
}

// An object from elsewhere that claims nothing but IUnknown.
struct ForeignObject {
  static XkResult QueryInterface(XkUnknown*, const XkGuid*, void** object) {
    *object = nullptr;
    return XK_E_NOINTERFACE;
  }
  static uint32_t AddRef(XkUnknown*) { return 1; }
  static uint32_t Release(XkUnknown*) { return 1; }
  static constexpr XkUnknownVtbl kVtbl{&QueryInterface, &AddRef, &Release};
  XkUnknown iface{&kVtbl};
};

TEST_F(SlotTest, RefusesPaymentsThatAreNotItsOwn) {
  Com<XkDtAzvDatei> file = NewFile();
  ForeignObject foreign;
  Bstr result;
  EXPECT_EQ(file->lpVtbl->AddGeldTransfer(
                file.get(), reinterpret_cast<XkGeldTransfer*>(&foreign.iface), result.out()),
            XK_DISP_E_TYPEMISMATCH);
  Com<XkDtAzvDatei> another_file = NewFile();
  EXPECT_EQ(file->lpVtbl->AddGeldTransfer(
                file.get(), reinterpret_cast<XkGeldTransfer*>(another_file.get()), result.out()),
            XK_DISP_E_TYPEMISMATCH);
}

// An object from elsewhere is never taken for one of ours: its memory past
// the table is not ours to read.
TEST_F(SlotTest, TellsObjectsFromElsewhereFromItsOwn) {
  ForeignObject foreign;
  XkExcepInfo record{};
  record.number = 99;
  EXPECT_EQ(XkGetErrorInfo(&foreign.iface, &record), XK_E_POINTER);
  EXPECT_EQ(record.number, 0);
  EXPECT_EQ(record.description, nullptr);

  Com<XkDtAzvDatei> file = NewFile();
  auto* posing = reinterpret_cast<XkDtAzvDatei*>(&foreign.iface);
  EXPECT_EQ(file->lpVtbl->put_Pfad(posing, Bstr("/tmp").get()), XK_E_POINTER);
  Bstr text;
  EXPECT_EQ(file->lpVtbl->Generate(posing, text.out()), XK_E_POINTER);
  EXPECT_EQ(file->lpVtbl->AddRef(posing), 0u);
  EXPECT_EQ(file->lpVtbl->Release(posing), 0u);
}

}  // namespace
}  // namespace xkdtazv::testing
