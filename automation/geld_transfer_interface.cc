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
};
constexpr auto kMemberInfos = MemberInfos(kMembers);

constexpr XkGeldTransferVtbl kVtbl = {
    XK_DISPATCH_SLOTS_INIT,
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, BIC),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, BankLaenderCode),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, LaenderCode),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Name),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Vorname),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Strasse),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, OrtPLZ),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, IBAN),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Betrag),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Verwendungszweck1),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Verwendungszweck2),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Verwendungszweck3),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Verwendungszweck4),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Weisungsschluessel1),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Weisungsschluessel2),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Weisungsschluessel3),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Weisungsschluessel4),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, WeisungsschluesselZusatz),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Entgeltregelung),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Zahlungsart),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, VariableText),
    XK_PROPERTY_SLOTS(XkGeldTransferVtbl, kMembers, Ansprechpartner),
    XK_METHOD_SLOT(XkGeldTransferVtbl, kMembers, IsValid),
    XK_METHOD_SLOT(XkGeldTransferVtbl, kMembers, GetSeparatorString),
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
    .vtbl = &kVtbl,
    .create = &NewGeldTransfer,
};

GeldTransferObject::GeldTransferObject()
    : AutomationObject(kGeldTransferClass), payment_(std::make_shared<GeldTransfer>()) {}

}  // namespace xkdtazv::detail
