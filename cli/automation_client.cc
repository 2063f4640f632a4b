#include "cli/automation_client.h"

#include <utility>

namespace xkdtazv::cli {
namespace {

constexpr std::uint32_t kLocale = 0x409;

// Owns a UTF-16 text made from UTF-8.
class Bstr {
 public:
  explicit Bstr(std::string_view utf8) : text_(XkBstrFromUtf8(utf8.data(), utf8.size())) {}
  ~Bstr() { XkBstrFree(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  XkBstr get() const noexcept { return text_; }

 private:
  XkBstr text_;
};

std::string Utf8Of(XkBstr text) {
  if (text == nullptr) return {};
  std::size_t length = 0;
  char* utf8 = XkBstrToUtf8(text, &length);
  if (utf8 == nullptr) return {};
  std::string result(utf8, length);
  XkUtf8Free(utf8);
  return result;
}

std::string StatusText(XkResult status) {
  return std::string(XkStatusDescription(status)) + " (" + XkStatusName(status) + ")";
}

CallOutcome Failed(std::string error) {
  CallOutcome outcome;
  outcome.error = std::move(error);
  return outcome;
}

}  // namespace

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { XkVariantInit(&other.value_); }

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    XkVariantClear(&value_);
    value_ = other.value_;
    XkVariantInit(&other.value_);
  }
  return *this;
}

Variant Variant::Text(std::string_view utf8) {
  Variant variant;
  variant.value_.vt = XK_VT_BSTR;
  variant.value_.bstrVal = XkBstrFromUtf8(utf8.data(), utf8.size());
  return variant;
}

Variant Variant::Integer(std::int32_t value) noexcept {
  Variant variant;
  variant.value_.vt = XK_VT_I4;
  variant.value_.lVal = value;
  return variant;
}

Variant Variant::Object(XkDispatch* object) noexcept {
  Variant variant;
  variant.value_.vt = XK_VT_DISPATCH;
  variant.value_.pdispVal = object;
  if (object != nullptr) object->lpVtbl->AddRef(object);
  return variant;
}

std::string Variant::Utf8() const {
  return value_.vt == XK_VT_BSTR ? Utf8Of(value_.bstrVal) : std::string();
}

AutomationObject::Created AutomationObject::Create(std::string_view class_name) {
  Created created;
  const XkClassInfo* info = FindClass(class_name);
  if (info == nullptr || info->default_interface == nullptr) {
    created.error = "the component publishes no class " + std::string(class_name);
    return created;
  }
  XkClassFactory* factory = nullptr;
  XkResult status =
      DllGetClassObject(&info->clsid, &XK_IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (XK_FAILED(status) || factory == nullptr) {
    created.error = "no class factory for " + std::string(class_name) + ": " + StatusText(status);
    return created;
  }
  void* object = nullptr;
  status =
      factory->lpVtbl->CreateInstance(factory, nullptr, &info->default_interface->iid, &object);
  factory->lpVtbl->Release(factory);
  if (XK_FAILED(status) || object == nullptr) {
    created.error = "cannot create " + std::string(class_name) + ": " + StatusText(status);
    return created;
  }
  // Every default interface is dual, so its first slots are those of dispatch.
  created.object = AutomationObject(static_cast<XkDispatch*>(object));
  return created;
}

std::optional<AutomationObject> AutomationObject::FromVariant(Variant variant) {
  XkVariant* raw = variant.out();
  if (raw->vt != XK_VT_DISPATCH || raw->pdispVal == nullptr) return std::nullopt;
  AutomationObject object(raw->pdispVal);
  XkVariantInit(raw);  // the reference now belongs to `object`
  return object;
}

AutomationObject::~AutomationObject() {
  if (object_ != nullptr) object_->lpVtbl->Release(object_);
}

AutomationObject::AutomationObject(AutomationObject&& other) noexcept
    : object_(std::exchange(other.object_, nullptr)) {}

AutomationObject& AutomationObject::operator=(AutomationObject&& other) noexcept {
  if (this != &other) {
    if (object_ != nullptr) object_->lpVtbl->Release(object_);
    object_ = std::exchange(other.object_, nullptr);
  }
  return *this;
}

CallOutcome AutomationObject::Put(std::string_view member, const Variant& value) {
  return Invoke(member, XK_DISPATCH_PROPERTYPUT, &value);
}

CallOutcome AutomationObject::Put(XkDispId member, const Variant& value) {
  return Invoke(member, XK_DISPATCH_PROPERTYPUT, &value);
}

std::optional<XkDispId> AutomationObject::IdOf(std::string_view member) {
  const Bstr name(member);
  const XkChar16* names[] = {name.get()};
  XkDispId dispid = XK_DISPID_UNKNOWN;
  const XkResult status =
      object_->lpVtbl->GetIDsOfNames(object_, nullptr, names, 1, kLocale, &dispid);
  if (XK_FAILED(status)) return std::nullopt;
  return dispid;
}

CallOutcome AutomationObject::Get(std::string_view member) {
  return Invoke(member, XK_DISPATCH_PROPERTYGET, nullptr);
}

CallOutcome AutomationObject::Call(std::string_view method) {
  return Invoke(method, XK_DISPATCH_METHOD, nullptr);
}

CallOutcome AutomationObject::Call(std::string_view method, const Variant& argument) {
  return Invoke(method, XK_DISPATCH_METHOD, &argument);
}

CallOutcome AutomationObject::Invoke(std::string_view member, std::uint16_t flags,
                                     const Variant* argument) {
  const Bstr name(member);
  const XkChar16* names[] = {name.get()};
  XkDispId dispid = XK_DISPID_UNKNOWN;
  const XkResult status =
      object_->lpVtbl->GetIDsOfNames(object_, nullptr, names, 1, kLocale, &dispid);
  if (XK_FAILED(status)) return Failed(std::string(member) + ": " + StatusText(status));
  return Invoke(dispid, flags, argument);
}

CallOutcome AutomationObject::Invoke(XkDispId dispid, std::uint16_t flags,
                                     const Variant* argument) {
  const XkDispId put_id = XK_DISPID_PROPERTYPUT;
  XkDispParams params{};
  if (argument != nullptr) {
    params.rgvarg = &argument->get();
    params.cArgs = 1;
  }
  if (flags == XK_DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put_id;
    params.cNamedArgs = 1;
  }
  CallOutcome outcome;
  XkExcepInfo exception{};
  std::uint32_t argument_error = 0;
  const XkResult status =
      object_->lpVtbl->Invoke(object_, dispid, nullptr, kLocale, flags, &params,
                              outcome.result.out(), &exception, &argument_error);
  if (status == XK_DISP_E_EXCEPTION) {
    outcome.error = Utf8Of(exception.description) + " (" + std::to_string(exception.number) + ")";
  } else if (XK_FAILED(status)) {
    outcome.error = StatusText(status);
  } else {
    outcome.ok = true;
  }
  XkExcepInfoClear(&exception);
  return outcome;
}

// The newest type information: its default interfaces carry every member.
const XkTypeLibInfo& TypeLibrary() noexcept { return *XkGetTypeLibInfo2(); }

const char* PublishedInterfaceName(const XkInterfaceInfo& interface) noexcept {
  const XkTypeLibInfo& newer = TypeLibrary();
  const XkTypeLibInfo& published = *XkGetTypeLibInfo();
  for (std::uint32_t i = 0; i < newer.class_count && i < published.class_count; ++i) {
    if (newer.classes[i].default_interface == &interface)
      return published.classes[i].default_interface->name;
  }
  return interface.name;
}

const XkClassInfo* FindClass(std::string_view name) noexcept {
  const XkTypeLibInfo& library = TypeLibrary();
  for (std::uint32_t i = 0; i < library.class_count; ++i) {
    if (name == library.classes[i].name) return &library.classes[i];
  }
  return nullptr;
}

const XkMemberInfo* FindMember(const XkInterfaceInfo& interface, std::string_view name) noexcept {
  for (std::uint32_t i = 0; i < interface.member_count; ++i) {
    if (name == interface.members[i].name) return &interface.members[i];
  }
  return nullptr;
}

const XkEnumInfo* FindEnum(std::string_view name) noexcept {
  const XkTypeLibInfo& library = TypeLibrary();
  for (std::uint32_t i = 0; i < library.enum_count; ++i) {
    if (name == library.enums[i].name) return &library.enums[i];
  }
  return nullptr;
}

}  // namespace xkdtazv::cli
