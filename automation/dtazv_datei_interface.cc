// _DtAzvDatei: the file object, which owns its sender and keeps the payments
// the host hands it.
#include <array>
#include <utility>

#include "automation/accessors.h"
#include "automation/objects.h"
#include "automation/slots.h"

namespace xkdtazv::detail {
namespace {

constexpr std::string_view kSuccess = "SUCCESS";

DtAzvDateiObject& FileOf(AutomationObject& object) {
  return static_cast<DtAzvDateiObject&>(object);
}

void ReadSender(AutomationObject& object, XkVariant& result) {
  MeineInfoObject& sender = FileOf(object).sender();
  sender.AddRef();
  SetObject(result, sender.As<XkDispatch>());
}

// The argument was checked to be null or one of our GeldTransfer objects.
void CallAddGeldTransfer(AutomationObject& object, const XkVariant* argument, XkVariant& result) {
  XkResult status = XK_S_OK;
  Ref<AutomationObject> resolved = AutomationObject::Resolve(argument->punkVal, status);
  auto payment =
      Ref<GeldTransferObject>::Adopt(static_cast<GeldTransferObject*>(resolved.Detach()));
  SetText(result, FileOf(object).AddGeldTransfer(std::move(payment)));
}

constexpr std::array kMembers{
    XK_TEXT_PROPERTY(DtAzvDatei, Pfad),
    XK_TEXT_PROPERTY(DtAzvDatei, DiffFileName),
    Member{.name = "GetMeineInfo",
           .kind = MemberKind::kReadOnly,
           .type = {XK_VT_DISPATCH, "MeineInfo"},
           .get = &ReadSender},
    Member{.name = "AddGeldTransfer",
           .kind = MemberKind::kMethod,
           .type = kTextValue,
           .param_name = "newTransfer",
           .param_type = {XK_VT_DISPATCH, "GeldTransfer"},
           .call = &CallAddGeldTransfer},
    XK_TEXT_METHOD(DtAzvDatei, Generate),
    // _DtAzvDatei2
    XK_TEXT_METHOD(DtAzvDatei, GeneratePain001),
    Member{.name = "Pain001Dateien",
           .kind = MemberKind::kReadOnly,
           .type = kTextValue,
           .get = &ReadText<&DtAzvDatei::Pain001Dateien>},
};
constexpr std::size_t kPublishedMembers = 5;
constexpr auto kMemberInfos = MemberInfos(kMembers);

// The newer table begins with the published one, slot for slot.
constexpr XkDtAzvDatei2Vtbl kVtbl = {
    XK_DISPATCH_SLOTS_INIT,
    XK_PROPERTY_SLOTS(XkDtAzvDatei2Vtbl, kMembers, Pfad),
    XK_PROPERTY_SLOTS(XkDtAzvDatei2Vtbl, kMembers, DiffFileName),
    XK_READ_ONLY_SLOT(XkDtAzvDatei2Vtbl, kMembers, GetMeineInfo),
    XK_METHOD_SLOT(XkDtAzvDatei2Vtbl, kMembers, AddGeldTransfer),
    XK_METHOD_SLOT(XkDtAzvDatei2Vtbl, kMembers, Generate),
    XK_METHOD_SLOT(XkDtAzvDatei2Vtbl, kMembers, GeneratePain001),
    XK_READ_ONLY_SLOT(XkDtAzvDatei2Vtbl, kMembers, Pain001Dateien),
};
static_assert(offsetof(XkDtAzvDatei2Vtbl, Generate) == offsetof(XkDtAzvDateiVtbl, Generate));

AutomationObject* NewDtAzvDatei() { return new DtAzvDateiObject(); }

}  // namespace

constexpr ClassBinding kDtAzvDateiClass = {
    .name = "DtAzvDatei",
    .prog_id = "XKDTAZV.DtAzvDatei",
    .clsid = XK_CLSID_DtAzvDatei,
    .iid_resource = "_IID_DTAZVDATEI",
    .interface_name = "_DtAzvDatei",
    .iid = XK_IID__DtAzvDatei,
    .members = kMembers,
    .member_infos = kMemberInfos,
    .published_members = kPublishedMembers,
    .extension_name = "_DtAzvDatei2",
    .extension_iid = XK_IID__DtAzvDatei2,
    .vtbl = &kVtbl,
    .create = &NewDtAzvDatei,
};

DtAzvDateiObject::DtAzvDateiObject()
    : AutomationObject(kDtAzvDateiClass),
      sender_(Ref<MeineInfoObject>::Adopt(new MeineInfoObject(file_.GetMeineInfo()))) {}

std::string DtAzvDateiObject::AddGeldTransfer(Ref<GeldTransferObject> payment) {
  std::shared_ptr<GeldTransfer> shared = payment ? payment->shared() : nullptr;
  payments_.push_back(std::move(payment));
  std::string result = file_.AddGeldTransfer(std::move(shared));
  // The core reports a collection that could not take the payment.
  if (result != kSuccess) payments_.pop_back();
  return result;
}

}  // namespace xkdtazv::detail
