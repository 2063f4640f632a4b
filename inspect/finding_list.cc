#include "inspect/finding_list.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace xkdtazv::cli {

void FindingList::About(const Record& record, const FieldSpec& field, std::string message) {
  Finding finding;
  finding.record = record.index;
  finding.record_type = record.type;
  finding.payment = record.payment;
  finding.field_id = field.id;
  finding.field_name = field.name;
  finding.first = field.first;
  finding.last = field.last();
  finding.message = std::move(message);
  list_.push_back(std::move(finding));
}

void FindingList::About(const Record& record, std::string message) {
  Finding finding;
  finding.record = record.index;
  finding.record_type = record.type;
  finding.payment = record.payment;
  finding.message = std::move(message);
  list_.push_back(std::move(finding));
}

void FindingList::AboutFile(std::string message) {
  Finding finding;
  finding.message = std::move(message);
  list_.push_back(std::move(finding));
}

std::string FindingList::Quote(std::string_view bytes) const {
  std::string quoted = "\"";
  quoted += PrintableWindows1252(TrimTrailingBlanks(bytes), table_);
  quoted += '"';
  return quoted;
}

std::string_view TrimTrailingBlanks(std::string_view bytes) noexcept {
  // Eight blanks at a time: most fields of a record end in a long run of them.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
  std::size_t end = bytes.size();
  while (end >= sizeof kEightBlanks) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, bytes.data() + end - sizeof eight, sizeof eight);
    if (eight != kEightBlanks) break;
    end -= sizeof eight;
  }
  while (end > 0 && bytes[end - 1] == ' ') --end;
  return bytes.substr(0, end);
}

bool IsBlank(std::string_view bytes) noexcept { return TrimTrailingBlanks(bytes).empty(); }

bool IsDigits(std::string_view bytes) noexcept {
  return !bytes.empty() &&
         std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsZeros(std::string_view bytes) noexcept {
  return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '0'; });
}

}  // namespace xkdtazv::cli
