// Makes payment orders fit for pain.001 and checks them, every payment before
// anything is written: texts into the SWIFT Latin set and within their
// element's length (cut with a warning, never silently), then IBANs, BICs,
// amounts, addresses and the rules of each order type.
//
//   SwiftLatin latin;
//   Findings findings;
//   PrepareAndValidate(view, latin, findings);
//   if (!findings.HasErrors()) WriteDocuments(view, ...);
#ifndef XKDTAZV_PAIN001_VALIDATION_H_
#define XKDTAZV_PAIN001_VALIDATION_H_

#include "pain001/swift_latin.h"
#include "payment_order/finding.h"
#include "payment_order/payment_order.h"

namespace xkdtazv::pain001 {

void PrepareAndValidate(payment::PaymentFile& file, const SwiftLatin& latin,
                        payment::Findings& findings);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_VALIDATION_H_
