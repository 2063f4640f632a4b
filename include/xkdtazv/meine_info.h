// The ordering party and the file-level data of a DTAZV file: the Q record.
//
//   auto sender = file.GetMeineInfo();
//   sender->setBLZ("12345678");
//   sender->setName("Muster GmbH");   // stored as "MUSTER GMBH"
//
// Properties store raw text; filling and cutting happen when the record is
// rendered, and every test happens in Validate().
#ifndef XKDTAZV_MEINE_INFO_H_
#define XKDTAZV_MEINE_INFO_H_

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xkdtazv {

class DtAzvDatei;

namespace detail {
class RecordValues;
class Windows1252Encoder;
}  // namespace detail

// Supplies the local date; the default reads the local clock.
using TodayFunction = std::function<std::chrono::year_month_day()>;

class MeineInfo {
 public:
  MeineInfo();
  explicit MeineInfo(const TodayFunction& today);
  ~MeineInfo();
  MeineInfo(const MeineInfo&) = delete;
  MeineInfo& operator=(const MeineInfo&) = delete;

  std::string BLZ() const;
  void setBLZ(std::string_view value);
  std::string Kontonummer() const;
  void setKontonummer(std::string_view value);
  std::string Name() const;
  void setName(std::string_view value);
  std::string Vorname() const;
  void setVorname(std::string_view value);
  std::string Strasse() const;
  void setStrasse(std::string_view value);
  std::string OrtPLZ() const;
  void setOrtPLZ(std::string_view value);
  std::string ExecutionDate() const;
  void setExecutionDate(std::string_view value);

  // What only the pain.001 documents carry; each is empty until written, and
  // an empty one is derived from the fields above (see GeneratePain001).
  // The ordering account's IBAN; empty means the one BLZ and Kontonummer give
  // by the standard German rule.
  std::string IBAN() const;
  void setIBAN(std::string_view value);
  std::string BIC() const;
  void setBIC(std::string_view value);
  // The ordering account's currency, ISO 4217; empty means EUR.
  std::string Waehrung() const;
  void setWaehrung(std::string_view value);
  // Postal code and town; both empty means OrtPLZ, split.
  std::string PLZ() const;
  void setPLZ(std::string_view value);
  std::string Ort() const;
  void setOrt(std::string_view value);
  // ISO 3166 alpha-2; empty means DE.
  std::string LaenderISO() const;
  void setLaenderISO(std::string_view value);

  // The 256-character Q record, or a text beginning "FEHLER:" when rendering failed.
  std::string GenerateRecord() const;
  // "SUCCESS", the findings (each ending in CR LF), or a text beginning "FEHLER:".
  std::string Validate() const;

 private:
  // The file's run renders the record straight into the file's buffer.
  friend class DtAzvDatei;
  bool Renderable() const;
  void AppendRecord(std::string& out, const detail::Windows1252Encoder& encoder) const;

  std::unique_ptr<detail::RecordValues> fields_;
  // Kept apart from the record's fields: the Q record has no place for them.
  struct DocumentValues {
    std::string iban;
    std::string bic;
    std::string waehrung;
    std::string plz;
    std::string ort;
    std::string laender_iso;
  };
  std::unique_ptr<DocumentValues> document_;  // made on the first write: most stay empty
};

}  // namespace xkdtazv

#endif  // XKDTAZV_MEINE_INFO_H_
