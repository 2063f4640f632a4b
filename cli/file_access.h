// Whole-file reading and the checks on an output directory that must hold
// before a run may write anything.
#ifndef XKDTAZV_CLI_FILE_ACCESS_H_
#define XKDTAZV_CLI_FILE_ACCESS_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace xkdtazv::cli {

// The most bytes this command reads as a DTAZV file: a Q and a Z record and
// 32,766 payments, each followed by the 8 V or W records the handbooks allow.
inline constexpr std::size_t kLargestDtazvFile = 256 + 32766 * (768 + 8 * 256) + 256;
// The most bytes of a batch or sender file: ample for 32,766 payments.
inline constexpr std::size_t kLargestBatchFile = 64 * 1024 * 1024;

struct FileContents {
  std::optional<std::string> bytes;  // nullopt when the file could not be read
  std::string error;                 // why not, such as "No such file or directory"
  bool too_large = false;            // the file has more bytes than the limit
};

// Reads a whole file, but never more than `limit` bytes: a regular file that
// is larger is refused before anything is read, anything else (a pipe, a
// device) as soon as it passes the limit, so memory stays bounded whatever
// the input. `enough`, when given, sees the bytes read so far after each piece
// and ends the reading early when they already decide the outcome.
FileContents ReadWholeFile(const std::string& path, std::size_t limit,
                           const std::function<bool(std::string_view)>& enough = {});

// Reads a file that should be DTAZV: at most kLargestDtazvFile bytes, and no
// further than the first bytes when they already show it is none, so that
// /dev/zero is refused at once instead of being read up to the limit. When the
// file is too large, `error` says so with the limit.
FileContents ReadDtazvFile(const std::string& path);

// Which file stands at `path` (device and inode), so that a caller can tell
// whether a run replaced it; nullopt when there is none.
std::optional<std::pair<unsigned long, unsigned long>> FileIdentity(const std::string& path);

// Empty when `directory` exists and a file can be created in it (tried, not
// guessed from permission bits), otherwise why not.
std::string WhyNotWritableDirectory(const std::string& directory);

// A new directory of this process's own under the temporary directory; it
// goes with everything in it when the object goes.
class PrivateDirectory {
 public:
  PrivateDirectory();
  ~PrivateDirectory();
  PrivateDirectory(const PrivateDirectory&) = delete;
  PrivateDirectory& operator=(const PrivateDirectory&) = delete;

  const std::string& path() const noexcept { return path_; }  // empty when none was made

 private:
  std::string path_;
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_FILE_ACCESS_H_
