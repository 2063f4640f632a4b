// The reference-counted, apartment-threaded object behind every interface
// pointer the library hands out, and the description of its class.
#ifndef XKDTAZV_AUTOMATION_OBJECT_H_
#define XKDTAZV_AUTOMATION_OBJECT_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <thread>
#include <utility>

#include "automation/member.h"
#include "xkdtazv/automation.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

// One published class: what the type information and the registry say about
// it, and what carries it out.
struct ClassBinding {
  const char* name;     // "DtAzvDatei"
  const char* prog_id;  // "XKDTAZV.DtAzvDatei"
  XkGuid clsid;
  const char* iid_resource;  // "_IID_DTAZVDATEI"
  const char* interface_name;
  XkGuid iid;
  // Every member: the published interface's first, then its extension's.
  std::span<const Member> members;
  std::span<const XkMemberInfo> member_infos;
  std::size_t published_members;  // how many of `members` the published interface has
  const char* extension_name;     // "_DtAzvDatei2"
  XkGuid extension_iid;
  const void* vtbl;
  // A new object with one reference; null for classes hosts cannot create.
  AutomationObject* (*create)();
};

// Holds one reference.
template <class T>
class Ref {
 public:
  Ref() = default;
  static Ref Adopt(T* object) {
    Ref ref;
    ref.object_ = object;
    return ref;
  }
  Ref(const Ref& other) : object_(other.object_) {
    if (object_ != nullptr) object_->AddRef();
  }
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~Ref() {
    if (object_ != nullptr) object_->Release();
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Hands the reference to the caller.
  T* Detach() { return std::exchange(object_, nullptr); }

 private:
  T* object_ = nullptr;
};

class AutomationObject {
 public:
  explicit AutomationObject(const ClassBinding& binding);
  virtual ~AutomationObject();
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

  // The object's one interface pointer: IUnknown, IDispatch and its default
  // interface alike. Borrowed: no reference is added.
  template <class Interface>
  Interface* As() {
    return reinterpret_cast<Interface*>(&handle_);
  }
  // The object behind a pointer this library handed out, told by its table;
  // null for null and for any other object.
  static AutomationObject* FromInterface(const void* pointer);
  // The object behind any interface pointer. Null for null and for foreign
  // objects; the status tells which failure stopped it
  // (XK_RPC_E_WRONG_THREAD, XK_E_NOINTERFACE).
  static Ref<AutomationObject> Resolve(XkUnknown* unknown, XkResult& status);

  std::uint32_t AddRef() noexcept;
  std::uint32_t Release() noexcept;
  bool OnOwnerThread() const noexcept { return std::this_thread::get_id() == owner_; }
  const ClassBinding& binding() const { return binding_; }

  XkResult QueryInterface(const XkGuid* iid, void** object);

  // The latest failure of a slot call, kept until XkGetErrorInfo takes it.
  void RecordFailure(const Failure& failure) { failure_ = failure; }
  std::optional<Failure> TakeFailure() { return std::exchange(failure_, std::nullopt); }

 private:
  // What a host's pointer points at: the virtual table, then the way back.
  struct Handle {
    const void* vtbl;
    AutomationObject* object;
  };

  Handle handle_;
  const ClassBinding& binding_;
  std::atomic<std::uint32_t> references_{1};
  const std::thread::id owner_;
  std::optional<Failure> failure_;
};

// Reference counting through any interface pointer a host hands in. Our own
// slots are typed for their own interface, so our objects are counted
// directly rather than called through IUnknown's function types; others go
// through the IUnknown slots every interface begins with.
std::uint32_t AddRefInterface(XkUnknown* unknown) noexcept;
std::uint32_t ReleaseInterface(XkUnknown* unknown) noexcept;

template <class T>
Ref<T> Create() {
  return Ref<T>::Adopt(new T());
}

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_OBJECT_H_
