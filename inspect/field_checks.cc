#include "inspect/field_checks.h"

#include <array>
#include <string>

#include "inspect/short_date.h"

namespace xkdtazv::cli {
namespace {

constexpr std::string_view kCharacterSetText = "DTAZV allows A-Z, 0-9, blank and . , & - / + * $ %";

std::string CodeList(std::string_view codes) {
  std::string list;
  for (const char c : codes) list += c == '|' ? std::string(", ") : std::string(1, c);
  return list;
}

bool IsOneOf(std::string_view text, std::string_view codes) noexcept {
  while (!codes.empty()) {
    const std::size_t bar = codes.find('|');
    if (codes.substr(0, bar) == text) return true;
    if (bar == std::string_view::npos) break;
    codes.remove_prefix(bar + 1);
  }
  return false;
}

bool IsCapitals(std::string_view text) noexcept {
  for (const char c : text) {
    if (c < 'A' || c > 'Z') return false;
  }
  return true;
}

// Format first: a field whose format is broken gets no content finding on top.
bool FormatHolds(const Record& record, const FieldSpec& field, std::string_view content,
                 FindingList& findings) {
  if (field.format == FieldFormat::kNumeric && !IsDigits(content)) {
    findings.About(record, field,
                   "holds " + findings.Quote(content) + ": a numeric field takes digits only");
    return false;
  }
  if (field.format != FieldFormat::kAlpha) return true;
  // Trailing blanks are DTAZV characters: only the text before them is read.
  const std::size_t text_length = TrimTrailingBlanks(content).size();
  // Four bytes at a time while all are allowed; the first one that is not is
  // then found byte by byte.
  const auto allowed = [content](std::size_t at) {
    return static_cast<unsigned>(IsDtazvCharacter(content[at]));
  };
  std::size_t i = 0;
  while (i + 4 <= text_length && (allowed(i) & allowed(i + 1) & allowed(i + 2) & allowed(i + 3))) {
    i += 4;
  }
  for (; i < text_length; ++i) {
    if (!IsDtazvCharacter(content[i])) {
      findings.About(record, field,
                     "holds " + findings.Quote(content.substr(i, 1)) + " at position " +
                         std::to_string(field.first + i) + ": " + std::string(kCharacterSetText));
      return false;
    }
  }
  // A field that must stay empty is reported as filled, not as misaligned.
  if (field.content != FieldContent::kEmpty && text_length != 0 && content.front() == ' ') {
    findings.About(record, field,
                   findings.Quote(content) + " is not left-aligned: the text begins with a blank");
    return false;
  }
  return true;
}

void CheckContent(const Record& record, const FieldSpec& field, std::string_view content,
                  FindingList& findings) {
  const bool numeric = field.format == FieldFormat::kNumeric;
  switch (field.content) {
    case FieldContent::kAny:
      return;
    case FieldContent::kFilled:
      if (numeric ? IsZeros(content) : IsBlank(content)) {
        findings.About(record, field,
                       numeric ? "mandatory field holds only zeros" : "mandatory field is blank");
      }
      return;
    case FieldContent::kEmpty:
      if (!(numeric ? IsZeros(content) : IsBlank(content))) {
        findings.About(record, field, "must not be filled, but holds " + findings.Quote(content));
      }
      return;
    case FieldContent::kOptionalDate:
      if (IsZeros(content)) return;
      [[fallthrough]];
    case FieldContent::kDate:
      if (!ParseShortDate(content)) {
        findings.About(record, field, findings.Quote(content) + " is not a real date (JJMMTT)");
      }
      return;
    case FieldContent::kCountry:
      if (!IsBlank(content) && !(IsCapitals(content.substr(0, 2)) && content.substr(2) == " ")) {
        findings.About(
            record, field,
            findings.Quote(content) + " is not a two-letter ISO country code followed by a blank");
      }
      return;
    case FieldContent::kCurrency:
      if (IsBlank(content)) {
        findings.About(record, field, "mandatory field is blank");
      } else if (!IsCapitals(content)) {
        findings.About(record, field,
                       findings.Quote(content) + " is not a three-letter ISO currency code");
      }
      return;
    case FieldContent::kCode:
      if (!IsOneOf(content, field.codes)) {
        findings.About(
            record, field,
            "holds " + findings.Quote(content) + ", allowed are " + CodeList(field.codes));
      }
      return;
  }
}

// The record's length as its length field states it: right-aligned, zero-filled ("0256").
std::string StatedLength(std::size_t length, std::size_t width) {
  std::string digits = std::to_string(length);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

void CheckLengthField(const Record& record, const FieldSpec& field, FindingList& findings) {
  const std::string expected = StatedLength(record.layout->length, field.length);
  const std::string_view content = record.Field(field);
  if (content != expected) {
    findings.About(record, field,
                   "holds " + findings.Quote(content) + ", a " + std::string(1, record.type) +
                       " record states its length as " + expected);
  }
}

}  // namespace

bool IsDtazvCharacter(char c) noexcept {
  // A table, since every byte of every text field is held against it.
  static constexpr auto kAllowed = [] {
    std::array<bool, 256> allowed{};
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      allowed[static_cast<unsigned char>(letter)] = true;
    for (char digit = '0'; digit <= '9'; ++digit) allowed[static_cast<unsigned char>(digit)] = true;
    for (const char other : std::string_view(" .,&-/+*$%"))
      allowed[static_cast<unsigned char>(other)] = true;
    return allowed;
  }();
  return kAllowed[static_cast<unsigned char>(c)];
}

void CheckFields(const Record& record, FindingList& findings) {
  if (record.layout == nullptr) return;
  for (const FieldSpec& field : record.layout->fields) {
    if (!record.Holds(field)) break;
    if (field.first == 1) {  // the record length, which the type decides
      CheckLengthField(record, field, findings);
      continue;
    }
    const std::string_view content = record.Field(field);
    if (FormatHolds(record, field, content, findings))
      CheckContent(record, field, content, findings);
  }
}

}  // namespace xkdtazv::cli
