// _GeldTransfer: one payment order.
#include <array>
#include <memory>

#include "automation/accessors.h"
#include "automation/objects.h"
#include "automation/slots.h"

namespace xkdtazv::detail {
namespace {

constexpr std::array kMembers{
    XK_TEXT_PROPERTY(GeldTransfer, BIC),
    XK_TEXT_PROPERTY(GeldTransfer, BankLaenderCode),
    XK_ENUM_PROPERTY(GeldTransfer, LaenderCode),
    XK_TEXT_PROPERTY(GeldTransfer, Name),
    XK_TEXT_PROPERTY(GeldTransfer, Vorname),
    XK_TEXT_PROPERTY(GeldTransfer, Strasse),
    XK_TEXT_PROPERTY(GeldTransfer, OrtPLZ),
    XK_TEXT_PROPERTY(GeldTransfer, IBAN),
    XK_TEXT_PROPERTY(GeldTransfer, Betrag),
    XK_TEXT_PROPERTY(GeldTransfer, Verwendungszweck1),
    XK_TEXT_PROPERTY(GeldTransfer, Verwendungszweck2),
    XK_TEXT_PROPERTY(GeldTransfer, Verwendungszweck3),
    XK_TEXT_PROPERTY(GeldTransfer, Verwendungszweck4),
    XK_ENUM_PROPERTY(GeldTransfer, Weisungsschluessel1),
    XK_ENUM_PROPERTY(GeldTransfer, Weisungsschluessel2),
    XK_ENUM_PROPERTY(GeldTransfer, Weisungsschluessel3),
    XK_ENUM_PROPERTY(GeldTransfer, Weisungsschluessel4),
    XK_TEXT_PROPERTY(GeldTransfer, WeisungsschluesselZusatz),
    XK_TEXT_PROPERTY(GeldTransfer, Entgeltregelung),
    XK_ENUM_PROPERTY(GeldTransfer, Zahlungsart),
    XK_TEXT_PROPERTY(GeldTransfer, VariableText),
    XK_TEXT_PROPERTY(GeldTransfer, Ansprechpartner),
    XK_TEXT_METHOD(GeldTransfer, IsValid),
    XK_TEXT_METHOD(GeldTransfer, GetSeparatorString),
    // _GeldTransfer2
    XK_TEXT_PROPERTY(GeldTransfer, Auftragswaehrung),
    XK_TEXT_PROPERTY(GeldTransfer, LaenderISO),
    XK_TEXT_PROPERTY(GeldTransfer, EmpfaengerKonto),
    XK_TEXT_PROPERTY(GeldTransfer, Clearingcode),
    XK_TEXT_PROPERTY(GeldTransfer, BankName),
    XK_TEXT_PROPERTY(GeldTransfer, BankOrtPLZ),
    XK_TEXT_PROPERTY(GeldTransfer, PLZ),
    XK_TEXT_PROPERTY(GeldTransfer, Ort),
    XK_TEXT_PROPERTY(GeldTransfer, EndToEndId),
};
constexpr std::size_t kPublishedMembers = 24;
constexpr auto kMemberInfos = MemberInfos(kMembers);

// The newer table begins with the published one, slot for slot.
constexpr XkGeldTransfer2Vtbl kVtbl = {
    XK_DISPATCH_SLOTS_INIT,
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, BIC),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, BankLaenderCode),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, LaenderCode),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Name),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Vorname),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Strasse),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, OrtPLZ),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, IBAN),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Betrag),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Verwendungszweck1),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Verwendungszweck2),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Verwendungszweck3),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Verwendungszweck4),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Weisungsschluessel1),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Weisungsschluessel2),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Weisungsschluessel3),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Weisungsschluessel4),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, WeisungsschluesselZusatz),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Entgeltregelung),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Zahlungsart),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, VariableText),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Ansprechpartner),
    XK_METHOD_SLOT(XkGeldTransfer2Vtbl, kMembers, IsValid),
    XK_METHOD_SLOT(XkGeldTransfer2Vtbl, kMembers, GetSeparatorString),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Auftragswaehrung),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, LaenderISO),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, EmpfaengerKonto),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Clearingcode),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, BankName),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, BankOrtPLZ),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, PLZ),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, Ort),
    XK_PROPERTY_SLOTS(XkGeldTransfer2Vtbl, kMembers, EndToEndId),
};

AutomationObject* NewGeldTransfer() { return new GeldTransferObject(); }

}  // namespace

constexpr ClassBinding kGeldTransferClass = {
    .name = "GeldTransfer",
    .prog_id = "XKDTAZV.GeldTransfer",
    .clsid = XK_CLSID_GeldTransfer,
    .iid_resource = "_IID_GELDTRANSFER",
    .interface_name = "_GeldTransfer",
    .iid = XK_IID__GeldTransfer,
    .members = kMembers,
    .member_infos = kMemberInfos,
    .published_members = kPublishedMembers,
    .extension_name = "_GeldTransfer2",
    .extension_iid = XK_IID__GeldTransfer2,
    .vtbl = &kVtbl,
    .create = &NewGeldTransfer,
};

GeldTransferObject::GeldTransferObject()
    : AutomationObject(kGeldTransferClass), payment_(std::make_shared<GeldTransfer>()) {}

}  // namespace xkdtazv::detail
