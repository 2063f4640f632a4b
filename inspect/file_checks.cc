#include "inspect/file_checks.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace xkdtazv::cli {
namespace {

constexpr std::size_t kMostReportsPerPayment = 8;
// One run of the component counts its payments in 16 bits.
constexpr std::size_t kMostPaymentsWritten = 32766;

std::optional<std::uint64_t> NumberIn(std::string_view digits) noexcept {
  if (!IsDigits(digits) || digits.size() > 18) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  return value;
}

std::string TypeName(char type) { return std::string(1, type); }

}  // namespace

void CheckRecordShape(const Record& record, bool last_in_file, FindingList& findings) {
  const std::size_t length = record.bytes.size();
  if (length < 5) {
    findings.About(record, "the file ends with " + std::to_string(length) +
                               (length == 1 ? " byte" : " bytes") + " that form no record");
    return;
  }
  if (record.layout == nullptr) {
    findings.About(record, "record type " + findings.Quote(record.bytes.substr(4, 1)) +
                               " is unknown: DTAZV has Q, T, V, W and Z records");
    return;
  }
  if (length == record.layout->length) return;
  std::string message = "the record is " + std::to_string(length) + " bytes long, a " +
                        TypeName(record.type) + " record has " +
                        std::to_string(record.layout->length);
  if (last_in_file && length < record.layout->length) message += ": the file ends inside it";
  message += "; its fields are not checked";
  findings.About(record, std::move(message));
}

void RecordOrder::Check(const Record& record, FindingList& findings) {
  if (trailer_seen_) {
    findings.About(record, "the record stands after the Z record, which must close the file");
    return;
  }
  switch (record.type) {
    case 'Q':
      if (record.index != 1) findings.About(record, "a Q record may stand only at the beginning");
      report_allowed_ = false;
      return;
    case 'T':
      last_payment_ = record.payment;
      reports_since_payment_ = 0;
      report_allowed_ = true;
      break;
    case 'V':
    case 'W':
      if (!report_allowed_) {
        findings.About(record,
                       "a " + TypeName(record.type) +
                           " record may stand only after a T record or its V and W records");
      } else if (++reports_since_payment_ > kMostReportsPerPayment) {
        findings.About(
            record, "more than 8 V and W records follow payment " + std::to_string(last_payment_));
      }
      break;
    case 'Z':
      trailer_seen_ = true;
      break;
    default:
      report_allowed_ = false;
      break;
  }
  if (record.index == 1) findings.About(record, "the file must begin with a Q record");
}

void RecordOrder::Finish(FindingList& findings) const {
  if (!trailer_seen_)
    findings.AboutFile("the file has no Z record at its end: it may be truncated");
}

void CheckControlTotals(const Record& trailer, const DtazvFile& file, FindingList& findings) {
  const FieldSpec& total_field = *FindField(*trailer.layout, "Z3");
  const FieldSpec& count_field = *FindField(*trailer.layout, "Z4");
  std::uint64_t payments = 0;
  std::uint64_t sum = 0;
  // Totals are held only against a sound run of records: after a damaged or
  // unknown record they would just repeat that finding.
  bool readable = true;
  for (const Record& record : file.records) {
    if (&record == &trailer) break;
    if (!record.whole()) readable = false;
    if (record.type != 'T' || !record.whole()) continue;
    ++payments;
    const auto amount = NumberIn(record.Field(*FindField(*record.layout, "T14a")));
    if (!amount) {
      readable = false;  // reported at its own field
      continue;
    }
    sum = sum > std::numeric_limits<std::uint64_t>::max() - *amount
              ? std::numeric_limits<std::uint64_t>::max()
              : sum + *amount;
  }
  if (!readable) return;
  const std::string records =
      std::to_string(payments) + (payments == 1 ? " T record" : " T records");
  if (trailer.Holds(total_field)) {
    const auto total = NumberIn(trailer.Field(total_field));
    if (total && *total != sum) {
      findings.About(trailer, total_field,
                     "holds " + std::to_string(*total) + ", but the T14a fields of the " + records +
                         " add up to " + std::to_string(sum));
    }
  }
  if (trailer.Holds(count_field)) {
    const auto count = NumberIn(trailer.Field(count_field));
    if (count && *count != payments) {
      findings.About(trailer, count_field,
                     "holds " + std::to_string(*count) + ", but the file has " + records);
    }
  }
}

void CheckPaymentCount(const DtazvFile& file, FindingList& findings) {
  std::size_t payments = 0;
  for (const Record& record : file.records) payments += record.type == 'T' ? 1 : 0;
  if (payments == 0) {
    findings.AboutFile("the file holds no payment: it has no T record");
  } else if (payments > kMostPaymentsWritten) {
    findings.AboutFile("the file holds " + std::to_string(payments) +
                       " payments: DTAZV allows that many, but XKDTAZV writes at most " +
                       std::to_string(kMostPaymentsWritten) +
                       " in one file, so it did not write this one");
  }
}

}  // namespace xkdtazv::cli
