#include "field/dtazv_field.h"

#include <limits>

#include "platform/failure_text.h"
#include "platform/text.h"
#include "xkdtazv/failure.h"

namespace xkdtazv {

void DtAzvField::setFieldValue(std::string_view value) { value_ = detail::SanitizeUtf8(value); }

void DtAzvField::setFieldName(std::string_view value) { name_ = detail::SanitizeUtf8(value); }

std::string DtAzvField::Render() const {
  const std::size_t count = detail::CountCodePoints(value_);
  // The length is held as a 16-bit number, so longer values cannot be rendered.
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    throw Failure(FailureCode::kOverflow);
  }
  const auto n = static_cast<std::int16_t>(count);
  if (n < length_) {
    char fill = 0;
    if (char_completion_ == kFillSpaces) {
      fill = ' ';
    } else if (char_completion_ == kFillZeros) {
      fill = '0';
    } else {
      throw Failure(FailureCode::kInvalidArgument);
    }
    const std::string padding(static_cast<std::size_t>(length_ - n), fill);
    return left_aligned_ ? value_ + padding : padding + value_;
  }
  if (n > length_) {
    if (length_ < 0) throw Failure(FailureCode::kInvalidArgument);
    return std::string(detail::FirstCodePoints(value_, static_cast<std::size_t>(length_)));
  }
  return value_;
}

std::string DtAzvField::toFileString() const {
  try {
    return Render();
  } catch (const Failure& failure) {
    return detail::FailureText("FEHLER: DtAzvField korrupt.", failure);
  }
}

std::int16_t DtAzvField::StringValidation() const {
  if (char_completion_ != kFillSpaces) return 0;
  try {
    const std::string rendered = Render();
    std::int16_t position = 0;
    for (std::size_t pos = 0; pos < rendered.size();) {
      ++position;
      if (!IsDtAzvCharacter(detail::DecodeNext(rendered, pos))) return position;
    }
    return 0;
  } catch (const Failure&) {
    return -1;
  }
}

}  // namespace xkdtazv
