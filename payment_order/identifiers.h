// Account and bank identifiers: IBANs by ISO 13616, BICs by ISO 9362, and the
// German IBAN built from a bank code and an account number.
//
//   IsValidIban("DE89370400440532013000");          // true
//   GermanIban("37040044", "532013000");            // "DE89370400440532013000"
//   IsValidBic("COBADEFFXXX");                      // true
#ifndef XKDTAZV_PAYMENT_ORDER_IDENTIFIERS_H_
#define XKDTAZV_PAYMENT_ORDER_IDENTIFIERS_H_

#include <string>
#include <string_view>

namespace xkdtazv::payment {

// Two capital letters, two digits, up to 30 letters or digits, and check
// digits that hold (ISO 7064 MOD 97-10).
bool IsValidIban(std::string_view iban) noexcept;

// Four letters for the bank, two for the country, two letters or digits for
// the location (the second no "O"), optionally three for the branch.
bool IsValidBic(std::string_view bic) noexcept;

// "DE", the check digits, the eight-digit bank code and the account number
// padded with zeros to ten digits; empty unless both are digits that fit.
// Some banks publish rules of their own that replace this standard one.
std::string GermanIban(std::string_view bank_code, std::string_view account_number);

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_IDENTIFIERS_H_
