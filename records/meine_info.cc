#include "xkdtazv/meine_info.h"

#include <algorithm>
#include <array>

#include "platform/clock.h"
#include "platform/date.h"
#include "platform/encoding.h"
#include "platform/failure_text.h"
#include "platform/number.h"
#include "platform/text.h"
#include "records/record_layout.h"
#include "records/record_values.h"

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

MeineInfo::MeineInfo(const TodayFunction& today)
    : fields_(std::make_unique<detail::RecordValues>(kLayout)) {
  const TodayFunction clock = detail::TodayOrLocalClock(today);
  // Each date field reads the clock on its own.
  fields_->Set(kErstellungsdatum, detail::FormatYymmdd(clock()));
  fields_->Set(kExecutionDate, detail::FormatYymmdd(clock()));
}

MeineInfo::~MeineInfo() = default;

std::string MeineInfo::BLZ() const { return std::string(fields_->Get(kBLZ)); }
void MeineInfo::setBLZ(std::string_view value) { fields_->Set(kBLZ, value); }
std::string MeineInfo::Kontonummer() const { return std::string(fields_->Get(kKontonummer)); }
void MeineInfo::setKontonummer(std::string_view value) { fields_->Set(kKontonummer, value); }
std::string MeineInfo::Name() const { return std::string(fields_->Get(kName)); }
void MeineInfo::setName(std::string_view value) { fields_->Set(kName, detail::ToUpper(value)); }
std::string MeineInfo::Vorname() const { return std::string(fields_->Get(kVorname)); }
void MeineInfo::setVorname(std::string_view value) {
  fields_->Set(kVorname, detail::ToUpper(value));
}
std::string MeineInfo::Strasse() const { return std::string(fields_->Get(kStrasse)); }
void MeineInfo::setStrasse(std::string_view value) {
  fields_->Set(kStrasse, detail::ToUpper(value));
}
std::string MeineInfo::OrtPLZ() const { return std::string(fields_->Get(kOrtPLZ)); }
void MeineInfo::setOrtPLZ(std::string_view value) { fields_->Set(kOrtPLZ, detail::ToUpper(value)); }
std::string MeineInfo::ExecutionDate() const { return std::string(fields_->Get(kExecutionDate)); }
void MeineInfo::setExecutionDate(std::string_view value) { fields_->Set(kExecutionDate, value); }

bool MeineInfo::Renderable() const { return fields_->Renderable(); }

void MeineInfo::AppendRecord(std::string& out, const detail::Windows1252Encoder& encoder) const {
  detail::AppendRecord(kLayout, *fields_, encoder, out);
}

std::string MeineInfo::GenerateRecord() const {
  try {
    return detail::RenderRecord(kLayout, *fields_);
  } catch (const Failure& failure) {
    return detail::FailureText("FEHLER: Generierung von MeineInfo ist fehlgeschlagen!", failure);
  }
}

std::string MeineInfo::Validate() const {
  try {
    detail::Findings findings;
    const std::string_view blz = fields_->Get(kBLZ);
    // Eight characters that are not all digits would land in a numeric field.
    if (detail::CountCodePoints(blz) != 8 || !detail::IsDigits(blz)) {
      findings.Add("Fehler: BLZ muss 8-stellig sein.");
    }

    const std::string_view account = fields_->Get(kKontonummer);
    if (!detail::IsDigits(account)) {
      findings.Add("Fehler: Kontonummer darf nur Zahlen enthalten");
    }
    if (detail::CountCodePoints(account) > 10) {
      // The record keeps ten digits; more would name a different account.
      findings.Add("Fehler: Kontonummer darf hoechstens 10 Stellen haben!");
    }

    const std::string_view sequence = fields_->Get(kLaufendeTagesnummer);
    if (!detail::IsNumeric(sequence)) {
      findings.Add("Fehler: Laufende Tagesnummer ist nicht numerisch!");
    } else {
      const std::int16_t number = detail::ToInt16(sequence);
      if (number > 99 || number < 1) {
        findings.Add("Fehler: Laufende Tagesnummer faellt nicht in den erlaubten Bereich!");
      }
    }

    const std::string_view execution = fields_->Get(kExecutionDate);
    if (detail::CountCodePoints(execution) != 6) {
      findings.Add("Fehler: Ausfuehrungsdatum ist keine 6 Zeichen lang!");
    } else if (!detail::RecognizeDate(DayMonthYear(execution))) {
      findings.Add("Fehler: Ausfuehrungsdatum ungueltig! Bitte in der Form JJMMTT eingeben");
    }

    const std::string_view created = fields_->Get(kErstellungsdatum);
    const long days_ahead = detail::DaysBetween(ToDate(created), ToDate(execution));
    if (days_ahead > 15) findings.Add("Fehler: Ausfuehrungsdatum liegt zu weit vorne!");
    if (days_ahead < 0) {
      findings.Add("Fehler: Ausfuehrungsdatum liegt hinter dem heutigen Datum!");
    }

    for (const AddressLine& line : kCheckedLines) {
      const std::string message = detail::InvalidCharacterMessage(
          kLayout[line.field], fields_->Get(line.field), line.prefix);
      if (!message.empty()) findings.Add(message);
    }
    return findings.Result();
  } catch (const Failure& failure) {
    return detail::FailureText("FEHLER: Validierung fehlgeschlagen!", failure);
  }
}

}  // namespace xkdtazv
