#include "payment_order/identifiers.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace xkdtazv::payment {
namespace {

constexpr std::size_t kShortestIban = 5;
constexpr std::size_t kLongestIban = 34;

bool IsLetter(char c) noexcept { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsLetterOrDigit(char c) noexcept { return IsLetter(c) || IsDigit(c); }

bool AllDigits(std::string_view text) noexcept {
  for (const char c : text) {
    if (!IsDigit(c)) return false;
  }
  return !text.empty();
}

// The remainder modulo 97 of the number that `text` spells, letters counting
// 10 to 35 (ISO 7064 MOD 97-10); `remainder` is that of digits before it.
unsigned Mod97(std::string_view text, unsigned remainder = 0) noexcept {
  // Digits gather in 64 bits and are reduced only before they could overflow.
  constexpr std::uint64_t kReduceAt = 1'000'000'000'000'000;
  std::uint64_t number = remainder;
  for (const char c : text) {
    if (IsDigit(c)) {
      number = number * 10 + static_cast<std::uint64_t>(c - '0');
    } else {
      number = number * 100 + static_cast<std::uint64_t>(c - 'A' + 10);
    }
    if (number >= kReduceAt) number %= 97;
  }
  return static_cast<unsigned>(number % 97);
}

struct CountryLength {
  std::string_view country;
  std::size_t length;
};

// The IBAN registry's lengths, sorted by country for a binary search.
constexpr std::array<CountryLength, 79> kIbanLengths{{
    {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16}, {"BG", 22},
    {"BH", 22}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22}, {"CY", 28}, {"CZ", 24}, {"DE", 22},
    {"DK", 18}, {"DO", 28}, {"EE", 20}, {"EG", 29}, {"ES", 24}, {"FI", 18}, {"FO", 18}, {"FR", 27},
    {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18}, {"GR", 27}, {"GT", 28}, {"HR", 21}, {"HU", 28},
    {"IE", 22}, {"IL", 23}, {"IQ", 23}, {"IS", 26}, {"IT", 27}, {"JO", 30}, {"KW", 30}, {"KZ", 20},
    {"LB", 28}, {"LC", 32}, {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"LY", 25}, {"MC", 27},
    {"MD", 24}, {"ME", 22}, {"MK", 19}, {"MR", 27}, {"MT", 31}, {"MU", 30}, {"NL", 18}, {"NO", 15},
    {"PK", 24}, {"PL", 28}, {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"SA", 24},
    {"SC", 31}, {"SD", 18}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"ST", 25}, {"SV", 28},
    {"TL", 23}, {"TN", 24}, {"TR", 26}, {"UA", 29}, {"VA", 22}, {"VG", 24}, {"XK", 20},
}};

}  // namespace

bool IsIbanForm(std::string_view iban) noexcept {
  if (iban.size() < kShortestIban || iban.size() > kLongestIban) return false;
  if (!IsLetter(iban[0]) || !IsLetter(iban[1]) || !IsDigit(iban[2]) || !IsDigit(iban[3])) {
    return false;
  }
  return std::all_of(iban.begin(), iban.end(), IsLetterOrDigit);
}

bool IbanCheckDigitsHold(std::string_view iban) noexcept {
  if (!IsIbanForm(iban)) return false;
  // The country code and check digits move to the end.
  return Mod97(iban.substr(0, 4), Mod97(iban.substr(4))) == 1;
}

bool IsValidIban(std::string_view iban) noexcept { return IbanCheckDigitsHold(iban); }

std::size_t IbanLengthOf(std::string_view country) noexcept {
  const auto* found = std::lower_bound(
      kIbanLengths.begin(), kIbanLengths.end(), country,
      [](const CountryLength& entry, std::string_view key) { return entry.country < key; });
  return found != kIbanLengths.end() && found->country == country ? found->length : 0;
}

IbanFault CheckIban(std::string_view iban) noexcept {
  if (!std::all_of(iban.begin(), iban.end(), IsLetterOrDigit)) return IbanFault::kCharacters;
  if (!IsIbanForm(iban)) return IbanFault::kForm;
  const std::size_t length = IbanLengthOf(iban.substr(0, 2));
  if (length != 0 && length != iban.size()) return IbanFault::kCountryLength;
  return IbanCheckDigitsHold(iban) ? IbanFault::kNone : IbanFault::kCheckDigits;
}

std::string_view IbanWithoutPadding(std::string_view field) noexcept {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (!field.empty() && field.front() == '/') field.remove_prefix(1);
  while (!field.empty() && field.front() == '0') field.remove_prefix(1);
  return field;
}

bool IsValidBic(std::string_view bic) noexcept {
  if (bic.size() != 8 && bic.size() != 11) return false;
  for (std::size_t i = 0; i < bic.size(); ++i) {
    if (i < 6 ? !IsLetter(bic[i]) : !IsLetterOrDigit(bic[i])) return false;
  }
  // A location code ending in "0" marks a test BIC; "O" is never used there.
  return bic[7] != 'O';
}

std::string GermanIban(std::string_view bank_code, std::string_view account_number) {
  while (account_number.size() > 1 && account_number.front() == '0')
    account_number.remove_prefix(1);
  if (bank_code.size() != 8 || !AllDigits(bank_code) || !AllDigits(account_number) ||
      account_number.size() > 10) {
    return {};
  }
  const std::string bban = std::string(bank_code) + std::string(10 - account_number.size(), '0') +
                           std::string(account_number);
  const unsigned check = 98 - Mod97(bban + "DE00");
  return "DE" + std::string(1, static_cast<char>('0' + check / 10)) +
         std::string(1, static_cast<char>('0' + check % 10)) + bban;
}

}  // namespace xkdtazv::payment
