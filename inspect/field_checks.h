// The checks that each field's table row asks for, whatever the payment kind:
// digits in numeric fields, DTAZV characters and left alignment in text
// fields, mandatory and empty fields, real dates, codes.
#ifndef XKDTAZV_INSPECT_FIELD_CHECKS_H_
#define XKDTAZV_INSPECT_FIELD_CHECKS_H_

#include "inspect/finding_list.h"
#include "reader/dtazv_reader.h"

namespace xkdtazv::cli {

// Checks every field that `record` holds completely; a record of an unknown
// type has no fields to check.
void CheckFields(const Record& record, FindingList& findings);

// The DTAZV character set: A-Z, 0-9, blank and . , & - / + * $ %.
bool IsDtazvCharacter(char c) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_FIELD_CHECKS_H_
