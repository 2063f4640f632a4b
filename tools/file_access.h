// Whole-file reading and the checks on an output directory that must hold
// before a run may write anything.
#ifndef XKDTAZV_TOOLS_FILE_ACCESS_H_
#define XKDTAZV_TOOLS_FILE_ACCESS_H_

#include <optional>
#include <string>
#include <utility>

namespace xkdtazv::cli {

struct FileContents {
  std::optional<std::string> bytes;  // nullopt when the file could not be read
  std::string error;                 // why not, such as "No such file or directory"
};

FileContents ReadWholeFile(const std::string& path);

// Which file stands at `path` (device and inode), so that a caller can tell
// whether a run replaced it; nullopt when there is none.
std::optional<std::pair<unsigned long, unsigned long>> FileIdentity(const std::string& path);

// Empty when `directory` exists and a file can be created in it (tried, not
// guessed from permission bits), otherwise why not.
std::string WhyNotWritableDirectory(const std::string& directory);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_TOOLS_FILE_ACCESS_H_
