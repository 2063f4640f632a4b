#include "payment_order/identifiers.h"

#include <cstddef>

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
// 10 to 35 (ISO 7064 MOD 97-10).
unsigned Mod97(std::string_view text) noexcept {
  unsigned remainder = 0;
  for (const char c : text) {
    if (IsDigit(c)) {
      remainder = (remainder * 10 + static_cast<unsigned>(c - '0')) % 97;
    } else {
      remainder = (remainder * 100 + static_cast<unsigned>(c - 'A' + 10)) % 97;
    }
  }
  return remainder;
}

}  // namespace

bool IsValidIban(std::string_view iban) noexcept {
  if (iban.size() < kShortestIban || iban.size() > kLongestIban) return false;
  if (!IsLetter(iban[0]) || !IsLetter(iban[1]) || !IsDigit(iban[2]) || !IsDigit(iban[3])) {
    return false;
  }
  for (const char c : iban) {
    if (!IsLetterOrDigit(c)) return false;
  }
  // The country code and check digits move to the end.
  std::string rotated(iban.substr(4));
  rotated += iban.substr(0, 4);
  return Mod97(rotated) == 1;
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
