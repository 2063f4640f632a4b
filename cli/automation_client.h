// The host side of libXKDTAZV.so: creates the component's objects through
// their class factories, drives them by name only (GetIDsOfNames, Invoke) and
// reads its type information. Nothing here knows a member of the component;
// callers name them.
//
//   auto file = AutomationObject::Create("DtAzvDatei");
//   file.object->Put("Pfad", Variant::Text("out"));
//   CallOutcome result = file.object->Call("Generate");
#ifndef XKDTAZV_CLI_AUTOMATION_CLIENT_H_
#define XKDTAZV_CLI_AUTOMATION_CLIENT_H_

#include <xkdtazv/automation.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace xkdtazv::cli {

// Owns one XkVariant: its text or its object reference.
class Variant {
 public:
  Variant() noexcept { XkVariantInit(&value_); }
  ~Variant() { XkVariantClear(&value_); }
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  static Variant Text(std::string_view utf8);
  static Variant Integer(std::int32_t value) noexcept;
  // Gains a reference of its own to `object`.
  static Variant Object(XkDispatch* object) noexcept;

  const XkVariant& get() const noexcept { return value_; }
  XkVariant* out() noexcept { return &value_; }
  // The text as UTF-8; empty unless the variant holds text.
  std::string Utf8() const;

 private:
  XkVariant value_;
};

// The end of one call: a result, or what went wrong, worded for people.
struct CallOutcome {
  bool ok = false;
  Variant result;
  std::string error;  // "Überlauf (6)" for a failure the member raised
};

// One reference to an object of the component, used by name.
class AutomationObject {
 public:
  struct Created;
  // An object of a creatable class, by class name from the type information.
  static Created Create(std::string_view class_name);
  // Takes over the object reference that `variant` holds.
  static std::optional<AutomationObject> FromVariant(Variant variant);

  ~AutomationObject();
  AutomationObject(AutomationObject&& other) noexcept;
  AutomationObject& operator=(AutomationObject&& other) noexcept;
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

  CallOutcome Put(std::string_view member, const Variant& value);
  // By dispatch id, as IdOf found it on this object or another of its class:
  // many objects of one class need not have their members named each time.
  CallOutcome Put(XkDispId member, const Variant& value);
  std::optional<XkDispId> IdOf(std::string_view member);
  CallOutcome Get(std::string_view member);
  CallOutcome Call(std::string_view method);
  CallOutcome Call(std::string_view method, const Variant& argument);

  XkDispatch* get() const noexcept { return object_; }

 private:
  explicit AutomationObject(XkDispatch* object) noexcept : object_(object) {}
  CallOutcome Invoke(std::string_view member, std::uint16_t flags, const Variant* argument);
  CallOutcome Invoke(XkDispId member, std::uint16_t flags, const Variant* argument);

  XkDispatch* object_ = nullptr;
};

struct AutomationObject::Created {
  std::optional<AutomationObject> object;
  std::string error;
};

// The type information: classes, interfaces with their members, enumerations.
const XkTypeLibInfo& TypeLibrary() noexcept;
const XkClassInfo* FindClass(std::string_view name) noexcept;
// The name hosts know a class's interface by: the published one it extends.
const char* PublishedInterfaceName(const XkInterfaceInfo& interface) noexcept;
// Exact, case-sensitive: batches use the published spelling.
const XkMemberInfo* FindMember(const XkInterfaceInfo& interface, std::string_view name) noexcept;
const XkEnumInfo* FindEnum(std::string_view name) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_AUTOMATION_CLIENT_H_
