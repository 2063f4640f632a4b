// The per-user registry file, in which DllRegisterServer records where hosts
// find the library and its classes:
//
//   $XDG_DATA_HOME/xkdtazv/registry.json   (XDG_DATA_HOME defaults to ~/.local/share)
//
// One JSON object with the sections "CLSID", "ProgID", "Interface" and
// "TypeLib", each an object keyed by identifier, which any number of
// libraries share. Every change rewrites the whole file through a temporary
// file and a rename, so readers see the old file or the new one, and holds an
// exclusive flock on "registry.json.lock" in the same folder from reading to
// renaming, so that writers who follow the same protocol lose no entries.
#ifndef XKDTAZV_AUTOMATION_REGISTRY_H_
#define XKDTAZV_AUTOMATION_REGISTRY_H_

#include <filesystem>
#include <functional>

#include <nlohmann/json.hpp>

#include "xkdtazv/automation.h"

namespace xkdtazv::detail {

// Empty when neither XDG_DATA_HOME nor a home directory is known.
std::filesystem::path RegistryFilePath();

// Reads the registry (a missing file reads as an empty one), lets `change`
// edit it, and writes it back when it changed. A file that is not a registry
// is never overwritten: XK_REGDB_E_DAMAGED.
XkResult EditRegistry(const std::filesystem::path& file,
                      const std::function<void(nlohmann::json&)>& change);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_REGISTRY_H_
