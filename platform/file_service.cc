#include "platform/file_service.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

class PosixOutputFile final : public OutputFile {
 public:
  explicit PosixOutputFile(int descriptor) : descriptor_(descriptor) {}
  ~PosixOutputFile() override {
    if (descriptor_ >= 0) ::close(descriptor_);
  }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        ThrowForErrno(errno);
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
  }

  void Flush() override {
    if (::fsync(descriptor_) != 0 && errno != EINVAL) ThrowForErrno(errno);
  }

  void Close() override {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) ThrowForErrno(errno);
  }

 private:
  int descriptor_;
};

// A NUL would end the system's copy of the path early and name another file.
void CheckPath(const std::string& path) {
  if (path.find('\0') != std::string::npos) throw Failure(FailureCode::kBadFileName);
}

class PosixFileService final : public FileService {
 public:
  std::unique_ptr<OutputFile> CreateTemporary(const std::string& final_path,
                                              std::string& temporary_path) override {
    CheckPath(final_path);
    // O_EXCL under a random suffix: never an existing file, and the process
    // umask applies as for any other document the host writes.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = final_path + ".tmp-" + std::to_string(random());
      const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor >= 0) {
        temporary_path = name;
        return std::make_unique<PosixOutputFile>(descriptor);
      }
      if (errno != EEXIST) ThrowForErrno(errno);
    }
    throw Failure(FailureCode::kIoError);
  }

  void Rename(const std::string& from, const std::string& to) override {
    CheckPath(from);
    CheckPath(to);
    if (std::rename(from.c_str(), to.c_str()) != 0) ThrowForErrno(errno);
  }

  void Remove(const std::string& path) noexcept override { ::unlink(path.c_str()); }
};

}  // namespace

std::shared_ptr<FileService> SystemFileService() { return std::make_shared<PosixFileService>(); }

void ThrowForErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      throw Failure(FailureCode::kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
      throw Failure(FailureCode::kPermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      throw Failure(FailureCode::kDiskFull);
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case EILSEQ:
      throw Failure(FailureCode::kBadFileName);
    case ENOMEM:
      throw Failure(FailureCode::kOutOfMemory);
    default:
      throw Failure(FailureCode::kIoError);
  }
}

}  // namespace xkdtazv::detail
