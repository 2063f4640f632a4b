// Objects are apartment-threaded: calls from any thread but the creating one
// are refused and change nothing; reference counting works from anywhere.
#include <gtest/gtest.h>

#include <thread>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

class ThreadingTest : public AutomationTest {};

template <class Work>
void OnOtherThread(Work work) {
  std::thread other(work);
  other.join();
}

TEST_F(ThreadingTest, RefusesCallsFromAnotherThread) {
  Com<XkDtAzvDatei> file = NewFile();
  ASSERT_EQ(file->lpVtbl->put_Pfad(file.get(), Bstr("/mine").get()), XK_S_OK);
  const XkDispId pfad = DispIdOf(file.dispatch(), "Pfad");

  OnOtherThread([&] {
    Bstr text;
    EXPECT_EQ(file->lpVtbl->put_Pfad(file.get(), Bstr("/theirs").get()), XK_RPC_E_WRONG_THREAD);
    EXPECT_EQ(file->lpVtbl->get_Pfad(file.get(), text.out()), XK_RPC_E_WRONG_THREAD);
    EXPECT_EQ(text.get(), nullptr);
    EXPECT_EQ(file->lpVtbl->Generate(file.get(), text.out()), XK_RPC_E_WRONG_THREAD);

    XkResult status = XK_S_OK;
    DispIdOf(file.dispatch(), "Pfad", &status);
    EXPECT_EQ(status, XK_RPC_E_WRONG_THREAD);
    const XkDispParams none{nullptr, nullptr, 0, 0};
    XkVariant result;
    XkVariantInit(&result);
    EXPECT_EQ(file->lpVtbl->Invoke(file.get(), pfad, nullptr, 0, XK_DISPATCH_PROPERTYGET, &none,
                                   &result, nullptr, nullptr),
              XK_RPC_E_WRONG_THREAD);
    EXPECT_EQ(result.vt, XK_VT_EMPTY);

    void* object = &object;
    EXPECT_EQ(file->lpVtbl->QueryInterface(file.get(), &XK_IID_IDispatch, &object),
              XK_RPC_E_WRONG_THREAD);
    EXPECT_EQ(object, nullptr);
    XkExcepInfo record{};
    EXPECT_EQ(XkGetErrorInfo(file.unknown(), &record), XK_RPC_E_WRONG_THREAD);

    // Counting references is safe from anywhere.
    EXPECT_EQ(file->lpVtbl->AddRef(file.get()), 2u);
    EXPECT_EQ(file->lpVtbl->Release(file.get()), 1u);
  });

  Bstr pfad_now;
  ASSERT_EQ(file->lpVtbl->get_Pfad(file.get(), pfad_now.out()), XK_S_OK);
  EXPECT_EQ(pfad_now.utf8(), "/mine");
}

TEST_F(ThreadingTest, ObjectsBelongToTheThreadThatCreatedThem) {
  Com<XkDtAzvDatei> file = NewFile();
  Com<XkGeldTransfer> foreign_payment;
  OnOtherThread([&] {
    foreign_payment = NewPayment();
    EXPECT_EQ(foreign_payment->lpVtbl->put_Name(foreign_payment.get(), Bstr("X").get()), XK_S_OK);
  });
  // A file must not reach into a payment living on another thread.
  Bstr result;
  EXPECT_EQ(file->lpVtbl->AddGeldTransfer(file.get(), foreign_payment.get(), result.out()),
            XK_RPC_E_WRONG_THREAD);
  EXPECT_EQ(Call(file.dispatch(), "AddGeldTransfer",
                 {Variant::Object(reinterpret_cast<XkDispatch*>(foreign_payment.get())).value})
                .status,
            XK_RPC_E_WRONG_THREAD);
  // Releasing the last reference from here is allowed.
}

}  // namespace
}  // namespace xkdtazv::testing
