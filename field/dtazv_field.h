// One fixed-width field of a DTAZV record: a raw value and the field's format
// (width, fill, alignment). Rendering fills or cuts the value to the width;
// the character check finds the first character outside the DTAZV set.
//
//   DtAzvField blz;
//   blz.setFieldLength(8);
//   blz.setFieldCharCompletion(kFillZeros);
//   blz.setFieldValue("123");
//   blz.toFileString();   // "00000123"
//
// The field never alters its value. Lengths, positions and cuts count code
// points.
#ifndef XKDTAZV_FIELD_DTAZV_FIELD_H_
#define XKDTAZV_FIELD_DTAZV_FIELD_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace xkdtazv {

inline constexpr std::int32_t kFillSpaces = 0;
inline constexpr std::int32_t kFillZeros = 1;

class DtAzvField {
 public:
  std::int32_t FieldCharCompletion() const { return char_completion_; }
  void setFieldCharCompletion(std::int32_t value) { char_completion_ = value; }
  bool IsLeftAligned() const { return left_aligned_; }
  void setIsLeftAligned(bool value) { left_aligned_ = value; }
  std::int16_t FieldLength() const { return length_; }
  void setFieldLength(std::int16_t value) { length_ = value; }
  const std::string& FieldValue() const { return value_; }
  // Invalid UTF-8 bytes are stored as U+FFFD.
  void setFieldValue(std::string_view value);
  const std::string& FieldName() const { return name_; }
  void setFieldName(std::string_view value);

  // The value rendered to exactly FieldLength characters, or the text
  // "FEHLER: DtAzvField korrupt." with the failure when it cannot be rendered.
  std::string toFileString() const;
  // 0 when every rendered character is in the DTAZV set (or the field is not
  // space-filled), else the 1-based position of the first one that is not;
  // -1 when the check itself fails.
  std::int16_t StringValidation() const;

  // As toFileString, but throws Failure instead of returning the failure text.
  std::string Render() const;

 private:
  std::string name_;
  std::string value_;
  std::int16_t length_ = 0;
  bool left_aligned_ = false;
  std::int32_t char_completion_ = kFillSpaces;
};

// True for the characters of the DTAZV character set: space, $ % &, * + , - . /,
// digits and capital letters A to Z.
constexpr bool IsDtAzvCharacter(char32_t c) {
  return c == U' ' || c == U'$' || c == U'%' || c == U'&' || (c >= U'*' && c <= U'/') ||
         (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z');
}

}  // namespace xkdtazv

#endif  // XKDTAZV_FIELD_DTAZV_FIELD_H_
