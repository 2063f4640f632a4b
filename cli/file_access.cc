#include "cli/file_access.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/huge_pages.h"
#include "reader/dtazv_reader.h"

namespace xkdtazv::cli {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const noexcept { return fd_; }

 private:
  int fd_;
};

std::string ErrorText(int error) { return std::strerror(error); }

}  // namespace

FileContents ReadWholeFile(const std::string& path, std::size_t limit,
                           const std::function<bool(std::string_view)>& enough) {
  FileContents contents;
  const Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    contents.error = ErrorText(errno);
    return contents;
  }
  struct stat status {};
  if (fstat(file.get(), &status) != 0) {
    contents.error = ErrorText(errno);
    return contents;
  }
  if (S_ISDIR(status.st_mode)) {
    contents.error = ErrorText(EISDIR);
    return contents;
  }
  const auto too_large = [&contents, limit] {
    contents.too_large = true;
    contents.error = "it has more than " + std::to_string(limit) + " bytes";
    return contents;
  };
  if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > limit) {
    return too_large();
  }
  std::string bytes;
  // Room for a regular file whole at once: growing by doubling would hold it
  // twice, for a moment, and more than it needs afterwards.
  if (S_ISREG(status.st_mode)) {
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    detail::PreferHugePages(bytes.data(), bytes.capacity());
  }
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t count = read(file.get(), buffer.data(), buffer.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      contents.error = ErrorText(errno);
      return contents;
    }
    if (count == 0) break;
    if (bytes.size() + static_cast<std::size_t>(count) > limit) return too_large();
    bytes.append(buffer.data(), static_cast<std::size_t>(count));
    if (enough && enough(bytes)) break;
  }
  contents.bytes = std::move(bytes);
  return contents;
}

FileContents ReadDtazvFile(const std::string& path) {
  // The first five bytes decide whether the input is DTAZV at all.
  const auto start_is_no_dtazv = [](std::string_view bytes) {
    return bytes.size() >= 5 && !ReadDtazv(bytes.substr(0, 5)).readable;
  };
  FileContents contents = ReadWholeFile(path, kLargestDtazvFile, start_is_no_dtazv);
  if (contents.too_large) {
    contents.error += ", the most a file of 32766 payments with 8 V or W records each can have";
  }
  return contents;
}

std::optional<std::pair<unsigned long, unsigned long>> FileIdentity(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return std::pair<unsigned long, unsigned long>(status.st_dev, status.st_ino);
}

std::string WhyNotWritableDirectory(const std::string& directory) {
  struct stat status {};
  if (stat(directory.c_str(), &status) != 0) return ErrorText(errno);
  if (!S_ISDIR(status.st_mode)) return ErrorText(ENOTDIR);
  std::string probe = directory + "/.xkdtazv-probe-XXXXXX";
  const Descriptor file(mkstemp(probe.data()));
  if (file.get() < 0) return ErrorText(errno);
  unlink(probe.c_str());
  return {};
}

PrivateDirectory::PrivateDirectory() {
  std::error_code error;
  std::string base = std::filesystem::temp_directory_path(error).string();
  if (error) base = "/tmp";
  base += "/xkdtazv-check-XXXXXX";
  if (mkdtemp(base.data()) != nullptr) path_ = std::move(base);
}

PrivateDirectory::~PrivateDirectory() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace xkdtazv::cli
