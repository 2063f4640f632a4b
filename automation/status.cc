// Names and German descriptions of every status the library returns, in one
// table. Where the component's failure scheme has a number for a status, the
// description is the scheme's, so hosts see one wording per failure.
#include <array>
#include <optional>

#include "xkdtazv/automation.h"
#include "xkdtazv/failure.h"

namespace {

using xkdtazv::FailureCode;

struct StatusEntry {
  XkResult status;
  const char* name;
  const char* description;             // null: the failure's description
  std::optional<FailureCode> failure;  // the scheme's number for this status
};

constexpr std::array kStatuses{
    StatusEntry{XK_S_OK, "XK_S_OK", "Kein Fehler", std::nullopt},
    StatusEntry{XK_S_FALSE, "XK_S_FALSE", "Kein Fehler, Antwort nein", std::nullopt},
    StatusEntry{XK_E_NOTIMPL, "XK_E_NOTIMPL", "Nicht implementiert", std::nullopt},
    StatusEntry{XK_E_NOINTERFACE, "XK_E_NOINTERFACE", "Schnittstelle wird nicht unterstützt",
                std::nullopt},
    StatusEntry{XK_E_POINTER, "XK_E_POINTER", nullptr, FailureCode::kObjectNotSet},
    StatusEntry{XK_E_FAIL, "XK_E_FAIL", "Unbekannter Fehler", std::nullopt},
    StatusEntry{XK_E_UNEXPECTED, "XK_E_UNEXPECTED", nullptr, FailureCode::kInternal},
    StatusEntry{XK_E_OUTOFMEMORY, "XK_E_OUTOFMEMORY", nullptr, FailureCode::kOutOfMemory},
    StatusEntry{XK_E_INVALIDARG, "XK_E_INVALIDARG", nullptr, FailureCode::kInvalidArgument},
    StatusEntry{XK_CLASS_E_NOAGGREGATION, "XK_CLASS_E_NOAGGREGATION",
                "Klasse unterstützt keine Aggregation", std::nullopt},
    StatusEntry{XK_CLASS_E_CLASSNOTAVAILABLE, "XK_CLASS_E_CLASSNOTAVAILABLE",
                "Klasse kann nicht erzeugt werden", std::nullopt},
    StatusEntry{XK_REGDB_E_READREGDB, "XK_REGDB_E_READREGDB",
                "Registrierungsdatei kann nicht gelesen werden", std::nullopt},
    StatusEntry{XK_REGDB_E_WRITEREGDB, "XK_REGDB_E_WRITEREGDB",
                "Registrierungsdatei kann nicht geschrieben werden", std::nullopt},
    StatusEntry{XK_REGDB_E_CLASSNOTREG, "XK_REGDB_E_CLASSNOTREG", "Klasse nicht registriert",
                std::nullopt},
    StatusEntry{XK_REGDB_E_DAMAGED, "XK_REGDB_E_DAMAGED", "Registrierungsdatei ist beschädigt",
                std::nullopt},
    StatusEntry{XK_DISP_E_UNKNOWNINTERFACE, "XK_DISP_E_UNKNOWNINTERFACE",
                "Unbekannte Schnittstelle", std::nullopt},
    StatusEntry{XK_DISP_E_MEMBERNOTFOUND, "XK_DISP_E_MEMBERNOTFOUND",
                "Mitglied nicht gefunden oder für diesen Aufruf nicht verwendbar", std::nullopt},
    StatusEntry{XK_DISP_E_PARAMNOTFOUND, "XK_DISP_E_PARAMNOTFOUND", "Parameter nicht gefunden",
                std::nullopt},
    StatusEntry{XK_DISP_E_TYPEMISMATCH, "XK_DISP_E_TYPEMISMATCH", nullptr,
                FailureCode::kTypeMismatch},
    StatusEntry{XK_DISP_E_UNKNOWNNAME, "XK_DISP_E_UNKNOWNNAME", "Unbekannter Name", std::nullopt},
    StatusEntry{XK_DISP_E_NONAMEDARGS, "XK_DISP_E_NONAMEDARGS", "Keine benannten Argumente",
                std::nullopt},
    StatusEntry{XK_DISP_E_BADVARTYPE, "XK_DISP_E_BADVARTYPE", "Ungültiger Variant-Typ",
                std::nullopt},
    StatusEntry{XK_DISP_E_EXCEPTION, "XK_DISP_E_EXCEPTION", "Ausnahmefehler", std::nullopt},
    StatusEntry{XK_DISP_E_BADINDEX, "XK_DISP_E_BADINDEX", nullptr, FailureCode::kOutOfRange},
    StatusEntry{XK_DISP_E_BADPARAMCOUNT, "XK_DISP_E_BADPARAMCOUNT", "Falsche Anzahl an Argumenten",
                std::nullopt},
    StatusEntry{XK_RPC_E_WRONG_THREAD, "XK_RPC_E_WRONG_THREAD", nullptr, FailureCode::kWrongThread},
};

const StatusEntry* Find(XkResult status) {
  for (const auto& entry : kStatuses) {
    if (entry.status == status) return &entry;
  }
  return nullptr;
}

}  // namespace

extern "C" {

XK_API const char* XkStatusName(XkResult status) {
  if (XK_IS_FAILURE_STATUS(status)) return "XK_FAILURE_STATUS";
  const StatusEntry* entry = Find(status);
  return entry ? entry->name : "XK_UNKNOWN_STATUS";
}

// The failure scheme's descriptions are string literals, so their views are
// NUL-terminated.
XK_API const char* XkStatusDescription(XkResult status) {
  if (XK_IS_FAILURE_STATUS(status)) {
    return xkdtazv::DescriptionOf(static_cast<FailureCode>(XK_FAILURE_NUMBER(status))).data();
  }
  const StatusEntry* entry = Find(status);
  if (entry == nullptr) return xkdtazv::DescriptionOf(static_cast<FailureCode>(-1)).data();
  if (entry->description != nullptr) return entry->description;
  return xkdtazv::DescriptionOf(*entry->failure).data();
}

XK_API int32_t XkStatusNumber(XkResult status) {
  if (XK_IS_FAILURE_STATUS(status)) return XK_FAILURE_NUMBER(status);
  const StatusEntry* entry = Find(status);
  if (entry != nullptr && entry->failure) return static_cast<int32_t>(*entry->failure);
  return status;
}

}  // extern "C"
