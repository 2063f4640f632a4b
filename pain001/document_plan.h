// Which payments go into which document and payment information block: one
// document per order type, one block per debit account, execution date,
// charges account (and, where the block carries the payment type, category
// purpose), in the order the payments come.
//
//   for (const DocumentPlan& document : PlanDocuments(view.orders)) ...;
#ifndef XKDTAZV_PAIN001_DOCUMENT_PLAN_H_
#define XKDTAZV_PAIN001_DOCUMENT_PLAN_H_

#include <cstddef>
#include <string>
#include <vector>

#include "pain001/order_type.h"
#include "payment_order/payment_order.h"

namespace xkdtazv::pain001 {

struct BlockPlan {
  std::vector<const payment::PaymentOrder*> orders;
  std::string control_sum;  // exact, over all currencies
};

struct DocumentPlan {
  OrderType type = OrderType::kAxz;
  std::vector<BlockPlan> blocks;
  std::size_t payments = 0;
  std::string control_sum;
};

// SEPA and urgent euro documents carry service level and charges for a whole
// block; foreign payments carry them per payment.
constexpr bool TypePerBlock(OrderType type) noexcept { return type != OrderType::kAxz; }

// Documents in the order AXZ, CCT, CCU, each only when it has payments.
std::vector<DocumentPlan> PlanDocuments(const std::vector<payment::PaymentOrder>& orders);

}  // namespace xkdtazv::pain001

#endif  // XKDTAZV_PAIN001_DOCUMENT_PLAN_H_
