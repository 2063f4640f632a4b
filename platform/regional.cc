#include "platform/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string_view>

namespace xkdtazv::detail {
namespace {

// The locale name the C library takes for LC_NUMERIC from the environment.
std::string_view NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

}  // namespace

std::string DecimalMark() {
  // The C locale, in any character set ("C.UTF-8"), has the point; the system
  // would load such a locale anew on every call only to say so.
  const std::string_view name = NumericLocaleName();
  if (name == "C" || name == "POSIX" || name.starts_with("C.")) return ".";
  // A private locale object, so the process's global locale is never touched.
  locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return ".";
  std::string mark = nl_langinfo_l(RADIXCHAR, locale);
  freelocale(locale);
  return mark;
}

}  // namespace xkdtazv::detail
