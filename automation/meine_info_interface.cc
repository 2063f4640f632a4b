// _MeineInfo: the sender of a file, reachable only through DtAzvDatei.GetMeineInfo.
#include <array>
#include <utility>

#include "automation/accessors.h"
#include "automation/objects.h"
#include "automation/slots.h"

namespace xkdtazv::detail {
namespace {

constexpr std::array kMembers{
    XK_TEXT_PROPERTY(MeineInfo, BLZ),           XK_TEXT_PROPERTY(MeineInfo, Kontonummer),
    XK_TEXT_PROPERTY(MeineInfo, Name),          XK_TEXT_PROPERTY(MeineInfo, Vorname),
    XK_TEXT_PROPERTY(MeineInfo, Strasse),       XK_TEXT_PROPERTY(MeineInfo, OrtPLZ),
    XK_TEXT_PROPERTY(MeineInfo, ExecutionDate),
};
constexpr auto kMemberInfos = MemberInfos(kMembers);

constexpr XkMeineInfoVtbl kVtbl = {
    XK_DISPATCH_SLOTS_INIT,
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, BLZ),
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, Kontonummer),
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, Name),
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, Vorname),
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, Strasse),
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, OrtPLZ),
    XK_PROPERTY_SLOTS(XkMeineInfoVtbl, kMembers, ExecutionDate),
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
    .vtbl = &kVtbl,
    .create = nullptr,
};

MeineInfoObject::MeineInfoObject(std::shared_ptr<MeineInfo> sender)
    : AutomationObject(kMeineInfoClass), sender_(std::move(sender)) {}

}  // namespace xkdtazv::detail
