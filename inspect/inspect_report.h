// What `inspect` shows: every record field by field in aligned tables, then
// the findings; or the same as JSON for programs.
//
//   std::cout << InspectionText(Inspect(bytes), "out/DTAZV");
//   std::cout << InspectionJson(Inspect(bytes), "out/DTAZV").dump(2);
#ifndef XKDTAZV_INSPECT_INSPECT_REPORT_H_
#define XKDTAZV_INSPECT_INSPECT_REPORT_H_

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

#include "inspect/finding.h"
#include "inspect/inspection.h"

namespace xkdtazv::cli {

// One line per finding, each beginning with where it was found:
// "record 4 (T, payment 3), T12 IBAN, positions 421-455: ...".
std::string FindingLine(const Finding& finding);

// The findings alone, as `generate` reports them after the component's result.
std::string FindingsText(const std::vector<Finding>& findings);

// The records as tables, then the findings. `path` names the file.
std::string InspectionText(const Inspection& inspection, std::string_view path);

nlohmann::ordered_json InspectionJson(const Inspection& inspection, std::string_view path);

// The JSON text of `value`, indented, with a final line break.
std::string JsonText(const nlohmann::ordered_json& value);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_INSPECT_REPORT_H_
