// Reads payments from CSV as accounting programs export it: a header row of
// member names, one payment per line, ";" between fields, fields in double
// quotes where they hold ";", quotes or line breaks ("" for a quote), UTF-8 or
// Windows-1252.
//
//   Name;LaenderCode;IBAN;Betrag;Zahlungsart
//   "Dupont; Fils SARL";FRANKREICH;FR7630006000011234567890189;1500,50;EU_STANDART
//
// An empty field leaves its member unset. The sender comes from elsewhere.
#ifndef XKDTAZV_BATCH_BATCH_CSV_H_
#define XKDTAZV_BATCH_BATCH_CSV_H_

#include <string_view>

#include "batch/batch.h"

namespace xkdtazv::cli {

// Errors name the line and column (in characters) where the fault begins.
// Never throws.
BatchReadResult ReadCsvBatch(std::string_view bytes) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_BATCH_BATCH_CSV_H_
