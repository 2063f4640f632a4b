// Filling and reading variants inside the library.
#ifndef XKDTAZV_AUTOMATION_VARIANT_H_
#define XKDTAZV_AUTOMATION_VARIANT_H_

#include <string_view>

#include "xkdtazv/automation.h"

namespace xkdtazv::detail {

// Each of these expects an empty variant. SetText throws std::bad_alloc.
void SetText(XkVariant& variant, std::string_view utf8);
void SetInteger(XkVariant& variant, std::int32_t value);
// Takes over a reference the caller already holds.
void SetObject(XkVariant& variant, XkDispatch* object);

// A variant that clears itself, for results that may be dropped on the way.
class OwnedVariant {
 public:
  OwnedVariant() { XkVariantInit(&variant_); }
  ~OwnedVariant() { XkVariantClear(&variant_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;

  XkVariant& get() { return variant_; }
  // Hands the value over, leaving this one empty.
  void MoveTo(XkVariant& target) {
    target = variant_;
    XkVariantInit(&variant_);
  }

 private:
  XkVariant variant_;
};

}  // namespace xkdtazv::detail

#endif  // XKDTAZV_AUTOMATION_VARIANT_H_
