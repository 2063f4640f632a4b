// The component's result text of Generate taken apart into findings: which
// object each message belongs to (the file, MeineInfo, the n-th payment, the
// trailer) and which member it names, for machine-readable output.
//
//   for (const ResultFinding& finding : ResultFindings(result)) ...;
#ifndef XKDTAZV_CLI_RESULT_FINDINGS_H_
#define XKDTAZV_CLI_RESULT_FINDINGS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace xkdtazv::cli {

// The component's message for a file text that holds the word FEHLER.
inline constexpr std::string_view kFileTextMessage = "Im Ergebnistext wurden Fehler entdeckt!";

struct ResultFinding {
  std::string object;       // "DtAzvDatei", "MeineInfo", "GeldTransfer", "Footer"
  std::size_t payment = 0;  // GeldTransfer only: its number, from 1
  std::string member;       // the member a message names; empty when none
  std::string message;      // the line as the component wrote it
};

// Empty for "SUCCESS".
std::vector<ResultFinding> ResultFindings(std::string_view result);

// The same as a JSON list: object, payment (or null), member (or null), message.
nlohmann::ordered_json ResultFindingsJson(std::string_view result);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_CLI_RESULT_FINDINGS_H_
