// Helpers for tests that drive libXKDTAZV.so through its C interface only.
#ifndef XKDTAZV_TESTS_AUTOMATION_TEST_SUPPORT_H_
#define XKDTAZV_TESTS_AUTOMATION_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xkdtazv/automation.h"

namespace xkdtazv::testing {

// Holds one reference to an interface.
template <class Interface>
class Com {
 public:
  Com() = default;
  explicit Com(Interface* pointer) : pointer_(pointer) {}
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  Com(Com&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  Com& operator=(Com&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ~Com() { Reset(); }

  void Reset() {
    if (Interface* held = std::exchange(pointer_, nullptr)) held->lpVtbl->Release(held);
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  // For out parameters of the interface's own type.
  Interface** out() {
    Reset();
    return &pointer_;
  }
  void** out_void() { return reinterpret_cast<void**>(out()); }
  XkDispatch* dispatch() const { return reinterpret_cast<XkDispatch*>(pointer_); }
  XkUnknown* unknown() const { return reinterpret_cast<XkUnknown*>(pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// Owns an XkBstr.
class Bstr {
 public:
  explicit Bstr(std::string_view utf8) : text_(XkBstrFromUtf8(utf8.data(), utf8.size())) {}
  explicit Bstr(const std::u16string& utf16)
      : text_(XkBstrAlloc(reinterpret_cast<const XkChar16*>(utf16.data()),
                          static_cast<std::uint32_t>(utf16.size()))) {}
  Bstr() = default;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { XkBstrFree(text_); }

  XkBstr get() const { return text_; }
  XkBstr* out() {
    XkBstrFree(text_);
    text_ = nullptr;
    return &text_;
  }
  // Hands the text over, e.g. to a variant.
  XkBstr release() { return std::exchange(text_, nullptr); }
  std::string utf8() const;

 private:
  XkBstr text_ = nullptr;
};

std::string Utf8(XkBstr text);

// Owns a variant.
struct Variant {
  Variant() { XkVariantInit(&value); }
  Variant(Variant&& other) noexcept : value(other.value) { XkVariantInit(&other.value); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { XkVariantClear(&value); }
  static Variant Text(std::string_view utf8);
  static Variant Integer(std::int32_t number);
  static Variant Boolean(bool flag);
  // Borrows `object`: adds a reference of its own.
  static Variant Object(XkDispatch* object);

  XkVariant value;
};

// One Invoke by name, with everything it reports.
struct Outcome {
  XkResult status = XK_S_OK;
  Variant result;
  std::int32_t number = 0;
  std::string source;
  std::string description;
  std::uint32_t arg_error = UINT32_MAX;
};

XkDispId DispIdOf(XkDispatch* object, std::string_view name, XkResult* status = nullptr);
Outcome Invoke(XkDispatch* object, std::string_view name, std::uint16_t flags,
               std::vector<XkVariant> arguments = {}, std::vector<XkDispId> named = {});
Outcome Get(XkDispatch* object, std::string_view name);
Outcome Put(XkDispatch* object, std::string_view name, const XkVariant& value);
Outcome Call(XkDispatch* object, std::string_view name, std::vector<XkVariant> arguments = {});

Com<XkDtAzvDatei> NewFile();
Com<XkGeldTransfer> NewPayment();

// Every test ends with no object of the library alive.
class AutomationTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(DllCanUnloadNow(), XK_S_OK) << "objects leaked"; }
};

}  // namespace xkdtazv::testing

#endif  // XKDTAZV_TESTS_AUTOMATION_TEST_SUPPORT_H_
