// _MeineInfo: the sender of a file, reachable only through DtAzvDatei.GetMeineInfo.
#include <array>
#include <utility>

#include "automation/accessors.h"
#include "automation/objects.h"
#include "automation/slots.h"

namespace xkdtazv::detail {
namespace {

constexpr std::array kMembers{
    XK_TEXT_PROPERTY(MeineInfo, BLZ),
    XK_TEXT_PROPERTY(MeineInfo, Kontonummer),
    XK_TEXT_PROPERTY(MeineInfo, Name),
    XK_TEXT_PROPERTY(MeineInfo, Vorname),
    XK_TEXT_PROPERTY(MeineInfo, Strasse),
    XK_TEXT_PROPERTY(MeineInfo, OrtPLZ),
    XK_TEXT_PROPERTY(MeineInfo, ExecutionDate),
    // _MeineInfo2
    XK_TEXT_PROPERTY(MeineInfo, IBAN),
    XK_TEXT_PROPERTY(MeineInfo, BIC),
    XK_TEXT_PROPERTY(MeineInfo, Waehrung),
    XK_TEXT_PROPERTY(MeineInfo, PLZ),
    XK_TEXT_PROPERTY(MeineInfo, Ort),
    XK_TEXT_PROPERTY(MeineInfo, LaenderISO),
};
constexpr std::size_t kPublishedMembers = 7;
constexpr auto kMemberInfos = MemberInfos(kMembers);

// The newer table begins with the published one, slot for slot.
constexpr XkMeineInfo2Vtbl kVtbl = {
    XK_DISPATCH_SLOTS_INIT,
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, BLZ),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, Kontonummer),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, Name),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, Vorname),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, Strasse),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, OrtPLZ),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, ExecutionDate),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, IBAN),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, BIC),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, Waehrung),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, PLZ),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, Ort),
    XK_PROPERTY_SLOTS(XkMeineInfo2Vtbl, kMembers, LaenderISO),
};

}  // namespace

constexpr ClassBinding kMeineInfoClass = {
    .name = "MeineInfo",
    .prog_id = "XKDTAZV.MeineInfo",
    .clsid = XK_CLSID_MeineInfo,
    .iid_resource = "_IID_MEINEINFO",
    .interface_name = "_MeineInfo",
    .iid = XK_IID__MeineInfo,
    .members = kMembers,
    .member_infos = kMemberInfos,
    .published_members = kPublishedMembers,
    .extension_name = "_MeineInfo2",
    .extension_iid = XK_IID__MeineInfo2,
    .vtbl = &kVtbl,
    .create = nullptr,
};

MeineInfoObject::MeineInfoObject(std::shared_ptr<MeineInfo> sender)
    : AutomationObject(kMeineInfoClass), sender_(std::move(sender)) {}

}  // namespace xkdtazv::detail
