// While a run may write into a directory, SIGINT, SIGTERM and SIGHUP first
// remove this process's temporary files there, then end the process by the
// same signal. The component names its temporary file ".xkdtazv-<pid>-…"
// beside the target; mostly the file has no name at all while it is written,
// so this matters where the file system cannot hold unnamed files and in the
// moment between naming it and renaming it over the target. A directory that
// the run made for itself goes whole, with everything in it.
//
//   InterruptCleanup cleanup(directory);   // until it goes out of scope
//   file.Call("Generate");
#ifndef XKDTAZV_CLI_INTERRUPT_CLEANUP_H_
#define XKDTAZV_CLI_INTERRUPT_CLEANUP_H_

#include <cstdint>
#include <string>

namespace xkdtazv::cli {

class InterruptCleanup {
 public:
  enum class Scope : std::int32_t { kOwnTemporaryFiles, kWholeDirectory };

  explicit InterruptCleanup(const std::string& directory, Scope scope = Scope::kOwnTemporaryFiles);
  ~InterruptCleanup();
  InterruptCleanup(const InterruptCleanup&) = delete;
  InterruptCleanup& operator=(const InterruptCleanup&) = delete;
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_INTERRUPT_CLEANUP_H_
