// The failure texts that operations return instead of throwing:
// a headline, CR LF, the failure's number, CR LF, its description, CR LF.
#ifndef XKDTAZV_PLATFORM_FAILURE_TEXT_H_
#define XKDTAZV_PLATFORM_FAILURE_TEXT_H_

#include <string>
#include <string_view>

#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kSuccess = "SUCCESS";

inline std::string FailureText(std::string_view headline, const Failure& failure) {
  std::string text(headline);
  text += kLineBreak;
  text += std::to_string(failure.number());
  text += kLineBreak;
  text += failure.description();
  text += kLineBreak;
  return text;
}

// Gathers the messages of one validation pass, each followed by CR LF.
class Findings {
 public:
  void Add(std::string_view message) {
    text_ += message;
    text_ += kLineBreak;
  }
  bool empty() const { return text_.empty(); }
  // "SUCCESS" when nothing was found, otherwise every message.
  std::string Result() const { return text_.empty() ? std::string(kSuccess) : text_; }

 private:
  std::string text_;
};

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_FAILURE_TEXT_H_
