// The DTAZV record layouts as a bank reads them: one table per record type,
// each field with its number in the handbook, a name, its positions, its
// format and what must stand in it. The reader splits records by these tables
// and the bank checks walk them, so a field is described in exactly one place.
//
//   const RecordSpec* layout = FindRecordSpec('T');
//   for (const FieldSpec& field : layout->fields) std::cout << field.id << ' ' << field.name;
#ifndef XKDTAZV_READER_RECORD_TABLES_H_
#define XKDTAZV_READER_RECORD_TABLES_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace xkdtazv::cli {

enum class FieldFormat {
  kAlpha,    // left-aligned, unused positions blank, DTAZV characters only
  kNumeric,  // digits only, unused positions zero
  kUnknown,  // the handbooks leave the format unreadable: shown, never judged
};

// What must stand in a field beyond its format, for every payment kind.
enum class FieldContent {
  kAny,
  kFilled,        // mandatory: not blank, not only zeros
  kEmpty,         // must not be filled: blanks or zeros
  kDate,          // JJMMTT, a real calendar date
  kOptionalDate,  // zeros, or JJMMTT as kDate
  kCountry,       // blank, or a two-letter ISO code followed by a blank
  kCurrency,      // a three-letter ISO currency code
  kCode,          // one of the texts in FieldSpec::codes
};

struct FieldSpec {
  std::string_view id;    // the handbook's field number: "Q3", "T10b.2"
  std::string_view name;  // the field's name in this system's record layouts
  std::size_t first;      // 1-based position of the first character
  std::size_t length;
  FieldFormat format;
  FieldContent content;
  std::string_view codes = {};  // for kCode: the allowed texts, separated by "|"

  std::size_t last() const noexcept { return first + length - 1; }
};

struct RecordSpec {
  char type;
  std::size_t length;
  std::string_view title;  // what the record is, for people
  std::span<const FieldSpec> fields;
};

// The layout of a record type; nullptr for a type that DTAZV does not know.
const RecordSpec* FindRecordSpec(char type) noexcept;

// A field id of up to seven characters packed with its length into a number:
// the key the layouts' field tables are addressed by. Inline, so that the key
// of an id written in the code is computed by the compiler.
inline constexpr std::size_t kLongestPackedId = 7;
constexpr std::uint64_t PackedFieldId(std::string_view id) noexcept {
  std::uint64_t key = 0;
  for (const char c : id) key = key << 8 | static_cast<unsigned char>(c);
  return key << 8 | id.size();
}

// FindField with the id's key already made; 0 for an id too long to pack.
const FieldSpec* FindFieldByKey(const RecordSpec& layout, std::uint64_t key,
                                std::string_view id) noexcept;

// A field id written in the code, its key made by the compiler: readers that
// ask for the same fields of every record pass these.
struct FieldKey {
  consteval FieldKey(const char* text)  // implicit: a literal id converts
      : id(text), key(id.size() > kLongestPackedId ? 0 : PackedFieldId(id)) {}
  std::string_view id;
  std::uint64_t key;
};

inline const FieldSpec* FindFieldByKey(const RecordSpec& layout, FieldKey field) noexcept {
  return FindFieldByKey(layout, field.key, field.id);
}

// The field with handbook number `id` in `layout`; nullptr when there is none.
inline const FieldSpec* FindField(const RecordSpec& layout, std::string_view id) noexcept {
  return FindFieldByKey(layout, id.size() > kLongestPackedId ? 0 : PackedFieldId(id), id);
}

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_READER_RECORD_TABLES_H_
