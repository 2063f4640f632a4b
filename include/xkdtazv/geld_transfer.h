// One payment order: the 768-character T record.
//
//   auto payment = std::make_shared<xkdtazv::GeldTransfer>();
//   payment->setZahlungsart(xkdtazv::Zahlungsart::EU_STANDART);
//   payment->setBetrag("1250,50");      // either decimal mark is accepted
//   file.AddGeldTransfer(payment);     // the file shares the object
//
// Name, address, purpose and variable-text properties are upper-cased when
// written; code-like properties keep the host's letters.
#ifndef XKDTAZV_GELD_TRANSFER_H_
#define XKDTAZV_GELD_TRANSFER_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xkdtazv/codes.h"

namespace xkdtazv {

class DtAzvDatei;
class MeineInfo;

namespace detail {
class RecordValues;
class Windows1252Encoder;
}  // namespace detail

class GeldTransfer {
 public:
  GeldTransfer();
  ~GeldTransfer();
  GeldTransfer(const GeldTransfer&) = delete;
  GeldTransfer& operator=(const GeldTransfer&) = delete;

  std::string BIC() const;
  void setBIC(std::string_view value);
  std::string BankLaenderCode() const;
  void setBankLaenderCode(std::string_view value);
  // Throws Failure (overflow, invalid argument) for values the field cannot take.
  ::xkdtazv::LaenderCodes LaenderCode() const;
  void setLaenderCode(::xkdtazv::LaenderCodes value);
  std::string Name() const;
  void setName(std::string_view value);
  std::string Vorname() const;
  void setVorname(std::string_view value);
  std::string Strasse() const;
  void setStrasse(std::string_view value);
  std::string OrtPLZ() const;
  void setOrtPLZ(std::string_view value);
  std::string IBAN() const;
  void setIBAN(std::string_view value);
  // The amount as a number text in the process locale's decimal mark; empty
  // when never written. Writing never fails: a text that is no number stores 0.
  std::string Betrag() const;
  void setBetrag(std::string_view value);
  std::string Verwendungszweck1() const;
  void setVerwendungszweck1(std::string_view value);
  std::string Verwendungszweck2() const;
  void setVerwendungszweck2(std::string_view value);
  std::string Verwendungszweck3() const;
  void setVerwendungszweck3(std::string_view value);
  std::string Verwendungszweck4() const;
  void setVerwendungszweck4(std::string_view value);
  // Reading a never-written code throws Failure (type mismatch); writing a
  // value outside -32768..32767 throws Failure (overflow) and keeps the field.
  ::xkdtazv::Weisungsschluessel Weisungsschluessel1() const;
  void setWeisungsschluessel1(::xkdtazv::Weisungsschluessel value);
  ::xkdtazv::Weisungsschluessel Weisungsschluessel2() const;
  void setWeisungsschluessel2(::xkdtazv::Weisungsschluessel value);
  ::xkdtazv::Weisungsschluessel Weisungsschluessel3() const;
  void setWeisungsschluessel3(::xkdtazv::Weisungsschluessel value);
  ::xkdtazv::Weisungsschluessel Weisungsschluessel4() const;
  void setWeisungsschluessel4(::xkdtazv::Weisungsschluessel value);
  std::string WeisungsschluesselZusatz() const;
  void setWeisungsschluesselZusatz(std::string_view value);
  std::string Entgeltregelung() const;
  void setEntgeltregelung(std::string_view value);
  ::xkdtazv::Zahlungsart Zahlungsart() const;
  void setZahlungsart(::xkdtazv::Zahlungsart value);
  std::string VariableText() const;
  void setVariableText(std::string_view value);
  std::string Ansprechpartner() const;
  void setAnsprechpartner(std::string_view value);

  // Checks the payment against the rules of its payment kind. May clear or
  // complete fields that those rules repair. "SUCCESS", the findings (each
  // ending in CR LF), or a text beginning "FEHLER:".
  std::string IsValid();
  // The decimal mark of the process locale, "ERROR" when it does not fit.
  std::string GetSeparatorString() const;

  // Takes over the sender's bank code, account number and execution date.
  bool ApplyMeineInfo(const MeineInfo& sender);
  // The 768-character T record, or a text beginning "FEHLER:".
  std::string GenerateRecord() const;

  // The stored integer part of the amount, as written into the record.
  std::string BetragVorkomma() const;
  // The stored hundredths of the amount ("05", "50"), as written into the record.
  std::string BetragNachkomma() const;

  // What only the pain.001 documents carry; each is empty until written, and
  // an empty one is derived from the fields above (see GeneratePain001).
  // The order currency, ISO 4217; empty means EUR.
  std::string Auftragswaehrung() const;
  void setAuftragswaehrung(std::string_view value);
  // The payee's country, ISO 3166 alpha-2; empty means LaenderCode's country.
  std::string LaenderISO() const;
  void setLaenderISO(std::string_view value);
  // The payee's account where it has no IBAN.
  std::string EmpfaengerKonto() const;
  void setEmpfaengerKonto(std::string_view value);
  // The payee bank's clearing system and member id, such as "USABA021000021"
  // (a US routing number) or "GBDSC200000" (a UK sort code).
  std::string Clearingcode() const;
  void setClearingcode(std::string_view value);
  // The payee's bank by name and town line, where there is no BIC.
  std::string BankName() const;
  void setBankName(std::string_view value);
  std::string BankOrtPLZ() const;
  void setBankOrtPLZ(std::string_view value);
  // The payee's postal code and town; both empty means OrtPLZ, split.
  std::string PLZ() const;
  void setPLZ(std::string_view value);
  std::string Ort() const;
  void setOrt(std::string_view value);
  // The reference that reaches the payee.
  std::string EndToEndId() const;
  void setEndToEndId(std::string_view value);

 private:
  // The file's run reads the decimal mark once and renders the record
  // straight into the file's buffer.
  friend class DtAzvDatei;
  std::string BetragIn(const std::string& mark) const;
  // The integer part of the amount as the T record carries it. Throws Failure
  // (type mismatch) when the amount does not read back, as for one never written.
  double IntegerAmountIn(const std::string& mark) const;
  std::string IsValidIn(const std::string& mark);
  // False when a value is too long to be rendered.
  bool Renderable() const;
  // Appends the T record in Windows-1252; throws its rendering failure.
  void AppendRecord(std::string& out, const detail::Windows1252Encoder& encoder) const;

  std::string Text(std::size_t field) const;
  void SetText(std::size_t field, std::string_view value);
  void SetUpper(std::size_t field, std::string_view value);
  std::int32_t Code(std::size_t field) const;
  void SetCode(std::size_t field, std::int32_t value);

  std::unique_ptr<detail::RecordValues> fields_;
  // Kept apart from the record's fields: the T record has no place for them.
  struct DocumentValues {
    std::string auftragswaehrung;
    std::string laender_iso;
    std::string empfaenger_konto;
    std::string clearingcode;
    std::string bank_name;
    std::string bank_ort_plz;
    std::string plz;
    std::string ort;
    std::string end_to_end_id;
  };
  std::unique_ptr<DocumentValues> document_;  // made on the first write: most stay empty
};

}  // namespace xkdtazv

#endif  // XKDTAZV_GELD_TRANSFER_H_
