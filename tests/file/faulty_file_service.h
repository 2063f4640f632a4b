// A file service for tests: writes real files through the system's service
// and fails the Nth of its calls (create, write, flush, close, rename) with a
// chosen failure, or records what was asked of it.
#ifndef XKDTAZV_TESTS_FILE_FAULTY_FILE_SERVICE_H_
#define XKDTAZV_TESTS_FILE_FAULTY_FILE_SERVICE_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/file_service.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::testing {

class FaultyFileService : public detail::FileService,
                          public std::enable_shared_from_this<FaultyFileService> {
 public:
  // Fails call number `fail_at` (1-based; 0 never fails) with `code`.
  explicit FaultyFileService(int fail_at = 0, FailureCode code = FailureCode::kIoError)
      : fail_at_(fail_at), code_(code) {}

  std::unique_ptr<detail::OutputFile> CreateTemporary(const std::string& final_path,
                                                      std::string& temporary_path) override;
  void Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) noexcept override;

  // Every call so far, such as "create /tmp/x/DTAZV" or "write 1280".
  const std::vector<std::string>& calls() const { return calls_; }
  // Counts one call; throws when it is the one to fail.
  void Call(std::string description);

 private:
  int fail_at_;
  FailureCode code_;
  std::vector<std::string> calls_;
  std::shared_ptr<detail::FileService> system_ = detail::SystemFileService();
};

}  // namespace xkdtazv::testing

#endif  // XKDTAZV_TESTS_FILE_FAULTY_FILE_SERVICE_H_
