#include "cli/result_findings.h"

#include <charconv>

namespace xkdtazv::cli {
namespace {

// The lines that open a block: the messages that follow belong to the object.
constexpr std::string_view kPaymentBlock = "Bei der Validierung vom GeldTransfer ";
constexpr std::string_view kSenderBlock = "Bei der Validierung von MeineInfo ";
constexpr std::string_view kTrailerBlock = "Bei der Validierung vom Footer ";
constexpr std::string_view kPathMessage = "Bitte vorher den Pfad festlegen.";
constexpr std::string_view kSuccess = "SUCCESS";

// The name in `Das Feld "Name" ...`; empty when the message names none.
std::string MemberNamedIn(std::string_view line) {
  constexpr std::string_view kField = "Feld \"";
  const std::size_t open = line.find(kField);
  if (open == std::string_view::npos) return {};
  const std::size_t first = open + kField.size();
  const std::size_t close = line.find('"', first);
  return close == std::string_view::npos ? std::string()
                                         : std::string(line.substr(first, close - first));
}

}  // namespace

std::vector<ResultFinding> ResultFindings(std::string_view result) {
  std::vector<ResultFinding> findings;
  ResultFinding block{"DtAzvDatei", 0, {}, {}};
  while (!result.empty()) {
    const std::size_t end = result.find('\n');
    std::string_view line = result.substr(0, end);
    result.remove_prefix(end == std::string_view::npos ? result.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line == kSuccess) continue;
    if (line.starts_with(kPaymentBlock)) {
      std::string_view number = line.substr(kPaymentBlock.size());
      std::size_t payment = 0;
      std::from_chars(number.data(), number.data() + number.size(), payment);
      block = {"GeldTransfer", payment, {}, {}};
    } else if (line.starts_with(kSenderBlock)) {
      block = {"MeineInfo", 0, {}, {}};
    } else if (line.starts_with(kTrailerBlock)) {
      block = {"Footer", 0, {}, {}};
    } else if (line == kPathMessage) {
      findings.push_back({"DtAzvDatei", 0, "Pfad", std::string(line)});
    } else if (line == kFileTextMessage) {
      findings.push_back({"DtAzvDatei", 0, {}, std::string(line)});
    } else {
      findings.push_back({block.object, block.payment, MemberNamedIn(line), std::string(line)});
    }
  }
  return findings;
}

nlohmann::ordered_json ResultFindingsJson(std::string_view result) {
  using Json = nlohmann::ordered_json;
  Json list = Json::array();
  for (const ResultFinding& finding : ResultFindings(result)) {
    Json entry;
    entry["object"] = finding.object;
    entry["payment"] = finding.payment == 0 ? Json() : Json(finding.payment);
    entry["member"] = finding.member.empty() ? Json() : Json(finding.member);
    entry["message"] = finding.message;
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace xkdtazv::cli
