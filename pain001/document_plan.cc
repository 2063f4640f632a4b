#include "pain001/document_plan.h"

#include <map>
#include <tuple>

#include "payment_order/amount.h"

namespace xkdtazv::pain001 {
namespace {

using BlockKey = std::tuple<std::string, std::string, std::string, int, unsigned, unsigned,
                            std::string, std::string, std::string>;

BlockKey KeyOf(const payment::PaymentOrder& order, OrderType type) {
  const auto& date = order.execution_date;
  return {order.debtor_account.iban,
          order.debtor_account.currency,
          order.debtor_agent_bic,
          static_cast<int>(date.year()),
          static_cast<unsigned>(date.month()),
          static_cast<unsigned>(date.day()),
          order.charges_account.iban,
          order.charges_account.currency,
          TypePerBlock(type) ? order.category_purpose : std::string()};
}

}  // namespace

std::vector<DocumentPlan> PlanDocuments(const std::vector<payment::PaymentOrder>& orders) {
  std::vector<DocumentPlan> documents;
  for (const OrderType type : kOrderTypes) {
    DocumentPlan document;
    document.type = type;
    document.control_sum = "0";
    std::map<BlockKey, std::size_t> block_of;
    for (const payment::PaymentOrder& order : orders) {
      if (OrderTypeOf(order.kind) != type) continue;
      const auto [found, added] = block_of.try_emplace(KeyOf(order, type), document.blocks.size());
      if (added) document.blocks.push_back({{}, "0"});
      BlockPlan& block = document.blocks[found->second];
      block.orders.push_back(&order);
      const std::string amount = payment::AmountText(order.amount);
      block.control_sum = payment::AddDecimal(block.control_sum, amount);
      document.control_sum = payment::AddDecimal(document.control_sum, amount);
      ++document.payments;
    }
    if (document.payments > 0) documents.push_back(std::move(document));
  }
  return documents;
}

}  // namespace xkdtazv::pain001
