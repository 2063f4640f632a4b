#include "platform/regional.h"

#include <langinfo.h>
#include <locale.h>

namespace xkdtazv::detail {

std::string DecimalMark() {
  // A private locale object, so the process's global locale is never touched.
  locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return ".";
  std::string mark = nl_langinfo_l(RADIXCHAR, locale);
  freelocale(locale);
  return mark;
}

}  // namespace xkdtazv::detail
