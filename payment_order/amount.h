// Exact decimal amounts as digit texts: the currency's minor unit, the text an
// XML amount element carries, and totals across any number of payments.
//
//   MinorUnit("JPY");                          // 0
//   AmountText({"KWD", "12", "345"});          // "12.345"
//   AddDecimal("1250.50", "0.125");            // "1250.625"
#ifndef XKDTAZV_PAYMENT_ORDER_AMOUNT_H_
#define XKDTAZV_PAYMENT_ORDER_AMOUNT_H_

#include <string>
#include <string_view>

#include "payment_order/payment_order.h"

namespace xkdtazv::payment {

// The number of decimal places of an ISO 4217 currency: 2 unless the standard
// gives it 0, 3 or 4.
int MinorUnit(std::string_view currency) noexcept;

// True when the decimals beyond the currency's minor unit are all zeros.
bool FitsMinorUnit(const Amount& amount) noexcept;

bool IsPositive(const Amount& amount) noexcept;

// The amount with exactly the currency's decimal places ("1500", "12.50",
// "0.125"); decimals beyond them are dropped, so check FitsMinorUnit first.
std::string AmountText(const Amount& amount);
// The same text, appended to `out`.
void AppendAmountText(const Amount& amount, std::string& out);

// The exact sum of two non-negative decimal texts ("12.5" + "0.125").
std::string AddDecimal(std::string_view a, std::string_view b);

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_AMOUNT_H_
