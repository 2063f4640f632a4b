// Writes a report in pieces as it is produced, so that no report is ever held
// whole: a file of 32,766 payments shows as hundreds of megabytes of text.
//
//   ReportStream stream(std::cout);
//   stream << "File " << path << ": " << size << " bytes\n";
//   stream.JsonString(name);  // "name", escaped as nlohmann's dump escapes it
#ifndef XKDTAZV_INSPECT_REPORT_STREAM_H_
#define XKDTAZV_INSPECT_REPORT_STREAM_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace xkdtazv::cli {

class ReportStream {
 public:
  explicit ReportStream(std::ostream& out) : out_(out) { buffer_.reserve(kChunk + kChunk / 4); }
  ~ReportStream() { Flush(); }
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;

  ReportStream& operator<<(std::string_view text) {
    buffer_.append(text);
    return *this;
  }
  ReportStream& operator<<(char c) { return *this << std::string_view(&c, 1); }
  ReportStream& operator<<(std::size_t number);
  ReportStream& operator<<(bool value) { return *this << (value ? "true" : "false"); }
  ReportStream& operator<<(const char* text) { return *this << std::string_view(text); }

  // `count` blanks.
  ReportStream& Blanks(std::size_t count);
  // `text` as a JSON string, byte for byte as nlohmann::json's dump writes it
  // with non-ASCII kept and malformed UTF-8 replaced.
  ReportStream& JsonString(std::string_view text);

  // The text not yet handed on, for a caller that edits its own last line
  // (such as dropping trailing blanks): nothing is handed on mid-line.
  std::string& pending() noexcept { return buffer_; }
  // Hands the text on once enough has gathered; callers call it between
  // whole lines or values.
  void Checkpoint() {
    if (buffer_.size() >= kChunk) Flush();
  }
  void Flush();

 private:
  static constexpr std::size_t kChunk = 64 * 1024;

  std::ostream& out_;
  std::string buffer_;
};

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_REPORT_STREAM_H_
