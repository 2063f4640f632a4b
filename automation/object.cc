#include "automation/object.h"

#include <cstring>

#include "automation/guid.h"
#include "automation/module.h"
#include "automation/type_library.h"

namespace xkdtazv::detail {

AutomationObject::AutomationObject(const ClassBinding& binding)
    : handle_{binding.vtbl, this}, binding_(binding), owner_(std::this_thread::get_id()) {
  CountObjectCreated();
}

AutomationObject::~AutomationObject() { CountObjectDestroyed(); }

AutomationObject* AutomationObject::FromInterface(const void* pointer) {
  if (pointer == nullptr) return nullptr;
  // Every interface pointer points at its table; only our tables lead to ours.
  const void* vtbl = nullptr;
  std::memcpy(&vtbl, pointer, sizeof vtbl);
  for (const ClassBinding* binding : PublishedClasses()) {
    if (vtbl == binding->vtbl) return static_cast<const Handle*>(pointer)->object;
  }
  return nullptr;
}

Ref<AutomationObject> AutomationObject::Resolve(XkUnknown* unknown, XkResult& status) {
  status = XK_S_OK;
  if (unknown == nullptr) return {};
  AutomationObject* object = FromInterface(unknown);
  if (object == nullptr) {
    status = XK_E_NOINTERFACE;
    return {};
  }
  if (!object->OnOwnerThread()) {
    status = XK_RPC_E_WRONG_THREAD;
    return {};
  }
  object->AddRef();
  return Ref<AutomationObject>::Adopt(object);
}

std::uint32_t AutomationObject::AddRef() noexcept { return ++references_; }

std::uint32_t AutomationObject::Release() noexcept {
  const std::uint32_t left = --references_;
  if (left == 0) delete this;
  return left;
}

XkResult AutomationObject::QueryInterface(const XkGuid* iid, void** object) {
  if (object == nullptr) return XK_E_POINTER;
  *object = nullptr;
  if (iid == nullptr) return XK_E_POINTER;
  if (SameGuid(*iid, XK_IID_IUnknown) || SameGuid(*iid, XK_IID_IDispatch) ||
      SameGuid(*iid, binding_.iid) || SameGuid(*iid, binding_.extension_iid)) {
    AddRef();
    *object = &handle_;
    return XK_S_OK;
  }
  return XK_E_NOINTERFACE;
}

std::uint32_t AddRefInterface(XkUnknown* unknown) noexcept {
  if (AutomationObject* object = AutomationObject::FromInterface(unknown)) return object->AddRef();
  return unknown->lpVtbl->AddRef(unknown);
}

std::uint32_t ReleaseInterface(XkUnknown* unknown) noexcept {
  if (AutomationObject* object = AutomationObject::FromInterface(unknown)) return object->Release();
  return unknown->lpVtbl->Release(unknown);
}

}  // namespace xkdtazv::detail
