#include "automation/object.h"

#include "automation/guid.h"
#include "automation/module.h"

namespace xkdtazv::detail {
namespace {

// Answered only by this library's objects: lets a member taking an object
// tell its own objects from foreign ones. Not published.
constexpr XkGuid kImplementationIid = {
    0x8D3C1A52, 0x6F0B, 0x4E47, {0x9C, 0x1E, 0x2B, 0x5A, 0x7F, 0x10, 0xD3, 0xE9}};

}  // namespace

AutomationObject::AutomationObject(const ClassBinding& binding)
    : handle_{binding.vtbl, this}, binding_(binding), owner_(std::this_thread::get_id()) {
  CountObjectCreated();
}

AutomationObject::~AutomationObject() { CountObjectDestroyed(); }

AutomationObject* AutomationObject::FromInterface(const void* pointer) {
  if (pointer == nullptr) return nullptr;
  return static_cast<const Handle*>(pointer)->object;
}

Ref<AutomationObject> AutomationObject::Resolve(XkUnknown* unknown, XkResult& status) {
  status = XK_S_OK;
  if (unknown == nullptr) return {};
  void* object = nullptr;
  status = unknown->lpVtbl->QueryInterface(unknown, &kImplementationIid, &object);
  if (XK_FAILED(status)) return {};
  return Ref<AutomationObject>::Adopt(static_cast<AutomationObject*>(object));
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
  if (SameGuid(*iid, kImplementationIid)) {
    AddRef();
    *object = this;
    return XK_S_OK;
  }
  if (SameGuid(*iid, XK_IID_IUnknown) || SameGuid(*iid, XK_IID_IDispatch) ||
      SameGuid(*iid, binding_.iid)) {
    AddRef();
    *object = &handle_;
    return XK_S_OK;
  }
  return XK_E_NOINTERFACE;
}

}  // namespace xkdtazv::detail
