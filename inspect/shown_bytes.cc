#include "inspect/shown_bytes.h"

#include <algorithm>
#include <string>

namespace xkdtazv::cli {

ShownBytes::ShownBytes(const Windows1252Table& table) {
  for (std::size_t byte = 0; byte < forms_.size(); ++byte) {
    const char value = static_cast<char>(byte);
    // Each byte is shown on its own, so its form is what a one-byte text shows.
    const std::string form = PrintableWindows1252(std::string_view(&value, 1), table);
    forms_[byte].length = std::min(form.size(), kLongest);
    std::copy_n(form.begin(), forms_[byte].length, forms_[byte].bytes.begin());
  }
}

}  // namespace xkdtazv::cli
