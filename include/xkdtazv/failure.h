// The component's one failure scheme: a closed set of failure numbers, each with
// its German description, and the exception that carries them.
//
//   try { transfer.setZahlungsart(static_cast<xkdtazv::Zahlungsart>(40000)); }
//   catch (const xkdtazv::Failure& f) { std::cerr << f.number() << ' ' << f.description(); }
//
// The numbers follow the run-time error numbers that automation hosts know, so a
// host sees the same number whichever surface it uses.
#ifndef XKDTAZV_FAILURE_H_
#define XKDTAZV_FAILURE_H_

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace xkdtazv {

enum class FailureCode : std::int32_t {
  kInvalidArgument = 5,
  kOverflow = 6,
  kOutOfMemory = 7,
  kOutOfRange = 9,
  kTypeMismatch = 13,
  kInternal = 51,
  kBadFileName = 52,
  kFileNotFound = 53,
  kIoError = 57,
  kDiskFull = 61,
  kPermissionDenied = 70,
  kPathNotFound = 76,
  kObjectNotSet = 91,
  kWrongThread = 92,
};

// The German description of a code, as it appears in every failure text.
std::string_view DescriptionOf(FailureCode code) noexcept;

class Failure : public std::exception {
 public:
  explicit Failure(FailureCode code);
  // A description that names the failure more precisely than the scheme's text.
  Failure(FailureCode code, std::string description);

  FailureCode code() const noexcept { return code_; }
  std::int32_t number() const noexcept { return static_cast<std::int32_t>(code_); }
  const std::string& description() const noexcept { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  FailureCode code_;
  std::string description_;
};

}  // namespace xkdtazv

#endif  // XKDTAZV_FAILURE_H_
