// The values of one record's fields, packed one after another in a single
// buffer; the field's format stays in the record's layout table. A filled
// payment thus costs its text and one offset per field, not a string per field.
//
//   RecordValues values(kTransferLayout);   // each field at its initial value
//   values.Set(kName, "DUPONT");
//   values.Get(kName);                       // "DUPONT"
#ifndef XKDTAZV_RECORDS_RECORD_VALUES_H_
#define XKDTAZV_RECORDS_RECORD_VALUES_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/record_layout.h"

namespace xkdtazv::detail {

class RecordValues {
 public:
  explicit RecordValues(std::span<const FieldSpec> layout);

  std::size_t size() const { return ends_.size(); }
  std::string_view Get(std::size_t field) const {
    const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
    return std::string_view(bytes_).substr(begin, ends_[field] - begin);
  }
  // Stores the value; invalid UTF-8 bytes become U+FFFD.
  void Set(std::size_t field, std::string_view value);
  // True when no value is too long to be rendered (see RenderValue).
  bool Renderable() const;
  // True when every value is ASCII, as in most records: one byte per character.
  bool ascii() const { return ascii_; }
  // True when the field's value is ASCII from the DTAZV character set and can
  // be rendered, so that the character check has nothing to find in it. Known
  // when the value is stored, as the value is read then anyway.
  bool InSet(std::size_t field) const { return field < 64 && ((in_set_ >> field) & 1) != 0; }

 private:
  void Replace(std::size_t field, std::string_view valid_utf8, bool value_ascii);
  void NoteInSet(std::size_t field, bool in_set);

  std::string bytes_;
  bool ascii_ = true;
  std::uint64_t in_set_ = 0;         // InSet of the first 64 fields, a bit each
  std::vector<std::uint32_t> ends_;  // where each field's value ends in bytes_
};

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_RECORDS_RECORD_VALUES_H_
