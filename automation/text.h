// Length-counted UTF-16 text (XkBstr) and its conversion to and from the
// component's UTF-8.
#ifndef XKDTAZV_AUTOMATION_TEXT_H_
#define XKDTAZV_AUTOMATION_TEXT_H_

#include <string>
#include <string_view>

#include "xkdtazv/automation.h"

namespace xkdtazv::detail {

// A new XkBstr; invalid UTF-8 becomes U+FFFD. Throws std::bad_alloc.
XkBstr NewBstr(std::string_view utf8);
// UTF-8 of an XkBstr (NULL is empty); unpaired surrogates become U+FFFD.
std::string Utf8Of(XkBstr text);
// Code units of a NUL-terminated UTF-16 name, for name lookups.
std::u16string_view NameOf(const XkChar16* name);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_TEXT_H_
