#include "pain001/converter.h"

#include <sys/random.h>

#include <cstdio>
#include <ctime>
#include <set>

#include "pain001/document_plan.h"
#include "pain001/document_writer.h"
#include "pain001/swift_latin.h"
#include "pain001/validation.h"
#include "payment_order/identifiers.h"
#include "reader/dtazv_reader.h"
#include "reader/payment_orders.h"
#include "xkdtazv/failure.h"
#include "xml/xml_writer.h"

namespace xkdtazv::pain001 {
namespace {

constexpr std::string_view kRunIdAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr std::size_t kRunIdLength = 12;

LocalDateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {std::chrono::year_month_day{std::chrono::year(local.tm_year + 1900),
                                      std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                      std::chrono::day(static_cast<unsigned>(local.tm_mday))},
          local.tm_hour, local.tm_min, local.tm_sec};
}

// Sixty random bits from the kernel: no two runs share an id in practice.
std::string RandomRunId() {
  unsigned char bytes[kRunIdLength];
  std::size_t filled = 0;
  while (filled < sizeof bytes) {
    const ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
    if (got < 0) throw Failure(FailureCode::kInternal, "Keine Zufallszahlen verfuegbar");
    filled += static_cast<std::size_t>(got);
  }
  std::string id;
  for (const unsigned char byte : bytes) id += kRunIdAlphabet[byte % kRunIdAlphabet.size()];
  return id;
}

std::string Digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

// "20261208" and "101500".
std::string DateDigits(const LocalDateTime& t) {
  return Digits(static_cast<int>(t.date.year()), 4) +
         Digits(static_cast<int>(static_cast<unsigned>(t.date.month())), 2) +
         Digits(static_cast<int>(static_cast<unsigned>(t.date.day())), 2);
}
std::string TimeDigits(const LocalDateTime& t) {
  return Digits(t.hour, 2) + Digits(t.minute, 2) + Digits(t.second, 2);
}
std::string IsoDateTime(const LocalDateTime& t) {
  const std::string date = DateDigits(t);
  return date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2) + "T" +
         Digits(t.hour, 2) + ":" + Digits(t.minute, 2) + ":" + Digits(t.second, 2);
}

// The source's file name without its folder and extension, in characters any
// file system takes.
std::string SourceStem(std::string_view source) {
  if (const std::size_t slash = source.rfind('/'); slash != std::string_view::npos) {
    source.remove_prefix(slash + 1);
  }
  if (const std::size_t dot = source.rfind('.'); dot != std::string_view::npos && dot > 0) {
    source = source.substr(0, dot);
  }
  std::string stem;
  for (const char c : source) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    stem += plain ? c : '_';
  }
  return stem.empty() ? "DTAZV" : stem.substr(0, 64);
}

// The user's own debit account and bank replace the computed ones, where the
// file has only one debit account to replace.
void ApplyDebtorOverrides(payment::PaymentFile& view, const ConversionOptions& options,
                          payment::Findings& findings) {
  if (!options.debtor_iban && !options.debtor_bic) return;
  std::set<std::string_view> accounts;
  for (const auto& order : view.orders) accounts.insert(order.debtor_account.iban);
  if (accounts.size() > 1) {
    findings.Error(0,
                   "--debtor-iban und --debtor-bic gelten nur fuer Dateien mit einem "
                   "Auftraggeberkonto; diese Datei hat " +
                       std::to_string(accounts.size()));
    return;
  }
  if (options.debtor_iban && !payment::IsValidIban(*options.debtor_iban)) {
    findings.Error(0, "Die IBAN \"" + *options.debtor_iban + "\" aus --debtor-iban ist ungueltig");
  }
  if (options.debtor_bic && !payment::IsValidBic(*options.debtor_bic)) {
    findings.Error(0, "Der BIC \"" + *options.debtor_bic + "\" aus --debtor-bic ist ungueltig");
  }
  const payment::Text iban = options.debtor_iban ? view.texts.Keep(*options.debtor_iban) : "";
  const payment::Text bic = options.debtor_bic ? view.texts.Keep(*options.debtor_bic) : "";
  for (auto& order : view.orders) {
    if (options.debtor_iban) {
      if (order.charges_account.iban == order.debtor_account.iban)
        order.charges_account.iban = iban;
      order.debtor_account.iban = iban;
    }
    if (options.debtor_bic) order.debtor_agent_bic = bic;
  }
}

struct PendingDocument {
  std::string temporary;
  WrittenDocument document;
  std::unique_ptr<detail::OutputFile> file;  // open until every document is written
};

// Every document goes to a temporary file first; only when all are complete
// are they renamed into place, so a failed run leaves none of them behind.
// They are put on the disk together at the end: the disk takes one document's
// last bytes while the next is rendered, instead of each waiting in turn.
class DocumentOutput {
 public:
  explicit DocumentOutput(detail::FileService& files) : files_(files) {}
  ~DocumentOutput() {
    for (const PendingDocument& pending : pending_) files_.Remove(pending.temporary);
    for (const WrittenDocument& document : placed_) files_.Remove(document.path);
  }

  void Write(WrittenDocument document, const std::function<void(xml::XmlWriter&)>& content) {
    std::string temporary;
    std::unique_ptr<detail::OutputFile> out = files_.CreateTemporary(document.path, temporary);
    detail::OutputFile& file = *out;
    pending_.push_back({temporary, std::move(document), std::move(out)});
    xml::XmlWriter xml(file);
    content(xml);
    xml.Finish();
  }

  std::vector<WrittenDocument> Place() {
    for (PendingDocument& pending : pending_) {
      pending.file->Flush();
      pending.file->Close();
      pending.file.reset();
    }
    while (!pending_.empty()) {
      files_.Rename(pending_.front().temporary, pending_.front().document.path);
      placed_.push_back(std::move(pending_.front().document));
      pending_.erase(pending_.begin());
    }
    std::vector<WrittenDocument> placed = std::move(placed_);
    placed_.clear();
    return placed;
  }

 private:
  detail::FileService& files_;
  std::vector<PendingDocument> pending_;
  std::vector<WrittenDocument> placed_;
};

}  // namespace

ConversionServices SystemConversionServices() {
  return {detail::SystemFileService(), &LocalNow, &RandomRunId};
}

Conversion WritePaymentFile(payment::PaymentFile& view, payment::Findings findings,
                            const ConversionOptions& options, const ConversionServices& services) {
  Conversion result;
  result.findings = std::move(findings);
  try {
    const SwiftLatin latin;
    PrepareAndValidate(view, latin, result.findings);
    if (result.findings.HasErrors()) return result;

    const LocalDateTime now = services.now();
    const std::string run_id = services.new_run_id();
    const std::string stamp = DateDigits(now) + "-" + TimeDigits(now);
    DocumentOutput output(*services.files);
    int number = 0;
    for (const DocumentPlan& plan : PlanDocuments(view.orders)) {
      const std::string nn = Digits(++number, 2);
      const std::string name = SourceStem(options.source_name) + "-" + stamp + "-" + run_id + "-" +
                               nn + "-" + std::string(OrderTypeName(plan.type)) + ".xml";
      const DocumentIds ids{run_id + "-" + DateDigits(now) + TimeDigits(now) + "-" + nn,
                            run_id + "-" + nn, IsoDateTime(now)};
      output.Write(
          {options.out_dir + "/" + name, plan.type, plan.payments, plan.control_sum},
          [&](xml::XmlWriter& xml) { WriteDocument(plan, view.initiating_party, ids, xml); });
    }
    result.documents = output.Place();
  } catch (const Failure& failure) {
    result.documents.clear();
    result.failure = failure.description();
  } catch (const std::bad_alloc&) {
    result.documents.clear();
    result.failure = std::string(DescriptionOf(FailureCode::kOutOfMemory));
  }
  return result;
}

Conversion ConvertDtazv(std::string_view bytes, const ConversionOptions& options,
                        const ConversionServices& services) {
  payment::Findings findings;
  payment::PaymentFile view;
  try {
    const cli::DtazvFile file = cli::ReadDtazv(bytes);
    view = cli::ReadPaymentOrders(file, findings);
    ApplyDebtorOverrides(view, options, findings);
  } catch (const Failure& failure) {
    Conversion result{std::move(findings), {}, failure.description()};
    return result;
  } catch (const std::bad_alloc&) {
    Conversion result{
        std::move(findings), {}, std::string(DescriptionOf(FailureCode::kOutOfMemory))};
    return result;
  }
  return WritePaymentFile(view, std::move(findings), options, services);
}

}  // namespace xkdtazv::pain001
