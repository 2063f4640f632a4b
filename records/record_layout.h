// A record is a fixed list of fields; its layout is a table with one row per
// field, in record order, that holds each field's format once. The records
// keep only the values (record_values.h) and render them through the table.
#ifndef XKDTAZV_RECORDS_RECORD_LAYOUT_H_
#define XKDTAZV_RECORDS_RECORD_LAYOUT_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "field/dtazv_field.h"

namespace xkdtazv::detail {

class RecordValues;
class Windows1252Encoder;

enum class Align : bool { kRight = false, kLeft = true };

struct FieldSpec {
  std::string_view name;  // the field's name in the format, for readers of the table
  std::int16_t length;
  std::int32_t fill;  // kFillSpaces or kFillZeros
  Align align;
  std::string_view initial;
};

// False for a value too long to be rendered: more characters than a 16-bit
// length holds.
bool FitsRendering(std::string_view value);

// True when the value is ASCII from the DTAZV character set and short enough
// to be rendered: then InvalidCharacterMessage finds nothing in any
// space-filled field of a valid width.
bool RendersInSet(std::string_view value);

// The value rendered as the field's format says, as DtAzvField::Render does.
// Throws Failure (overflow) for a value that does not fit.
std::string RenderValue(const FieldSpec& field, std::string_view value);

// Appends the record, rendered field by field in Windows-1252, to `out`:
// exactly RecordLength(layout) bytes. Throws the first field's rendering
// failure, leaving `out` as it was.
void AppendRecord(std::span<const FieldSpec> layout, const RecordValues& values,
                  const Windows1252Encoder& encoder, std::string& out);

// The record rendered field by field and joined, as UTF-8 text. Throws the
// first field's rendering failure.
std::string RenderRecord(std::span<const FieldSpec> layout, const RecordValues& values);

// The finding of the character check on a field's value: `prefix`, the first
// character outside the DTAZV set, " an der Stelle ", its position and "!".
// Empty when every character is allowed or the field is not space-filled.
// Throws Failure when the check fails.
std::string InvalidCharacterMessage(const FieldSpec& field, std::string_view value,
                                    std::string_view prefix);

// The sum of the layout's widths: the record length.
constexpr int RecordLength(std::span<const FieldSpec> layout) {
  int total = 0;
  for (const FieldSpec& field : layout) total += field.length;
  return total;
}

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_RECORDS_RECORD_LAYOUT_H_
