// DllRegisterServer and DllUnregisterServer: this library's entries in the
// per-user registry file, and nothing else.
#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "automation/guid.h"
#include "automation/registry.h"
#include "automation/type_library.h"

namespace xkdtazv::detail {
namespace {

using nlohmann::json;

// Any object inside the library tells the loader which file it came from.
constexpr char kAnchor = 0;

std::string LibraryPath() {
  Dl_info info{};
  if (dladdr(&kAnchor, &info) == 0 || info.dli_fname == nullptr) return {};
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(info.dli_fname, nullptr),
                                                         &std::free);
  return real ? std::string(real.get()) : std::string(info.dli_fname);
}

std::string VersionKey(const XkTypeLibInfo& library) {
  return std::to_string(library.major_version) + "." + std::to_string(library.minor_version);
}

json& Section(json& registry, const char* name) {
  json& section = registry[name];
  if (!section.is_object()) section = json::object();
  return section;
}

void AddOwnEntries(json& registry, const std::string& library_path) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  const std::string libid = GuidText(library.libid);
  const std::string version = VersionKey(library);
  for (const ClassBinding* binding : PublishedClasses()) {
    const std::string clsid = GuidText(binding->clsid);
    const std::string iid = GuidText(binding->iid);
    Section(registry, "CLSID")[clsid] = {
        {"Name", binding->name},
        {"ProgID", binding->prog_id},
        {"InprocServer32", library_path},
        {"ThreadingModel", library.threading_model},
        {"TypeLib", libid},
        {"Version", version},
        {"DefaultInterface", iid},
        {"Creatable", binding->create != nullptr},
    };
    Section(registry, "ProgID")[binding->prog_id] = {{"CLSID", clsid}};
    Section(registry, "Interface")[iid] = {
        {"Name", binding->interface_name}, {"TypeLib", libid}, {"Version", version}};
  }
  json& versions = Section(registry, "TypeLib")[libid];
  if (!versions.is_object()) versions = json::object();
  versions[version] = {{"Name", library.name},
                       {"LCID", library.lcid},
                       {"Path", library_path},
                       {"FileVersion", library.file_version}};
}

void Erase(json& registry, const char* section, const std::string& key) {
  const auto found = registry.find(section);
  if (found == registry.end()) return;
  found->erase(key);
  if (found->empty()) registry.erase(found);
}

void RemoveOwnEntries(json& registry) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  for (const ClassBinding* binding : PublishedClasses()) {
    const std::string clsid = GuidText(binding->clsid);
    // A programmatic identifier that now names another class is not ours.
    if (const auto progids = registry.find("ProgID"); progids != registry.end()) {
      const auto entry = progids->find(binding->prog_id);
      if (entry != progids->end() && entry->is_object() && entry->value("CLSID", "") == clsid) {
        Erase(registry, "ProgID", binding->prog_id);
      }
    }
    Erase(registry, "CLSID", clsid);
    Erase(registry, "Interface", GuidText(binding->iid));
  }
  const std::string libid = GuidText(library.libid);
  if (const auto typelibs = registry.find("TypeLib"); typelibs != registry.end()) {
    const auto versions = typelibs->find(libid);
    if (versions != typelibs->end() && versions->is_object()) {
      versions->erase(VersionKey(library));
      if (versions->empty()) Erase(registry, "TypeLib", libid);
    }
  }
}

template <class Work>
XkResult Guarded(Work&& work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return XK_E_OUTOFMEMORY;
  } catch (...) {
    return XK_E_UNEXPECTED;
  }
}

}  // namespace
}  // namespace xkdtazv::detail

extern "C" {

XK_API XkResult DllRegisterServer(void) {
  using namespace xkdtazv::detail;
  return Guarded([] {
    const std::string library_path = LibraryPath();
    if (library_path.empty()) return XK_REGDB_E_WRITEREGDB;
    return EditRegistry(RegistryFilePath(),
                        [&](nlohmann::json& registry) { AddOwnEntries(registry, library_path); });
  });
}

XK_API XkResult DllUnregisterServer(void) {
  using namespace xkdtazv::detail;
  return Guarded([] { return EditRegistry(RegistryFilePath(), &RemoveOwnEntries); });
}

}  // extern "C"
