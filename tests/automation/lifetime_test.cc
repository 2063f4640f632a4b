// Reference counting, class factories and DllCanUnloadNow.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

class LifetimeTest : public AutomationTest {};

std::filesystem::path TemporaryDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "xkdtazv-XXXXXX").string();
  return mkdtemp(pattern.data());
}

TEST_F(LifetimeTest, CountsReferencesAndUnloadsWhenNothingIsAlive) {
  EXPECT_EQ(DllCanUnloadNow(), XK_S_OK);
  Com<XkDtAzvDatei> file = NewFile();
  EXPECT_EQ(DllCanUnloadNow(), XK_S_FALSE);
  EXPECT_EQ(file->lpVtbl->AddRef(file.get()), 2u);
  EXPECT_EQ(file->lpVtbl->Release(file.get()), 1u);
  file.Reset();
  EXPECT_EQ(DllCanUnloadNow(), XK_S_OK);
}

TEST_F(LifetimeTest, FactoriesAndServerLocksKeepTheLibraryLoaded) {
  Com<XkClassFactory> factory;
  ASSERT_EQ(DllGetClassObject(&XK_CLSID_GeldTransfer, &XK_IID_IUnknown, factory.out_void()),
            XK_S_OK);
  EXPECT_EQ(DllCanUnloadNow(), XK_S_FALSE);
  EXPECT_EQ(factory->lpVtbl->LockServer(factory.get(), 1), XK_S_OK);
  factory.Reset();
  EXPECT_EQ(DllCanUnloadNow(), XK_S_FALSE);

  ASSERT_EQ(DllGetClassObject(&XK_CLSID_GeldTransfer, &XK_IID_IClassFactory, factory.out_void()),
            XK_S_OK);
  EXPECT_EQ(factory->lpVtbl->LockServer(factory.get(), 0), XK_S_OK);
  EXPECT_EQ(factory->lpVtbl->LockServer(factory.get(), 0), XK_S_OK);  // one too many: harmless
  factory.Reset();
  EXPECT_EQ(DllCanUnloadNow(), XK_S_OK);
}

TEST_F(LifetimeTest, HandsOutFactoriesForTheCreatableClassesOnly) {
  Com<XkClassFactory> factory;
  EXPECT_EQ(DllGetClassObject(&XK_CLSID_MeineInfo, &XK_IID_IClassFactory, factory.out_void()),
            XK_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(DllGetClassObject(&XK_IID__DtAzvDatei, &XK_IID_IClassFactory, factory.out_void()),
            XK_CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(DllGetClassObject(&XK_CLSID_DtAzvDatei, &XK_IID_IDispatch, factory.out_void()),
            XK_E_NOINTERFACE);
  EXPECT_EQ(factory.get(), nullptr);
  EXPECT_EQ(DllGetClassObject(nullptr, &XK_IID_IClassFactory, factory.out_void()), XK_E_POINTER);
  EXPECT_EQ(DllGetClassObject(&XK_CLSID_DtAzvDatei, &XK_IID_IClassFactory, nullptr), XK_E_POINTER);

  ASSERT_EQ(DllGetClassObject(&XK_CLSID_DtAzvDatei, &XK_IID_IClassFactory, factory.out_void()),
            XK_S_OK);
  Com<XkUnknown> object;
  XkUnknown outer{nullptr};  // never called
  EXPECT_EQ(
      factory->lpVtbl->CreateInstance(factory.get(), &outer, &XK_IID_IUnknown, object.out_void()),
      XK_CLASS_E_NOAGGREGATION);
  // An interface the class lacks: the new object ends at once.
  EXPECT_EQ(factory->lpVtbl->CreateInstance(factory.get(), nullptr, &XK_IID__MeineInfo,
                                            object.out_void()),
            XK_E_NOINTERFACE);
  EXPECT_EQ(object.get(), nullptr);
  ASSERT_EQ(
      factory->lpVtbl->CreateInstance(factory.get(), nullptr, &XK_IID_IDispatch, object.out_void()),
      XK_S_OK);
}

// Counts what the library does with references to an object from elsewhere.
struct CountedForeignObject {
  static XkResult QueryInterface(XkUnknown*, const XkGuid*, void** object) {
    *object = nullptr;
    return XK_E_NOINTERFACE;
  }
  static uint32_t AddRef(XkUnknown* self) { return ++Of(self)->references; }
  static uint32_t Release(XkUnknown* self) { return --Of(self)->references; }
  static CountedForeignObject* Of(XkUnknown* self) {
    return reinterpret_cast<CountedForeignObject*>(self);
  }
  static constexpr XkUnknownVtbl kVtbl{&QueryInterface, &AddRef, &Release};
  XkUnknown iface{&kVtbl};
  uint32_t references = 1;
};

// Variants count references of this library's objects of every class (held
// by their own slots' types) and of objects from elsewhere (through their
// IUnknown slots) alike.
TEST_F(LifetimeTest, VariantsCountReferencesOfEveryKindOfObject) {
  Com<XkDtAzvDatei> file = NewFile();
  Com<XkMeineInfo> sender;
  ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), sender.out()), XK_S_OK);
  Com<XkGeldTransfer> payment = NewPayment();
  CountedForeignObject foreign;
  const auto references = [](XkDispatch* object) {
    object->lpVtbl->AddRef(object);
    return object->lpVtbl->Release(object);
  };
  for (XkDispatch* object : {file.dispatch(), sender.dispatch(), payment.dispatch(),
                             reinterpret_cast<XkDispatch*>(&foreign.iface)}) {
    const std::uint32_t before = references(object);
    {
      const Variant held = Variant::Object(object);
      Variant copy;
      copy.value.vt = XK_VT_UNKNOWN;  // the copy changes its kind as well
      ASSERT_EQ(XkVariantCopy(&copy.value, &held.value), XK_S_OK);
      EXPECT_EQ(copy.value.vt, XK_VT_DISPATCH);
      EXPECT_EQ(copy.value.pdispVal, object);
      EXPECT_EQ(references(object), before + 2);
    }
    EXPECT_EQ(references(object), before);
  }
  EXPECT_EQ(foreign.references, 1u);
}

TEST_F(LifetimeTest, APaymentLivesOnInTheFileAfterTheHostReleasesIt) {
  const std::filesystem::path directory = TemporaryDirectory();
  Com<XkDtAzvDatei> file = NewFile();
  {
    Com<XkGeldTransfer> payment = NewPayment();
    const Bstr name("ERNA BEISPIEL");
    ASSERT_EQ(payment->lpVtbl->put_Name(payment.get(), name.get()), XK_S_OK);
    ASSERT_EQ(payment->lpVtbl->put_Betrag(payment.get(), Bstr("10").get()), XK_S_OK);
    Bstr result;
    ASSERT_EQ(file->lpVtbl->AddGeldTransfer(file.get(), payment.get(), result.out()), XK_S_OK);
    EXPECT_EQ(payment->lpVtbl->AddRef(payment.get()), 3u);  // host, file, and this call
    payment->lpVtbl->Release(payment.get());
  }
  ASSERT_EQ(file->lpVtbl->put_Pfad(file.get(), Bstr(directory.string()).get()), XK_S_OK);
  Bstr result;
  ASSERT_EQ(file->lpVtbl->Generate(file.get(), result.out()), XK_S_OK);
  std::ifstream written(directory / "DTAZV", std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(written), {}};
  EXPECT_EQ(content.size(), 256u + 768u + 256u);
  EXPECT_NE(content.find("ERNA BEISPIEL"), std::string::npos);
  std::filesystem::remove_all(directory);
}

TEST_F(LifetimeTest, TheSenderOutlivesItsFileWhileTheHostHoldsIt) {
  Com<XkMeineInfo> sender;
  {
    Com<XkDtAzvDatei> file = NewFile();
    ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), sender.out()), XK_S_OK);
  }
  EXPECT_EQ(DllCanUnloadNow(), XK_S_FALSE);
  ASSERT_EQ(sender->lpVtbl->put_Name(sender.get(), Bstr("Muster").get()), XK_S_OK);
  Bstr name;
  ASSERT_EQ(sender->lpVtbl->get_Name(sender.get(), name.out()), XK_S_OK);
  EXPECT_EQ(name.utf8(), "MUSTER");
}

}  // namespace
}  // namespace xkdtazv::testing
