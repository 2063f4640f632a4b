#include "cli/interrupt_cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstddef>
#include <cstring>

namespace xkdtazv::cli {
namespace {

constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};

// A signal handler may use only what is set up before it runs: the directory
// and the name prefix live here, written before the handlers are installed.
char g_directory[4096];
char g_prefix[64];
std::size_t g_prefix_length = 0;
bool g_whole_directory = false;

// The entry layout of the getdents64 system call.
struct DirectoryEntry {
  ino64_t inode;
  off64_t offset;
  unsigned short length;
  unsigned char type;
  char name[1];
};

// Only async-signal-safe calls: open, getdents64, unlinkat, close, rmdir, raise.
void RemoveTemporaryFiles(int signal_number) {
  const int directory = ::open(g_directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    alignas(DirectoryEntry) char buffer[8192];
    for (;;) {
      const long count = ::syscall(SYS_getdents64, directory, buffer, sizeof buffer);
      if (count <= 0) break;
      for (long at = 0; at < count;) {
        const auto* entry = reinterpret_cast<const DirectoryEntry*>(buffer + at);
        const bool dots = std::strcmp(entry->name, ".") == 0 || std::strcmp(entry->name, "..") == 0;
        if (g_whole_directory ? !dots : std::strncmp(entry->name, g_prefix, g_prefix_length) == 0) {
          ::unlinkat(directory, entry->name, 0);
        }
        at += entry->length;
      }
    }
    ::close(directory);
    if (g_whole_directory) ::rmdir(g_directory);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

InterruptCleanup::InterruptCleanup(const std::string& directory, Scope scope) {
  if (directory.size() >= sizeof g_directory) return;  // no such path can be opened
  g_whole_directory = scope == Scope::kWholeDirectory;
  std::memcpy(g_directory, directory.c_str(), directory.size() + 1);
  const std::string prefix = ".xkdtazv-" + std::to_string(::getpid()) + "-";
  std::memcpy(g_prefix, prefix.c_str(), prefix.size() + 1);
  g_prefix_length = prefix.size();
  for (const int signal_number : kSignals) std::signal(signal_number, RemoveTemporaryFiles);
}

InterruptCleanup::~InterruptCleanup() {
  for (const int signal_number : kSignals) std::signal(signal_number, SIG_DFL);
}

}  // namespace xkdtazv::cli
