// Class factories for the creatable classes, and DllGetClassObject.
#include <atomic>
#include <new>

#include "automation/guid.h"
#include "automation/module.h"
#include "automation/object.h"
#include "automation/type_library.h"

namespace xkdtazv::detail {
namespace {

// What a host's factory pointer points at.
struct Factory {
  XkClassFactory iface;
  std::atomic<std::uint32_t> references;
  const ClassBinding* binding;
};

Factory* FactoryOf(XkClassFactory* self) { return reinterpret_cast<Factory*>(self); }

std::uint32_t FactoryAddRef(XkClassFactory* self) {
  return self == nullptr ? 0 : ++FactoryOf(self)->references;
}

std::uint32_t FactoryRelease(XkClassFactory* self) {
  if (self == nullptr) return 0;
  Factory* factory = FactoryOf(self);
  const std::uint32_t left = --factory->references;
  if (left == 0) {
    delete factory;
    CountObjectDestroyed();
  }
  return left;
}

XkResult FactoryQueryInterface(XkClassFactory* self, const XkGuid* iid, void** object) {
  if (object == nullptr) return XK_E_POINTER;
  *object = nullptr;
  if (self == nullptr || iid == nullptr) return XK_E_POINTER;
  if (!SameGuid(*iid, XK_IID_IUnknown) && !SameGuid(*iid, XK_IID_IClassFactory)) {
    return XK_E_NOINTERFACE;
  }
  FactoryAddRef(self);
  *object = self;
  return XK_S_OK;
}

// The new object belongs to the calling thread.
XkResult FactoryCreateInstance(XkClassFactory* self, XkUnknown* outer, const XkGuid* iid,
                               void** object) {
  if (object == nullptr) return XK_E_POINTER;
  *object = nullptr;
  if (self == nullptr || iid == nullptr) return XK_E_POINTER;
  if (outer != nullptr) return XK_CLASS_E_NOAGGREGATION;
  try {
    const auto created = Ref<AutomationObject>::Adopt(FactoryOf(self)->binding->create());
    return created->QueryInterface(iid, object);
  } catch (const std::bad_alloc&) {
    return XK_E_OUTOFMEMORY;
  } catch (...) {
    return XK_E_UNEXPECTED;
  }
}

XkResult FactoryLockServer(XkClassFactory* self, int32_t lock) {
  if (self == nullptr) return XK_E_POINTER;
  CountServerLock(lock != 0);
  return XK_S_OK;
}

constexpr XkClassFactoryVtbl kFactoryVtbl = {
    .QueryInterface = &FactoryQueryInterface,
    .AddRef = &FactoryAddRef,
    .Release = &FactoryRelease,
    .CreateInstance = &FactoryCreateInstance,
    .LockServer = &FactoryLockServer,
};

const ClassBinding* CreatableClass(const XkGuid& clsid) {
  for (const ClassBinding* binding : PublishedClasses()) {
    if (SameGuid(binding->clsid, clsid) && binding->create != nullptr) return binding;
  }
  return nullptr;
}

}  // namespace
}  // namespace xkdtazv::detail

extern "C" XK_API XkResult DllGetClassObject(const XkGuid* clsid, const XkGuid* iid,
                                             void** object) {
  using namespace xkdtazv::detail;
  if (object == nullptr) return XK_E_POINTER;
  *object = nullptr;
  if (clsid == nullptr || iid == nullptr) return XK_E_POINTER;
  const ClassBinding* binding = CreatableClass(*clsid);
  if (binding == nullptr) return XK_CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) Factory{{&kFactoryVtbl}, 1, binding};
  if (factory == nullptr) return XK_E_OUTOFMEMORY;
  CountObjectCreated();
  const XkResult status = FactoryQueryInterface(&factory->iface, iid, object);
  FactoryRelease(&factory->iface);
  return status;
}
