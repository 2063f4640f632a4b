// `xkdtazv convert DTAZV_FILE`: turns a DTAZV file into the ISO 20022
// pain.001.001.09 documents banks take since DTAZV was retired, one per EBICS
// order type, and says what had no counterpart.
#ifndef XKDTAZV_CLI_CONVERT_COMMAND_H_
#define XKDTAZV_CLI_CONVERT_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>

#include "pain001/converter.h"

namespace xkdtazv::cli {

struct ConvertOptions {
  std::string file;
  std::string out = ".";
  std::optional<std::string> debtor_iban;
  std::optional<std::string> debtor_bic;
  bool json = false;
};

// 0: written, nothing to report; 1: written with warnings or notes; 2: usage
// or input error, or errors in the payments: nothing written; 3: the run failed.
int RunConvert(const ConvertOptions& options, const pain001::ConversionServices& services,
               std::ostream& out, std::ostream& err);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_CONVERT_COMMAND_H_
