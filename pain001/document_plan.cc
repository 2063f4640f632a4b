#include "pain001/document_plan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>

#include "payment_order/amount.h"

namespace xkdtazv::pain001 {
namespace {

// The texts stay in the orders, which outlive the plan.
using BlockKey = std::tuple<std::string_view, std::string_view, std::string_view, int, unsigned,
                            unsigned, std::string_view, std::string_view, std::string_view>;

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
          TypePerBlock(type) ? std::string_view(order.category_purpose) : std::string_view()};
}

// An amount in whole ten-thousandths (no currency has more decimals), where
// its digits are plain and few enough for 64 bits.
struct ExactAmount {
  std::uint64_t units = 0;
  std::uint64_t fraction = 0;  // ten-thousandths
  std::size_t decimals = 0;    // the currency's
};

constexpr std::uint64_t kScale = 10000;

bool ReadDigits(std::string_view text, std::uint64_t& value) {
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

std::optional<ExactAmount> ExactOf(const payment::Amount& amount) {
  ExactAmount exact;
  exact.decimals = static_cast<std::size_t>(payment::MinorUnit(amount.currency));
  const std::string_view fraction =
      std::string_view(amount.fraction).substr(0, std::min(exact.decimals, amount.fraction.size()));
  if (exact.decimals > 4 || amount.units.size() > 15 || !ReadDigits(amount.units, exact.units) ||
      !ReadDigits(fraction, exact.fraction)) {
    return std::nullopt;
  }
  for (std::size_t place = fraction.size(); place < 4; ++place) exact.fraction *= 10;
  return exact;
}

// A total of amounts, exact: in 64 bits while it fits, in decimal texts
// beyond. Its text is the one adding the amounts' texts one by one gives.
class ControlSum {
 public:
  void Add(const payment::Amount& amount, const std::optional<ExactAmount>& exact) {
    if (text_.empty() && exact && AddExactly(*exact)) return;
    if (text_.empty()) text_ = Text();
    text_ = payment::AddDecimal(text_, payment::AmountText(amount));
  }

  std::string Text() const {
    if (!text_.empty()) return text_;
    std::string text = std::to_string(units_);
    if (decimals_ > 0) {
      const std::string fraction = std::to_string(kScale + fraction_);  // "1" and four digits
      text += '.';
      text.append(fraction, 1, decimals_);
    }
    return text;
  }

 private:
  static constexpr std::uint64_t kMaxUnits = 1'000'000'000'000'000'000;

  bool AddExactly(const ExactAmount& amount) {
    const std::uint64_t fraction = fraction_ + amount.fraction;
    const std::uint64_t units = units_ + amount.units + fraction / kScale;
    if (units >= kMaxUnits) return false;
    units_ = units;
    fraction_ = fraction % kScale;
    decimals_ = std::max(decimals_, amount.decimals);
    return true;
  }

  std::uint64_t units_ = 0;
  std::uint64_t fraction_ = 0;  // ten-thousandths
  std::size_t decimals_ = 0;    // the most any amount added has
  std::string text_;            // the total, once it is kept as text
};

}  // namespace

std::vector<DocumentPlan> PlanDocuments(const std::vector<payment::PaymentOrder>& orders) {
  // One pass over the orders, each added to its type's document: an order is
  // large, and reading the list once per type costs a cache miss per order.
  struct Planning {
    DocumentPlan document;
    std::map<BlockKey, std::size_t> block_of;
    std::vector<ControlSum> block_sums;
    ControlSum document_sum;
    // Payments of one block mostly come together: the last key is asked first.
    BlockKey last_key;
    std::size_t last_block = 0;
  };
  std::array<Planning, std::size(kOrderTypes)> plannings;
  for (std::size_t i = 0; i < plannings.size(); ++i) plannings[i].document.type = kOrderTypes[i];
  for (const payment::PaymentOrder& order : orders) {
    const OrderType type = OrderTypeOf(order.kind);
    const auto known = std::find(std::begin(kOrderTypes), std::end(kOrderTypes), type);
    if (known == std::end(kOrderTypes)) continue;
    Planning& planning = plannings[static_cast<std::size_t>(known - std::begin(kOrderTypes))];
    DocumentPlan& document = planning.document;
    BlockKey key = KeyOf(order, type);
    if (document.payments == 0 || key != planning.last_key) {
      const auto [found, added] = planning.block_of.try_emplace(key, document.blocks.size());
      if (added) {
        document.blocks.emplace_back();
        planning.block_sums.emplace_back();
      }
      planning.last_key = key;
      planning.last_block = found->second;
    }
    document.blocks[planning.last_block].orders.push_back(&order);
    const std::optional<ExactAmount> exact = ExactOf(order.amount);
    planning.block_sums[planning.last_block].Add(order.amount, exact);
    planning.document_sum.Add(order.amount, exact);
    ++document.payments;
  }
  std::vector<DocumentPlan> documents;
  for (Planning& planning : plannings) {
    DocumentPlan& document = planning.document;
    for (std::size_t i = 0; i < planning.block_sums.size(); ++i) {
      document.blocks[i].control_sum = planning.block_sums[i].Text();
    }
    document.control_sum = planning.document_sum.Text();
    if (document.payments > 0) documents.push_back(std::move(document));
  }
  return documents;
}

}  // namespace xkdtazv::pain001
