#include "cli/convert_command.h"

#include <nlohmann/json.hpp>

#include "cli/exit_status.h"
#include "cli/file_access.h"

namespace xkdtazv::cli {
namespace {

using payment::Severity;

constexpr std::string_view kSeverityNames[] = {"error", "warning", "note"};

int StatusOf(const pain001::Conversion& conversion) {
  if (conversion.failure) return kRunFailed;
  if (conversion.findings.HasErrors()) return kInputError;
  return conversion.findings.list().empty() ? kClean : kFindings;
}

void PrintText(const pain001::Conversion& conversion, std::ostream& out) {
  if (!conversion.findings.list().empty()) {
    out << "Findings:\n";
    for (const payment::Finding& finding : conversion.findings.list())
      out << "  " << finding.Text() << "\n";
  }
  if (conversion.failure) {
    out << "The run failed (" << *conversion.failure << "); nothing was written.\n";
    return;
  }
  if (conversion.findings.HasErrors()) {
    out << "Nothing was written: the payments have errors.\n";
    return;
  }
  out << "Documents (upload each under its EBICS order type):\n";
  for (const pain001::WrittenDocument& document : conversion.documents) {
    out << "  " << pain001::OrderTypeName(document.type) << "  " << document.path << "  "
        << document.payments << (document.payments == 1 ? " payment" : " payments")
        << ", control sum " << document.control_sum << "\n";
  }
}

void PrintJson(const std::string& file, const pain001::Conversion& conversion, std::ostream& out) {
  nlohmann::ordered_json json;
  json["file"] = file;
  json["written"] = !conversion.documents.empty();
  if (conversion.failure) json["failure"] = *conversion.failure;
  json["findings"] = nlohmann::ordered_json::array();
  for (const payment::Finding& finding : conversion.findings.list()) {
    json["findings"].push_back({{"severity", kSeverityNames[static_cast<int>(finding.severity)]},
                                {"payment", finding.payment},
                                {"message", finding.Text()}});
  }
  json["documents"] = nlohmann::ordered_json::array();
  for (const pain001::WrittenDocument& document : conversion.documents) {
    json["documents"].push_back({{"path", document.path},
                                 {"order_type", pain001::OrderTypeName(document.type)},
                                 {"payments", document.payments},
                                 {"control_sum", document.control_sum}});
  }
  out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace

int RunConvert(const ConvertOptions& options, const pain001::ConversionServices& services,
               std::ostream& out, std::ostream& err) {
  const FileContents contents = ReadDtazvFile(options.file);
  if (contents.too_large) {
    err << "xkdtazv convert: " << options.file << ": not a DTAZV file: " << contents.error << "\n";
    return kInputError;
  }
  if (!contents.bytes) {
    err << "xkdtazv convert: cannot read " << options.file << ": " << contents.error << "\n";
    return kInputError;
  }
  if (const std::string why = WhyNotWritableDirectory(options.out); !why.empty()) {
    err << "xkdtazv convert: cannot write to the output directory \"" << options.out
        << "\": " << why << "\n";
    return kInputError;
  }
  const pain001::Conversion conversion = pain001::ConvertDtazv(
      *contents.bytes, {options.file, options.out, options.debtor_iban, options.debtor_bic},
      services);
  if (options.json) {
    PrintJson(options.file, conversion, out);
  } else {
    PrintText(conversion, out);
  }
  return StatusOf(conversion);
}

}  // namespace xkdtazv::cli
