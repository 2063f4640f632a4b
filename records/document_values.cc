// The values only the pain.001 documents carry, kept beside the records'
// fields: stored as the host wrote them, invalid bytes made U+FFFD.
#include <memory>

#include "platform/text.h"
#include "xkdtazv/geld_transfer.h"
#include "xkdtazv/meine_info.h"

namespace xkdtazv {

#define XKDTAZV_DOCUMENT_VALUE(Class, Name, member)                                         \
  std::string Class::Name() const { return document_ ? document_->member : std::string(); } \
  void Class::set##Name(std::string_view value) {                                           \
    std::string sanitized = detail::SanitizeUtf8(value);                                    \
    if (!document_) document_ = std::make_unique<DocumentValues>();                         \
    document_->member = std::move(sanitized);                                               \
  }

XKDTAZV_DOCUMENT_VALUE(GeldTransfer, Auftragswaehrung, auftragswaehrung)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, LaenderISO, laender_iso)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, EmpfaengerKonto, empfaenger_konto)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, Clearingcode, clearingcode)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, BankName, bank_name)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, BankOrtPLZ, bank_ort_plz)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, PLZ, plz)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, Ort, ort)
XKDTAZV_DOCUMENT_VALUE(GeldTransfer, EndToEndId, end_to_end_id)

XKDTAZV_DOCUMENT_VALUE(MeineInfo, IBAN, iban)
XKDTAZV_DOCUMENT_VALUE(MeineInfo, BIC, bic)
XKDTAZV_DOCUMENT_VALUE(MeineInfo, Waehrung, waehrung)
XKDTAZV_DOCUMENT_VALUE(MeineInfo, PLZ, plz)
XKDTAZV_DOCUMENT_VALUE(MeineInfo, Ort, ort)
XKDTAZV_DOCUMENT_VALUE(MeineInfo, LaenderISO, laender_iso)

#undef XKDTAZV_DOCUMENT_VALUE

}  // namespace xkdtazv
