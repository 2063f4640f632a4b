#include "payment_order/amount.h"

#include <algorithm>
#include <array>
#include <utility>

namespace xkdtazv::payment {
namespace {

// ISO 4217 currencies whose minor unit is not two decimal places.
constexpr std::array<std::pair<std::string_view, int>, 26> kMinorUnits{{
    {"BHD", 3}, {"BIF", 0}, {"CLF", 4}, {"CLP", 0}, {"DJF", 0}, {"GNF", 0}, {"IQD", 3},
    {"ISK", 0}, {"JOD", 3}, {"JPY", 0}, {"KMF", 0}, {"KRW", 0}, {"KWD", 3}, {"LYD", 3},
    {"OMR", 3}, {"PYG", 0}, {"RWF", 0}, {"TND", 3}, {"UGX", 0}, {"UYI", 0}, {"UYW", 4},
    {"VND", 0}, {"VUV", 0}, {"XAF", 0}, {"XOF", 0}, {"XPF", 0},
}};

// Sorted by code, for the binary search: every amount asks.
static_assert(std::is_sorted(kMinorUnits.begin(), kMinorUnits.end()));

std::pair<std::string_view, std::string_view> SplitDecimal(std::string_view text) {
  const std::size_t mark = text.find('.');
  if (mark == std::string_view::npos) return {text, {}};
  return {text.substr(0, mark), text.substr(mark + 1)};
}

}  // namespace

int MinorUnit(std::string_view currency) noexcept {
  const auto found =
      std::lower_bound(kMinorUnits.begin(), kMinorUnits.end(), currency,
                       [](const auto& entry, std::string_view code) { return entry.first < code; });
  return found != kMinorUnits.end() && found->first == currency ? found->second : 2;
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
  const auto unit = static_cast<std::size_t>(MinorUnit(amount.currency));
  std::string text = amount.units.empty() ? "0" : amount.units;
  if (unit == 0) return text;
  std::string fraction = amount.fraction.substr(0, std::min(unit, amount.fraction.size()));
  fraction.resize(unit, '0');
  return text + "." + fraction;
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
