#include "inspect/report_stream.h"

#include <nlohmann/json.hpp>

#include <charconv>

namespace xkdtazv::cli {
namespace {

// Printable ASCII other than the two characters JSON escapes: the text as it is.
bool NeedsNoEscape(std::string_view text) noexcept {
  for (const char c : text) {
    if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') return false;
  }
  return true;
}

}  // namespace

ReportStream& ReportStream::operator<<(std::size_t number) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
}

ReportStream& ReportStream::Blanks(std::size_t count) {
  buffer_.append(count, ' ');
  return *this;
}

ReportStream& ReportStream::JsonString(std::string_view text) {
  if (NeedsNoEscape(text)) return *this << '"' << text << '"';
  // Anything else is left to the library, whose escaping the reports have always had.
  return *this << nlohmann::json(text).dump(-1, ' ', false,
                                            nlohmann::json::error_handler_t::replace);
}

void ReportStream::Flush() {
  if (buffer_.empty()) return;
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

}  // namespace xkdtazv::cli
