#include "records/record_layout.h"

#include "platform/text.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

std::vector<DtAzvField> BuildFields(std::span<const FieldSpec> layout) {
  std::vector<DtAzvField> fields(layout.size());
  for (std::size_t i = 0; i < layout.size(); ++i) {
    fields[i].setFieldLength(layout[i].length);
    fields[i].setFieldCharCompletion(layout[i].fill);
    fields[i].setIsLeftAligned(layout[i].align == Align::kLeft);
    if (!layout[i].initial.empty()) fields[i].setFieldValue(layout[i].initial);
  }
  return fields;
}

std::string RenderRecord(const std::vector<DtAzvField>& fields) {
  std::string record;
  for (const DtAzvField& field : fields) record += field.Render();
  return record;
}

std::string InvalidCharacterMessage(const DtAzvField& field, std::string_view prefix) {
  const std::int16_t position = field.StringValidation();
  if (position == 0) return "";
  const std::u32string rendered = DecodeUtf8(field.Render());
  if (position < 0 || static_cast<std::size_t>(position) > rendered.size()) {
    throw Failure(FailureCode::kOutOfRange);  // the position names no character
  }
  std::string message(prefix);
  AppendUtf8(rendered[static_cast<std::size_t>(position - 1)], message);
  message += " an der Stelle ";
  message += std::to_string(position);
  message += "!";
  return message;
}

}  // namespace xkdtazv::detail
