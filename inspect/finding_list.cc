#include "inspect/finding_list.h"

namespace xkdtazv::cli {

void FindingList::About(const Record& record, const FieldSpec& field, std::string message) {
  Finding finding;
  finding.record = record.index;
  finding.record_type = record.type;
  finding.payment = record.payment;
  finding.field_id = field.id;
  finding.field_name = field.name;
  finding.first = field.first;
  finding.last = field.last();
  finding.message = std::move(message);
  list_.push_back(std::move(finding));
}

void FindingList::About(const Record& record, std::string message) {
  Finding finding;
  finding.record = record.index;
  finding.record_type = record.type;
  finding.payment = record.payment;
  finding.message = std::move(message);
  list_.push_back(std::move(finding));
}

void FindingList::AboutFile(std::string message) {
  Finding finding;
  finding.message = std::move(message);
  list_.push_back(std::move(finding));
}

std::string FindingList::Quote(std::string_view bytes) const {
  std::string quoted = "\"";
  quoted += PrintableWindows1252(TrimTrailingBlanks(bytes), table_);
  quoted += '"';
  return quoted;
}

}  // namespace xkdtazv::cli
