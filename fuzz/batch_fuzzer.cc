// Feeds any bytes to both batch readers: each answers with a batch or an
// error text, never with a crash, a hang or an exception.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "batch/batch_csv.h"
#include "batch/batch_json.h"

namespace {

void Check(const xkdtazv::cli::BatchReadResult& result) {
  // Exactly one of the two: a batch, or the reason there is none.
  if (result.batch.has_value() == !result.error.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(xkdtazv::cli::ReadJsonBatch(bytes));
  Check(xkdtazv::cli::ReadCsvBatch(bytes));
  return 0;
}
