// Reads a batch written as JSON: Pfad and DiffFileName at the top, the sender
// under "MeineInfo", the payments as a list of objects under "GeldTransfer".
//
//   {"Pfad": "out", "MeineInfo": {"BLZ": "37040044"},
//    "GeldTransfer": [{"Betrag": "99,90", "LaenderCode": "FRANKREICH"}]}
//
// Which members exist is not decided here but against the component's type
// information; this reader only keeps every key and value in order.
#ifndef XKDTAZV_BATCH_BATCH_JSON_H_
#define XKDTAZV_BATCH_BATCH_JSON_H_

#include <string_view>

#include "batch/batch.h"

namespace xkdtazv::cli {

inline constexpr std::string_view kSenderKey = "MeineInfo";
inline constexpr std::string_view kTransfersKey = "GeldTransfer";

// A syntax error is reported with its line and column. Never throws.
BatchReadResult ReadJsonBatch(std::string_view text) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_BATCH_BATCH_JSON_H_
