// The IBAN and BIC of every payment of a batch, checked before the component
// sees them. Batches hold IBANs as accounting programs export them (blanks
// between groups of four, any case); the component takes an IBAN padded with
// leading zeros to 34 characters, so a valid one is handed over in that form.
//
//   std::vector<std::string> errors = PrepareIdentifiers(plan);
//   // "GeldTransfer 2, IBAN: "FR76 3000 ..." is no IBAN: its check digits ..."
#ifndef XKDTAZV_CLI_BATCH_IDENTIFIERS_H_
#define XKDTAZV_CLI_BATCH_IDENTIFIERS_H_

#include <string>
#include <string_view>
#include <vector>

#include "cli/batch_plan.h"

namespace xkdtazv::cli {

// The IBAN as the component takes it: blanks removed, letters upper-cased,
// zeros in front up to 34 characters; or the reason it is none.
struct PreparedIban {
  std::string iban;
  std::string error;  // empty when the IBAN is valid
};
PreparedIban PrepareIban(std::string_view text);

// Checks and rewrites the IBAN and BIC values of every payment; the errors
// name the payment and the value. Empty values are left to the component, and
// so is the account number of a general payment that begins with no country
// code (the payee's country has no IBAN).
std::vector<std::string> PrepareIdentifiers(BatchPlan& plan);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_BATCH_IDENTIFIERS_H_
