#include "cli/batch_transliteration.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "inspect/field_checks.h"
#include "pain001/swift_latin.h"

namespace xkdtazv::cli {
namespace {

// The members that carry free text. The component upper-cases all but
// Ansprechpartner itself, so plain ASCII there needs no rewriting.
struct FreeText {
  std::string_view member;
  bool upper_cased_by_component;
};
constexpr std::array<FreeText, 10> kFreeTexts{{
    {"Name", true},
    {"Vorname", true},
    {"Strasse", true},
    {"OrtPLZ", true},
    {"Verwendungszweck1", true},
    {"Verwendungszweck2", true},
    {"Verwendungszweck3", true},
    {"Verwendungszweck4", true},
    {"VariableText", true},
    {"Ansprechpartner", false},
}};

char Upper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool InDtazvSet(std::string_view text, bool upper_case_first) {
  return std::all_of(text.begin(), text.end(), [upper_case_first](char c) {
    return IsDtazvCharacter(upper_case_first ? Upper(c) : c);
  });
}

const FreeText* FindFreeText(std::string_view member) {
  const auto* found =
      std::find_if(kFreeTexts.begin(), kFreeTexts.end(),
                   [member](const FreeText& text) { return text.member == member; });
  return found != kFreeTexts.end() ? found : nullptr;
}

void Rewrite(const pain001::SwiftLatin& latin, std::vector<PlannedValue>& values,
             const std::string& place, std::vector<Transliteration>& changes) {
  for (PlannedValue& value : values) {
    const FreeText* free_text = value.is_text ? FindFreeText(value.member) : nullptr;
    if (free_text == nullptr || InDtazvSet(value.text, free_text->upper_cased_by_component)) {
      continue;
    }
    std::string after = latin.Transliterate(value.text);
    std::transform(after.begin(), after.end(), after.begin(), Upper);
    if (!InDtazvSet(after, false)) continue;
    changes.push_back({place, value.member, value.text, after});
    value.text = std::move(after);
  }
}

}  // namespace

std::vector<Transliteration> TransliterateBatch(BatchPlan& plan) {
  const pain001::SwiftLatin latin;
  std::vector<Transliteration> changes;
  Rewrite(latin, plan.sender.values, plan.sender.place, changes);
  for (PlannedObject& payment : plan.transfers) {
    Rewrite(latin, payment.values, payment.place, changes);
  }
  return changes;
}

}  // namespace xkdtazv::cli
