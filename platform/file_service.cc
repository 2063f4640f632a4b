#include "platform/file_service.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

// Temporary names are short whatever the target's name, so that a target
// name of up to the system's limit still works; the process id lets the
// command find its own temporary files when a signal ends it.
constexpr std::string_view kTemporaryPrefix = ".xkdtazv-";

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TemporaryName(const std::string& directory) {
  std::random_device random;
  const unsigned long long number = (static_cast<unsigned long long>(random()) << 32) | random();
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", number);
  return directory + "/" + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" + hex;
}

// A replacement keeps the mode of the file it replaces, and its group where
// the process may set it; a new file keeps what the umask gave it.
void TakeOverOwnership(int descriptor, const std::string& final_path) {
  struct stat earlier {};
  if (::stat(final_path.c_str(), &earlier) != 0 || !S_ISREG(earlier.st_mode)) return;
  // The group first: changing it clears set-id bits that the mode then restores.
  if (::fchown(descriptor, static_cast<uid_t>(-1), earlier.st_gid) != 0 && errno != EPERM) {
    ThrowForErrno(errno);
  }
  if (::fchmod(descriptor, earlier.st_mode & 07777) != 0) ThrowForErrno(errno);
}

class PosixOutputFile final : public OutputFile {
 public:
  // `unnamed`: the file was opened with O_TMPFILE and has no name until Close
  // links it as `temporary_path`.
  PosixOutputFile(int descriptor, bool unnamed, std::string temporary_path)
      : descriptor_(descriptor), unnamed_(unnamed), temporary_path_(std::move(temporary_path)) {}
  ~PosixOutputFile() override {
    if (descriptor_ >= 0) ::close(descriptor_);
  }

  void Write(std::string_view bytes) override {
    const off_t start = offset_;
    while (!bytes.empty()) {
      const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        ThrowForErrno(errno);
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
      offset_ += written;
    }
    // The disk starts on these bytes while the caller renders the next ones,
    // so the final fsync waits for the tail only. A hint: where the file
    // system does not take it, Flush still writes everything.
    ::sync_file_range(descriptor_, start, offset_ - start, SYNC_FILE_RANGE_WRITE);
  }

  void Flush() override {
    if (::fsync(descriptor_) != 0 && errno != EINVAL) ThrowForErrno(errno);
  }

  void Close() override {
    if (unnamed_ && descriptor_ >= 0) Link();
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) ThrowForErrno(errno);
  }

 private:
  // Linking by descriptor needs a privilege; linking through /proc does not.
  void Link() {
    if (::linkat(descriptor_, "", AT_FDCWD, temporary_path_.c_str(), AT_EMPTY_PATH) == 0) return;
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_path_.c_str(), AT_SYMLINK_FOLLOW) !=
        0) {
      ThrowForErrno(errno);
    }
  }

  int descriptor_;
  bool unnamed_;
  std::string temporary_path_;
  off_t offset_ = 0;  // where the next write lands
};

// A NUL would end the system's copy of the path early and name another file.
void CheckPath(const std::string& path) {
  if (path.find('\0') != std::string::npos) throw Failure(FailureCode::kBadFileName);
}

// The file systems that cannot hold a file without a name say so in one of these.
bool LacksUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

class PosixFileService final : public FileService {
 public:
  std::unique_ptr<OutputFile> CreateTemporary(const std::string& final_path,
                                              std::string& temporary_path) override {
    CheckPath(final_path);
    const std::string directory = DirectoryOf(final_path);
    // A file without a name while it is written: whatever ends the process,
    // nothing of it stays behind. Mode 0666 under the process umask, as for
    // any other document the host writes.
    const int unnamed = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (unnamed >= 0) {
      std::string name = TemporaryName(directory);
      auto file = std::make_unique<PosixOutputFile>(unnamed, true, name);
      TakeOverOwnership(unnamed, final_path);
      temporary_path = std::move(name);
      return file;
    }
    if (!LacksUnnamedFiles(errno)) ThrowForErrno(errno);
    return CreateNamed(final_path, directory, temporary_path);
  }

  void Rename(const std::string& from, const std::string& to) override {
    CheckPath(from);
    CheckPath(to);
    if (std::rename(from.c_str(), to.c_str()) != 0) ThrowForErrno(errno);
  }

  void Remove(const std::string& path) noexcept override { ::unlink(path.c_str()); }

 private:
  // Where unnamed files are not supported: O_EXCL under a random name.
  static std::unique_ptr<OutputFile> CreateNamed(const std::string& final_path,
                                                 const std::string& directory,
                                                 std::string& temporary_path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = TemporaryName(directory);
      const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor >= 0) {
        auto file = std::make_unique<PosixOutputFile>(descriptor, false, name);
        temporary_path = name;
        try {
          TakeOverOwnership(descriptor, final_path);
        } catch (...) {
          file.reset();
          ::unlink(name.c_str());
          throw;
        }
        return file;
      }
      if (errno != EEXIST) ThrowForErrno(errno);
    }
    throw Failure(FailureCode::kIoError);
  }
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
