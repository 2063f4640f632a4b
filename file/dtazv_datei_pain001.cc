// DtAzvDatei's second output: the same payments as pain.001.001.09 documents.
#include <new>

#include "pain001/converter.h"
#include "pain001/object_view.h"
#include "platform/failure_text.h"
#include "platform/text.h"
#include "records/geld_transfer_layout.h"
#include "records/record_values.h"
#include "xkdtazv/dtazv_datei.h"
#include "xkdtazv/failure.h"

namespace xkdtazv {
namespace {

constexpr std::string_view kDefaultFileName = "DTAZV";

pain001::LocalDateTime Split(std::chrono::local_seconds time) {
  const auto day = std::chrono::floor<std::chrono::days>(time);
  const std::chrono::hh_mm_ss clock{time - day};
  return {std::chrono::year_month_day{day}, static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count())};
}

}  // namespace

void DtAzvDatei::setPain001Sources(LocalTimeFunction now, RunIdFunction run_id) {
  now_ = std::move(now);
  run_id_ = std::move(run_id);
}

std::string DtAzvDatei::Pain001Dateien() const {
  std::string list;
  for (const std::string& path : written_documents_) list += path + "\n";
  return list;
}

std::string DtAzvDatei::GeneratePain001() {
  written_documents_.clear();
  try {
    if (pfad_.empty()) return "Bitte vorher den Pfad festlegen." + std::string(detail::kLineBreak);
    payment::Findings findings;
    // The values straight from the records: a property throws for a code
    // never written, and copies every text it gives.
    const pain001::StoredValuesFunction stored_values = [](const GeldTransfer& transfer) {
      const detail::RecordValues& fields = *transfer.fields_;
      // The record keeps the IBAN behind a "/".
      std::string_view iban = fields.Get(detail::kIBAN);
      if (detail::CountCodePoints(iban) > 1) {
        iban.remove_prefix(detail::FirstCodePoints(iban, 1).size());
      }
      return pain001::StoredValues{
          fields.Get(detail::kZahlungsart),
          {fields.Get(detail::kWeisungsschluessel1), fields.Get(detail::kWeisungsschluessel2),
           fields.Get(detail::kWeisungsschluessel3), fields.Get(detail::kWeisungsschluessel4)},
          fields.Get(detail::kName),
          fields.Get(detail::kVorname),
          fields.Get(detail::kStrasse),
          fields.Get(detail::kOrtPLZ),
          iban,
          fields.Get(detail::kBIC),
          fields.Get(detail::kBankLaenderCode),
          fields.Get(detail::kBetragVorkomma),
          fields.Get(detail::kBetragNachkomma),
          {fields.Get(detail::kVerwendungszweck1), fields.Get(detail::kVerwendungszweck2),
           fields.Get(detail::kVerwendungszweck3), fields.Get(detail::kVerwendungszweck4)},
          fields.Get(detail::kVariableText),
          fields.Get(detail::kEntgeltregelung),
          fields.Get(detail::kWeisungsschluesselZusatz)};
    };
    payment::PaymentFile view =
        pain001::ViewOfObjects(*sender_, transfers_, stored_values, findings);

    pain001::ConversionServices services = pain001::SystemConversionServices();
    services.files = files_;
    if (now_) services.now = [this] { return Split(now_()); };
    if (run_id_) services.new_run_id = run_id_;
    const bool unnamed = diff_file_name_.find_first_not_of(' ') == std::string::npos;
    const pain001::ConversionOptions options{
        unnamed ? std::string(kDefaultFileName) : diff_file_name_, pfad_, {}, {}};
    pain001::Conversion result =
        pain001::WritePaymentFile(view, std::move(findings), options, services);
    if (result.failure) return "Sonstiger Fehler:" + *result.failure;

    std::string report;
    for (const payment::Finding& finding : result.findings.list()) {
      finding.AppendText(report);
      report += detail::kLineBreak;
    }
    if (result.findings.HasErrors()) {
      report += "Wegen der Fehler wurde kein Dokument geschrieben.";
      report += detail::kLineBreak;
    }
    for (pain001::WrittenDocument& document : result.documents) {
      written_documents_.push_back(std::move(document.path));
    }
    return report.empty() ? std::string(detail::kSuccess) : report;
  } catch (const Failure& failure) {
    return "Sonstiger Fehler:" + failure.description();
  } catch (const std::bad_alloc&) {
    return "Sonstiger Fehler:" + std::string(DescriptionOf(FailureCode::kOutOfMemory));
  }
}

}  // namespace xkdtazv
