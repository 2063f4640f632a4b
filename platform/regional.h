// Regional settings: the decimal mark of the process locale, read from the
// environment (LC_ALL, LC_NUMERIC, LANG) as the C library resolves it at the
// moment of each call. Nothing is cached.
#ifndef XKDTAZV_PLATFORM_REGIONAL_H_
#define XKDTAZV_PLATFORM_REGIONAL_H_

#include <string>

namespace xkdtazv::detail {

// "," in a German locale, "." in the C locale. A locale that the environment
// names but the system does not have counts as the C locale.
std::string DecimalMark();

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_PLATFORM_REGIONAL_H_
