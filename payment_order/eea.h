// The European Economic Area as payment rules see it: its countries and
// their currencies. Between them, without conversion, only shared charges
// are allowed.
//
//   IsEeaCountry("PL") && IsEeaCurrency("EUR");   // true
#ifndef XKDTAZV_PAYMENT_ORDER_EEA_H_
#define XKDTAZV_PAYMENT_ORDER_EEA_H_

#include <string_view>

namespace xkdtazv::payment {

bool IsEeaCountry(std::string_view iso_country) noexcept;    // "AT", …, "SK"
bool IsEeaCurrency(std::string_view iso_currency) noexcept;  // "EUR", "PLN", …

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_EEA_H_
