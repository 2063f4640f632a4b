// The published name closest to a misspelt one, for "did you mean" hints.
//
//   ClosestName("Verwendungszweck", {"Verwendungszweck1", "BIC"});  // "Verwendungszweck1"
#ifndef XKDTAZV_BATCH_CLOSEST_NAME_H_
#define XKDTAZV_BATCH_CLOSEST_NAME_H_

#include <string>
#include <string_view>
#include <vector>

namespace xkdtazv::cli {

// The candidate with the fewest edits (insert, delete, replace, swap two
// neighbours; letter case ignored) from `name`; the earlier one on a tie.
// Empty when there are no candidates.
std::string ClosestName(std::string_view name, const std::vector<std::string>& candidates);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_BATCH_CLOSEST_NAME_H_
