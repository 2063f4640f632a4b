#include "records/record_values.h"

#include <limits>

#include "platform/text.h"
#include "xkdtazv/failure.h"

namespace xkdtazv::detail {

RecordValues::RecordValues(std::span<const FieldSpec> layout) : ends_(layout.size()) {
  for (std::size_t i = 0; i < layout.size(); ++i) {
    bytes_ += layout[i].initial;
    ends_[i] = static_cast<std::uint32_t>(bytes_.size());
    NoteInSet(i, RendersInSet(layout[i].initial));
  }
  ascii_ = IsAscii(bytes_);
}

void RecordValues::NoteInSet(std::size_t field, bool in_set) {
  if (field >= 64) return;
  const std::uint64_t bit = std::uint64_t{1} << field;
  in_set_ = in_set ? (in_set_ | bit) : (in_set_ & ~bit);
}

void RecordValues::Set(std::size_t field, std::string_view value) {
  // Stored values are valid UTF-8, so an equal value is stored already (as the
  // sender's data is on every payment after the first run).
  if (Get(field) == value) return;
  if (RendersInSet(value)) {
    Replace(field, value, true);
    return NoteInSet(field, true);
  }
  NoteInSet(field, false);
  if (IsAscii(value)) return Replace(field, value, true);
  if (IsValidUtf8(value)) return Replace(field, value, false);
  Replace(field, SanitizeUtf8(value), false);
}

void RecordValues::Replace(std::size_t field, std::string_view valid_utf8, bool value_ascii) {
  const std::string_view old = Get(field);
  const std::size_t begin = static_cast<std::size_t>(old.data() - bytes_.data());
  if (bytes_.size() - old.size() + valid_utf8.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw Failure(FailureCode::kOutOfMemory);
  }
  bytes_.replace(begin, old.size(), valid_utf8);
  const auto grown = static_cast<std::uint32_t>(valid_utf8.size());
  const auto shrunk = static_cast<std::uint32_t>(old.size());
  for (std::size_t i = field; i < ends_.size(); ++i) ends_[i] = ends_[i] - shrunk + grown;
  // The value replaced may have been the only one outside ASCII.
  ascii_ = value_ascii && (ascii_ || IsAscii(bytes_));
}

bool RecordValues::Renderable() const {
  // No value is longer than all of them together.
  if (FitsRendering(bytes_)) return true;
  for (std::size_t i = 0; i < ends_.size(); ++i) {
    if (!FitsRendering(Get(i))) return false;
  }
  return true;
}

}  // namespace xkdtazv::detail
