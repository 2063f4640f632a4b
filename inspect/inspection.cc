#include "inspect/inspection.h"

#include "inspect/field_checks.h"
#include "inspect/file_checks.h"
#include "inspect/finding_list.h"
#include "inspect/record_rules.h"

namespace xkdtazv::cli {
namespace {

// The first Q record, whose dates the payments' dates are held against.
const Record* HeaderOf(const DtazvFile& file) noexcept {
  for (const Record& record : file.records) {
    if (record.type == 'Q' && record.whole()) return &record;
  }
  return nullptr;
}

}  // namespace

Inspection Inspect(std::string_view bytes) noexcept {
  Inspection inspection;
  inspection.file = ReadDtazv(bytes);
  if (!inspection.file.readable) return inspection;
  const DtazvFile& file = inspection.file;
  const Record* header = HeaderOf(file);
  FindingList findings;
  RecordOrder order;
  bool totals_checked = false;
  for (const Record& record : file.records) {
    CheckRecordShape(record, record.index == file.records.size(), findings);
    order.Check(record, findings);
    if (!record.whole()) continue;  // shifted fields would only yield noise
    CheckFields(record, findings);
    if (&record == header) CheckHeaderRules(record, findings);
    if (record.type == 'T') CheckPaymentRules(record, header, findings);
    if (record.type == 'Z' && !totals_checked) {
      CheckControlTotals(record, file, findings);
      totals_checked = true;
    }
  }
  order.Finish(findings);
  CheckPaymentCount(file, findings);
  inspection.findings = findings.Take();
  return inspection;
}

}  // namespace xkdtazv::cli
