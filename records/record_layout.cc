#include "records/record_layout.h"

#include <array>
#include <cstring>
#include <limits>

#include "platform/encoding.h"
#include "platform/text.h"
#include "records/record_values.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {
namespace {

constexpr std::size_t kLongestValue = std::numeric_limits<std::int16_t>::max();

// How one value lands in its field: the part of it that is shown and the fill
// around it. Throws what DtAzvField::Render throws for the same field.
struct Placement {
  std::string_view shown;
  bool ascii;  // `shown` is ASCII, so one byte is one character
  std::size_t fill_count;
  char fill;
  bool fill_first;
};

// `known_ascii`: the caller knows the value is ASCII.
Placement Place(const FieldSpec& field, std::string_view value, bool known_ascii = false) {
  const bool ascii = known_ascii || IsAscii(value);
  const std::size_t count = ascii ? value.size() : CountCodePoints(value);
  // The length is held as a 16-bit number, so longer values cannot be rendered.
  if (count > kLongestValue) throw Failure(FailureCode::kOverflow);
  if (field.length < 0) throw Failure(FailureCode::kInvalidArgument);
  const auto width = static_cast<std::size_t>(field.length);
  if (count < width) {
    char fill = 0;
    if (field.fill == kFillSpaces) {
      fill = ' ';
    } else if (field.fill == kFillZeros) {
      fill = '0';
    } else {
      throw Failure(FailureCode::kInvalidArgument);
    }
    return {value, ascii, width - count, fill, field.align == Align::kRight};
  }
  if (count > width) {
    return {ascii ? value.substr(0, width) : FirstCodePoints(value, width), ascii, 0, ' ', false};
  }
  return {value, ascii, 0, ' ', false};
}

// The DTAZV set among the ASCII characters, for the check's common case.
constexpr std::array<bool, 128> kAsciiInSet = [] {
  std::array<bool, 128> in_set{};
  for (char32_t c = 0; c < in_set.size(); ++c) in_set[c] = IsDtAzvCharacter(c);
  return in_set;
}();

bool InSet(char32_t c) { return c < kAsciiInSet.size() ? kAsciiInSet[c] : IsDtAzvCharacter(c); }

// AppendRecord for a record whose values are all ASCII, the common case: one
// byte a character, the same in Windows-1252, so each value is copied into
// its field's place. Most fields are filled with spaces: the record starts
// as spaces, and only other fills are written.
void WriteAsciiRecord(std::span<const FieldSpec> layout, const RecordValues& values, char* cursor,
                      std::size_t record_length) {
  std::memset(cursor, ' ', record_length);
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const FieldSpec& field = layout[i];
    const std::string_view value = values.Get(i);
    if (value.size() > kLongestValue) throw Failure(FailureCode::kOverflow);
    const auto width = static_cast<std::size_t>(field.length);
    if (value.size() >= width) {
      std::memcpy(cursor, value.data(), width);
    } else {
      const std::size_t fill_count = width - value.size();
      const bool right = field.align == Align::kRight;
      if (field.fill == kFillZeros) {
        std::memset(right ? cursor : cursor + value.size(), '0', fill_count);
      } else if (field.fill != kFillSpaces) {
        throw Failure(FailureCode::kInvalidArgument);
      }
      if (!value.empty())
        std::memcpy(right ? cursor + fill_count : cursor, value.data(), value.size());
    }
    cursor += width;
  }
}

}  // namespace

bool RendersInSet(std::string_view value) {
  if (value.size() > kLongestValue) return false;
  // Most values are ASCII from the set throughout: one look-up a byte.
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= kAsciiInSet.size() || !kAsciiInSet[byte]) return false;
  }
  return true;
}

bool FitsRendering(std::string_view value) {
  return value.size() <= kLongestValue || CountCodePoints(value) <= kLongestValue;
}

std::string RenderValue(const FieldSpec& field, std::string_view value) {
  const Placement placement = Place(field, value);
  std::string rendered;
  rendered.reserve(placement.shown.size() + placement.fill_count);
  if (placement.fill_first) rendered.append(placement.fill_count, placement.fill);
  rendered += placement.shown;
  if (!placement.fill_first) rendered.append(placement.fill_count, placement.fill);
  return rendered;
}

void AppendRecord(std::span<const FieldSpec> layout, const RecordValues& values,
                  const Windows1252Encoder& encoder, std::string& out) {
  // Every field renders to exactly its width, so the record's place is known.
  for (const FieldSpec& field : layout) {
    if (field.length < 0) throw Failure(FailureCode::kInvalidArgument);
  }
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(RecordLength(layout)));
  char* cursor = out.data() + start;
  if (values.ascii()) {
    try {
      WriteAsciiRecord(layout, values, cursor, out.size() - start);
    } catch (...) {
      out.resize(start);
      throw;
    }
    return;
  }
  try {
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const Placement placement = Place(layout[i], values.Get(i), values.ascii());
      if (placement.fill_first) {
        std::memset(cursor, placement.fill, placement.fill_count);
        cursor += placement.fill_count;
      }
      if (placement.ascii) {  // ASCII is the same in Windows-1252
        std::memcpy(cursor, placement.shown.data(), placement.shown.size());
        cursor += placement.shown.size();
      } else {
        cursor = encoder.Write(placement.shown, cursor);
      }
      if (!placement.fill_first) {
        std::memset(cursor, placement.fill, placement.fill_count);
        cursor += placement.fill_count;
      }
    }
  } catch (...) {
    out.resize(start);
    throw;
  }
}

std::string RenderRecord(std::span<const FieldSpec> layout, const RecordValues& values) {
  std::string record;
  for (std::size_t i = 0; i < layout.size(); ++i) record += RenderValue(layout[i], values.Get(i));
  return record;
}

std::string InvalidCharacterMessage(const FieldSpec& field, std::string_view value,
                                    std::string_view prefix) {
  if (field.fill != kFillSpaces) return "";
  // Such a value renders, and each of its characters is allowed wherever the cut falls.
  if (field.length >= 0 && RendersInSet(value)) return "";
  const Placement placement = Place(field, value);  // a value that cannot be rendered throws
  // Fill spaces are allowed, so only the shown part of the value can hold a
  // character outside the set.
  std::size_t position = placement.fill_first ? placement.fill_count : 0;
  for (std::size_t pos = 0; pos < placement.shown.size();) {
    ++position;
    const char32_t c = placement.ascii ? static_cast<unsigned char>(placement.shown[pos++])
                                       : DecodeNext(placement.shown, pos);
    if (InSet(c)) continue;
    std::string message(prefix);
    AppendUtf8(c, message);
    message += " an der Stelle ";
    message += std::to_string(position);
    message += "!";
    return message;
  }
  return "";
}

}  // namespace xkdtazv::detail
