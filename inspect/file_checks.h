// Checks on the file as a whole: record lengths and types, the order Q, T
// (each with up to 8 V or W records), Z, and the Z record's control totals
// against the T records.
#ifndef XKDTAZV_INSPECT_FILE_CHECKS_H_
#define XKDTAZV_INSPECT_FILE_CHECKS_H_

#include "inspect/finding_list.h"
#include "reader/dtazv_reader.h"

namespace xkdtazv::cli {

// The record's length and type.
void CheckRecordShape(const Record& record, bool last_in_file, FindingList& findings);

// Walks the records in file order and reports each one that stands where it
// may not; at the end, a missing Z record.
class RecordOrder {
 public:
  void Check(const Record& record, FindingList& findings);
  void Finish(FindingList& findings) const;

 private:
  bool trailer_seen_ = false;
  std::size_t last_payment_ = 0;  // 0 until the first T record
  std::size_t reports_since_payment_ = 0;
  bool report_allowed_ = false;  // a V or W record may stand here
};

// Z3 against the sum of the T14a fields, Z4 against the number of T records,
// both over the records before `trailer`.
void CheckControlTotals(const Record& trailer, const DtazvFile& file, FindingList& findings);

// A file without any payment, and one with more payments than this
// component writes in one file (the handbooks allow more).
void CheckPaymentCount(const DtazvFile& file, FindingList& findings);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_FILE_CHECKS_H_
