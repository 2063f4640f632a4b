// Rules that tie fields together: the header's execution-date window, and per
// payment the rules of its kind (EU standard payment, EUE payment, cheque,
// general payment) as the DTAZV handbooks state them.
#ifndef XKDTAZV_INSPECT_RECORD_RULES_H_
#define XKDTAZV_INSPECT_RECORD_RULES_H_

#include "inspect/finding_list.h"
#include "reader/dtazv_reader.h"

namespace xkdtazv::cli {

// Q8 on the day of Q6 or up to 15 calendar days after it.
void CheckHeaderRules(const Record& header, FindingList& findings);

// `header` is the file's Q record, or nullptr when the file has none.
void CheckPaymentRules(const Record& payment, const Record* header, FindingList& findings);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_RECORD_RULES_H_
