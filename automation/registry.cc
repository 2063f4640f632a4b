#include "automation/registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace xkdtazv::detail {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::array<std::string_view, 4> kSections = {"CLSID", "ProgID", "Interface", "TypeLib"};

fs::path HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

// Sections that exist must be objects; everything else belongs to others.
bool IsRegistry(const json& registry) {
  if (!registry.is_object()) return false;
  for (const std::string_view section : kSections) {
    const auto found = registry.find(section);
    if (found != registry.end() && !found->is_object()) return false;
  }
  return true;
}

struct Loaded {
  XkResult status;
  json registry;
};

Loaded Load(const fs::path& file) {
  std::error_code error;
  const bool exists = fs::exists(file, error);
  if (error) return {XK_REGDB_E_READREGDB, {}};
  if (!exists) return {XK_S_OK, json::object()};
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in || !fs::is_regular_file(file, error)) return {XK_REGDB_E_READREGDB, {}};
  json registry = json::parse(text.str(), nullptr, /*allow_exceptions=*/false);
  if (registry.is_discarded() || !IsRegistry(registry)) return {XK_REGDB_E_DAMAGED, {}};
  return {XK_S_OK, std::move(registry)};
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

XkResult WriteAtomically(const fs::path& file, std::string_view text) {
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return XK_REGDB_E_WRITEREGDB;
  std::string temporary = file.string() + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return XK_REGDB_E_WRITEREGDB;
  bool written = fchmod(fd, 0644) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || std::rename(temporary.c_str(), file.c_str()) != 0) {
    unlink(temporary.c_str());
    return XK_REGDB_E_WRITEREGDB;
  }
  return XK_S_OK;
}

// Writers of the registry take turns: each read-modify-write holds an
// exclusive flock on "registry.json.lock" beside it, and so must every other
// program that writes the file. The lock file itself stays; removing it would
// let two writers lock two different files.
class RegistryLock {
 public:
  explicit RegistryLock(const fs::path& registry) {
    std::error_code error;
    fs::create_directories(registry.parent_path(), error);
    if (error) return;
    const fs::path lock = registry.string() + ".lock";
    fd_ = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~RegistryLock() {
    if (fd_ >= 0) close(fd_);  // releases the lock
  }
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;

  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace

fs::path RegistryFilePath() {
  fs::path base;
  // Relative values are to be ignored, as the XDG base directory rules say.
  if (const char* data_home = std::getenv("XDG_DATA_HOME");
      data_home != nullptr && data_home[0] == '/') {
    base = data_home;
  } else if (const fs::path home = HomeDirectory(); !home.empty()) {
    base = home / ".local" / "share";
  } else {
    return {};
  }
  return base / "xkdtazv" / "registry.json";
}

XkResult EditRegistry(const fs::path& file, const std::function<void(json&)>& change) {
  if (file.empty()) return XK_REGDB_E_WRITEREGDB;
  const RegistryLock lock(file);
  if (!lock.held()) return XK_REGDB_E_WRITEREGDB;
  Loaded loaded = Load(file);
  if (XK_FAILED(loaded.status)) return loaded.status;
  json edited = loaded.registry;
  change(edited);
  if (edited == loaded.registry) return XK_S_OK;
  // The library's path may hold bytes that are no UTF-8; they must not stop the write.
  const std::string text = edited.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
  return WriteAtomically(file, text);
}

}  // namespace xkdtazv::detail
