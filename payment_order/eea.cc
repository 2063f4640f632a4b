#include "payment_order/eea.h"

#include <algorithm>
#include <array>

namespace xkdtazv::payment {
namespace {

constexpr std::array<std::string_view, 30> kEeaCountries{
    "AT", "BE", "BG", "CY", "CZ", "DE", "DK", "EE", "ES", "FI", "FR", "GR", "HR", "HU", "IE",
    "IS", "IT", "LI", "LT", "LU", "LV", "MT", "NL", "NO", "PL", "PT", "RO", "SE", "SI", "SK"};
constexpr std::array<std::string_view, 11> kEeaCurrencies{"BGN", "CHF", "CZK", "DKK", "EUR", "HUF",
                                                          "ISK", "NOK", "PLN", "RON", "SEK"};

}  // namespace

bool IsEeaCountry(std::string_view iso_country) noexcept {
  return std::find(kEeaCountries.begin(), kEeaCountries.end(), iso_country) != kEeaCountries.end();
}

bool IsEeaCurrency(std::string_view iso_currency) noexcept {
  return std::find(kEeaCurrencies.begin(), kEeaCurrencies.end(), iso_currency) !=
         kEeaCurrencies.end();
}

}  // namespace xkdtazv::payment
