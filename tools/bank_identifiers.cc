#include "tools/bank_identifiers.h"

namespace xkdtazv::cli {
namespace {

constexpr std::size_t kShortestIban = 15;
constexpr std::size_t kLongestIban = 34;

bool IsLetter(char c) noexcept { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsLetterOrDigit(char c) noexcept { return IsLetter(c) || IsDigit(c); }

}  // namespace

bool IsBicForm(std::string_view bic) noexcept {
  if (bic.size() != 8 && bic.size() != 11) return false;
  for (std::size_t i = 0; i < bic.size(); ++i) {
    if (i < 6 ? !IsLetter(bic[i]) : !IsLetterOrDigit(bic[i])) return false;
  }
  return true;
}

bool IsIbanForm(std::string_view iban) noexcept {
  if (iban.size() < kShortestIban || iban.size() > kLongestIban) return false;
  if (!IsLetter(iban[0]) || !IsLetter(iban[1]) || !IsDigit(iban[2]) || !IsDigit(iban[3])) {
    return false;
  }
  for (const char c : iban) {
    if (!IsLetterOrDigit(c)) return false;
  }
  return true;
}

bool IbanCheckDigitsHold(std::string_view iban) noexcept {
  if (!IsIbanForm(iban)) return false;
  // The country code and check digits move to the end; letters count 10 to 35.
  unsigned remainder = 0;
  for (std::size_t i = 0; i < iban.size(); ++i) {
    const char c = iban[(i + 4) % iban.size()];
    if (IsDigit(c)) {
      remainder = (remainder * 10 + static_cast<unsigned>(c - '0')) % 97;
    } else {
      remainder = (remainder * 100 + static_cast<unsigned>(c - 'A' + 10)) % 97;
    }
  }
  return remainder == 1;
}

std::string_view IbanInAccountField(std::string_view field) noexcept {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  if (!field.empty() && field.front() == '/') field.remove_prefix(1);
  while (!field.empty() && field.front() == '0') field.remove_prefix(1);
  return field;
}

}  // namespace xkdtazv::cli
