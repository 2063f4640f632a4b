#include "payment_order/town_line.h"

#include <algorithm>
#include <array>

namespace xkdtazv::payment {
namespace {

struct PostalCodeForm {
  std::string_view country;
  std::string_view code;  // a regular expression for the postal code alone
};

// The postal code forms of the countries payments commonly go to.
constexpr std::array<PostalCodeForm, 50> kForms{{
    {"AT", R"(\d{4})"},
    {"AU", R"(\d{4})"},
    {"BE", R"(\d{4})"},
    {"BG", R"(\d{4})"},
    {"BR", R"(\d{5}-?\d{3})"},
    {"CA", R"([A-Z]\d[A-Z] ?\d[A-Z]\d)"},
    {"CH", R"(\d{4})"},
    {"CN", R"(\d{6})"},
    {"CY", R"(\d{4})"},
    {"CZ", R"(\d{3} ?\d{2})"},
    {"DE", R"(\d{5})"},
    {"DK", R"(\d{4})"},
    {"EE", R"(\d{5})"},
    {"ES", R"(\d{5})"},
    {"FI", R"(\d{5})"},
    {"FR", R"(\d{5})"},
    {"GB", R"([A-Z]{1,2}\d[A-Z\d]? ?\d[A-Z]{2})"},
    {"GR", R"(\d{3} ?\d{2})"},
    {"HR", R"(\d{5})"},
    {"HU", R"(\d{4})"},
    {"IE", R"([A-Z]\d[\dW] ?[A-Z\d]{4})"},
    {"IN", R"(\d{6})"},
    {"IS", R"(\d{3})"},
    {"IT", R"(\d{5})"},
    {"JP", R"(\d{3}-\d{4})"},
    {"KR", R"(\d{5})"},
    {"LI", R"(\d{4})"},
    {"LT", R"((?:LT-)?\d{5})"},
    {"LU", R"((?:L-)?\d{4})"},
    {"LV", R"((?:LV-)?\d{4})"},
    {"MC", R"(980\d{2})"},
    {"MT", R"([A-Z]{3} ?\d{4})"},
    {"MX", R"(\d{5})"},
    {"NL", R"(\d{4} ?[A-Z]{2})"},
    {"NO", R"(\d{4})"},
    {"NZ", R"(\d{4})"},
    {"PL", R"(\d{2}-\d{3})"},
    {"PT", R"(\d{4}-\d{3})"},
    {"RO", R"(\d{6})"},
    {"RS", R"(\d{5})"},
    {"RU", R"(\d{6})"},
    {"SE", R"(\d{3} ?\d{2})"},
    {"SG", R"(\d{6})"},
    {"SI", R"(\d{4})"},
    {"SK", R"(\d{3} ?\d{2})"},
    {"TR", R"(\d{5})"},
    {"UA", R"(\d{5})"},
    {"US", R"(\d{5}(?:-\d{4})?)"},
    {"ZA", R"(\d{4})"},
    {"TW", R"(\d{3}(?:\d{2})?)"},
}};

// Countries without postal codes: the whole line is the town, as it should be.
constexpr std::array<std::string_view, 12> kWithoutPostalCodes{"AE", "AG", "AO", "BS", "BZ", "FJ",
                                                               "GH", "HK", "JM", "MO", "QA", "ZW"};

// Far more than a postal code and a town name hold together.
constexpr std::size_t kLongestSplitLine = 256;

// Enough for the payees of a large run; a bound on the memory for the rest.
constexpr std::size_t kLinesRemembered = 4096;

// An old-style country marker such as "D-" or "FR-" before a code.
constexpr std::string_view kCountryMarker = R"((?:[A-Z]{1,3}-)?)";

}  // namespace

const TownLineSplitter::Rule* TownLineSplitter::RuleFor(std::string_view country) {
  if (const auto known = rules_.find(country); known != rules_.end()) return &known->second;
  const auto form = std::find_if(kForms.begin(), kForms.end(), [country](const PostalCodeForm& f) {
    return f.country == country;
  });
  if (form == kForms.end()) return nullptr;
  const std::string code(form->code);
  const Rule rule{
      std::regex("^" + std::string(kCountryMarker) + "(" + code + ")\\s+(.+)$", std::regex::icase),
      std::regex("^(.+?),?\\s+(" + code + ")$", std::regex::icase)};
  return &rules_.emplace(std::string(country), rule).first->second;
}

TownLine TownLineSplitter::Split(std::string_view line, std::string_view country) {
  // The country's length first: no two pairs give the same key.
  std::string key = std::to_string(country.size());
  key += ':';
  key += country;
  key += line;
  if (const auto seen = seen_.find(key); seen != seen_.end()) return seen->second;
  TownLine split = SplitByRule(line, country);
  if (seen_.size() < kLinesRemembered && line.size() <= kLongestSplitLine) {
    seen_.emplace(std::move(key), split);
  }
  return split;
}

TownLine TownLineSplitter::SplitByRule(std::string_view line, std::string_view country) {
  const std::string text(line);
  // The matcher's depth grows with the text; a line longer than any address
  // holds is left whole, and its length is reported where it is used.
  const Rule* rule = text.size() <= kLongestSplitLine ? RuleFor(country) : nullptr;
  if (rule != nullptr) {
    std::smatch match;
    if (std::regex_match(text, match, rule->code_first)) return {match[1], match[2], true};
    if (std::regex_match(text, match, rule->code_last)) return {match[2], match[1], true};
  }
  const bool none_expected = std::find(kWithoutPostalCodes.begin(), kWithoutPostalCodes.end(),
                                       country) != kWithoutPostalCodes.end();
  return {"", text, none_expected};
}

}  // namespace xkdtazv::payment
