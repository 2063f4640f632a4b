// Dispatch by name: GetIDsOfNames and Invoke, their statuses for every kind
// of wrong call, and failures that reach the host as a failure record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

class DispatchTest : public AutomationTest {};

TEST_F(DispatchTest, ReadsWritesAndCallsByName) {
  Com<XkDtAzvDatei> file = NewFile();
  EXPECT_EQ(Put(file.dispatch(), "Pfad", Variant::Text("/tmp/ü").value).status, XK_S_OK);
  const Outcome pfad = Get(file.dispatch(), "Pfad");
  ASSERT_EQ(pfad.status, XK_S_OK);
  ASSERT_EQ(pfad.result.value.vt, XK_VT_BSTR);
  EXPECT_EQ(Utf8(pfad.result.value.bstrVal), "/tmp/ü");

  Com<XkGeldTransfer> payment = NewPayment();
  EXPECT_EQ(Put(payment.dispatch(), "Name", Variant::Text("jörg").value).status, XK_S_OK);
  EXPECT_EQ(Utf8(Get(payment.dispatch(), "Name").result.value.bstrVal), "JÖRG");
  EXPECT_EQ(Put(payment.dispatch(), "LaenderCode", Variant::Integer(88).value).status, XK_S_OK);
  const Outcome country = Get(payment.dispatch(), "LaenderCode");
  ASSERT_EQ(country.result.value.vt, XK_VT_I4);
  EXPECT_EQ(country.result.value.lVal, 88);

  const Outcome added =
      Call(file.dispatch(), "AddGeldTransfer", {Variant::Object(payment.dispatch()).value});
  ASSERT_EQ(added.status, XK_S_OK);
  EXPECT_EQ(Utf8(added.result.value.bstrVal), "SUCCESS");
}

TEST_F(DispatchTest, MatchesNamesWithoutRegardToCase) {
  Com<XkGeldTransfer> payment = NewPayment();
  EXPECT_EQ(DispIdOf(payment.dispatch(), "BIC"), 1);
  EXPECT_EQ(DispIdOf(payment.dispatch(), "bic"), 1);
  EXPECT_EQ(DispIdOf(payment.dispatch(), "getseparatorstring"), 24);
}

TEST_F(DispatchTest, MapsParameterNamesToTheirPositions) {
  Com<XkDtAzvDatei> file = NewFile();
  const std::u16string member = u"AddGeldTransfer", param = u"NEWTRANSFER", other = u"x";
  const XkChar16* names[] = {reinterpret_cast<const XkChar16*>(member.c_str()),
                             reinterpret_cast<const XkChar16*>(param.c_str()),
                             reinterpret_cast<const XkChar16*>(other.c_str())};
  XkDispId ids[3] = {};
  EXPECT_EQ(file->lpVtbl->GetIDsOfNames(file.get(), nullptr, names, 2, 0, ids), XK_S_OK);
  EXPECT_EQ(ids[0], 4);
  EXPECT_EQ(ids[1], 0);
  EXPECT_EQ(file->lpVtbl->GetIDsOfNames(file.get(), nullptr, names, 3, 0, ids),
            XK_DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[2], XK_DISPID_UNKNOWN);

  // The argument may come by its name.
  Com<XkGeldTransfer> payment = NewPayment();
  const Outcome added = Invoke(file.dispatch(), "AddGeldTransfer", XK_DISPATCH_METHOD,
                               {Variant::Object(payment.dispatch()).value}, {0});
  EXPECT_EQ(added.status, XK_S_OK);
}

TEST_F(DispatchTest, RejectsUnknownNamesAndNullArguments) {
  Com<XkDtAzvDatei> file = NewFile();
  XkResult status = XK_S_OK;
  EXPECT_EQ(DispIdOf(file.dispatch(), "Pfadd", &status), XK_DISPID_UNKNOWN);
  EXPECT_EQ(status, XK_DISP_E_UNKNOWNNAME);
  EXPECT_EQ(DispIdOf(file.dispatch(), "", &status), XK_DISPID_UNKNOWN);
  EXPECT_EQ(status, XK_DISP_E_UNKNOWNNAME);

  XkDispId id = 0;
  const XkChar16* null_name[] = {nullptr};
  EXPECT_EQ(file->lpVtbl->GetIDsOfNames(file.get(), nullptr, nullptr, 1, 0, &id), XK_E_POINTER);
  EXPECT_EQ(file->lpVtbl->GetIDsOfNames(file.get(), nullptr, null_name, 1, 0, &id), XK_E_POINTER);
  EXPECT_EQ(file->lpVtbl->GetIDsOfNames(file.get(), nullptr, null_name, 0, 0, &id),
            XK_E_INVALIDARG);
  EXPECT_EQ(file->lpVtbl->GetIDsOfNames(file.get(), &XK_IID_IDispatch, null_name, 1, 0, &id),
            XK_DISP_E_UNKNOWNINTERFACE);

  EXPECT_EQ(file->lpVtbl->Invoke(file.get(), 1, nullptr, 0, XK_DISPATCH_PROPERTYGET, nullptr,
                                 nullptr, nullptr, nullptr),
            XK_E_POINTER);
  const XkDispParams dangling{nullptr, nullptr, 1, 0};
  EXPECT_EQ(file->lpVtbl->Invoke(file.get(), 1, nullptr, 0, XK_DISPATCH_PROPERTYPUT, &dangling,
                                 nullptr, nullptr, nullptr),
            XK_E_POINTER);
  const XkDispParams none{nullptr, nullptr, 0, 0};
  for (const XkDispId dispid : {0, 6, -1, XK_DISPID_PROPERTYPUT}) {
    EXPECT_EQ(file->lpVtbl->Invoke(file.get(), dispid, nullptr, 0, XK_DISPATCH_PROPERTYGET, &none,
                                   nullptr, nullptr, nullptr),
              XK_DISP_E_MEMBERNOTFOUND)
        << dispid;
  }
  EXPECT_EQ(file->lpVtbl->Invoke(file.get(), 1, &XK_IID_IUnknown, 0, XK_DISPATCH_PROPERTYGET, &none,
                                 nullptr, nullptr, nullptr),
            XK_DISP_E_UNKNOWNINTERFACE);
}

struct WrongCall {
  const char* label;
  const char* member;
  std::uint16_t flags;
  std::vector<XkVariant> arguments;
  std::vector<XkDispId> named;
  XkResult status;
  std::uint32_t arg_error;  // UINT32_MAX: not set
};

TEST_F(DispatchTest, AnswersWrongCallsWithClearStatuses) {
  Com<XkDtAzvDatei> file = NewFile();
  Com<XkMeineInfo> sender;
  ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), sender.out()), XK_S_OK);
  Com<XkDtAzvDatei> other_file = NewFile();
  Com<XkGeldTransfer> payment = NewPayment();

  const Variant text = Variant::Text("12");
  const Variant number = Variant::Integer(12);
  const Variant boolean = Variant::Boolean(true);
  const Variant sender_object = Variant::Object(sender.dispatch());
  const Variant file_object = Variant::Object(other_file.dispatch());
  XkVariant bad_type;
  XkVariantInit(&bad_type);
  bad_type.vt = 5;  // a double, which no member takes
  constexpr std::uint32_t kNone = UINT32_MAX;
  const auto put = XK_DISPATCH_PROPERTYPUT;
  const auto get = XK_DISPATCH_PROPERTYGET;
  const auto method = XK_DISPATCH_METHOD;
  const XkDispId as_value = XK_DISPID_PROPERTYPUT;

  const std::vector<WrongCall> payment_calls = {
      {"text into text", "Name", put, {number.value}, {as_value}, XK_DISP_E_TYPEMISMATCH, 0},
      {"boolean into text", "Name", put, {boolean.value}, {as_value}, XK_DISP_E_TYPEMISMATCH, 0},
      {"text into enum", "LaenderCode", put, {text.value}, {}, XK_DISP_E_TYPEMISMATCH, 0},
      {"object into enum",
       "Zahlungsart",
       put,
       {sender_object.value},
       {},
       XK_DISP_E_TYPEMISMATCH,
       0},
      {"unknown variant type", "Name", put, {bad_type}, {}, XK_DISP_E_BADVARTYPE, 0},
      {"two values", "Name", put, {text.value, text.value}, {}, XK_DISP_E_BADPARAMCOUNT, kNone},
      {"no value", "Name", put, {}, {}, XK_DISP_E_BADPARAMCOUNT, kNone},
      {"argument to a read", "Name", get, {text.value}, {}, XK_DISP_E_BADPARAMCOUNT, kNone},
      {"named argument to a read", "Name", get, {text.value}, {0}, XK_DISP_E_NONAMEDARGS, kNone},
      {"wrong name for the value", "Name", put, {text.value}, {7}, XK_DISP_E_PARAMNOTFOUND, 0},
      {"method read as property", "IsValid", get, {}, {}, XK_DISP_E_MEMBERNOTFOUND, kNone},
      {"method written", "IsValid", put, {text.value}, {}, XK_DISP_E_MEMBERNOTFOUND, kNone},
      {"argument to a method without one",
       "IsValid",
       method,
       {text.value},
       {},
       XK_DISP_E_BADPARAMCOUNT,
       kNone},
      {"no operation", "Name", 0, {}, {}, XK_DISP_E_MEMBERNOTFOUND, kNone},
      {"reference write",
       "Name",
       XK_DISPATCH_PROPERTYPUTREF,
       {text.value},
       {},
       XK_DISP_E_MEMBERNOTFOUND,
       kNone},
  };
  for (const WrongCall& call : payment_calls) {
    SCOPED_TRACE(call.label);
    const Outcome outcome =
        Invoke(payment.dispatch(), call.member, call.flags, call.arguments, call.named);
    EXPECT_EQ(outcome.status, call.status);
    EXPECT_EQ(outcome.arg_error, call.arg_error);
    EXPECT_EQ(outcome.result.value.vt, XK_VT_EMPTY);
  }

  const std::vector<WrongCall> file_calls = {
      {"read-only property written",
       "GetMeineInfo",
       put,
       {sender_object.value},
       {},
       XK_DISP_E_MEMBERNOTFOUND,
       kNone},
      {"text for a payment",
       "AddGeldTransfer",
       method,
       {text.value},
       {},
       XK_DISP_E_TYPEMISMATCH,
       0},
      {"sender for a payment",
       "AddGeldTransfer",
       method,
       {sender_object.value},
       {},
       XK_DISP_E_TYPEMISMATCH,
       0},
      {"file for a payment",
       "AddGeldTransfer",
       method,
       {file_object.value},
       {},
       XK_DISP_E_TYPEMISMATCH,
       0},
      {"payment missing", "AddGeldTransfer", method, {}, {}, XK_DISP_E_BADPARAMCOUNT, kNone},
      {"unknown parameter name",
       "AddGeldTransfer",
       method,
       {sender_object.value},
       {1},
       XK_DISP_E_PARAMNOTFOUND,
       0},
  };
  for (const WrongCall& call : file_calls) {
    SCOPED_TRACE(call.label);
    const Outcome outcome =
        Invoke(file.dispatch(), call.member, call.flags, call.arguments, call.named);
    EXPECT_EQ(outcome.status, call.status);
    EXPECT_EQ(outcome.arg_error, call.arg_error);
  }
}

TEST_F(DispatchTest, DeliversUncaughtFailuresAsRecordsAndStaysUsable) {
  Com<XkGeldTransfer> payment = NewPayment();
  struct Case {
    const char* label;
    std::uint16_t flags;
    const char* member;
    std::vector<XkVariant> arguments;
    std::int32_t number;
    const char* description;
  };
  const Variant beyond_16_bits = Variant::Integer(40000);
  const Variant negative = Variant::Integer(-1);
  const std::vector<Case> cases = {
      {"code beyond 16 bits",
       XK_DISPATCH_PROPERTYPUT,
       "Weisungsschluessel2",
       {beyond_16_bits.value},
       6,
       "Überlauf"},
      {"country beyond 16 bits",
       XK_DISPATCH_PROPERTYPUT,
       "LaenderCode",
       {beyond_16_bits.value},
       6,
       "Überlauf"},
      {"negative country",
       XK_DISPATCH_PROPERTYPUT,
       "LaenderCode",
       {negative.value},
       5,
       "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
      {"code never set", XK_DISPATCH_PROPERTYGET, "Zahlungsart", {}, 13, "Typen unverträglich"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const Outcome outcome =
        Invoke(payment.dispatch(), c.member, c.flags, c.arguments,
               c.arguments.empty() ? std::vector<XkDispId>{}
                                   : std::vector<XkDispId>{XK_DISPID_PROPERTYPUT});
    EXPECT_EQ(outcome.status, XK_DISP_E_EXCEPTION);
    EXPECT_EQ(outcome.number, c.number);
    EXPECT_EQ(outcome.description, c.description);
    EXPECT_EQ(outcome.source, "XKDTAZV.GeldTransfer");
  }

  // Without a record to fill, the status itself carries the number.
  const XkVariant value = beyond_16_bits.value;
  const XkDispId named = XK_DISPID_PROPERTYPUT;
  const XkDispParams params{&value, &named, 1, 1};
  EXPECT_EQ(payment->lpVtbl->Invoke(payment.get(), 3, nullptr, 0, XK_DISPATCH_PROPERTYPUT, &params,
                                    nullptr, nullptr, nullptr),
            XK_FAILURE_STATUS(6));

  EXPECT_EQ(Put(payment.dispatch(), "Zahlungsart", Variant::Integer(13).value).status, XK_S_OK);
  EXPECT_EQ(Get(payment.dispatch(), "Zahlungsart").result.value.lVal, 13);
  EXPECT_EQ(Put(payment.dispatch(), "LaenderCode", Variant::Integer(1).value).status, XK_S_OK);
  EXPECT_EQ(Get(payment.dispatch(), "LaenderCode").result.value.lVal, 1);
}

TEST_F(DispatchTest, TurnsUnpairedSurrogatesIntoReplacementCharacters) {
  Com<XkDtAzvDatei> file = NewFile();
  Variant lonely;
  lonely.value.vt = XK_VT_BSTR;
  lonely.value.bstrVal = Bstr(std::u16string{u'a', 0xDC00, u'b', 0xD800}).release();
  ASSERT_EQ(Put(file.dispatch(), "DiffFileName", lonely.value).status, XK_S_OK);
  EXPECT_EQ(Utf8(Get(file.dispatch(), "DiffFileName").result.value.bstrVal),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

TEST_F(DispatchTest, HandsOutTheSameSenderEveryTime) {
  Com<XkDtAzvDatei> file = NewFile();
  const Outcome first = Get(file.dispatch(), "GetMeineInfo");
  // Automation hosts read a property with both flags.
  const Outcome second =
      Invoke(file.dispatch(), "GetMeineInfo", XK_DISPATCH_PROPERTYGET | XK_DISPATCH_METHOD);
  Com<XkMeineInfo> by_slot;
  ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), by_slot.out()), XK_S_OK);
  ASSERT_EQ(first.result.value.vt, XK_VT_DISPATCH);
  EXPECT_EQ(first.result.value.pdispVal, second.result.value.pdispVal);
  EXPECT_EQ(first.result.value.pdispVal, by_slot.dispatch());

  EXPECT_EQ(Put(by_slot.dispatch(), "BLZ", Variant::Text("12345678").value).status, XK_S_OK);
  EXPECT_EQ(Utf8(Get(first.result.value.pdispVal, "BLZ").result.value.bstrVal), "12345678");
}

TEST_F(DispatchTest, AcceptsANullPaymentAndGenerateFailsCleanly) {
  Com<XkDtAzvDatei> file = NewFile();
  const Outcome added = Call(file.dispatch(), "AddGeldTransfer", {Variant::Object(nullptr).value});
  ASSERT_EQ(added.status, XK_S_OK);
  EXPECT_EQ(Utf8(added.result.value.bstrVal), "SUCCESS");
  const Outcome generated = Call(file.dispatch(), "Generate");
  ASSERT_EQ(generated.status, XK_S_OK);
  EXPECT_EQ(Utf8(generated.result.value.bstrVal),
            "Sonstiger Fehler:GeldTransfer 1 ist kein Objekt");
}

}  // namespace
}  // namespace xkdtazv::testing
