// The T record, 768 characters: one row per field, in record order.
#ifndef XKDTAZV_RECORDS_GELD_TRANSFER_LAYOUT_H_
#define XKDTAZV_RECORDS_GELD_TRANSFER_LAYOUT_H_

#include <array>
#include <cstddef>

#include "records/record_layout.h"

namespace xkdtazv::detail {

enum T : std::size_t {
  kSatzlaenge,
  kSatzart,
  kBLZ,
  kISOWaehrungsCode,
  kKontonummer,
  kExecutionDate,
  kBLZ_E,
  kISOWaehrungsCode_E,
  kKontonummer_E,
  kBIC,
  kBankLaenderCode,
  kBankAnschrift1,
  kBankAnschrift2,
  kBankAnschrift3,
  kBankAnschrift4,
  kLaenderCode,
  kName,
  kVorname,
  kStrasse,
  kOrtPLZ,
  kOrdervermerk,
  kIBAN,
  kAuftragswaehrung,
  kBetragVorkomma,
  kBetragNachkomma,
  kVerwendungszweck1,
  kVerwendungszweck2,
  kVerwendungszweck3,
  kVerwendungszweck4,
  kWeisungsschluessel1,
  kWeisungsschluessel2,
  kWeisungsschluessel3,
  kWeisungsschluessel4,
  kWeisungsschluesselZusatz,
  kEntgeltregelung,
  kZahlungsart,
  kVariableText,
  kAnsprechpartner,
  kKennzeichen,
  kReserve,
  kErweiterungskennzeichen,
  kTFieldCount,
};

inline constexpr std::array<FieldSpec, kTFieldCount> kTransferLayout{{
    {"Satzlaenge", 4, kFillZeros, Align::kRight, "0768"},
    {"Satzart", 1, kFillSpaces, Align::kLeft, "T"},
    {"BLZ", 8, kFillZeros, Align::kRight, ""},
    {"ISOWaehrungsCode", 3, kFillSpaces, Align::kLeft, "EUR"},
    {"Kontonummer", 10, kFillZeros, Align::kRight, ""},
    {"ExecutionDate", 6, kFillZeros, Align::kRight, ""},
    {"BLZ_E", 8, kFillZeros, Align::kRight, ""},
    {"ISOWaehrungsCode_E", 3, kFillSpaces, Align::kLeft, "EUR"},
    {"Kontonummer_E", 10, kFillZeros, Align::kRight, ""},
    {"BIC", 11, kFillSpaces, Align::kLeft, ""},
    {"BankLaenderCode", 3, kFillSpaces, Align::kLeft, ""},
    {"BankAnschrift1", 35, kFillSpaces, Align::kLeft, "UNBEKANNT"},
    {"BankAnschrift2", 35, kFillSpaces, Align::kLeft, ""},
    {"BankAnschrift3", 35, kFillSpaces, Align::kLeft, ""},
    {"BankAnschrift4", 35, kFillSpaces, Align::kLeft, ""},
    {"LaenderCode", 3, kFillSpaces, Align::kLeft, ""},
    {"Name", 35, kFillSpaces, Align::kLeft, ""},
    {"Vorname", 35, kFillSpaces, Align::kLeft, ""},
    {"Strasse", 35, kFillSpaces, Align::kLeft, ""},
    {"OrtPLZ", 35, kFillSpaces, Align::kLeft, ""},
    {"Ordervermerk", 70, kFillSpaces, Align::kLeft, ""},
    {"IBAN", 35, kFillSpaces, Align::kLeft, ""},
    {"Auftragswaehrung", 3, kFillSpaces, Align::kLeft, "EUR"},
    {"BetragVorkomma", 14, kFillZeros, Align::kRight, ""},
    {"BetragNachkomma", 3, kFillZeros, Align::kLeft, ""},
    {"Verwendungszweck1", 35, kFillSpaces, Align::kLeft, ""},
    {"Verwendungszweck2", 35, kFillSpaces, Align::kLeft, ""},
    {"Verwendungszweck3", 35, kFillSpaces, Align::kLeft, ""},
    {"Verwendungszweck4", 35, kFillSpaces, Align::kLeft, ""},
    {"Weisungsschluessel1", 2, kFillZeros, Align::kRight, ""},
    {"Weisungsschluessel2", 2, kFillZeros, Align::kRight, ""},
    {"Weisungsschluessel3", 2, kFillZeros, Align::kRight, ""},
    {"Weisungsschluessel4", 2, kFillZeros, Align::kRight, ""},
    {"WeisungsschluesselZusatz", 25, kFillSpaces, Align::kLeft, ""},
    {"Entgeltregelung", 2, kFillZeros, Align::kRight, "00"},
    {"Zahlungsart", 2, kFillZeros, Align::kRight, ""},
    {"VariableText", 27, kFillSpaces, Align::kLeft, ""},
    {"Ansprechpartner", 35, kFillSpaces, Align::kLeft, ""},
    {"Kennzeichen", 1, kFillZeros, Align::kRight, "0"},
    {"Reserve", 51, kFillSpaces, Align::kLeft, ""},
    {"Erweiterungskennzeichen", 2, kFillZeros, Align::kRight, "00"},
}};
static_assert(RecordLength(kTransferLayout) == 768);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_RECORDS_GELD_TRANSFER_LAYOUT_H_
