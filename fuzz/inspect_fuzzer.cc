// Reads any bytes as a DTAZV file the way `inspect` does, and renders the
// result as text and JSON: never a crash, a hang or an exception.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "inspect/inspect_json.h"
#include "inspect/inspect_report.h"
#include "inspect/inspection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const xkdtazv::cli::Inspection inspection = xkdtazv::cli::Inspect(bytes);
  // A sound file has no findings; an unreadable one is never sound.
  if (inspection.sound() && !inspection.file.readable) std::abort();
  std::ostringstream report;
  xkdtazv::cli::WriteInspectionText(inspection, "fuzz", report);
  xkdtazv::cli::WriteInspectionJson(inspection, "fuzz", report);
  return 0;
}
