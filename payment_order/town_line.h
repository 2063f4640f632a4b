// Splits a town line such as "1016 GV AMSTERDAM" into postal code and town by
// the postal code rules of the town's country. Build one splitter per run: it
// remembers the split of the lines it has seen (payments to the same payees
// repeat them), up to a bound.
//
//   TownLineSplitter splitter;
//   TownLine line = splitter.Split("00-514 WARSZAWA", "PL");  // "00-514", "WARSZAWA"
#ifndef XKDTAZV_PAYMENT_ORDER_TOWN_LINE_H_
#define XKDTAZV_PAYMENT_ORDER_TOWN_LINE_H_

#include <string>
#include <string_view>
#include <unordered_map>

namespace xkdtazv::payment {

struct TownLine {
  std::string postal_code;  // empty when none was found
  std::string town;
  // False when the country has postal codes but no rule found one: the whole
  // line became the town.
  bool split = true;
};

// The form of the country's postal codes in the splitter's table, written as a
// PostalCodeForm; empty when the table has none.
std::string_view PostalCodeFormOf(std::string_view country);

class TownLineSplitter {
 public:
  // The code may stand before the town ("FR-69002 LYON", the country marker
  // dropped) or after it ("BRISTOL BS1 4DJ").
  TownLine Split(std::string_view line, std::string_view country);

 private:
  static TownLine SplitByRule(std::string_view line, std::string_view country);

  std::unordered_map<std::string, TownLine> seen_;  // by country and line
};

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_TOWN_LINE_H_
