#include "reader/dtazv_reader.h"

#include <optional>

#include "platform/huge_pages.h"
#include "reader/text_encoding.h"

namespace xkdtazv::cli {
namespace {

// A record begins with its length in four digits and its type in one letter.
constexpr std::size_t kHeaderLength = 5;
constexpr std::size_t kShortestSoundRecord = 256;
constexpr std::string_view kKnownTypes = "QTVWZ";

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

std::optional<std::size_t> LengthFieldAt(std::string_view bytes, std::size_t pos) noexcept {
  if (pos + kHeaderLength > bytes.size()) return std::nullopt;
  std::size_t value = 0;
  for (std::size_t i = pos; i < pos + 4; ++i) {
    if (!IsDigit(bytes[i])) return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(bytes[i] - '0');
  }
  return value;
}

// Where a record is expected anyway, four digits and a capital letter, or a
// known type behind a damaged length field, are taken as its start.
bool LooksLikeRecordStart(std::string_view bytes, std::size_t pos) noexcept {
  if (pos + kHeaderLength > bytes.size()) return false;
  const char type = bytes[pos + 4];
  if (kKnownTypes.find(type) != std::string_view::npos) return true;
  return LengthFieldAt(bytes, pos) && type >= 'A' && type <= 'Z';
}

// Searching for the next record after a damaged one needs the exact pairs of
// length and type, so that field contents are not taken for a record.
bool IsExactRecordStart(std::string_view bytes, std::size_t pos) noexcept {
  if (pos + kHeaderLength > bytes.size()) return false;
  const std::string_view header = bytes.substr(pos, kHeaderLength);
  if (header.substr(0, 4) == "0768") return header[4] == 'T';
  return header.substr(0, 4) == "0256" &&
         std::string_view("QVWZ").find(header[4]) != std::string_view::npos;
}

// Finds exact record starts for one pass over a file. Searches only ever move
// forward, so a pass scans every byte at most once, whatever the input.
class ExactStartFinder {
 public:
  explicit ExactStartFinder(std::string_view bytes) noexcept : bytes_(bytes) {}

  // The first exact record start at `from` or later; the file size if none.
  std::size_t Find(std::size_t from) noexcept {
    if (from <= found_) return found_;  // nothing lies between an earlier search and its result
    std::size_t pos = from;
    while (pos + kHeaderLength <= bytes_.size() && !IsExactRecordStart(bytes_, pos)) ++pos;
    found_ = pos + kHeaderLength <= bytes_.size() ? pos : bytes_.size();
    return found_;
  }

 private:
  std::string_view bytes_;
  std::size_t found_ = 0;
};

// The length the record at `offset` should have: its type's, or for an
// unknown type the one its length field states.
std::optional<std::size_t> PlannedLength(std::string_view bytes, std::size_t offset) noexcept {
  if (offset + kHeaderLength > bytes.size()) return std::nullopt;
  if (const RecordSpec* layout = FindRecordSpec(bytes[offset + 4])) return layout->length;
  const auto declared = LengthFieldAt(bytes, offset);
  if (declared && *declared >= kHeaderLength) return declared;
  return std::nullopt;
}

// Stray bytes shorter than a record header, such as a line break, belong to
// the record before them.
std::size_t RecordLengthAt(std::string_view bytes, std::size_t offset,
                           ExactStartFinder& finder) noexcept {
  const std::size_t remaining = bytes.size() - offset;
  if (remaining < kHeaderLength) return remaining;
  const auto planned = PlannedLength(bytes, offset);
  if (!planned || *planned > remaining) return finder.Find(offset + kHeaderLength) - offset;
  const std::size_t next = offset + *planned;
  if (next == bytes.size() || LooksLikeRecordStart(bytes, next)) return *planned;
  const std::size_t found = finder.Find(offset + kHeaderLength);
  if (found < next || found - next < kHeaderLength) return found - offset;
  return *planned;  // what follows is read as records of its own
}

std::string NotDtazvReason(std::string_view bytes) {
  const Windows1252Table table = MakeWindows1252Table();
  return "not a DTAZV file: it does not begin with a record length of four digits and a "
         "record type Q, T, V, W or Z (it begins with \"" +
         PrintableWindows1252(bytes.substr(0, 16), table) + "\")";
}

}  // namespace

DtazvFile ReadDtazv(std::string_view bytes) noexcept {
  DtazvFile file;
  file.size = bytes.size();
  if (bytes.empty()) {
    file.unreadable_reason = "the file is empty";
    return file;
  }
  if (!LengthFieldAt(bytes, 0) || kKnownTypes.find(bytes[4]) == std::string_view::npos) {
    file.unreadable_reason = NotDtazvReason(bytes);
    return file;
  }
  file.readable = true;
  // Records of a sound file have 256 bytes or more: room for all of them at
  // once, without the copies and fresh pages of growing by doubling.
  file.records.reserve(bytes.size() / kShortestSoundRecord + 1);
  detail::PreferHugePages(file.records.data(), file.records.capacity() * sizeof(Record));
  std::size_t payments = 0;
  ExactStartFinder finder(bytes);
  for (std::size_t offset = 0; offset < bytes.size();) {
    const std::size_t length = RecordLengthAt(bytes, offset, finder);
    Record record;
    record.index = file.records.size() + 1;
    record.offset = offset;
    record.bytes = bytes.substr(offset, length);
    if (length >= kHeaderLength) {
      record.type = bytes[offset + 4];
      record.layout = FindRecordSpec(record.type);
    }
    if (record.type == 'T') record.payment = ++payments;
    file.records.push_back(std::move(record));
    offset += length;
  }
  return file;
}

}  // namespace xkdtazv::cli
