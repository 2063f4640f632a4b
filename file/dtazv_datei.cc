#include "xkdtazv/dtazv_datei.h"

#include <algorithm>
#include <cmath>
#include <functional>
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

// The file's bytes leave in blocks of about this size, so a run never holds
// the whole file text.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr std::string_view kFailureMark = "FEHLER";

// The new file appears at `path` complete or not at all; an earlier file of
// the same name stays until the rename replaces it.
void WriteReplacing(detail::FileService& files, const std::string& path,
                    const std::function<void(detail::OutputFile&)>& write) {
  std::string temporary;
  std::unique_ptr<detail::OutputFile> out = files.CreateTemporary(path, temporary);
  try {
    write(*out);
    out->Flush();
    out->Close();
    files.Rename(temporary, path);
  } catch (...) {
    out.reset();
    files.Remove(temporary);
    throw;
  }
}

// Gathers the file's records in a block, hands each full block to the file
// (if any) and looks for the failure mark in the text as a whole: the last
// bytes of each block are kept, so a mark that spans two blocks is found too.
class BlockWriter {
 public:
  BlockWriter(detail::OutputFile* out, std::size_t expected_size) : out_(out) {
    buffer_.reserve(std::min(expected_size, kBlockSize + kTRecordLength));
  }
  std::string& buffer() { return buffer_; }
  const detail::Windows1252Encoder& encoder() const { return encoder_; }

  // After each record: passes the block on once it is full.
  void RecordDone() {
    if (buffer_.size() >= kBlockSize) Flush();
  }
  void Flush() {
    if (!mark_found_) {
      seam_.append(buffer_, 0, std::min(buffer_.size(), kFailureMark.size() - 1));
      mark_found_ = seam_.find(kFailureMark) != std::string::npos ||
                    buffer_.find(kFailureMark) != std::string::npos;
      seam_.assign(buffer_, buffer_.size() - std::min(buffer_.size(), kFailureMark.size() - 1));
    }
    if (out_ != nullptr) out_->Write(buffer_);
    buffer_.clear();
  }
  bool mark_found() const { return mark_found_; }

 private:
  detail::OutputFile* out_;
  detail::Windows1252Encoder encoder_;
  std::string buffer_;
  std::string seam_;  // the last bytes before the current block
  bool mark_found_ = false;
};

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

    // The regional settings hold for the whole run: read once, handed down.
    const std::string mark = detail::DecimalMark();
    double total = 0;  // the sum of the integer amounts, as the T records carry them
    std::int32_t counter = 1;
    for (const std::shared_ptr<GeldTransfer>& transfer : transfers_) {
      if (!transfer) {
        throw Failure(FailureCode::kObjectNotSet,
                      "GeldTransfer " + std::to_string(counter) + " ist kein Objekt");
      }
      transfer->ApplyMeineInfo(*sender_);
      const std::string result = transfer->IsValidIn(mark);
      if (result != detail::kSuccess) {
        report.AddUnlessSuccess("Bei der Validierung vom GeldTransfer " + std::to_string(counter) +
                                    " wurde ein Fehler entdeckt!",
                                result);
      }
      total += transfer->IntegerAmountIn(mark);  // an amount never written ends the run
      if (!(std::fabs(total) < kTotalLimit)) throw Failure(FailureCode::kOverflow);
      counter = detail::CheckedInt16(static_cast<std::int64_t>(counter) + 1);
    }

    footer_->setTotalBetrag(detail::FormatInteger(std::trunc(total)));
    footer_->setTotalTransactions(std::to_string(transfers_.size()));
    report.AddUnlessSuccess("Bei der Validierung vom Footer wurde ein Fehler entdeckt!",
                            footer_->Validate());

    // A record that cannot be rendered stands in the file text as its failure
    // text, which the check below finds. Such a text would make the file
    // unreadable to a bank, so an earlier file is better kept than replaced.
    const bool all_rendered = sender_->Renderable() && footer_->Renderable() &&
                              std::all_of(transfers_.begin(), transfers_.end(),
                                          [](const std::shared_ptr<GeldTransfer>& transfer) {
                                            return transfer->Renderable();
                                          });
    if (!all_rendered) {
      report.Add("Im Ergebnistext wurden Fehler entdeckt!");
    } else {
      const std::size_t size = kQRecordLength + kZRecordLength + kTRecordLength * transfers_.size();
      const auto render = [&](detail::OutputFile* out) {
        BlockWriter writer(out, size);
        sender_->AppendRecord(writer.buffer(), writer.encoder());
        for (const std::shared_ptr<GeldTransfer>& transfer : transfers_) {
          transfer->AppendRecord(writer.buffer(), writer.encoder());
          writer.RecordDone();
        }
        footer_->AppendRecord(writer.buffer(), writer.encoder());
        writer.Flush();
        if (writer.mark_found()) report.Add("Im Ergebnistext wurden Fehler entdeckt!");
      };
      // Without a directory there is nowhere the host meant; the root is never it.
      if (pfad_.empty()) {
        render(nullptr);
      } else {
        WriteReplacing(*files_, pfad_ + "/" + diff_file_name_,
                       [&](detail::OutputFile& out) { render(&out); });
      }
    }
  } catch (const Failure& failure) {
    return "Sonstiger Fehler:" + failure.description();
  } catch (const std::bad_alloc&) {
    return "Sonstiger Fehler:" + std::string(DescriptionOf(FailureCode::kOutOfMemory));
  }
  return report.Result();
}

}  // namespace xkdtazv
