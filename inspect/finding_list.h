// Collects the findings of one inspection and words what a field holds, so
// that every check names its record, field and positions the same way.
//
//   FindingList findings;
//   findings.About(record, field, "holds " + findings.Quote(record.Field(field)));
#ifndef XKDTAZV_INSPECT_FINDING_LIST_H_
#define XKDTAZV_INSPECT_FINDING_LIST_H_

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/finding.h"
#include "reader/dtazv_reader.h"
#include "reader/record_tables.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {

class FindingList {
 public:
  FindingList() : table_(MakeWindows1252Table()) {}

  void About(const Record& record, const FieldSpec& field, std::string message);
  void About(const Record& record, std::string message);
  void AboutFile(std::string message);

  // Field bytes in quotation marks, readable, trailing blanks dropped.
  std::string Quote(std::string_view bytes) const;

  const std::vector<Finding>& list() const noexcept { return list_; }
  std::vector<Finding> Take() noexcept { return std::move(list_); }

 private:
  Windows1252Table table_;
  std::vector<Finding> list_;
};

// Field contents as the checks see them (TrimTrailingBlanks comes with the
// records); inline, since every field of every record goes through them
// several times.
// A filled field is told by its first byte, without a look at the rest.
inline bool IsBlank(std::string_view bytes) noexcept {
  return (bytes.empty() || bytes.front() == ' ') && TrimTrailingBlanks(bytes).empty();
}

// False for the empty text.
inline bool IsDigits(std::string_view bytes) noexcept {
  return !bytes.empty() &&
         std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// False for the empty text.
inline bool IsZeros(std::string_view bytes) noexcept {
  return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '0'; });
}

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_FINDING_LIST_H_
