// Builds the neutral view of the payment orders from the component's own
// objects, by their public properties and with the same meaning of each field
// as a DTAZV file of them has. The objects stay as they are.
//
//   Findings findings;
//   payment::PaymentFile view = ViewOfObjects(*file.GetMeineInfo(), transfers, findings);
#ifndef XKDTAZV_PAIN001_OBJECT_VIEW_H_
#define XKDTAZV_PAIN001_OBJECT_VIEW_H_

#include <memory>
#include <vector>

#include "payment_order/finding.h"
#include "payment_order/payment_order.h"
#include "xkdtazv/geld_transfer.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv::pain001 {

// Throws Failure (object not set) for a missing payment object.
payment::PaymentFile ViewOfObjects(const MeineInfo& sender,
                                   const std::vector<std::shared_ptr<GeldTransfer>>& transfers,
                                   payment::Findings& findings);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_OBJECT_VIEW_H_
