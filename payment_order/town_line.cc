#include "payment_order/town_line.h"

#include <algorithm>
#include <array>
#include <optional>

#include "payment_order/postal_code_form.h"

namespace xkdtazv::payment {
namespace {

struct CountryForm {
  std::string_view country;
  std::string_view code;  // the form of the postal code alone
};

// The postal code forms of the countries payments commonly go to.
constexpr std::array<CountryForm, 50> kForms{{
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
constexpr std::string_view kCountryMarker = "(?:[A-Z]{1,3}-)?";

// What the line's whitespace is: the C locale's.
bool IsSpace(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
// Any character but a line end.
bool IsLineEnd(char c) noexcept { return c == '\n' || c == '\r'; }

std::size_t SpacesAt(std::string_view text, std::size_t pos) {
  std::size_t count = 0;
  while (pos + count < text.size() && IsSpace(text[pos + count])) ++count;
  return count;
}

struct Parts {
  std::string_view code;
  std::string_view town;
};

// "<marker><code> <town>": the code ends before at least one blank, the town
// is the rest of the line, not empty and without a line end. The first fit in
// the order a backtracking matcher tries them decides the parts.
std::optional<Parts> CodeFirst(std::string_view line, const PostalCodeForm& marker,
                               const PostalCodeForm& code) {
  std::optional<Parts> parts;
  marker.MatchFrom(line, 0, [&](std::size_t code_start) {
    return code.MatchFrom(line, code_start, [&](std::size_t code_end) {
      for (std::size_t spaces = SpacesAt(line, code_end); spaces > 0; --spaces) {
        const std::string_view town = line.substr(code_end + spaces);
        if (!town.empty() && std::none_of(town.begin(), town.end(), IsLineEnd)) {
          parts = Parts{line.substr(code_start, code_end - code_start), town};
          return true;
        }
      }
      return false;
    });
  });
  return parts;
}

// "<town>[,] <code>": the shortest town for which an optional comma, at least
// one blank and exactly the code end the line.
std::optional<Parts> CodeLast(std::string_view line, const PostalCodeForm& code) {
  for (std::size_t town_end = 1; town_end < line.size(); ++town_end) {
    if (IsLineEnd(line[town_end - 1])) break;
    for (const std::size_t comma : {std::size_t{1}, std::size_t{0}}) {
      if (comma == 1 && line[town_end] != ',') continue;
      const std::size_t blanks_start = town_end + comma;
      for (std::size_t spaces = SpacesAt(line, blanks_start); spaces > 0; --spaces) {
        const std::size_t code_start = blanks_start + spaces;
        if (code.MatchesExactly(line.substr(code_start))) {
          return Parts{line.substr(code_start), line.substr(0, town_end)};
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view PostalCodeFormOf(std::string_view country) {
  const auto form = std::find_if(kForms.begin(), kForms.end(),
                                 [country](const CountryForm& f) { return f.country == country; });
  return form == kForms.end() ? std::string_view() : form->code;
}

TownLine TownLineSplitter::Split(std::string_view line, std::string_view country) {
  // The country's length first: no two pairs give the same key.
  key_ = std::to_string(country.size());
  key_ += ':';
  key_ += country;
  key_ += line;
  Cut cut;
  if (const auto seen = seen_.find(key_); seen != seen_.end()) {
    cut = seen->second;
  } else {
    cut = CutByRule(line, country);
    if (seen_.size() < kLinesRemembered && line.size() <= kLongestSplitLine) {
      seen_.emplace(key_, cut);
    }
  }
  return {line.substr(cut.code_start, cut.code_size), line.substr(cut.town_start, cut.town_size),
          cut.split};
}

TownLineSplitter::Cut TownLineSplitter::CutByRule(std::string_view line, std::string_view country) {
  const std::string_view form = PostalCodeFormOf(country);
  const auto cut_of = [line](const Parts& parts) {
    return Cut{static_cast<std::size_t>(parts.code.data() - line.data()), parts.code.size(),
               static_cast<std::size_t>(parts.town.data() - line.data()), parts.town.size(), true};
  };
  // A line longer than any address holds is left whole, and its length is
  // reported where it is used.
  if (!form.empty() && line.size() <= kLongestSplitLine) {
    const PostalCodeForm code(form);
    if (const auto parts = CodeFirst(line, PostalCodeForm(kCountryMarker), code)) {
      return cut_of(*parts);
    }
    if (const auto parts = CodeLast(line, code)) return cut_of(*parts);
  }
  const bool none_expected = std::find(kWithoutPostalCodes.begin(), kWithoutPostalCodes.end(),
                                       country) != kWithoutPostalCodes.end();
  return {0, 0, 0, line.size(), none_expected};
}

}  // namespace xkdtazv::payment
