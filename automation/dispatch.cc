#include "automation/dispatch.h"

#include <optional>
#include <string_view>

#include "automation/guid.h"
#include "automation/text.h"
#include "automation/variant.h"

namespace xkdtazv::detail {
namespace {

enum class Operation { kGet, kPut, kCall };

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

// Automation names are matched without regard to ASCII case.
bool SameName(std::u16string_view requested, std::string_view name) {
  if (requested.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (AsciiLower(requested[i]) != AsciiLower(static_cast<unsigned char>(name[i]))) {
      return false;
    }
  }
  return true;
}

bool IsNullInterface(const XkGuid* iid) { return iid == nullptr || SameGuid(*iid, XK_IID_NULL); }

std::optional<Operation> OperationFor(const Member& member, std::uint16_t flags) {
  if ((flags & XK_DISPATCH_PROPERTYPUT) != 0) {
    if (member.kind == MemberKind::kReadWrite) return Operation::kPut;
    return std::nullopt;
  }
  if (member.kind == MemberKind::kMethod) {
    if ((flags & XK_DISPATCH_METHOD) != 0) return Operation::kCall;
    return std::nullopt;
  }
  if ((flags & (XK_DISPATCH_PROPERTYGET | XK_DISPATCH_METHOD)) != 0) return Operation::kGet;
  return std::nullopt;
}

std::uint32_t ArgumentCount(const Member& member, Operation operation) {
  switch (operation) {
    case Operation::kGet:
      return 0;
    case Operation::kPut:
      return 1;
    case Operation::kCall:
      break;
  }
  return member.param_name != nullptr ? 1 : 0;
}

// Every member takes at most one argument, so the order of rgvarg never
// matters; only names are checked.
XkResult CheckNamedArguments(Operation operation, const XkDispParams& params,
                             std::uint32_t* arg_error) {
  if (operation == Operation::kGet && params.cNamedArgs > 0) return XK_DISP_E_NONAMEDARGS;
  for (std::uint32_t i = 0; i < params.cNamedArgs; ++i) {
    const XkDispId id = params.rgdispidNamedArgs[i];
    const bool known = (operation == Operation::kPut && id == XK_DISPID_PROPERTYPUT) ||
                       (operation == Operation::kCall && id == 0);
    if (!known) {
      if (arg_error != nullptr) *arg_error = i;
      return XK_DISP_E_PARAMNOTFOUND;
    }
  }
  return XK_S_OK;
}

XkResult CheckObject(const ValueType& type, XkUnknown* reference) {
  XkResult status = XK_S_OK;
  const Ref<AutomationObject> object = AutomationObject::Resolve(reference, status);
  if (status == XK_RPC_E_WRONG_THREAD) return status;
  if (reference == nullptr) return XK_S_OK;
  if (!object || std::string_view(object->binding().name) != type.name) {
    return XK_DISP_E_TYPEMISMATCH;
  }
  return XK_S_OK;
}

}  // namespace

XkResult CheckValue(const ValueType& type, const XkVariant& value) {
  switch (value.vt) {
    case XK_VT_EMPTY:
    case XK_VT_I4:
    case XK_VT_BOOL:
    case XK_VT_BSTR:
    case XK_VT_DISPATCH:
    case XK_VT_UNKNOWN:
      break;
    default:
      return XK_DISP_E_BADVARTYPE;
  }
  if (type.vt == XK_VT_DISPATCH) {
    if (value.vt != XK_VT_DISPATCH && value.vt != XK_VT_UNKNOWN) return XK_DISP_E_TYPEMISMATCH;
    return CheckObject(type, value.punkVal);
  }
  return value.vt == type.vt ? XK_S_OK : XK_DISP_E_TYPEMISMATCH;
}

XkResult GetIdsOfNames(const AutomationObject& object, const XkGuid* iid,
                       const XkChar16* const* names, std::uint32_t count, XkDispId* dispids) {
  if (names == nullptr || dispids == nullptr) return XK_E_POINTER;
  if (count == 0) return XK_E_INVALIDARG;
  if (!IsNullInterface(iid)) return XK_DISP_E_UNKNOWNINTERFACE;
  for (std::uint32_t i = 0; i < count; ++i) dispids[i] = XK_DISPID_UNKNOWN;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (names[i] == nullptr) return XK_E_POINTER;
  }

  const std::span<const Member> members = object.binding().members;
  const std::u16string_view wanted = NameOf(names[0]);
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < members.size() && !found; ++i) {
    if (SameName(wanted, members[i].name)) found = i;
  }
  if (!found) return XK_DISP_E_UNKNOWNNAME;
  dispids[0] = DispIdOf(*found);

  // The remaining names are the member's parameters, numbered by position.
  XkResult status = XK_S_OK;
  const Member& member = members[*found];
  for (std::uint32_t i = 1; i < count; ++i) {
    if (member.param_name != nullptr && SameName(NameOf(names[i]), member.param_name)) {
      dispids[i] = 0;
    } else {
      status = XK_DISP_E_UNKNOWNNAME;
    }
  }
  return status;
}

XkResult Invoke(AutomationObject& object, XkDispId dispid, const XkGuid* iid, std::uint16_t flags,
                const XkDispParams* params, XkVariant* result, XkExcepInfo* excepinfo,
                std::uint32_t* arg_error) {
  if (result != nullptr) XkVariantInit(result);
  if (!IsNullInterface(iid)) return XK_DISP_E_UNKNOWNINTERFACE;
  if (params == nullptr) return XK_E_POINTER;
  if ((params->cArgs > 0 && params->rgvarg == nullptr) ||
      (params->cNamedArgs > 0 && params->rgdispidNamedArgs == nullptr)) {
    return XK_E_POINTER;
  }
  if (params->cNamedArgs > params->cArgs) return XK_E_INVALIDARG;

  const std::span<const Member> members = object.binding().members;
  if (dispid < 1 || static_cast<std::size_t>(dispid) > members.size()) {
    return XK_DISP_E_MEMBERNOTFOUND;
  }
  const Member& member = members[static_cast<std::size_t>(dispid) - 1];
  const std::optional<Operation> operation = OperationFor(member, flags);
  if (!operation) return XK_DISP_E_MEMBERNOTFOUND;

  const XkResult named = CheckNamedArguments(*operation, *params, arg_error);
  if (XK_FAILED(named)) return named;
  if (params->cArgs != ArgumentCount(member, *operation)) return XK_DISP_E_BADPARAMCOUNT;

  const XkVariant* argument = params->cArgs > 0 ? &params->rgvarg[0] : nullptr;
  if (argument != nullptr) {
    const ValueType& type = *operation == Operation::kPut ? member.type : member.param_type;
    const XkResult checked = CheckValue(type, *argument);
    if (XK_FAILED(checked)) {
      if (arg_error != nullptr) *arg_error = 0;
      return checked;
    }
  }

  OwnedVariant value;
  try {
    switch (*operation) {
      case Operation::kGet:
        member.get(object, value.get());
        break;
      case Operation::kPut:
        member.put(object, *argument);
        break;
      case Operation::kCall:
        member.call(object, argument, value.get());
        break;
    }
  } catch (const Failure& failure) {
    if (excepinfo == nullptr) return XK_FAILURE_STATUS(failure.number());
    FillExcepInfo(*excepinfo, failure, object.binding().prog_id);
    return XK_DISP_E_EXCEPTION;
  }
  if (result != nullptr) value.MoveTo(*result);
  return XK_S_OK;
}

void FillExcepInfo(XkExcepInfo& info, const Failure& failure, const char* source) noexcept {
  XkExcepInfoClear(&info);
  info.number = failure.number();
  info.scode = XK_FAILURE_STATUS(failure.number());
  try {
    info.source = NewBstr(source);
    info.description = NewBstr(failure.description());
  } catch (...) {
    // The number alone still tells the host what happened.
  }
}

}  // namespace xkdtazv::detail
