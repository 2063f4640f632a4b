// Builds the neutral view of the payment orders from the component's own
// objects, by their public properties and with the same meaning of each field
// as a DTAZV file of them has. The objects stay as they are.
//
//   Findings findings;
//   payment::PaymentFile view =
//       ViewOfObjects(*file.GetMeineInfo(), transfers, stored_values, findings);
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

// A payment's values as its record stores them, "" for one never written
// (where the properties throw for the codes): the payment kind, the four
// instruction codes, and the texts every payment is read for, without a copy
// of each. The file reads them for the view, as only it may; they stay valid
// while the payment is not changed.
struct StoredValues {
  std::string_view kind;
  std::array<std::string_view, 4> instructions;
  std::string_view name;
  std::string_view first_name;
  std::string_view street;
  std::string_view town_line;
  std::string_view iban;  // as the IBAN property gives it
  std::string_view bic;
  std::string_view bank_country;
  std::string_view units;
  std::string_view hundredths;
  std::array<std::string_view, 4> remittance;
  std::string_view reference;
  std::string_view charges;
  std::string_view instruction_text;
};
using StoredValuesFunction = StoredValues (*)(const GeldTransfer& transfer);

// The view refers to the payments' stored values: they must not change while
// it is used. Throws Failure (object not set) for a missing payment object.
payment::PaymentFile ViewOfObjects(const MeineInfo& sender,
                                   const std::vector<std::shared_ptr<GeldTransfer>>& transfers,
                                   StoredValuesFunction stored_values, payment::Findings& findings);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_OBJECT_VIEW_H_
