#include "xkdtazv/meine_info.h"

#include <algorithm>
#include <array>

#include "field/dtazv_field.h"
#include "platform/clock.h"
#include "platform/date.h"
#include "platform/failure_text.h"
#include "platform/number.h"
#include "platform/text.h"
#include "records/record_layout.h"

namespace xkdtazv {
namespace {

using detail::Align;
using detail::FieldSpec;

// The Q record, 256 characters.
enum Q : std::size_t {
  kSatzlaenge,
  kSatzart,
  kBLZ,
  kKontonummer,
  kName,
  kVorname,
  kStrasse,
  kOrtPLZ,
  kErstellungsdatum,
  kLaufendeTagesnummer,
  kExecutionDate,
  kMeldeweiterleitung,
  kBundeslandnummer,
  kFirmennummer,
  kReserve,
};

constexpr std::array<FieldSpec, 15> kLayout{{
    {"Satzlaenge", 4, kFillZeros, Align::kRight, "0256"},
    {"Satzart", 1, kFillSpaces, Align::kLeft, "Q"},
    {"BLZ", 8, kFillZeros, Align::kRight, ""},
    {"Kontonummer", 10, kFillZeros, Align::kRight, ""},
    {"Name", 35, kFillSpaces, Align::kLeft, ""},
    {"Vorname", 35, kFillSpaces, Align::kLeft, ""},
    {"Strasse", 35, kFillSpaces, Align::kLeft, ""},
    {"OrtPLZ", 35, kFillSpaces, Align::kLeft, ""},
    {"Erstellungsdatum", 6, kFillZeros, Align::kRight, ""},  // set to the day of creation
    {"LaufendeTagesnummer", 2, kFillZeros, Align::kRight, "1"},
    {"ExecutionDate", 6, kFillZeros, Align::kRight, ""},  // set to the day of creation
    {"Meldeweiterleitung", 1, kFillSpaces, Align::kLeft, "N"},
    {"Bundeslandnummer", 2, kFillZeros, Align::kRight, ""},
    {"Firmennummer", 8, kFillZeros, Align::kRight, ""},
    {"Reserve", 68, kFillSpaces, Align::kLeft, ""},
}};
static_assert(detail::RecordLength(kLayout) == 256);

struct AddressLine {
  Q field;
  std::string_view prefix;
};

constexpr std::array<AddressLine, 4> kCheckedLines{{
    {kName, "Fehler: Das Feld \"Name\" enthält ein ungültiges Zeichen "},
    {kVorname, "Fehler: Das Feld \"Vorname\" enthält ein ungültiges Zeichen "},
    {kStrasse, "Fehler: Das Feld \"Strasse\" enthält ein ungültiges Zeichen "},
    {kOrtPLZ, "Fehler: Das Feld \"OrtPLZ\" enthält ein ungültiges Zeichen "},
}};

// "JJMMTT" as "TT.MM.JJ", from the first six characters.
std::string DayMonthYear(std::string_view yymmdd) {
  const std::u32string chars = detail::DecodeUtf8(yymmdd);
  const auto part = [&](std::size_t pos) {
    return detail::EncodeUtf8(std::u32string_view(chars).substr(std::min(pos, chars.size()), 2));
  };
  return part(4) + "." + part(2) + "." + part(0);
}

detail::Date ToDate(std::string_view yymmdd) {
  const auto date = detail::RecognizeDate(DayMonthYear(yymmdd));
  if (!date) throw Failure(FailureCode::kTypeMismatch);
  return *date;
}

}  // namespace

MeineInfo::MeineInfo() : MeineInfo(TodayFunction{}) {}

MeineInfo::MeineInfo(const TodayFunction& today) : fields_(detail::BuildFields(kLayout)) {
  const TodayFunction clock = detail::TodayOrLocalClock(today);
  // Each date field reads the clock on its own.
  fields_[kErstellungsdatum].setFieldValue(detail::FormatYymmdd(clock()));
  fields_[kExecutionDate].setFieldValue(detail::FormatYymmdd(clock()));
}

MeineInfo::~MeineInfo() = default;

std::string MeineInfo::BLZ() const { return fields_[kBLZ].FieldValue(); }
void MeineInfo::setBLZ(std::string_view value) { fields_[kBLZ].setFieldValue(value); }
std::string MeineInfo::Kontonummer() const { return fields_[kKontonummer].FieldValue(); }
void MeineInfo::setKontonummer(std::string_view value) {
  fields_[kKontonummer].setFieldValue(value);
}
std::string MeineInfo::Name() const { return fields_[kName].FieldValue(); }
void MeineInfo::setName(std::string_view value) {
  fields_[kName].setFieldValue(detail::ToUpper(value));
}
std::string MeineInfo::Vorname() const { return fields_[kVorname].FieldValue(); }
void MeineInfo::setVorname(std::string_view value) {
  fields_[kVorname].setFieldValue(detail::ToUpper(value));
}
std::string MeineInfo::Strasse() const { return fields_[kStrasse].FieldValue(); }
void MeineInfo::setStrasse(std::string_view value) {
  fields_[kStrasse].setFieldValue(detail::ToUpper(value));
}
std::string MeineInfo::OrtPLZ() const { return fields_[kOrtPLZ].FieldValue(); }
void MeineInfo::setOrtPLZ(std::string_view value) {
  fields_[kOrtPLZ].setFieldValue(detail::ToUpper(value));
}
std::string MeineInfo::ExecutionDate() const { return fields_[kExecutionDate].FieldValue(); }
void MeineInfo::setExecutionDate(std::string_view value) {
  fields_[kExecutionDate].setFieldValue(value);
}

std::string MeineInfo::GenerateRecord() const {
  try {
    return detail::RenderRecord(fields_);
  } catch (const Failure& failure) {
    return detail::FailureText("FEHLER: Generierung von MeineInfo ist fehlgeschlagen!", failure);
  }
}

std::string MeineInfo::Validate() const {
  try {
    detail::Findings findings;
    const std::string& blz = fields_[kBLZ].FieldValue();
    // Eight characters that are not all digits would land in a numeric field.
    if (detail::CountCodePoints(blz) != 8 || !detail::IsDigits(blz)) {
      findings.Add("Fehler: BLZ muss 8-stellig sein.");
    }

    const std::string& account = fields_[kKontonummer].FieldValue();
    if (!detail::IsDigits(account)) {
      findings.Add("Fehler: Kontonummer darf nur Zahlen enthalten");
    }
    if (detail::CountCodePoints(account) > 10) {
      // The record keeps ten digits; more would name a different account.
      findings.Add("Fehler: Kontonummer darf hoechstens 10 Stellen haben!");
    }

    const std::string& sequence = fields_[kLaufendeTagesnummer].FieldValue();
    if (!detail::IsNumeric(sequence)) {
      findings.Add("Fehler: Laufende Tagesnummer ist nicht numerisch!");
    } else {
      const std::int16_t number = detail::ToInt16(sequence);
      if (number > 99 || number < 1) {
        findings.Add("Fehler: Laufende Tagesnummer faellt nicht in den erlaubten Bereich!");
      }
    }

    const std::string& execution = fields_[kExecutionDate].FieldValue();
    if (detail::CountCodePoints(execution) != 6) {
      findings.Add("Fehler: Ausfuehrungsdatum ist keine 6 Zeichen lang!");
    } else if (!detail::RecognizeDate(DayMonthYear(execution))) {
      findings.Add("Fehler: Ausfuehrungsdatum ungueltig! Bitte in der Form JJMMTT eingeben");
    }

    const std::string& created = fields_[kErstellungsdatum].FieldValue();
    const long days_ahead = detail::DaysBetween(ToDate(created), ToDate(execution));
    if (days_ahead > 15) findings.Add("Fehler: Ausfuehrungsdatum liegt zu weit vorne!");
    if (days_ahead < 0) {
      findings.Add("Fehler: Ausfuehrungsdatum liegt hinter dem heutigen Datum!");
    }

    for (const AddressLine& line : kCheckedLines) {
      const std::string message = detail::InvalidCharacterMessage(fields_[line.field], line.prefix);
      if (!message.empty()) findings.Add(message);
    }
    return findings.Result();
  } catch (const Failure& failure) {
    return detail::FailureText("FEHLER: Validierung fehlgeschlagen!", failure);
  }
}

}  // namespace xkdtazv
