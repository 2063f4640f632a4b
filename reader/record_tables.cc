#include "reader/record_tables.h"

#include <array>
#include <cstdint>

namespace xkdtazv::cli {
namespace {

using enum FieldFormat;
using enum FieldContent;

// The payment kinds (Anhang 1) and instruction codes (Anhang 2) that the
// handbooks and this system know; 91 (Anhang 2a) only in the fourth field.
constexpr std::string_view kPaymentKinds = "00|10|11|13|15|20|21|22|23|30|31|32|33";
constexpr std::string_view kInstructionCodes = "00|01|02|04|06|07|09|10|11|12";
constexpr std::string_view kLastInstructionCodes = "00|01|02|04|06|07|09|10|11|12|91";

// Fields 10 to 12 cannot be read in the handbook copies: shown, never judged.
constexpr std::array<FieldSpec, 15> kQFields{{
    {"Q1", "Satzlaenge", 1, 4, kNumeric, kAny},
    {"Q2", "Satzart", 5, 1, kAlpha, kAny},
    {"Q3", "BLZ", 6, 8, kNumeric, kFilled},
    {"Q4", "Kontonummer", 14, 10, kNumeric, kFilled},
    {"Q5.1", "Name", 24, 35, kAlpha, kFilled},
    {"Q5.2", "Vorname", 59, 35, kAlpha, kAny},
    {"Q5.3", "Strasse", 94, 35, kAlpha, kAny},
    {"Q5.4", "OrtPLZ", 129, 35, kAlpha, kAny},
    {"Q6", "Erstellungsdatum", 164, 6, kNumeric, kDate},
    {"Q7", "LaufendeTagesnummer", 170, 2, kNumeric, kFilled},
    {"Q8", "ExecutionDate", 172, 6, kNumeric, kDate},
    {"Q9", "Meldeweiterleitung", 178, 1, kAlpha, kCode, "J|N"},
    {"Q10", "Bundeslandnummer", 179, 2, kUnknown, kAny},
    {"Q11", "Firmennummer", 181, 8, kUnknown, kAny},
    {"Q12", "Reserve", 189, 68, kAlpha, kEmpty},
}};

// Rules that depend on the payment kind live with the payment checks.
constexpr std::array<FieldSpec, 41> kTFields{{
    {"T1", "Satzlaenge", 1, 4, kNumeric, kAny},
    {"T2", "Satzart", 5, 1, kAlpha, kAny},
    {"T3", "BLZ", 6, 8, kNumeric, kFilled},
    {"T4a", "ISOWaehrungsCode", 14, 3, kAlpha, kCurrency},
    {"T4b", "Kontonummer", 17, 10, kNumeric, kFilled},
    {"T5", "ExecutionDate", 27, 6, kNumeric, kOptionalDate},
    {"T6", "BLZ_E", 33, 8, kNumeric, kAny},
    {"T7a", "ISOWaehrungsCode_E", 41, 3, kAlpha, kAny},
    {"T7b", "Kontonummer_E", 44, 10, kNumeric, kAny},
    {"T8", "BIC", 54, 11, kAlpha, kAny},
    {"T9a", "BankLaenderCode", 65, 3, kAlpha, kCountry},
    {"T9b.1", "BankAnschrift1", 68, 35, kAlpha, kAny},
    {"T9b.2", "BankAnschrift2", 103, 35, kAlpha, kAny},
    {"T9b.3", "BankAnschrift3", 138, 35, kAlpha, kAny},
    {"T9b.4", "BankAnschrift4", 173, 35, kAlpha, kAny},
    {"T10a", "LaenderCode", 208, 3, kAlpha, kCountry},
    {"T10b.1", "Name", 211, 35, kAlpha, kAny},
    {"T10b.2", "Vorname", 246, 35, kAlpha, kAny},
    {"T10b.3", "Strasse", 281, 35, kAlpha, kAny},
    {"T10b.4", "OrtPLZ", 316, 35, kAlpha, kAny},
    {"T11", "Ordervermerk", 351, 70, kAlpha, kAny},
    {"T12", "IBAN", 421, 35, kAlpha, kAny},
    {"T13", "Auftragswaehrung", 456, 3, kAlpha, kCurrency},
    {"T14a", "BetragVorkomma", 459, 14, kNumeric, kAny},
    {"T14b", "BetragNachkomma", 473, 3, kNumeric, kAny},
    {"T15.1", "Verwendungszweck1", 476, 35, kAlpha, kAny},
    {"T15.2", "Verwendungszweck2", 511, 35, kAlpha, kAny},
    {"T15.3", "Verwendungszweck3", 546, 35, kAlpha, kAny},
    {"T15.4", "Verwendungszweck4", 581, 35, kAlpha, kAny},
    {"T16", "Weisungsschluessel1", 616, 2, kNumeric, kCode, kInstructionCodes},
    {"T17", "Weisungsschluessel2", 618, 2, kNumeric, kCode, kInstructionCodes},
    {"T18", "Weisungsschluessel3", 620, 2, kNumeric, kCode, kInstructionCodes},
    {"T19", "Weisungsschluessel4", 622, 2, kNumeric, kCode, kLastInstructionCodes},
    {"T20", "WeisungsschluesselZusatz", 624, 25, kAlpha, kAny},
    {"T21", "Entgeltregelung", 649, 2, kNumeric, kCode, "00|01|02"},
    {"T22", "Zahlungsart", 651, 2, kNumeric, kCode, kPaymentKinds},
    {"T23", "VariableText", 653, 27, kAlpha, kAny},
    {"T24", "Ansprechpartner", 680, 35, kAlpha, kAny},
    {"T25", "Kennzeichen", 715, 1, kNumeric, kCode, "0|1"},
    {"T26", "Reserve", 716, 51, kAlpha, kEmpty},
    {"T27", "Erweiterungskennzeichen", 767, 2, kUnknown, kAny},
}};

constexpr std::array<FieldSpec, 5> kZFields{{
    {"Z1", "Satzlaenge", 1, 4, kNumeric, kAny},
    {"Z2", "Satzart", 5, 1, kAlpha, kAny},
    {"Z3", "TotalBetrag", 6, 15, kNumeric, kAny},
    {"Z4", "TotalTransactions", 21, 15, kNumeric, kAny},
    {"Z5", "Reserve", 36, 221, kAlpha, kEmpty},
}};

// The report records' inner layout is not in the handbook copies.
constexpr std::array<FieldSpec, 3> kVFields{{
    {"V1", "Satzlaenge", 1, 4, kNumeric, kAny},
    {"V2", "Satzart", 5, 1, kAlpha, kAny},
    {"V3", "Meldung", 6, 251, kUnknown, kAny},
}};

constexpr std::array<FieldSpec, 3> kWFields{{
    {"W1", "Satzlaenge", 1, 4, kNumeric, kAny},
    {"W2", "Satzart", 5, 1, kAlpha, kAny},
    {"W3", "Meldung", 6, 251, kUnknown, kAny},
}};

constexpr std::array<RecordSpec, 5> kRecords{{
    {'Q', 256, "header", kQFields},
    {'T', 768, "payment", kTFields},
    {'V', 256, "report on transit trade", kVFields},
    {'W', 256, "report on services and capital transactions", kWFields},
    {'Z', 256, "trailer", kZFields},
}};

// Every table must cover its record exactly, field after field.
constexpr bool CoversRecord(const RecordSpec& record) {
  std::size_t next = 1;
  for (const FieldSpec& field : record.fields) {
    if (field.first != next || field.length == 0) return false;
    next = field.first + field.length;
  }
  return next == record.length + 1;
}
static_assert(CoversRecord(kRecords[0]) && CoversRecord(kRecords[1]) && CoversRecord(kRecords[2]) &&
              CoversRecord(kRecords[3]) && CoversRecord(kRecords[4]));

// Each layout's fields in a table addressed by the packed id: the checks look
// fields up by id many times per record. No field has an id too long to pack.

// Open addressing: far more slots than any layout has fields, so that a
// search ends at its first or second slot.
constexpr std::size_t kSlots = 128;
constexpr std::size_t kNoField = ~std::size_t{0};

constexpr std::size_t SlotOf(std::uint64_t key) noexcept {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 57);  // the top 7 bits
}

struct KeyedField {
  std::uint64_t key = 0;
  std::size_t field = kNoField;  // index into the layout's fields
};

template <std::size_t N>
constexpr std::array<KeyedField, kSlots> HashedById(const std::array<FieldSpec, N>& fields) {
  static_assert(N < kSlots / 2);
  std::array<KeyedField, kSlots> slots{};
  for (std::size_t i = 0; i < N; ++i) {
    if (fields[i].id.size() > kLongestPackedId) throw "field id too long to pack";
    std::size_t slot = SlotOf(PackedFieldId(fields[i].id));
    while (slots[slot].field != kNoField) slot = (slot + 1) % kSlots;
    slots[slot] = {PackedFieldId(fields[i].id), i};
  }
  return slots;
}

constexpr auto kQSlots = HashedById(kQFields);
constexpr auto kTSlots = HashedById(kTFields);
constexpr auto kVSlots = HashedById(kVFields);
constexpr auto kWSlots = HashedById(kWFields);
constexpr auto kZSlots = HashedById(kZFields);

struct FieldIndex {
  std::span<const FieldSpec> fields;
  const std::array<KeyedField, kSlots>* slots;
};

constexpr std::array<FieldIndex, 5> kFieldIndexes{{
    {kTFields, &kTSlots},
    {kQFields, &kQSlots},
    {kZFields, &kZSlots},
    {kVFields, &kVSlots},
    {kWFields, &kWSlots},
}};

}  // namespace

const RecordSpec* FindRecordSpec(char type) noexcept {
  for (const RecordSpec& record : kRecords) {
    if (record.type == type) return &record;
  }
  return nullptr;
}

// Every payment asks for some thirty fields: the length and the last
// character ("T4a", "T4b") turn most fields away before a whole comparison.
const FieldSpec* FindFieldByKey(const RecordSpec& layout, std::uint64_t key,
                                std::string_view id) noexcept {
  for (const FieldIndex& index : kFieldIndexes) {
    if (index.fields.data() != layout.fields.data()) continue;
    if (key == 0) return nullptr;  // no field has so long an id
    for (std::size_t slot = SlotOf(key);; slot = (slot + 1) % kSlots) {
      const KeyedField& entry = (*index.slots)[slot];
      if (entry.field == kNoField) return nullptr;
      if (entry.key == key) return &index.fields[entry.field];
    }
  }
  for (const FieldSpec& field : layout.fields) {
    if (field.id.size() == id.size() && (id.empty() || field.id.back() == id.back()) &&
        field.id == id) {
      return &field;
    }
  }
  return nullptr;
}

}  // namespace xkdtazv::cli
