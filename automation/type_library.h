// The type information of the XKDTAZV library, built from the classes'
// bindings and the enumeration tables.
#ifndef XKDTAZV_AUTOMATION_TYPE_LIBRARY_H_
#define XKDTAZV_AUTOMATION_TYPE_LIBRARY_H_

#include <span>

#include "automation/object.h"
#include "xkdtazv/automation.h"

namespace xkdtazv::detail {

// In published order: DtAzvDatei, GeldTransfer, MeineInfo.
std::span<const ClassBinding* const> PublishedClasses();
// The description of the class's default interface, inside the type library.
const XkInterfaceInfo* InterfaceInfoOf(const ClassBinding& binding);

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_TYPE_LIBRARY_H_
