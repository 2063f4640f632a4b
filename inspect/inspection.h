// Inspects the bytes of a DTAZV file the way a bank does: splits them into
// records and fields and lists every finding. This is the whole of `inspect`
// apart from its output, and what a fuzz target links. Its records view
// `bytes`, which must outlive it.
//
//   Inspection inspection = Inspect(bytes);
//   if (!inspection.file.readable) ...;  // no DTAZV file at all
//   for (const Finding& f : inspection.findings) ...;
#ifndef XKDTAZV_INSPECT_INSPECTION_H_
#define XKDTAZV_INSPECT_INSPECTION_H_

#include <string_view>
#include <vector>

#include "inspect/finding.h"
#include "reader/dtazv_reader.h"

namespace xkdtazv::cli {

struct Inspection {
  DtazvFile file;
  std::vector<Finding> findings;  // in file order; the file's own at the end

  bool sound() const noexcept { return file.readable && findings.empty(); }
};

// Never throws for any input, and takes time linear in the input's size.
Inspection Inspect(std::string_view bytes) noexcept;

}  // namespace xkdtazv::cli

#endif  // XKDTAZV_INSPECT_INSPECTION_H_
