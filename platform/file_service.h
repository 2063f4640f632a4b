// The one seam through which the component touches the file system.
//
// A run writes its file beside the final path and renames it over that path
// only when it is complete, so an earlier file of the same name survives every
// failure and no half-written file is ever found at the final path. Where the
// file system allows, the file has no name at all while it is written (and so
// cannot outlive the process); it gets its temporary name when it is closed.
// A replacement keeps the mode and, where permitted, the group of the file it
// replaces. Tests put a service behind this seam that fails on any chosen call.
#ifndef XKDTAZV_PLATFORM_FILE_SERVICE_H_
#define XKDTAZV_PLATFORM_FILE_SERVICE_H_

#include <memory>
#include <string>
#include <string_view>

namespace xkdtazv::detail {

// Each operation throws Failure (file not found, path not found, permission
// denied, disk full, bad file name, I/O error) when it does not succeed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(std::string_view bytes) = 0;
  // Puts everything written on the disk.
  virtual void Flush() = 0;
  // Closes the file; afterwards it stands under its temporary name.
  virtual void Close() = 0;
};

class FileService {
 public:
  virtual ~FileService() = default;
  // Creates a new, empty file beside `final_path`; stores in `temporary_path`
  // the name it has, or will have once closed: a short one of its own.
  virtual std::unique_ptr<OutputFile> CreateTemporary(const std::string& final_path,
                                                      std::string& temporary_path) = 0;
  // Replaces `to` by `from` in one step.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Removes a file; never fails, a file that is gone already is fine.
  virtual void Remove(const std::string& path) noexcept = 0;
};

// The service of this platform: POSIX files.
std::shared_ptr<FileService> SystemFileService();

// The failure for a failed system call's errno.
[[noreturn]] void ThrowForErrno(int error);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_FILE_SERVICE_H_
