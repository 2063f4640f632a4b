// `--transliterate`: the batch's free texts rewritten into the DTAZV
// character set before the component sees them, as German banks expect it:
// Ä as AE, ß as SS, accented and other Latin letters as their base letters,
// everything upper-cased. The library's ICU transliteration does the work; a
// value it cannot bring into the set stays as it is, for the component to
// report.
//
//   for (const Transliteration& change : TransliterateBatch(plan)) ...;
#ifndef XKDTAZV_CLI_BATCH_TRANSLITERATION_H_
#define XKDTAZV_CLI_BATCH_TRANSLITERATION_H_

#include <string>
#include <vector>

#include "cli/batch_plan.h"

namespace xkdtazv::cli {

// One value that was rewritten.
struct Transliteration {
  std::string place;  // "MeineInfo", "GeldTransfer 2", "line 3"
  std::string member;
  std::string before;
  std::string after;
};

// Rewrites the sender's and the payments' free texts; returns every change.
std::vector<Transliteration> TransliterateBatch(BatchPlan& plan);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_BATCH_TRANSLITERATION_H_
