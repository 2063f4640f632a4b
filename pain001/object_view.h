// Builds the neutral view of the payment orders from the component's own
// objects, by their public properties and with the same meaning of each field
// as a DTAZV file of them has. The objects stay as they are.
//
//   Findings findings;
//   payment::PaymentFile view =
//       ViewOfObjects(*file.GetMeineInfo(), transfers, stored_codes, findings);
#ifndef XKDTAZV_PAIN001_OBJECT_VIEW_H_
#define XKDTAZV_PAIN001_OBJECT_VIEW_H_

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "payment_order/finding.h"
#include "payment_order/payment_order.h"
#include "xkdtazv/geld_transfer.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv::pain001 {

// A payment's codes as its record stores them, "" for one never written
// (where the properties throw): the payment kind, then the four instruction
// codes. The file reads them for the view, as only it may.
struct StoredCodes {
  std::string_view kind;
  std::array<std::string_view, 4> instructions;
};
using StoredCodesFunction = StoredCodes (*)(const GeldTransfer& transfer);

// Throws Failure (object not set) for a missing payment object.
payment::PaymentFile ViewOfObjects(const MeineInfo& sender,
                                   const std::vector<std::shared_ptr<GeldTransfer>>& transfers,
                                   StoredCodesFunction stored_codes, payment::Findings& findings);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_OBJECT_VIEW_H_
