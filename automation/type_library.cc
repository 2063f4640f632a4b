#include "automation/type_library.h"

#include <array>

#include "automation/enumerations.h"
#include "automation/guid.h"
#include "automation/objects.h"
#include "xkdtazv/version.h"

namespace xkdtazv::detail {
namespace {

constexpr std::array<const ClassBinding*, 3> kClasses = {&kDtAzvDateiClass, &kGeldTransferClass,
                                                         &kMeineInfoClass};

constexpr std::array kEnums = {
    EnumInfoOf<Zahlungsart>(),
    EnumInfoOf<Weisungsschluessel>(),
    EnumInfoOf<LaenderCodes>(),
    EnumInfoOf<AllowedEULaenderCodes>(),
};

// Built once, on first use, from the class bindings; constant afterwards.
// Version 1.0 describes the published interfaces only; version 1.1 makes
// each class's extension its default and lists the published ones after.
class TypeLibrary {
 public:
  explicit TypeLibrary(bool extended) {
    const std::size_t count = kClasses.size();
    for (std::size_t i = 0; i < count; ++i) {
      const ClassBinding& binding = *kClasses[i];
      const XkInterfaceInfo published{
          binding.interface_name, binding.iid, XK_INTERFACE_DUAL | XK_INTERFACE_HIDDEN,
          static_cast<std::uint32_t>(binding.published_members), binding.member_infos.data()};
      const XkInterfaceInfo extension{
          binding.extension_name, binding.extension_iid, XK_INTERFACE_DUAL | XK_INTERFACE_HIDDEN,
          static_cast<std::uint32_t>(binding.member_infos.size()), binding.member_infos.data()};
      interfaces_[i] = extended ? extension : published;
      if (extended) interfaces_[count + i] = published;
      classes_[i] = XkClassInfo{binding.name,    binding.prog_id,
                                binding.clsid,   binding.create != nullptr ? 1 : 0,
                                &interfaces_[i], binding.iid_resource};
    }
    info_ = XkTypeLibInfo{
        "XKDTAZV",
        XK_LIBID_XKDTAZV,
        XKDTAZV_VERSION_MAJOR,
        static_cast<std::uint16_t>(extended ? 1 : XKDTAZV_VERSION_MINOR),
        0x409,
        XKDTAZV_VERSION_STRING ".0",
        "Apartment",
        1,
        static_cast<std::uint32_t>(classes_.size()),
        classes_.data(),
        static_cast<std::uint32_t>(extended ? 2 * count : count),
        interfaces_.data(),
        static_cast<std::uint32_t>(kEnums.size()),
        kEnums.data(),
    };
  }
  TypeLibrary(const TypeLibrary&) = delete;
  TypeLibrary& operator=(const TypeLibrary&) = delete;

  const XkTypeLibInfo& info() const { return info_; }
  const XkInterfaceInfo* InterfaceOf(const ClassBinding& binding) const {
    for (const XkInterfaceInfo& info : interfaces_) {
      if (SameGuid(info.iid, binding.iid)) return &info;
    }
    return nullptr;
  }

 private:
  std::array<XkInterfaceInfo, 2 * kClasses.size()> interfaces_{};
  std::array<XkClassInfo, kClasses.size()> classes_{};
  XkTypeLibInfo info_{};
};

const TypeLibrary& Library() {
  static const TypeLibrary library(false);
  return library;
}

const TypeLibrary& ExtendedLibrary() {
  static const TypeLibrary library(true);
  return library;
}

}  // namespace

std::span<const ClassBinding* const> PublishedClasses() { return kClasses; }

const XkInterfaceInfo* InterfaceInfoOf(const ClassBinding& binding) {
  return Library().InterfaceOf(binding);
}

}  // namespace xkdtazv::detail

extern "C" XK_API const XkTypeLibInfo* XkGetTypeLibInfo(void) {
  return &xkdtazv::detail::Library().info();
}

extern "C" XK_API const XkTypeLibInfo* XkGetTypeLibInfo2(void) {
  return &xkdtazv::detail::ExtendedLibrary().info();
}
