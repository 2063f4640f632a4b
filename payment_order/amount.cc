#include "payment_order/amount.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace xkdtazv::payment {
namespace {

// A three-letter code as one number, for a search of numbers: every amount
// asks for its currency's minor unit, some more than once.
constexpr std::uint32_t Packed(std::string_view code) noexcept {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[2]));
}

struct MinorUnitEntry {
  std::uint32_t code;
  int unit;
};

// ISO 4217 currencies whose minor unit is not two decimal places.
constexpr std::array<MinorUnitEntry, 26> kMinorUnits{{
    {Packed("BHD"), 3}, {Packed("BIF"), 0}, {Packed("CLF"), 4}, {Packed("CLP"), 0},
    {Packed("DJF"), 0}, {Packed("GNF"), 0}, {Packed("IQD"), 3}, {Packed("ISK"), 0},
    {Packed("JOD"), 3}, {Packed("JPY"), 0}, {Packed("KMF"), 0}, {Packed("KRW"), 0},
    {Packed("KWD"), 3}, {Packed("LYD"), 3}, {Packed("OMR"), 3}, {Packed("PYG"), 0},
    {Packed("RWF"), 0}, {Packed("TND"), 3}, {Packed("UGX"), 0}, {Packed("UYI"), 0},
    {Packed("UYW"), 4}, {Packed("VND"), 0}, {Packed("VUV"), 0}, {Packed("XAF"), 0},
    {Packed("XOF"), 0}, {Packed("XPF"), 0},
}};

// Sorted by code, for the binary search.
static_assert(std::is_sorted(kMinorUnits.begin(), kMinorUnits.end(),
                             [](const auto& a, const auto& b) { return a.code < b.code; }));

std::pair<std::string_view, std::string_view> SplitDecimal(std::string_view text) {
  const std::size_t mark = text.find('.');
  if (mark == std::string_view::npos) return {text, {}};
  return {text.substr(0, mark), text.substr(mark + 1)};
}

}  // namespace

int MinorUnit(std::string_view currency) noexcept {
  if (currency.size() != 3) return 2;
  const std::uint32_t code = Packed(currency);
  const auto found =
      std::lower_bound(kMinorUnits.begin(), kMinorUnits.end(), code,
                       [](const MinorUnitEntry& entry, std::uint32_t c) { return entry.code < c; });
  return found != kMinorUnits.end() && found->code == code ? found->unit : 2;
}

bool FitsMinorUnit(const Amount& amount) noexcept {
  const auto unit = static_cast<std::size_t>(MinorUnit(amount.currency));
  if (amount.fraction.size() <= unit) return true;
  return std::all_of(amount.fraction.begin() + static_cast<std::ptrdiff_t>(unit),
                     amount.fraction.end(), [](char c) { return c == '0'; });
}

bool IsPositive(const Amount& amount) noexcept {
  auto non_zero = [](char c) { return c != '0'; };
  return std::any_of(amount.units.begin(), amount.units.end(), non_zero) ||
         std::any_of(amount.fraction.begin(), amount.fraction.end(), non_zero);
}

std::string AmountText(const Amount& amount) {
  std::string text;
  AppendAmountText(amount, text);
  return text;
}

void AppendAmountText(const Amount& amount, std::string& out) {
  const auto unit = static_cast<std::size_t>(MinorUnit(amount.currency));
  if (amount.units.empty()) {
    out += '0';
  } else {
    out += amount.units;
  }
  if (unit == 0) return;
  const std::size_t given = std::min(unit, amount.fraction.size());
  out += '.';
  out.append(amount.fraction, 0, given);
  out.append(unit - given, '0');
}

std::string AddDecimal(std::string_view a, std::string_view b) {
  auto [a_units, a_fraction] = SplitDecimal(a);
  auto [b_units, b_fraction] = SplitDecimal(b);
  const std::size_t decimals = std::max(a_fraction.size(), b_fraction.size());
  const std::size_t integers = std::max(a_units.size(), b_units.size());
  auto digits = [&](std::string_view units, std::string_view fraction) {
    std::string all(integers - units.size(), '0');
    all += units;
    all += fraction;
    all.resize(integers + decimals, '0');
    return all;
  };
  const std::string x = digits(a_units, a_fraction);
  const std::string y = digits(b_units, b_fraction);
  std::string sum(x.size(), '0');
  int carry = 0;
  for (std::size_t i = x.size(); i-- > 0;) {
    const int digit = (x[i] - '0') + (y[i] - '0') + carry;
    sum[i] = static_cast<char>('0' + digit % 10);
    carry = digit / 10;
  }
  if (carry) sum.insert(sum.begin(), '1');
  const std::size_t whole = sum.size() - decimals;
  std::size_t first = 0;
  while (first + 1 < whole && sum[first] == '0') ++first;
  std::string result = whole == 0 ? std::string("0") : sum.substr(first, whole - first);
  if (decimals > 0) {
    result += '.';
    result.append(sum, whole, decimals);
  }
  return result;
}

}  // namespace xkdtazv::payment
