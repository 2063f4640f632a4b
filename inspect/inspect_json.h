// `inspect --json`: the records field by field and the findings, for
// programs. Written as it is produced, never held whole.
//
//   WriteInspectionJson(Inspect(bytes), "out/DTAZV", std::cout);
#ifndef XKDTAZV_INSPECT_INSPECT_JSON_H_
#define XKDTAZV_INSPECT_INSPECT_JSON_H_

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/finding.h"
#include "inspect/inspection.h"

namespace xkdtazv::cli {

void WriteInspectionJson(const Inspection& inspection, std::string_view path, std::ostream& out);

// The findings as the report's "findings" list, for a document of the caller's.
nlohmann::ordered_json FindingsJson(const std::vector<Finding>& findings);

// The JSON text of `value`, indented, with a final line break.
std::string JsonText(const nlohmann::ordered_json& value);

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_INSPECT_JSON_H_
