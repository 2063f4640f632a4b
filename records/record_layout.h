// A record is a fixed list of fields; its layout is a table with one row per
// field, in record order. The record classes build their fields from it.
#ifndef XKDTAZV_RECORDS_RECORD_LAYOUT_H_
#define XKDTAZV_RECORDS_RECORD_LAYOUT_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "field/dtazv_field.h"

namespace xkdtazv::detail {

enum class Align : bool { kRight = false, kLeft = true };

struct FieldSpec {
  std::string_view name;  // the field's name in the format, for readers of the table
  std::int16_t length;
  std::int32_t fill;  // kFillSpaces or kFillZeros
  Align align;
  std::string_view initial;
};

// Fields set up as the layout says, each holding its initial value.
std::vector<DtAzvField> BuildFields(std::span<const FieldSpec> layout);

// The fields rendered and joined in record order. Throws the first field's
// rendering failure.
std::string RenderRecord(const std::vector<DtAzvField>& fields);

// The finding of the character check on `field`: `prefix`, the first
// character outside the DTAZV set, " an der Stelle ", its position and "!".
// Empty when every character is allowed. Throws Failure when the check fails.
std::string InvalidCharacterMessage(const DtAzvField& field, std::string_view prefix);

// The sum of the layout's widths: the record length.
constexpr int RecordLength(std::span<const FieldSpec> layout) {
  int total = 0;
  for (const FieldSpec& field : layout) total += field.length;
  return total;
}

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_RECORDS_RECORD_LAYOUT_H_
