// Splits the bytes of any DTAZV file, ours or another program's, into its
// records and their fields. It judges nothing beyond whether the bytes can be
// read as DTAZV at all: a record of the wrong length or an unknown type is
// kept as it is found, so that the bank checks can name it. Records view the
// bytes they were read from, which must outlive them.
//
//   DtazvFile file = ReadDtazv(bytes);
//   if (!file.readable) std::cerr << file.unreadable_reason;
//   for (const Record& record : file.records) record.Field(*layout);
#ifndef XKDTAZV_READER_DTAZV_READER_H_
#define XKDTAZV_READER_DTAZV_READER_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "reader/record_tables.h"

namespace xkdtazv::cli {

struct Record {
  std::size_t index = 0;               // 1-based position among the file's records
  std::size_t offset = 0;              // 0-based byte offset of the record in the file
  char type = '\0';                    // the byte at position 5; '\0' when the record is shorter
  const RecordSpec* layout = nullptr;  // nullptr for a type that DTAZV does not know
  std::size_t payment = 0;             // number among the T records, 0 for other types
  std::string_view bytes;              // exactly the bytes found, whatever their count

  // The bytes of `field` that the record holds: fewer than its length, or
  // none, when the record ends early.
  std::string_view Field(const FieldSpec& field) const noexcept {
    if (field.first > bytes.size()) return {};
    return bytes.substr(field.first - 1, field.length);
  }
  bool Holds(const FieldSpec& field) const noexcept { return bytes.size() >= field.last(); }
  // A known type at exactly its length: only then do the fields stand where
  // the layout says.
  bool whole() const noexcept { return layout != nullptr && bytes.size() == layout->length; }
};

struct DtazvFile {
  std::size_t size = 0;
  bool readable = false;
  std::string unreadable_reason;  // why the bytes are no DTAZV file at all
  std::vector<Record> records;
};

// A field's text without the blanks that fill it up.
inline std::string_view TrimTrailingBlanks(std::string_view bytes) noexcept {
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

// Never throws for any input and takes time linear in its size.
DtazvFile ReadDtazv(std::string_view bytes) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_READER_DTAZV_READER_H_
