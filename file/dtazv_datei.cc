#include "xkdtazv/dtazv_datei.h"

#include <cmath>
#include <new>

#include "platform/encoding.h"
#include "platform/failure_text.h"
#include "platform/file_service.h"
#include "platform/number.h"
#include "platform/regional.h"
#include "platform/text.h"
#include "records/footer.h"
#include "xkdtazv/failure.h"

namespace xkdtazv {
namespace {

constexpr std::string_view kDefaultFileName = "DTAZV";
// The trailer's total has 15 digits; a larger sum would be cut to a wrong one.
constexpr double kTotalLimit = 1e15;
constexpr std::size_t kQRecordLength = 256;
constexpr std::size_t kTRecordLength = 768;
constexpr std::size_t kZRecordLength = 256;

bool OnlySpaces(std::string_view text) { return text.find_first_not_of(' ') == text.npos; }

// Every field renders at its width, so a record of any other length is the
// failure text its rendering returned instead.
bool Rendered(std::string_view record, std::size_t length) {
  return detail::CountCodePoints(record) == length;
}

// The new file appears at `path` complete or not at all; an earlier file of
// the same name stays until the rename replaces it.
void WriteReplacing(detail::FileService& files, const std::string& path, std::string_view bytes) {
  std::string temporary;
  std::unique_ptr<detail::OutputFile> out = files.CreateTemporary(path, temporary);
  try {
    out->Write(bytes);
    out->Flush();
    out->Close();
    files.Rename(temporary, path);
  } catch (...) {
    out.reset();
    files.Remove(temporary);
    throw;
  }
}

// Messages of one run: each followed by CR LF; record results come with their own.
class RunReport {
 public:
  void Add(std::string_view message) {
    text_ += message;
    text_ += detail::kLineBreak;
  }
  // A block: a headline, then the record's own findings unchanged.
  void AddUnlessSuccess(std::string_view headline, const std::string& result) {
    if (result == detail::kSuccess) return;
    Add(headline);
    text_ += result;
  }
  std::string Result() const { return text_.empty() ? std::string(detail::kSuccess) : text_; }

 private:
  std::string text_;
};

}  // namespace

DtAzvDatei::DtAzvDatei() : DtAzvDatei(nullptr, TodayFunction{}) {}

DtAzvDatei::DtAzvDatei(std::shared_ptr<detail::FileService> files, const TodayFunction& today)
    : sender_(std::make_shared<MeineInfo>(today)),
      footer_(std::make_unique<detail::Footer>()),
      files_(files ? std::move(files) : detail::SystemFileService()) {}

DtAzvDatei::~DtAzvDatei() = default;

void DtAzvDatei::setPfad(std::string_view value) { pfad_ = value; }
void DtAzvDatei::setDiffFileName(std::string_view value) { diff_file_name_ = value; }

std::string DtAzvDatei::AddGeldTransfer(std::shared_ptr<GeldTransfer> newTransfer) {
  try {
    transfers_.push_back(std::move(newTransfer));
    return std::string(detail::kSuccess);
  } catch (const std::bad_alloc&) {
    const Failure failure(FailureCode::kOutOfMemory);
    return std::to_string(failure.number()) + std::string(detail::kLineBreak) +
           failure.description();
  }
}

std::string DtAzvDatei::Generate() {
  RunReport report;
  try {
    if (pfad_.empty()) report.Add("Bitte vorher den Pfad festlegen.");
    if (OnlySpaces(diff_file_name_)) diff_file_name_ = kDefaultFileName;

    report.AddUnlessSuccess("Bei der Validierung von MeineInfo wurde ein Fehler entdeckt!",
                            sender_->Validate());

    const std::string mark = detail::DecimalMark();
    double total = 0;  // the sum of the integer amounts, as the T records carry them
    std::int32_t counter = 1;
    for (const std::shared_ptr<GeldTransfer>& transfer : transfers_) {
      if (!transfer) {
        throw Failure(FailureCode::kObjectNotSet,
                      "GeldTransfer " + std::to_string(counter) + " ist kein Objekt");
      }
      transfer->ApplyMeineInfo(*sender_);
      report.AddUnlessSuccess("Bei der Validierung vom GeldTransfer " + std::to_string(counter) +
                                  " wurde ein Fehler entdeckt!",
                              transfer->IsValid());
      detail::ToNumber(transfer->Betrag(), mark);  // an amount never written ends the run
      total += detail::ToNumber(transfer->BetragVorkomma(), mark);
      if (!(std::fabs(total) < kTotalLimit)) throw Failure(FailureCode::kOverflow);
      counter = detail::CheckedInt16(static_cast<std::int64_t>(counter) + 1);
    }

    footer_->setTotalBetrag(detail::FormatInteger(std::trunc(total)));
    footer_->setTotalTransactions(std::to_string(transfers_.size()));
    report.AddUnlessSuccess("Bei der Validierung vom Footer wurde ein Fehler entdeckt!",
                            footer_->Validate());

    std::string text;
    text.reserve(kQRecordLength + kZRecordLength + kTRecordLength * transfers_.size());
    const auto append = [&text](const std::string& record, std::size_t length) {
      text += record;
      return Rendered(record, length);
    };
    bool all_rendered = append(sender_->GenerateRecord(), kQRecordLength);
    for (const std::shared_ptr<GeldTransfer>& transfer : transfers_) {
      all_rendered &= append(transfer->GenerateRecord(), kTRecordLength);
    }
    all_rendered &= append(footer_->GenerateRecord(), kZRecordLength);
    if (text.find("FEHLER") != std::string::npos) {
      report.Add("Im Ergebnistext wurden Fehler entdeckt!");
    }

    // Without a directory there is nowhere the host meant; the root is never it.
    // A failure text standing in for a record would make the file unreadable
    // to a bank, so an earlier file is better kept than replaced by it.
    if (!pfad_.empty() && all_rendered) {
      WriteReplacing(*files_, pfad_ + "/" + diff_file_name_, detail::ToWindows1252(text));
    }
  } catch (const Failure& failure) {
    return "Sonstiger Fehler:" + failure.description();
  } catch (const std::bad_alloc&) {
    return "Sonstiger Fehler:" + std::string(DescriptionOf(FailureCode::kOutOfMemory));
  }
  return report.Result();
}

}  // namespace xkdtazv
