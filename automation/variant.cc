#include "automation/variant.h"

#include <cstring>

#include "automation/object.h"
#include "automation/text.h"

namespace xkdtazv::detail {

void SetText(XkVariant& variant, std::string_view utf8) {
  variant.bstrVal = NewBstr(utf8);
  variant.vt = XK_VT_BSTR;
}

void SetInteger(XkVariant& variant, std::int32_t value) {
  variant.vt = XK_VT_I4;
  variant.lVal = value;
}

void SetObject(XkVariant& variant, XkDispatch* object) {
  variant.vt = XK_VT_DISPATCH;
  variant.pdispVal = object;
}

}  // namespace xkdtazv::detail

extern "C" {

XK_API void XkVariantInit(XkVariant* variant) {
  if (variant != nullptr) std::memset(variant, 0, sizeof *variant);
}

XK_API XkResult XkVariantClear(XkVariant* variant) {
  if (variant == nullptr) return XK_E_POINTER;
  switch (variant->vt) {
    case XK_VT_EMPTY:
    case XK_VT_I4:
    case XK_VT_BOOL:
      break;
    case XK_VT_BSTR:
      XkBstrFree(variant->bstrVal);
      break;
    case XK_VT_DISPATCH:
    case XK_VT_UNKNOWN:
      if (variant->punkVal != nullptr) xkdtazv::detail::ReleaseInterface(variant->punkVal);
      break;
    default:
      return XK_DISP_E_BADVARTYPE;
  }
  XkVariantInit(variant);
  return XK_S_OK;
}

XK_API XkResult XkVariantCopy(XkVariant* dest, const XkVariant* source) {
  if (dest == nullptr || source == nullptr) return XK_E_POINTER;
  if (dest == source) return XK_S_OK;
  XkVariant copy = *source;
  switch (source->vt) {
    case XK_VT_EMPTY:
    case XK_VT_I4:
    case XK_VT_BOOL:
      break;
    case XK_VT_BSTR:
      if (source->bstrVal != nullptr) {
        copy.bstrVal = XkBstrAlloc(source->bstrVal, XkBstrLength(source->bstrVal));
        if (copy.bstrVal == nullptr) return XK_E_OUTOFMEMORY;
      }
      break;
    case XK_VT_DISPATCH:
    case XK_VT_UNKNOWN:
      if (source->punkVal != nullptr) xkdtazv::detail::AddRefInterface(source->punkVal);
      break;
    default:
      return XK_DISP_E_BADVARTYPE;
  }
  const XkResult cleared = XkVariantClear(dest);
  if (XK_FAILED(cleared)) {
    XkVariantClear(&copy);
    return cleared;
  }
  *dest = copy;
  return XK_S_OK;
}

}  // extern "C"
