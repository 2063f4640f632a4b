#include "automation_test_support.h"

#include <algorithm>

namespace xkdtazv::testing {

std::string Utf8(XkBstr text) {
  std::size_t length = 0;
  char* utf8 = XkBstrToUtf8(text, &length);
  std::string copy(utf8, length);
  XkUtf8Free(utf8);
  return copy;
}

std::string Bstr::utf8() const { return Utf8(text_); }

Variant Variant::Text(std::string_view utf8) {
  Variant variant;
  variant.value.vt = XK_VT_BSTR;
  variant.value.bstrVal = XkBstrFromUtf8(utf8.data(), utf8.size());
  return variant;
}

Variant Variant::Integer(std::int32_t number) {
  Variant variant;
  variant.value.vt = XK_VT_I4;
  variant.value.lVal = number;
  return variant;
}

Variant Variant::Boolean(bool flag) {
  Variant variant;
  variant.value.vt = XK_VT_BOOL;
  variant.value.boolVal = flag ? XK_VARIANT_TRUE : XK_VARIANT_FALSE;
  return variant;
}

Variant Variant::Object(XkDispatch* object) {
  Variant variant;
  variant.value.vt = XK_VT_DISPATCH;
  variant.value.pdispVal = object;
  if (object != nullptr) object->lpVtbl->AddRef(object);
  return variant;
}

XkDispId DispIdOf(XkDispatch* object, std::string_view name, XkResult* status) {
  const std::u16string wide(name.begin(), name.end());
  const XkChar16* names[] = {reinterpret_cast<const XkChar16*>(wide.c_str())};
  XkDispId dispid = 0;
  const XkResult found = object->lpVtbl->GetIDsOfNames(object, nullptr, names, 1, 0x409, &dispid);
  if (status != nullptr) *status = found;
  return dispid;
}

Outcome Invoke(XkDispatch* object, std::string_view name, std::uint16_t flags,
               std::vector<XkVariant> arguments, std::vector<XkDispId> named) {
  Outcome outcome;
  // Invoke takes the last argument first.
  std::reverse(arguments.begin(), arguments.end());
  const XkDispParams params{arguments.data(), named.data(),
                            static_cast<std::uint32_t>(arguments.size()),
                            static_cast<std::uint32_t>(named.size())};
  XkExcepInfo error{};
  outcome.status =
      object->lpVtbl->Invoke(object, DispIdOf(object, name), nullptr, 0x409, flags, &params,
                             &outcome.result.value, &error, &outcome.arg_error);
  outcome.number = error.number;
  outcome.source = Utf8(error.source);
  outcome.description = Utf8(error.description);
  XkExcepInfoClear(&error);
  return outcome;
}

Outcome Get(XkDispatch* object, std::string_view name) {
  return Invoke(object, name, XK_DISPATCH_PROPERTYGET);
}

Outcome Put(XkDispatch* object, std::string_view name, const XkVariant& value) {
  return Invoke(object, name, XK_DISPATCH_PROPERTYPUT, {value}, {XK_DISPID_PROPERTYPUT});
}

Outcome Call(XkDispatch* object, std::string_view name, std::vector<XkVariant> arguments) {
  return Invoke(object, name, XK_DISPATCH_METHOD, std::move(arguments));
}

template <class Interface>
Com<Interface> Create(const XkGuid& clsid, const XkGuid& iid) {
  Com<XkClassFactory> factory;
  EXPECT_EQ(DllGetClassObject(&clsid, &XK_IID_IClassFactory, factory.out_void()), XK_S_OK);
  Com<Interface> object;
  if (factory.get() != nullptr) {
    EXPECT_EQ(factory->lpVtbl->CreateInstance(factory.get(), nullptr, &iid, object.out_void()),
              XK_S_OK);
  }
  return object;
}

Com<XkDtAzvDatei> NewFile() {
  return Create<XkDtAzvDatei>(XK_CLSID_DtAzvDatei, XK_IID__DtAzvDatei);
}

Com<XkGeldTransfer> NewPayment() {
  return Create<XkGeldTransfer>(XK_CLSID_GeldTransfer, XK_IID__GeldTransfer);
}

}  // namespace xkdtazv::testing
