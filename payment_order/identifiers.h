// Account and bank identifiers: IBANs by ISO 13616, BICs by ISO 9362, and the
// German IBAN built from a bank code and an account number.
//
//   IsValidIban("DE89370400440532013000");          // true
//   GermanIban("37040044", "532013000");            // "DE89370400440532013000"
//   IsValidBic("COBADEFFXXX");                      // true
#ifndef XKDTAZV_PAYMENT_ORDER_IDENTIFIERS_H_
#define XKDTAZV_PAYMENT_ORDER_IDENTIFIERS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xkdtazv::payment {

// Two capital letters, two digits, up to 30 letters or digits, and check
// digits that hold (ISO 7064 MOD 97-10).
bool IsValidIban(std::string_view iban) noexcept;

// Two capital letters, two digits, then capital letters or digits, 34 at
// most: the shape of an IBAN, whether or not its check digits hold.
bool IsIbanForm(std::string_view iban) noexcept;

// The ISO 7064 MOD 97-10 check over an IBAN of IsIbanForm.
bool IbanCheckDigitsHold(std::string_view iban) noexcept;

// The length of an IBAN of the country (ISO 3166 alpha-2) as the IBAN
// registry states it; 0 for a country the registry does not list here.
std::size_t IbanLengthOf(std::string_view country) noexcept;

// What an IBAN lacks, in the order a reader would check it.
enum class IbanFault : std::int32_t { kNone, kCharacters, kForm, kCountryLength, kCheckDigits };

// The whole ISO 13616 check: form, the country's length where known, check
// digits.
IbanFault CheckIban(std::string_view iban) noexcept;

// The IBAN inside an account field that pads it to 34 characters: without a
// leading "/", the padding zeros and trailing blanks.
std::string_view IbanWithoutPadding(std::string_view field) noexcept;

// Four letters for the bank, two for the country, two letters or digits for
// the location (the second no "O"), optionally three for the branch.
bool IsValidBic(std::string_view bic) noexcept;

// "DE", the check digits, the eight-digit bank code and the account number
// padded with zeros to ten digits; empty unless both are digits that fit.
// Some banks publish rules of their own that replace this standard one.
std::string GermanIban(std::string_view bank_code, std::string_view account_number);

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_IDENTIFIERS_H_
