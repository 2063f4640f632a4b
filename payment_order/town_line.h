// Splits a town line such as "1016 GV AMSTERDAM" into postal code and town by
// the postal code rules of the town's country. Build one splitter per run: it
// remembers the split of the lines it has seen (payments to the same payees
// repeat them), up to a bound.
//
//   TownLineSplitter splitter;
//   TownLine line = splitter.Split("00-514 WARSZAWA", "PL");  // "00-514", "WARSZAWA"
#ifndef XKDTAZV_PAYMENT_ORDER_TOWN_LINE_H_
#define XKDTAZV_PAYMENT_ORDER_TOWN_LINE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace xkdtazv::payment {

// The parts of a split line: views of that line.
struct TownLine {
  std::string_view postal_code;  // empty when none was found
  std::string_view town;
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
  // Where the parts of a line lie in it.
  struct Cut {
    std::size_t code_start = 0, code_size = 0, town_start = 0, town_size = 0;
    bool split = true;
  };
  static Cut CutByRule(std::string_view line, std::string_view country);

  std::unordered_map<std::string, Cut> seen_;  // by country and line
  std::string key_;                            // the key asked for, built in place
};

}  // namespace xkdtazv::payment

#endif  // XKDTAZV_PAYMENT_ORDER_TOWN_LINE_H_
