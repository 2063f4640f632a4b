// The identifiers a bank checks in a payment: the BIC of the payee's bank and
// the payee's IBAN.
//
//   IsBicForm("COBADEFFXXX");               // true
//   IbanCheckDigitsHold("DE89370400440532013000");  // true
#ifndef XKDTAZV_TOOLS_BANK_IDENTIFIERS_H_
#define XKDTAZV_TOOLS_BANK_IDENTIFIERS_H_

#include <string_view>

namespace xkdtazv::cli {

// Four letters for the bank, two for the country, two letters or digits for
// the location, optionally three for the branch: 8 or 11 characters.
bool IsBicForm(std::string_view bic) noexcept;

// Two letters and two digits, then letters and digits up to 34 characters in
// all: the shape of an IBAN, whether or not its check digits hold.
bool IsIbanForm(std::string_view iban) noexcept;

// The ISO 7064 check (modulo 97 equals 1) over an IBAN of IsIbanForm.
bool IbanCheckDigitsHold(std::string_view iban) noexcept;

// The IBAN inside a DTAZV account field: without the leading "/" and the
// zeros that pad a short IBAN to 34 characters, and without trailing blanks.
std::string_view IbanInAccountField(std::string_view field) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_TOOLS_BANK_IDENTIFIERS_H_
