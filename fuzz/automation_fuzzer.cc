// Drives libXKDTAZV.so through its public C interface only, as a careless or
// hostile host would: members by name and by slot, every invoke kind, wrong
// argument counts, named arguments, variants of every type (texts with lone
// surrogates, objects of the wrong class, null, an object from elsewhere),
// QueryInterface, reference counts and class factories. After every step it
// checks what the library promises hosts:
// - statuses are success or a failure the interface names; a failure record
//   carries a number and a description;
// - results of Generate, IsValid and AddGeldTransfer have their prescribed
//   form, and a written file sits where the file's name says, with nothing
//   else left in the directory, 512 + 768 * N bytes long unless the result
//   reports a record that could not be rendered ("FEHLER");
// - a failed write changes nothing and the object stays usable;
// - once the host has released everything, no object is left alive and the
//   object from elsewhere has every reference back.
//
// One operation per line; tokens are separated by spaces. Texts are written as
// "..." (spaces allowed) or after s: and may use \s \t \r \n \0 \\ \" \uXXXX
// (any UTF-16 unit, lone surrogates too) and \*N (the unit before, N more
// times); bytes that are not UTF-8 become lone surrogates.
//
//   L 0|1                      locale with "." (C.UTF-8) or "," (de_DE.UTF-8)
//   C file|payment             a new object from its class factory
//   M K                        the sender of file K, held as a new object
//   R K                        the host releases object K
//   + K / - K                  AddRef / Release of object K (kept balanced)
//   Q K IID [!null]            QueryInterface
//   T K INDEX [!null]          GetTypeInfoCount and GetTypeInfo
//   D K NAME... [!iid=IID]     GetIDsOfNames (!null: a null name)
//   I K MEMBER FLAGS ARG...    Invoke; MEMBER a dispatch id or a name, FLAGS
//                              get, put, call, putref joined by + or a number;
//                              ARG a value, =ID,ID (named arguments) or one
//                              of !noparams !nullargs !nullnamed !noresult
//                              !noexcep !noargerr !iid=IID
//   S K SLOT [VALUE] [!null]   a virtual-table slot by number or by name
//                              (get_Name, put_Name, Generate, ...)
//   E K|f|n                    XkGetErrorInfo
//   F CLSID IID [CIID [LOCK]]  DllGetClassObject, then CreateInstance (CIID,
//                              - for none) and LockServer (1 or 0)
//   Y VALUE VALUE              XkVariantCopy from the first into the second
//   U TEXT                     UTF-16 to UTF-8 and back
//   G TEXT                     XkGuidFromString and back
//   X                          DllCanUnloadNow while objects are held
//
// K numbers the objects the host holds, in the order it got them (0 the file,
// 1 its sender, 2 to 4 payments at the start). VALUE: - (empty), i:N, b:N,
// "TEXT", s:TEXT, z: (null text), o:K, o:n, o:f (the object from elsewhere),
// u:... (the same as unknown), t:N (variant type N, no value). IID: IUnknown,
// IDispatch, IClassFactory, _DtAzvDatei, _GeldTransfer, _MeineInfo (and the
// newer _DtAzvDatei2, _GeldTransfer2, _MeineInfo2), DtAzvDatei, GeldTransfer, MeineInfo, LIBID,
// NULLIID, null, {GUID}, or any other word (a GUID made from its letters).
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xkdtazv/automation.h"

namespace {

namespace fs = std::filesystem;

// ---- Checks -------------------------------------------------------------------

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "automation_fuzzer: %s\n", what);
  std::abort();
}

void Expect(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// XKDTAZV_FUZZ_TRACE=1 prints each line and the status of its call, to read
// what a seed or a finding does.
bool Tracing() {
  static const bool tracing = std::getenv("XKDTAZV_FUZZ_TRACE") != nullptr;
  return tracing;
}

// Every status a call returns is one the interface names and describes.
void CheckStatus(const char* what, XkResult status) {
  const char* name = XkStatusName(status);
  if (Tracing()) std::fprintf(stderr, "    %s: %s\n", what, name);
  Expect(std::strcmp(name, "XK_UNKNOWN_STATUS") != 0, "a status the interface does not name");
  Expect(*XkStatusDescription(status) != '\0', "a status without a description");
  if (XK_IS_FAILURE_STATUS(status)) {
    Expect(XkStatusNumber(status) == XK_FAILURE_NUMBER(status), "a failure status' number");
  }
}

constexpr std::size_t kMaxLines = 300;
constexpr std::size_t kMaxHeld = 12;
constexpr int kMaxAdds = 24;
constexpr int kMaxGenerates = 16;
constexpr std::size_t kMaxTextUnits = 200000;

// ---- Texts ----------------------------------------------------------------------

std::string ToUtf8(XkBstr text) {
  std::size_t length = 0;
  char* utf8 = XkBstrToUtf8(text, &length);
  Expect(utf8 != nullptr, "XkBstrToUtf8 gave nothing");
  Expect(utf8[length] == '\0', "UTF-8 text without its NUL");
  std::string copy(utf8, length);
  XkUtf8Free(utf8);
  return copy;
}

std::u16string UnitsOf(XkBstr text) {
  const std::uint32_t length = XkBstrLength(text);
  if (length == 0) return {};
  Expect(text[length] == 0, "text without its NUL");
  return {reinterpret_cast<const char16_t*>(text), length};
}

XkBstr NewBstr(const std::u16string& units) {
  XkBstr text = XkBstrAlloc(reinterpret_cast<const XkChar16*>(units.data()),
                            static_cast<std::uint32_t>(units.size()));
  Expect(text != nullptr || units.empty(), "XkBstrAlloc failed");
  return text;
}

// What the library makes of a text: every unpaired surrogate becomes U+FFFD.
std::u16string Repaired(const std::u16string& units) {
  std::u16string repaired;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      repaired += unit;
      repaired += units[++i];
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      repaired += u'\uFFFD';
    } else {
      repaired += unit;
    }
  }
  return repaired;
}

void AppendCodePoint(std::u16string& units, char32_t code) {
  if (code < 0x10000) {
    units += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    units += static_cast<char16_t>(0xD800 + (code >> 10));
    units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

// The length of the UTF-8 sequence at `text`, or 0 when it is not one.
std::size_t Utf8Sequence(std::string_view text, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || length > text.size()) return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::u16string DecodeText(std::string_view token) {
  if (token.size() >= 2 && token.front() == '"' && token.back() == '"') {
    token = token.substr(1, token.size() - 2);
  } else if (!token.empty() && token.front() == '"') {
    token.remove_prefix(1);
  }
  std::u16string units;
  std::size_t i = 0;
  while (i < token.size() && units.size() < kMaxTextUnits) {
    if (token[i] != '\\' || i + 1 == token.size()) {
      char32_t code = 0;
      const std::size_t length = Utf8Sequence(token.substr(i), code);
      if (length == 0) {
        units += static_cast<char16_t>(0xDC00 | static_cast<unsigned char>(token[i]));
        ++i;
      } else {
        AppendCodePoint(units, code);
        i += length;
      }
      continue;
    }
    const char escaped = token[i + 1];
    i += 2;
    switch (escaped) {
      case 's':
        units += u' ';
        break;
      case 't':
        units += u'\t';
        break;
      case 'r':
        units += u'\r';
        break;
      case 'n':
        units += u'\n';
        break;
      case '0':
        units += u'\0';
        break;
      case 'u': {
        int value = 0;
        std::size_t digits = 0;
        while (digits < 4 && i + digits < token.size() && HexDigit(token[i + digits]) >= 0) {
          value = value * 16 + HexDigit(token[i + digits]);
          ++digits;
        }
        units += static_cast<char16_t>(value);
        i += digits;
        break;
      }
      case '*': {
        std::size_t count = 0;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9' && count < 100000) {
          count = count * 10 + static_cast<std::size_t>(token[i] - '0');
          ++i;
        }
        const char16_t last = units.empty() ? u'A' : units.back();
        units.append(std::min(count, kMaxTextUnits - units.size()), last);
        break;
      }
      default:
        units += static_cast<char16_t>(static_cast<unsigned char>(escaped));
        break;
    }
  }
  return units;
}

// ---- Lines --------------------------------------------------------------------------

// Splits on spaces; a double quote (not escaped) keeps spaces inside a token.
std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size()) break;
    const std::size_t start = i;
    bool quoted = false;
    while (i < line.size() && (quoted || line[i] != ' ')) {
      if (line[i] == '\\') {
        i += 2;
        continue;
      }
      if (line[i] == '"') quoted = !quoted;
      ++i;
    }
    i = std::min(i, line.size());
    tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

std::optional<std::int64_t> Number(std::string_view token) {
  std::size_t i = 0;
  const bool negative = !token.empty() && token[0] == '-';
  if (negative) ++i;
  if (i == token.size()) return std::nullopt;
  // Eighteen digits at most, so the value always fits; further digits are dropped.
  std::int64_t value = 0;
  for (std::size_t digits = 0; i < token.size(); ++i, ++digits) {
    if (token[i] < '0' || token[i] > '9') return std::nullopt;
    if (digits < 18) value = value * 10 + (token[i] - '0');
  }
  return negative ? -value : value;
}

std::int32_t Int32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::size_t Index(std::string_view token, std::size_t count) {
  const std::int64_t value = Number(token).value_or(0);
  return static_cast<std::size_t>(value < 0 ? -value : value) % count;
}

// ---- Identifiers ------------------------------------------------------------------------

struct NamedGuid {
  const char* name;
  const XkGuid* guid;
};
constexpr std::array<NamedGuid, 14> kGuids{{
    {"IUnknown", &XK_IID_IUnknown},
    {"IDispatch", &XK_IID_IDispatch},
    {"IClassFactory", &XK_IID_IClassFactory},
    {"_DtAzvDatei", &XK_IID__DtAzvDatei},
    {"_GeldTransfer", &XK_IID__GeldTransfer},
    {"_MeineInfo", &XK_IID__MeineInfo},
    {"_DtAzvDatei2", &XK_IID__DtAzvDatei2},
    {"_GeldTransfer2", &XK_IID__GeldTransfer2},
    {"_MeineInfo2", &XK_IID__MeineInfo2},
    {"DtAzvDatei", &XK_CLSID_DtAzvDatei},
    {"GeldTransfer", &XK_CLSID_GeldTransfer},
    {"MeineInfo", &XK_CLSID_MeineInfo},
    {"LIBID", &XK_LIBID_XKDTAZV},
    {"NULLIID", &XK_IID_NULL},
}};

// Null for "null"; otherwise stored in `storage`.
const XkGuid* GuidOf(std::string_view token, XkGuid& storage) {
  if (token == "null") return nullptr;
  for (const NamedGuid& named : kGuids) {
    if (token == named.name) return named.guid;
  }
  const std::string text(token);
  if (XkGuidFromString(text.c_str(), &storage) == XK_S_OK) return &storage;
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < token.size(); ++i)
    bytes[i % 16] ^= static_cast<std::uint8_t>(token[i]);
  std::memcpy(&storage.data1, &bytes[0], 4);
  std::memcpy(&storage.data2, &bytes[4], 2);
  std::memcpy(&storage.data3, &bytes[6], 2);
  std::memcpy(storage.data4, &bytes[8], 8);
  return &storage;
}

bool Same(const XkGuid* a, const XkGuid& b) { return a != nullptr && XkGuidEqual(a, &b) != 0; }

// ---- The object from elsewhere ----------------------------------------------------------

// Claims IUnknown and IDispatch but has only the three IUnknown slots: a call
// to any other slot reads past its table.
struct Foreign {
  static XkResult QueryInterface(XkUnknown* self, const XkGuid* iid, void** object);
  static std::uint32_t AddRef(XkUnknown* self);
  static std::uint32_t Release(XkUnknown* self);
  static constexpr XkUnknownVtbl kVtbl{&QueryInterface, &AddRef, &Release};

  XkUnknown iface{&kVtbl};
  std::uint32_t references = 1;
};

Foreign* ForeignOf(XkUnknown* self) { return reinterpret_cast<Foreign*>(self); }

XkResult Foreign::QueryInterface(XkUnknown* self, const XkGuid* iid, void** object) {
  Expect(object != nullptr && iid != nullptr, "the library queried with a null pointer");
  *object = nullptr;
  if (!Same(iid, XK_IID_IUnknown) && !Same(iid, XK_IID_IDispatch)) return XK_E_NOINTERFACE;
  AddRef(self);
  *object = self;
  return XK_S_OK;
}

std::uint32_t Foreign::AddRef(XkUnknown* self) { return ++ForeignOf(self)->references; }

std::uint32_t Foreign::Release(XkUnknown* self) {
  Foreign* foreign = ForeignOf(self);
  Expect(foreign->references > 1, "the library released a foreign reference it did not hold");
  return --foreign->references;
}

// ---- The objects the host holds ----------------------------------------------------------

enum class Kind { kFile, kSender, kPayment };

struct Held {
  void* pointer;
  Kind kind;
  int extra_references = 0;
};

template <class Body>
decltype(auto) Visit(const Held& held, Body&& body) {
  switch (held.kind) {
    case Kind::kFile:
      return body(static_cast<XkDtAzvDatei*>(held.pointer));
    case Kind::kSender:
      return body(static_cast<XkMeineInfo*>(held.pointer));
    case Kind::kPayment:
      break;
  }
  return body(static_cast<XkGeldTransfer*>(held.pointer));
}

const XkClassInfo& ClassOf(Kind kind) {
  static constexpr std::array<const char*, 3> kNames = {"DtAzvDatei", "MeineInfo", "GeldTransfer"};
  const XkTypeLibInfo* info = XkGetTypeLibInfo();
  for (std::uint32_t i = 0; i < info->class_count; ++i) {
    if (std::strcmp(info->classes[i].name, kNames[static_cast<int>(kind)]) == 0) {
      return info->classes[i];
    }
  }
  Fail("a class is missing from the type information");
}

// The newer interface, which begins with the published one: hosts reach its
// members by name and by dispatch id alike.
const XkInterfaceInfo& NewerInterfaceOf(Kind kind) {
  const XkTypeLibInfo* newer = XkGetTypeLibInfo2();
  return *newer->classes[&ClassOf(kind) - XkGetTypeLibInfo()->classes].default_interface;
}

const XkMemberInfo* MemberOf(Kind kind, XkDispId dispid) {
  const XkInterfaceInfo& iface = NewerInterfaceOf(kind);
  for (std::uint32_t i = 0; i < iface.member_count; ++i) {
    if (iface.members[i].dispid == dispid) return &iface.members[i];
  }
  return nullptr;
}

// ---- Virtual-table slots -------------------------------------------------------------------

enum class Shape { kReadText, kWriteText, kReadCode, kWriteCode, kReadObject, kCall, kCallWith };

struct SlotArgs {
  XkBstr text = nullptr;
  std::int32_t code = 0;
  void* object = nullptr;
  bool null_out = false;
};

struct SlotResult {
  SlotResult(XkResult slot_status) : status(slot_status) {}  // NOLINT: a status is a result

  XkResult status;
  bool out_cleared = true;  // on failure, the out parameter was emptied
  std::optional<std::string> text;
  std::optional<std::int32_t> code;
  void* object = nullptr;  // one reference, taken over
};

using SlotCall = SlotResult (*)(void* self, const SlotArgs& args);

struct Slot {
  const char* name;
  std::uint32_t index;
  Shape shape;
  SlotCall call;
};

XkChar16 sentinel_units[2];
const XkBstr kSentinelText = sentinel_units;
constexpr std::int32_t kSentinelCode = 0x5A5A5A5A;

SlotResult TakeText(XkResult status, XkBstr out) {
  SlotResult result{status};
  if (XK_FAILED(status)) {
    result.out_cleared = out == nullptr;
    if (out != kSentinelText) XkBstrFree(out);
    return result;
  }
  Expect(out != kSentinelText, "a slot succeeded without a result");
  result.text = ToUtf8(out);
  XkBstrFree(out);
  return result;
}

template <class Self, auto kField>
SlotResult ReadText(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  XkBstr out = kSentinelText;
  const XkResult status = (object->lpVtbl->*kField)(object, args.null_out ? nullptr : &out);
  return TakeText(status, out);
}

template <class Self, auto kField>
SlotResult WriteText(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  return {(object->lpVtbl->*kField)(object, args.text)};
}

template <class Self, auto kField>
SlotResult ReadCode(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  std::int32_t out = kSentinelCode;
  SlotResult result{(object->lpVtbl->*kField)(object, args.null_out ? nullptr : &out)};
  if (XK_FAILED(result.status)) {
    result.out_cleared = out == 0 || args.null_out;
  } else {
    result.code = out;
  }
  return result;
}

template <class Self, auto kField>
SlotResult WriteCode(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  return {(object->lpVtbl->*kField)(object, args.code)};
}

template <class Self, auto kField>
SlotResult ReadObject(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  XkMeineInfo* out = nullptr;
  SlotResult result{(object->lpVtbl->*kField)(object, args.null_out ? nullptr : &out)};
  result.object = out;
  return result;
}

template <class Self, auto kField>
SlotResult Call(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  XkBstr out = kSentinelText;
  const XkResult status = (object->lpVtbl->*kField)(object, args.null_out ? nullptr : &out);
  return TakeText(status, out);
}

template <class Self, auto kField>
SlotResult CallWith(void* self, const SlotArgs& args) {
  Self* object = static_cast<Self*>(self);
  XkBstr out = kSentinelText;
  const XkResult status = (object->lpVtbl->*kField)(
      object, static_cast<XkGeldTransfer*>(args.object), args.null_out ? nullptr : &out);
  return TakeText(status, out);
}

constexpr std::uint32_t SlotIndex(std::size_t offset) {
  return static_cast<std::uint32_t>(offset / sizeof(void*));
}

// clang-format off
#define SLOT(Vtbl, Self, field, shape, function) \
  Slot{#field, SlotIndex(offsetof(Vtbl, field)), Shape::shape, &function<Self, &Vtbl::field>}
// clang-format on
#define TEXT_PROPERTY(Vtbl, Self, Name)              \
  SLOT(Vtbl, Self, get_##Name, kReadText, ReadText), \
      SLOT(Vtbl, Self, put_##Name, kWriteText, WriteText)
#define CODE_PROPERTY(Vtbl, Self, Name)              \
  SLOT(Vtbl, Self, get_##Name, kReadCode, ReadCode), \
      SLOT(Vtbl, Self, put_##Name, kWriteCode, WriteCode)

// In virtual-table order, from the first slot after IDispatch.
constexpr std::array kFileSlots{
    TEXT_PROPERTY(XkDtAzvDateiVtbl, XkDtAzvDatei, Pfad),
    TEXT_PROPERTY(XkDtAzvDateiVtbl, XkDtAzvDatei, DiffFileName),
    SLOT(XkDtAzvDateiVtbl, XkDtAzvDatei, get_GetMeineInfo, kReadObject, ReadObject),
    SLOT(XkDtAzvDateiVtbl, XkDtAzvDatei, AddGeldTransfer, kCallWith, CallWith),
    SLOT(XkDtAzvDateiVtbl, XkDtAzvDatei, Generate, kCall, Call),
};

constexpr std::array kSenderSlots{
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, BLZ),
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, Kontonummer),
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, Name),
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, Vorname),
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, Strasse),
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, OrtPLZ),
    TEXT_PROPERTY(XkMeineInfoVtbl, XkMeineInfo, ExecutionDate),
};

constexpr std::array kPaymentSlots{
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, BIC),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, BankLaenderCode),
    CODE_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, LaenderCode),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Name),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Vorname),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Strasse),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, OrtPLZ),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, IBAN),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Betrag),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Verwendungszweck1),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Verwendungszweck2),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Verwendungszweck3),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Verwendungszweck4),
    CODE_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Weisungsschluessel1),
    CODE_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Weisungsschluessel2),
    CODE_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Weisungsschluessel3),
    CODE_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Weisungsschluessel4),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, WeisungsschluesselZusatz),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Entgeltregelung),
    CODE_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Zahlungsart),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, VariableText),
    TEXT_PROPERTY(XkGeldTransferVtbl, XkGeldTransfer, Ansprechpartner),
    SLOT(XkGeldTransferVtbl, XkGeldTransfer, IsValid, kCall, Call),
    SLOT(XkGeldTransferVtbl, XkGeldTransfer, GetSeparatorString, kCall, Call),
};

#undef CODE_PROPERTY
#undef TEXT_PROPERTY
#undef SLOT

constexpr std::uint32_t kFirstMemberSlot = 7;
constexpr std::array<const char*, kFirstMemberSlot> kDispatchSlotNames = {
    "QueryInterface", "AddRef",        "Release", "GetTypeInfoCount",
    "GetTypeInfo",    "GetIDsOfNames", "Invoke"};

std::span<const Slot> SlotsOf(Kind kind) {
  switch (kind) {
    case Kind::kFile:
      return kFileSlots;
    case Kind::kSender:
      return kSenderSlots;
    case Kind::kPayment:
      break;
  }
  return kPaymentSlots;
}

const Slot* SlotNamed(Kind kind, std::string_view name) {
  for (const Slot& slot : SlotsOf(kind)) {
    if (name == slot.name) return &slot;
  }
  return nullptr;
}

// The slot tables agree with the type information the library publishes.
void CheckSlotTables() {
  for (const Kind kind : {Kind::kFile, Kind::kSender, Kind::kPayment}) {
    const std::span<const Slot> slots = SlotsOf(kind);
    for (std::size_t i = 0; i < slots.size(); ++i) {
      Expect(slots[i].index == kFirstMemberSlot + i, "slot table out of order");
    }
    const XkInterfaceInfo& iface = *ClassOf(kind).default_interface;
    for (std::uint32_t i = 0; i < iface.member_count; ++i) {
      const XkMemberInfo& member = iface.members[i];
      const bool method = member.kind == XK_MEMBER_METHOD;
      const std::string read = method ? member.name : std::string("get_") + member.name;
      const Slot* get = SlotNamed(kind, read);
      Expect(get != nullptr && get->index == member.get_slot, "type information: read slot");
      if (member.kind == XK_MEMBER_PROPERTY_READ_WRITE) {
        const Slot* put = SlotNamed(kind, std::string("put_") + member.name);
        Expect(put != nullptr && put->index == member.put_slot, "type information: write slot");
      }
    }
  }
}

// ---- Values ---------------------------------------------------------------------------------

// A variant the program owns; it holds its own text and reference.
class Value {
 public:
  Value() { XkVariantInit(&variant_); }
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;
  Value(Value&& other) noexcept : variant_(other.variant_) { XkVariantInit(&other.variant_); }
  ~Value() { Clear(); }

  void Clear() {
    // Variant types the library does not know hold nothing to free.
    if (XkVariantClear(&variant_) != XK_S_OK) XkVariantInit(&variant_);
  }
  XkVariant& get() { return variant_; }
  const XkVariant& get() const { return variant_; }

 private:
  XkVariant variant_;
};

// ---- The session of one input ------------------------------------------------------------------

class Session {
 public:
  explicit Session(const fs::path& directory);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void Run(std::string_view line);

 private:
  // Objects.
  Held* Pick(std::string_view token);
  void* ObjectOf(std::string_view token);
  void Create(Kind kind);
  void Hold(void* pointer, Kind kind);
  void HoldSender(Held& file);
  void Release(std::size_t index);
  std::uint32_t AddRef(const Held& held);
  std::uint32_t ReleaseOnce(const Held& held);

  // Operations.
  void Locale(const std::vector<std::string_view>& tokens);
  void QueryInterface(const std::vector<std::string_view>& tokens);
  void TypeInfo(const std::vector<std::string_view>& tokens);
  void IdsOfNames(const std::vector<std::string_view>& tokens);
  void Invoke(const std::vector<std::string_view>& tokens);
  void CallSlot(const std::vector<std::string_view>& tokens);
  void ErrorInfo(const std::vector<std::string_view>& tokens);
  void Factory(const std::vector<std::string_view>& tokens);
  void Copy(const std::vector<std::string_view>& tokens);
  void RoundTrip(const std::vector<std::string_view>& tokens);
  void GuidText(const std::vector<std::string_view>& tokens);

  // Shared checks.
  Value MakeValue(std::string_view token);
  XkDispId LookUp(const Held& held, const std::u16string& name);
  std::optional<SlotResult> ReadProperty(const Held& held, std::string_view member);
  std::optional<SlotResult> ReadByDispatch(const Held& held, std::string_view name);
  void TakeRecord(const Held& held, std::optional<XkResult> failure);
  void CheckUsable(const Held& held);
  void CheckSender(const Held& file, void* sender);
  bool BeforeMember(const Held& held, std::string_view member);
  void AfterMember(const Held& held, std::string_view member, XkResult status,
                   const std::optional<std::string>& text, bool text_known);
  void PrepareGenerate(const Held& file);
  void CheckGenerated(const Held& file, const std::optional<std::string>& result);
  void CheckDocuments(const Held& file, const std::optional<std::string>& result);

  fs::path directory_;
  Foreign foreign_;
  std::vector<Held> held_;
  std::map<void*, std::size_t> payments_in_file_;
  int server_locks_ = 0;
  int adds_ = 0;
  int generates_ = 0;
};

Session::Session(const fs::path& directory) : directory_(directory) {
  ::setenv("LC_ALL", "C.UTF-8", 1);
  Expect(DllCanUnloadNow() == XK_S_OK, "objects alive before the input");
  Create(Kind::kFile);
  HoldSender(held_[0]);
  for (int i = 0; i < 3; ++i) Create(Kind::kPayment);
}

Session::~Session() {
  while (!held_.empty()) Release(held_.size() - 1);
  for (; server_locks_ > 0; --server_locks_) {
    XkClassFactory* factory = nullptr;
    Expect(DllGetClassObject(&XK_CLSID_GeldTransfer, &XK_IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)) == XK_S_OK,
           "no factory to unlock with");
    Expect(factory->lpVtbl->LockServer(factory, 0) == XK_S_OK, "LockServer(0)");
    factory->lpVtbl->Release(factory);
  }
  Expect(foreign_.references == 1, "the library kept a reference to a foreign object");
  Expect(DllCanUnloadNow() == XK_S_OK, "objects leaked: DllCanUnloadNow after releasing all");
  for (const auto& entry : fs::directory_iterator(directory_)) fs::remove_all(entry);
}

Held* Session::Pick(std::string_view token) {
  if (held_.empty()) return nullptr;
  return &held_[Index(token, held_.size())];
}

// An object argument: a held object, n (null) or f (the object from elsewhere).
void* Session::ObjectOf(std::string_view token) {
  if (token == "n") return nullptr;
  if (token == "f") return &foreign_.iface;
  const Held* held = Pick(token);
  return held != nullptr ? held->pointer : nullptr;
}

void Session::Hold(void* pointer, Kind kind) {
  if (held_.size() < kMaxHeld) {
    held_.push_back(Held{pointer, kind});
    return;
  }
  Held dropped{pointer, kind};
  ReleaseOnce(dropped);
}

void Session::Create(Kind kind) {
  XkClassFactory* factory = nullptr;
  const XkGuid& clsid = kind == Kind::kFile ? XK_CLSID_DtAzvDatei : XK_CLSID_GeldTransfer;
  Expect(DllGetClassObject(&clsid, &XK_IID_IClassFactory, reinterpret_cast<void**>(&factory)) ==
             XK_S_OK,
         "DllGetClassObject for a creatable class");
  void* object = nullptr;
  const XkGuid& iid = kind == Kind::kFile ? XK_IID__DtAzvDatei : XK_IID__GeldTransfer;
  Expect(factory->lpVtbl->CreateInstance(factory, nullptr, &iid, &object) == XK_S_OK,
         "CreateInstance");
  Expect(factory->lpVtbl->Release(factory) == 0, "the factory outlived its last reference");
  if (kind == Kind::kFile) payments_in_file_[object] = 0;
  Hold(object, kind);
}

void Session::HoldSender(Held& file) {
  auto* typed = static_cast<XkDtAzvDatei*>(file.pointer);
  XkMeineInfo* sender = nullptr;
  Expect(typed->lpVtbl->get_GetMeineInfo(typed, &sender) == XK_S_OK && sender != nullptr,
         "GetMeineInfo");
  CheckSender(file, sender);
  Hold(sender, Kind::kSender);
}

std::uint32_t Session::AddRef(const Held& held) {
  return Visit(held, [](auto* object) { return object->lpVtbl->AddRef(object); });
}

std::uint32_t Session::ReleaseOnce(const Held& held) {
  return Visit(held, [](auto* object) { return object->lpVtbl->Release(object); });
}

void Session::Release(std::size_t index) {
  const Held held = held_[index];
  held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(index));
  for (int i = 0; i < held.extra_references; ++i) ReleaseOnce(held);
  ReleaseOnce(held);
}

// The file hands out the same sender every time, with a reference of its own.
void Session::CheckSender(const Held& file, void* sender) {
  auto* typed = static_cast<XkDtAzvDatei*>(file.pointer);
  XkMeineInfo* again = nullptr;
  Expect(typed->lpVtbl->get_GetMeineInfo(typed, &again) == XK_S_OK, "GetMeineInfo again");
  Expect(again == sender, "GetMeineInfo handed out another sender");
  again->lpVtbl->Release(again);
}

// ---- Operations ------------------------------------------------------------------------------

void Session::Run(std::string_view line) {
  const std::vector<std::string_view> tokens = Tokens(line);
  if (tokens.empty()) return;
  if (Tracing()) std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  const std::string_view op = tokens[0];
  if (op == "L") return Locale(tokens);
  if (op == "C" && tokens.size() > 1) {
    return Create(tokens[1] == "file" ? Kind::kFile : Kind::kPayment);
  }
  if (op == "M" && tokens.size() > 1) {
    Held* file = Pick(tokens[1]);
    if (file != nullptr && file->kind == Kind::kFile) HoldSender(*file);
    return;
  }
  if (op == "R" && tokens.size() > 1 && !held_.empty()) {
    return Release(Index(tokens[1], held_.size()));
  }
  if ((op == "+" || op == "-") && tokens.size() > 1) {
    Held* held = Pick(tokens[1]);
    if (held == nullptr) return;
    if (op == "+") {
      Expect(AddRef(*held) >= 2, "AddRef counted too few references");
      ++held->extra_references;
    } else if (held->extra_references > 0) {
      Expect(ReleaseOnce(*held) >= 1, "Release of an extra reference ended the object");
      --held->extra_references;
    }
    return;
  }
  if (op == "Q") return QueryInterface(tokens);
  if (op == "T") return TypeInfo(tokens);
  if (op == "D") return IdsOfNames(tokens);
  if (op == "I") return Invoke(tokens);
  if (op == "S") return CallSlot(tokens);
  if (op == "E") return ErrorInfo(tokens);
  if (op == "F") return Factory(tokens);
  if (op == "Y") return Copy(tokens);
  if (op == "U") return RoundTrip(tokens);
  if (op == "G") return GuidText(tokens);
  if (op == "X") {
    const XkResult status = DllCanUnloadNow();
    Expect(status == (held_.empty() && server_locks_ == 0 ? XK_S_OK : XK_S_FALSE),
           "DllCanUnloadNow while objects are held");
  }
}

void Session::Locale(const std::vector<std::string_view>& tokens) {
  const bool comma = tokens.size() > 1 && Number(tokens[1]).value_or(0) % 2 != 0;
  ::setenv("LC_ALL", comma ? "de_DE.UTF-8" : "C.UTF-8", 1);
}

void Session::QueryInterface(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 3) return;
  const Held* held = Pick(tokens[1]);
  if (held == nullptr) return;
  XkGuid storage{};
  const XkGuid* iid = GuidOf(tokens[2], storage);
  const bool null_out = tokens.size() > 3 && tokens[3] == "!null";
  void* out = &storage;
  const XkResult status = Visit(*held, [&](auto* object) {
    return object->lpVtbl->QueryInterface(object, iid, null_out ? nullptr : &out);
  });
  if (null_out) return Expect(status == XK_E_POINTER, "QueryInterface into null");
  const XkGuid& own = ClassOf(held->kind).default_interface->iid;
  const XkGuid& newer = NewerInterfaceOf(held->kind).iid;
  if (iid == nullptr) {
    Expect(status == XK_E_POINTER && out == nullptr, "QueryInterface for a null identifier");
  } else if (Same(iid, XK_IID_IUnknown) || Same(iid, XK_IID_IDispatch) || Same(iid, own) ||
             Same(iid, newer)) {
    Expect(status == XK_S_OK && out == held->pointer, "QueryInterface for its own interface");
    ReleaseOnce(*held);
  } else {
    Expect(status == XK_E_NOINTERFACE && out == nullptr, "QueryInterface for another interface");
  }
}

void Session::TypeInfo(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 2) return;
  const Held* held = Pick(tokens[1]);
  if (held == nullptr) return;
  const std::uint32_t index =
      tokens.size() > 2 ? static_cast<std::uint32_t>(Number(tokens[2]).value_or(0)) : 0;
  const bool null_out = tokens.size() > 3 && tokens[3] == "!null";
  std::uint32_t count = 7;
  Expect(Visit(*held,
               [&](auto* object) {
                 return object->lpVtbl->GetTypeInfoCount(object, null_out ? nullptr : &count);
               }) == (null_out ? XK_E_POINTER : XK_S_OK),
         "GetTypeInfoCount");
  Expect(null_out || count == 1, "GetTypeInfoCount is not 1");
  const XkInterfaceInfo* info = reinterpret_cast<const XkInterfaceInfo*>(&count);
  const XkResult status = Visit(*held, [&](auto* object) {
    return object->lpVtbl->GetTypeInfo(object, index, 0x409, null_out ? nullptr : &info);
  });
  if (null_out) return Expect(status == XK_E_POINTER, "GetTypeInfo into null");
  if (index != 0) return Expect(status == XK_DISP_E_BADINDEX && info == nullptr, "GetTypeInfo");
  Expect(status == XK_S_OK && info == ClassOf(held->kind).default_interface, "GetTypeInfo(0)");
}

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

// Names match without regard to ASCII case, up to the name's first NUL.
bool SameName(const std::u16string& requested, std::string_view name) {
  const std::u16string_view prefix(requested.c_str());
  if (prefix.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (AsciiLower(prefix[i]) != AsciiLower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

void Session::IdsOfNames(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 2) return;
  const Held* held = Pick(tokens[1]);
  if (held == nullptr) return;
  std::vector<std::u16string> names;
  std::vector<bool> null_names;
  XkGuid storage{};
  const XkGuid* iid = nullptr;
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    if (tokens[i].starts_with("!iid=")) {
      iid = GuidOf(tokens[i].substr(5), storage);
      continue;
    }
    null_names.push_back(tokens[i] == "!null");
    names.push_back(DecodeText(tokens[i]));
  }
  const std::size_t count = names.size();
  // Exactly as large as the count says.
  auto pointers = std::make_unique<const XkChar16*[]>(count);
  auto dispids = std::make_unique<XkDispId[]>(count);
  for (std::size_t i = 0; i < count; ++i) {
    pointers[i] = null_names[i] ? nullptr : reinterpret_cast<const XkChar16*>(names[i].c_str());
    dispids[i] = 12345;
  }
  const XkResult status = Visit(*held, [&](auto* object) {
    return object->lpVtbl->GetIDsOfNames(object, iid, pointers.get(),
                                         static_cast<std::uint32_t>(count), 0x409, dispids.get());
  });

  if (count == 0) return Expect(status == XK_E_INVALIDARG, "GetIDsOfNames without names");
  if (iid != nullptr && !Same(iid, XK_IID_NULL)) {
    return Expect(status == XK_DISP_E_UNKNOWNINTERFACE, "GetIDsOfNames for an interface");
  }
  for (std::size_t i = 0; i < count; ++i) {
    Expect(dispids[i] != 12345, "GetIDsOfNames left an id unset");
  }
  if (std::find(null_names.begin(), null_names.end(), true) != null_names.end()) {
    return Expect(status == XK_E_POINTER, "GetIDsOfNames with a null name");
  }
  const XkInterfaceInfo& iface = NewerInterfaceOf(held->kind);
  const XkMemberInfo* member = nullptr;
  for (std::uint32_t m = 0; m < iface.member_count && member == nullptr; ++m) {
    if (SameName(names[0], iface.members[m].name)) member = &iface.members[m];
  }
  if (member == nullptr) {
    Expect(status == XK_DISP_E_UNKNOWNNAME, "GetIDsOfNames found an unknown name");
    for (std::size_t i = 0; i < count; ++i) {
      Expect(dispids[i] == XK_DISPID_UNKNOWN, "an unknown name got an id");
    }
    return;
  }
  Expect(dispids[0] == member->dispid, "GetIDsOfNames gave the wrong id");
  bool all_known = true;
  for (std::size_t i = 1; i < count; ++i) {
    const bool known = member->param_name != nullptr && SameName(names[i], member->param_name);
    Expect(dispids[i] == (known ? 0 : XK_DISPID_UNKNOWN), "GetIDsOfNames: parameter id");
    all_known = all_known && known;
  }
  Expect(status == (all_known ? XK_S_OK : XK_DISP_E_UNKNOWNNAME), "GetIDsOfNames status");
}

Value Session::MakeValue(std::string_view token) {
  Value value;
  XkVariant& variant = value.get();
  const auto payload = [&] { return token.size() > 2 ? token.substr(2) : std::string_view(); };
  if (token.starts_with("\"")) {
    variant.vt = XK_VT_BSTR;
    variant.bstrVal = NewBstr(DecodeText(token));
  } else if (token.starts_with("s:")) {
    variant.vt = XK_VT_BSTR;
    variant.bstrVal = NewBstr(DecodeText(payload()));
    // An empty text as an allocated text, unlike z:.
    if (variant.bstrVal == nullptr) variant.bstrVal = XkBstrAlloc(nullptr, 0);
  } else if (token.starts_with("z:")) {
    variant.vt = XK_VT_BSTR;
  } else if (token.starts_with("i:")) {
    variant.vt = XK_VT_I4;
    variant.lVal = Int32(Number(payload()).value_or(0));
  } else if (token.starts_with("b:")) {
    variant.vt = XK_VT_BOOL;
    variant.boolVal = Number(payload()).value_or(0) != 0 ? XK_VARIANT_TRUE : XK_VARIANT_FALSE;
  } else if (token.starts_with("o:") || token.starts_with("u:")) {
    variant.vt = token[0] == 'o' ? XK_VT_DISPATCH : XK_VT_UNKNOWN;
    void* object = ObjectOf(payload());
    if (object == &foreign_.iface) {
      Foreign::AddRef(&foreign_.iface);
    } else if (object != nullptr) {
      for (const Held& held : held_) {
        if (held.pointer == object) {
          AddRef(held);
          break;
        }
      }
    }
    variant.punkVal = static_cast<XkUnknown*>(object);
  } else if (token.starts_with("t:")) {
    variant.vt = static_cast<XkVarType>(Number(payload()).value_or(0));
    // The types that own something get nothing to own.
    if (variant.vt == XK_VT_BSTR || variant.vt == XK_VT_DISPATCH || variant.vt == XK_VT_UNKNOWN) {
      variant.vt = 5;
    }
  }
  return value;
}

XkDispId Session::LookUp(const Held& held, const std::u16string& name) {
  const XkChar16* names[1] = {reinterpret_cast<const XkChar16*>(name.c_str())};
  XkDispId dispid = 0;
  const XkResult status = Visit(held, [&](auto* object) {
    return object->lpVtbl->GetIDsOfNames(object, nullptr, names, 1, 0x409, &dispid);
  });
  Expect(status == XK_S_OK || status == XK_DISP_E_UNKNOWNNAME, "GetIDsOfNames of one name");
  return dispid;
}

bool IsInvokeStatus(XkResult status) {
  static constexpr std::array kStatuses = {
      XK_S_OK,
      XK_E_POINTER,
      XK_E_INVALIDARG,
      XK_DISP_E_UNKNOWNINTERFACE,
      XK_DISP_E_MEMBERNOTFOUND,
      XK_DISP_E_PARAMNOTFOUND,
      XK_DISP_E_TYPEMISMATCH,
      XK_DISP_E_NONAMEDARGS,
      XK_DISP_E_BADVARTYPE,
      XK_DISP_E_EXCEPTION,
      XK_DISP_E_BADPARAMCOUNT,
  };
  return std::find(kStatuses.begin(), kStatuses.end(), status) != kStatuses.end() ||
         XK_IS_FAILURE_STATUS(status);
}

std::uint16_t FlagsOf(std::string_view token) {
  if (const auto number = Number(token)) return static_cast<std::uint16_t>(*number);
  std::uint16_t flags = 0;
  std::size_t start = 0;
  while (start <= token.size()) {
    const std::size_t end = std::min(token.find('+', start), token.size());
    const std::string_view word = token.substr(start, end - start);
    if (word == "get") flags |= XK_DISPATCH_PROPERTYGET;
    if (word == "put") flags |= XK_DISPATCH_PROPERTYPUT;
    if (word == "call") flags |= XK_DISPATCH_METHOD;
    if (word == "putref") flags |= XK_DISPATCH_PROPERTYPUTREF;
    start = end + 1;
  }
  return flags;
}

void Session::Invoke(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 4) return;
  const Held* found = Pick(tokens[1]);
  if (found == nullptr) return;
  const Held held = *found;  // the program's list may change under the call
  const std::optional<std::int64_t> number = Number(tokens[2]);
  const XkDispId dispid = number ? Int32(*number) : LookUp(held, DecodeText(tokens[2]));
  const std::uint16_t flags = FlagsOf(tokens[3]);

  std::vector<Value> values;
  std::vector<XkDispId> named;
  bool no_params = false, null_args = false, null_named = false;
  bool no_result = false, no_excepinfo = false, no_arg_error = false;
  XkGuid storage{};
  const XkGuid* iid = nullptr;
  for (std::size_t i = 4; i < tokens.size(); ++i) {
    const std::string_view token = tokens[i];
    if (token.starts_with("=")) {
      std::size_t start = 1;
      while (start <= token.size()) {
        const std::size_t end = std::min(token.find(',', start), token.size());
        if (end > start)
          named.push_back(Int32(Number(token.substr(start, end - start)).value_or(0)));
        start = end + 1;
      }
    } else if (token == "!noparams") {
      no_params = true;
    } else if (token == "!nullargs") {
      null_args = true;
    } else if (token == "!nullnamed") {
      null_named = true;
    } else if (token == "!noresult") {
      no_result = true;
    } else if (token == "!noexcep") {
      no_excepinfo = true;
    } else if (token == "!noargerr") {
      no_arg_error = true;
    } else if (token.starts_with("!iid=")) {
      iid = GuidOf(token.substr(5), storage);
    } else {
      values.push_back(MakeValue(token));
    }
  }

  const XkMemberInfo* member = MemberOf(held.kind, dispid);
  const std::string_view member_name = member != nullptr ? member->name : "";
  if (!BeforeMember(held, member_name)) return;
  std::optional<SlotResult> before;
  const bool writes = member != nullptr && (flags & XK_DISPATCH_PROPERTYPUT) != 0 &&
                      member->kind == XK_MEMBER_PROPERTY_READ_WRITE;
  if (writes) before = ReadProperty(held, member_name);

  // Arrays exactly as large as their counts say.
  auto arguments = std::make_unique<XkVariant[]>(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) arguments[i] = values[i].get();
  auto named_ids = std::make_unique<XkDispId[]>(named.size());
  std::copy(named.begin(), named.end(), named_ids.get());
  const XkDispParams params{
      null_args ? nullptr : arguments.get(), null_named ? nullptr : named_ids.get(),
      static_cast<std::uint32_t>(values.size()), static_cast<std::uint32_t>(named.size())};
  XkVariant result;
  XkVariantInit(&result);
  result.vt = 0x7777;  // must be emptied first
  XkExcepInfo record{};
  constexpr std::uint32_t kUnset = 0xDEADBEEF;
  std::uint32_t arg_error = kUnset;

  const XkResult status = Visit(held, [&](auto* object) {
    return object->lpVtbl->Invoke(object, dispid, iid, 0x409, flags, no_params ? nullptr : &params,
                                  no_result ? nullptr : &result, no_excepinfo ? nullptr : &record,
                                  no_arg_error ? nullptr : &arg_error);
  });

  CheckStatus("Invoke", status);
  Expect(IsInvokeStatus(status), "Invoke returned a status hosts do not expect");
  Expect(!(no_excepinfo && status == XK_DISP_E_EXCEPTION), "an exception without a record");
  Expect(no_excepinfo || !XK_IS_FAILURE_STATUS(status), "a failure status despite a record");
  if (status == XK_DISP_E_EXCEPTION) {
    Expect(record.number != 0 && record.scode == XK_FAILURE_STATUS(record.number),
           "failure record without its number");
    Expect(!ToUtf8(record.description).empty(), "failure record without a description");
    Expect(ToUtf8(record.source) == ClassOf(held.kind).prog_id, "failure record: source");
  } else {
    Expect(record.description == nullptr && record.source == nullptr && record.number == 0,
           "failure record filled without a failure");
  }
  XkExcepInfoClear(&record);
  Expect(arg_error == kUnset || arg_error < values.size(), "arg_error beyond the arguments");

  std::optional<std::string> text;
  if (!no_result) {
    if (Tracing() && result.vt == XK_VT_BSTR) {
      std::fprintf(stderr, "    -> %s\n", ToUtf8(result.bstrVal).c_str());
    }
    if (XK_FAILED(status) || member == nullptr) {
      Expect(result.vt == XK_VT_EMPTY, "a failed Invoke left a result");
    } else if (writes) {
      Expect(result.vt == XK_VT_EMPTY, "a property write gave a result");
    } else {
      Expect(result.vt == member->vt, "the result has another type than the member");
      if (result.vt == XK_VT_BSTR) text = ToUtf8(result.bstrVal);
      if (result.vt == XK_VT_DISPATCH) CheckSender(held, result.pdispVal);
    }
    if (result.vt != 0x7777) XkVariantClear(&result);
  }
  if (writes && XK_FAILED(status)) {
    const std::optional<SlotResult> after = ReadProperty(held, member_name);
    Expect(after->status == before->status && after->text == before->text &&
               after->code == before->code,
           "a failed write changed the property");
  }
  AfterMember(held, member_name, status, text, !no_result);
  if (XK_FAILED(status)) CheckUsable(held);
}

// The property as a slot reads it, with any failure record taken away.
std::optional<SlotResult> Session::ReadProperty(const Held& held, std::string_view member) {
  const Slot* slot = SlotNamed(held.kind, "get_" + std::string(member));
  if (slot == nullptr) return ReadByDispatch(held, member);
  SlotResult read = slot->call(held.pointer, {});
  if (read.object != nullptr) {
    static_cast<XkMeineInfo*>(read.object)->lpVtbl->Release(static_cast<XkMeineInfo*>(read.object));
    read.object = nullptr;
  }
  TakeRecord(held, XK_FAILED(read.status) ? std::optional(read.status) : std::nullopt);
  return read;
}

// A member of the newer interfaces, which have no slots in this program's
// tables, as IDispatch reads it.
std::optional<SlotResult> Session::ReadByDispatch(const Held& held, std::string_view name) {
  const XkInterfaceInfo& iface = NewerInterfaceOf(held.kind);
  const XkMemberInfo* member = nullptr;
  for (std::uint32_t i = 0; i < iface.member_count && member == nullptr; ++i) {
    if (name == iface.members[i].name) member = &iface.members[i];
  }
  if (member == nullptr || member->kind == XK_MEMBER_METHOD) return std::nullopt;
  XkDispParams none{nullptr, nullptr, 0, 0};
  XkVariant result;
  XkVariantInit(&result);
  XkExcepInfo record{};
  const XkResult status = Visit(held, [&](auto* object) {
    return object->lpVtbl->Invoke(object, member->dispid, &XK_IID_NULL, 0x409,
                                  XK_DISPATCH_PROPERTYGET, &none, &result, &record, nullptr);
  });
  XkExcepInfoClear(&record);
  SlotResult read(status);
  if (result.vt == XK_VT_BSTR) read.text = ToUtf8(result.bstrVal);
  if (result.vt == XK_VT_I4) read.code = result.lVal;
  XkVariantClear(&result);
  return read;
}

// After a failed slot call with a failure status, the record carries its
// number; otherwise there may be none.
void Session::TakeRecord(const Held& held, std::optional<XkResult> failure) {
  XkExcepInfo record{};
  const XkResult status = XkGetErrorInfo(static_cast<XkUnknown*>(held.pointer), &record);
  if (failure && XK_IS_FAILURE_STATUS(*failure)) {
    Expect(status == XK_S_OK && record.number == XK_FAILURE_NUMBER(*failure),
           "no failure record after a failed slot call");
    Expect(!ToUtf8(record.description).empty(), "failure record without a description");
  } else {
    Expect(status == XK_S_FALSE, "a failure record without a failure");
  }
  XkExcepInfoClear(&record);
}

void Session::CheckUsable(const Held& held) {
  std::uint32_t count = 0;
  Expect(
      Visit(held, [&](auto* object) { return object->lpVtbl->GetTypeInfoCount(object, &count); }) ==
              XK_S_OK &&
          count == 1,
      "the object no longer answers");
  const char* probe = held.kind == Kind::kFile     ? "Pfad"
                      : held.kind == Kind::kSender ? "BLZ"
                                                   : "Name";
  Expect(ReadProperty(held, probe)->status == XK_S_OK, "the object no longer reads its text");
}

// Before a member runs: Generate writes only into the program's directory,
// and the run keeps within its limits. False: leave the call out.
bool Session::BeforeMember(const Held& held, std::string_view member) {
  if (held.kind != Kind::kFile) return true;
  if (member == "AddGeldTransfer" && ++adds_ > kMaxAdds) return false;
  if (member == "Generate" || member == "GeneratePain001") {
    if (++generates_ > kMaxGenerates) return false;
    PrepareGenerate(held);
  }
  return true;
}

bool IsLines(const std::string& text) {
  return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

void Session::AfterMember(const Held& held, std::string_view member, XkResult status,
                          const std::optional<std::string>& text, bool text_known) {
  if (XK_FAILED(status)) return;
  if (member == "AddGeldTransfer") {
    ++payments_in_file_[held.pointer];
    if (text_known) Expect(text == "SUCCESS", "AddGeldTransfer did not succeed");
  } else if (member == "Generate") {
    CheckGenerated(held, text_known ? text : std::nullopt);
  } else if (member == "GeneratePain001") {
    CheckDocuments(held, text_known ? text : std::nullopt);
  } else if (member == "IsValid" && text_known) {
    Expect(*text == "SUCCESS" || IsLines(*text), "IsValid: neither SUCCESS nor lines");
  } else if (member == "GetSeparatorString" && text_known) {
    Expect(*text == "." || *text == ",", "GetSeparatorString: no decimal mark");
  }
}

// Pfad is the program's directory; DiffFileName names a file inside it.
void Session::PrepareGenerate(const Held& file) {
  for (const auto& entry : fs::directory_iterator(directory_)) fs::remove_all(entry);
  auto* typed = static_cast<XkDtAzvDatei*>(file.pointer);
  const std::string path = directory_.string();
  XkBstr pfad = XkBstrFromUtf8(path.data(), path.size());
  Expect(typed->lpVtbl->put_Pfad(typed, pfad) == XK_S_OK, "put_Pfad");
  XkBstrFree(pfad);

  XkBstr name = nullptr;
  Expect(typed->lpVtbl->get_DiffFileName(typed, &name) == XK_S_OK, "get_DiffFileName");
  std::u16string units = Repaired(UnitsOf(name));
  XkBstrFree(name);
  std::replace(units.begin(), units.end(), u'/', u'_');
  if (units == u"." || units == u"..") units = u"DTAZV";
  name = NewBstr(units);
  Expect(typed->lpVtbl->put_DiffFileName(typed, name) == XK_S_OK, "put_DiffFileName");
  XkBstrFree(name);
}

// The documents sit in Pfad, exactly those Pain001Dateien lists; with an error
// or a failure there are none.
void Session::CheckDocuments(const Held& file, const std::optional<std::string>& result) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(directory_)) entries.push_back(entry.path());
  std::sort(entries.begin(), entries.end());
  Value listed;
  XkDispParams none{nullptr, nullptr, 0, 0};
  const XkMemberInfo* list = nullptr;
  const XkInterfaceInfo& iface = NewerInterfaceOf(Kind::kFile);
  for (std::uint32_t i = 0; i < iface.member_count; ++i) {
    if (std::string_view(iface.members[i].name) == "Pain001Dateien") list = &iface.members[i];
  }
  Expect(list != nullptr, "Pain001Dateien is missing from the type information");
  auto* typed = static_cast<XkDtAzvDatei*>(file.pointer);
  Expect(typed->lpVtbl->Invoke(typed, list->dispid, &XK_IID_NULL, 0x409, XK_DISPATCH_PROPERTYGET,
                               &none, &listed.get(), nullptr, nullptr) == XK_S_OK &&
             listed.get().vt == XK_VT_BSTR,
         "Pain001Dateien");
  std::vector<std::string> paths;
  const std::string text = ToUtf8(listed.get().bstrVal);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    Expect(end != std::string::npos, "Pain001Dateien: a path without its line end");
    paths.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::sort(paths.begin(), paths.end());
  Expect(paths == entries, "GeneratePain001 wrote other files than Pain001Dateien lists");
  if (!result) return;
  if (result->starts_with("Sonstiger Fehler:")) {
    return Expect(entries.empty(), "a failed GeneratePain001 left a file behind");
  }
  Expect(*result == "SUCCESS" || IsLines(*result), "GeneratePain001: neither SUCCESS nor lines");
  const bool refused =
      result->find("Wegen der Fehler wurde kein Dokument geschrieben.") != std::string::npos;
  Expect(!refused || entries.empty(), "GeneratePain001 wrote despite an error");
  Expect(refused || !entries.empty() || result->starts_with("Bitte"),
         "GeneratePain001 wrote nothing and named no error");
}

// What a run reports when a record cannot be rendered (or a text holds FEHLER).
constexpr std::string_view kFailureInFileText = "Im Ergebnistext wurden Fehler entdeckt!";

void Session::CheckGenerated(const Held& file, const std::optional<std::string>& result) {
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(directory_)) entries.push_back(entry.path());
  if (!result) {
    Expect(entries.size() <= 1, "Generate left more than its file");
    return;
  }
  if (result->starts_with("Sonstiger Fehler:")) {
    Expect(entries.empty(), "a failed Generate left a file behind");
    return;
  }
  Expect(*result == "SUCCESS" || IsLines(*result), "Generate: neither SUCCESS nor lines");
  auto* typed = static_cast<XkDtAzvDatei*>(file.pointer);
  XkBstr name = nullptr;
  Expect(typed->lpVtbl->get_DiffFileName(typed, &name) == XK_S_OK, "get_DiffFileName");
  const fs::path written = directory_ / ToUtf8(name);
  XkBstrFree(name);
  // A record that cannot be rendered (a text beyond 32767 characters) is
  // reported so, and then no file is written.
  if (entries.empty() && result->find(kFailureInFileText) != std::string::npos) return;
  Expect(entries.size() == 1 && entries[0] == written,
         "Generate wrote somewhere else than Pfad and DiffFileName name");
  Expect(fs::file_size(written) == 512 + 768 * payments_in_file_[file.pointer],
         "the file has not 512 + 768 * N bytes");
}

void Session::CallSlot(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 3) return;
  const Held* found = Pick(tokens[1]);
  if (found == nullptr) return;
  const Held held = *found;
  const std::span<const Slot> slots = SlotsOf(held.kind);
  std::uint32_t index = 0;
  if (const auto number = Number(tokens[2])) {
    index = static_cast<std::uint32_t>(Index(tokens[2], kFirstMemberSlot + slots.size()));
  } else {
    const auto generic = std::find(kDispatchSlotNames.begin(), kDispatchSlotNames.end(), tokens[2]);
    const Slot* slot = SlotNamed(held.kind, tokens[2]);
    if (generic != kDispatchSlotNames.end()) {
      index = static_cast<std::uint32_t>(generic - kDispatchSlotNames.begin());
    } else if (slot != nullptr) {
      index = slot->index;
    } else {
      return;
    }
  }
  const std::string_view argument = tokens.size() > 3 ? tokens[3] : std::string_view("-");
  const bool null_out = tokens.size() > 4 && tokens[4] == "!null";

  if (index < kFirstMemberSlot) {
    const std::string k(tokens[1]);
    switch (index) {
      case 0:
        return QueryInterface({"Q", k, argument.starts_with("\"") ? "IDispatch" : argument});
      case 1:
      case 2:
        Expect(AddRef(held) == ReleaseOnce(held) + 1, "AddRef and Release disagree");
        return;
      case 3:
      case 4:
        return TypeInfo({"T", k, argument.starts_with("i:") ? argument.substr(2) : "0"});
      case 5:
        return IdsOfNames({"D", k, argument.starts_with("s:") ? argument.substr(2) : argument});
      default:
        return Invoke({"I", k, argument.starts_with("i:") ? argument.substr(2) : "0", "get+call"});
    }
  }

  const Slot& slot = slots[index - kFirstMemberSlot];
  const std::string_view member = slot.shape == Shape::kCall || slot.shape == Shape::kCallWith
                                      ? std::string_view(slot.name)
                                      : std::string_view(slot.name).substr(4);
  if (!BeforeMember(held, member)) return;

  Value value = MakeValue(argument);
  SlotArgs args;
  args.null_out = null_out;
  const XkVariant& variant = value.get();
  if (variant.vt == XK_VT_BSTR) args.text = variant.bstrVal;
  if (variant.vt == XK_VT_I4) args.code = variant.lVal;
  if (variant.vt == XK_VT_DISPATCH || variant.vt == XK_VT_UNKNOWN) args.object = variant.punkVal;

  const bool writes = slot.shape == Shape::kWriteText || slot.shape == Shape::kWriteCode;
  std::optional<SlotResult> before;
  if (writes) before = ReadProperty(held, member);

  SlotResult result = slot.call(held.pointer, args);
  CheckStatus(slot.name, result.status);
  if (result.text && Tracing()) std::fprintf(stderr, "    -> %s\n", result.text->c_str());
  const bool takes_out = !writes;
  if (null_out && takes_out) {
    Expect(result.status == XK_E_POINTER, "a slot wrote into a null result");
    return;
  }
  switch (slot.shape) {
    case Shape::kReadCode:
    case Shape::kWriteCode:
      Expect(result.status == XK_S_OK || XK_IS_FAILURE_STATUS(result.status),
             "an enumeration slot failed otherwise than with a failure");
      break;
    case Shape::kCallWith: {
      const void* object = args.object;
      bool own_payment = object == nullptr;
      for (const Held& other : held_) {
        own_payment = own_payment || (other.pointer == object && other.kind == Kind::kPayment);
      }
      Expect(result.status == (own_payment ? XK_S_OK : XK_DISP_E_TYPEMISMATCH),
             "AddGeldTransfer by slot: wrong status for its argument");
      break;
    }
    default:
      Expect(result.status == XK_S_OK, "a text slot failed");
      break;
  }
  Expect(result.out_cleared, "a failed slot left its result set");
  if (XK_FAILED(result.status)) {
    TakeRecord(held, result.status);
    if (writes) {
      const std::optional<SlotResult> after = ReadProperty(held, member);
      Expect(after->status == before->status && after->code == before->code &&
                 after->text == before->text,
             "a failed write changed the property");
    }
    CheckUsable(held);
  }
  if (result.object != nullptr) {
    CheckSender(held, result.object);
    static_cast<XkMeineInfo*>(result.object)
        ->lpVtbl->Release(static_cast<XkMeineInfo*>(result.object));
  }
  AfterMember(held, member, result.status, result.text, takes_out);
}

void Session::ErrorInfo(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 2) return;
  void* object = ObjectOf(tokens[1]);
  XkExcepInfo record{};
  const XkResult status = XkGetErrorInfo(static_cast<XkUnknown*>(object), &record);
  if (object == nullptr) return Expect(status == XK_E_POINTER, "XkGetErrorInfo of null");
  if (object == &foreign_.iface) {
    Expect(XK_FAILED(status), "XkGetErrorInfo took a record from a foreign object");
  } else if (status == XK_S_OK) {
    Expect(record.number != 0 && !ToUtf8(record.description).empty(), "XkGetErrorInfo record");
  } else {
    Expect(status == XK_S_FALSE && record.description == nullptr, "XkGetErrorInfo without one");
  }
  XkExcepInfoClear(&record);
}

void Session::Factory(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 3) return;
  XkGuid clsid_storage{}, iid_storage{}, create_storage{};
  const XkGuid* clsid = GuidOf(tokens[1], clsid_storage);
  const XkGuid* iid = GuidOf(tokens[2], iid_storage);
  XkClassFactory* factory = nullptr;
  const XkResult status = DllGetClassObject(clsid, iid, reinterpret_cast<void**>(&factory));
  const bool file = Same(clsid, XK_CLSID_DtAzvDatei);
  const bool creatable = file || Same(clsid, XK_CLSID_GeldTransfer);
  if (clsid == nullptr || iid == nullptr) {
    return Expect(status == XK_E_POINTER && factory == nullptr, "DllGetClassObject(null)");
  }
  if (!creatable) {
    return Expect(status == XK_CLASS_E_CLASSNOTAVAILABLE && factory == nullptr,
                  "DllGetClassObject for a class without a factory");
  }
  if (!Same(iid, XK_IID_IUnknown) && !Same(iid, XK_IID_IClassFactory)) {
    return Expect(status == XK_E_NOINTERFACE && factory == nullptr,
                  "DllGetClassObject for another interface");
  }
  Expect(status == XK_S_OK && factory != nullptr, "DllGetClassObject");

  void* again = nullptr;
  Expect(factory->lpVtbl->QueryInterface(factory, &XK_IID_IClassFactory, &again) == XK_S_OK &&
             again == factory,
         "factory QueryInterface");
  factory->lpVtbl->Release(factory);
  Expect(factory->lpVtbl->QueryInterface(factory, &XK_IID_IDispatch, &again) == XK_E_NOINTERFACE &&
             again == nullptr,
         "factory QueryInterface for IDispatch");

  if (tokens.size() > 3 && tokens[3] != "-") {
    const XkGuid* create_iid = GuidOf(tokens[3], create_storage);
    const bool outer = tokens.size() > 5 && tokens[5] == "!outer";
    void* object = nullptr;
    const XkResult created = factory->lpVtbl->CreateInstance(
        factory, outer ? &foreign_.iface : nullptr, create_iid, &object);
    const XkGuid& own = file ? XK_IID__DtAzvDatei : XK_IID__GeldTransfer;
    const XkGuid& newer = file ? XK_IID__DtAzvDatei2 : XK_IID__GeldTransfer2;
    if (create_iid == nullptr) {
      Expect(created == XK_E_POINTER, "CreateInstance(null)");
    } else if (outer) {
      Expect(created == XK_CLASS_E_NOAGGREGATION, "CreateInstance with an outer object");
    } else if (Same(create_iid, XK_IID_IUnknown) || Same(create_iid, XK_IID_IDispatch) ||
               Same(create_iid, own) || Same(create_iid, newer)) {
      Expect(created == XK_S_OK && object != nullptr, "CreateInstance");
      if (file) payments_in_file_[object] = 0;
      Hold(object, file ? Kind::kFile : Kind::kPayment);
    } else {
      Expect(created == XK_E_NOINTERFACE, "CreateInstance for another interface");
    }
    if (XK_FAILED(created)) Expect(object == nullptr, "a failed CreateInstance left an object");
  }
  if (tokens.size() > 4 && (tokens[4] == "1" || tokens[4] == "0")) {
    const bool lock = tokens[4] == "1";
    Expect(factory->lpVtbl->LockServer(factory, lock ? 1 : 0) == XK_S_OK, "LockServer");
    server_locks_ = lock ? server_locks_ + 1 : std::max(0, server_locks_ - 1);
  }
  factory->lpVtbl->Release(factory);
}

void Session::Copy(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 3) return;
  Value source = MakeValue(tokens[1]);
  Value dest = MakeValue(tokens[2]);
  const auto known = [](XkVarType vt) {
    return vt == XK_VT_EMPTY || vt == XK_VT_I4 || vt == XK_VT_BOOL || vt == XK_VT_BSTR ||
           vt == XK_VT_DISPATCH || vt == XK_VT_UNKNOWN;
  };
  const bool ok = known(source.get().vt) && known(dest.get().vt);
  const XkResult status = XkVariantCopy(&dest.get(), &source.get());
  Expect(status == (ok ? XK_S_OK : XK_DISP_E_BADVARTYPE), "XkVariantCopy status");
  if (!ok) return;
  const XkVariant& a = source.get();
  const XkVariant& b = dest.get();
  Expect(a.vt == b.vt, "XkVariantCopy: another type");
  if (a.vt == XK_VT_BSTR) {
    Expect(UnitsOf(a.bstrVal) == UnitsOf(b.bstrVal), "XkVariantCopy: another text");
  } else if (a.vt == XK_VT_DISPATCH || a.vt == XK_VT_UNKNOWN) {
    Expect(a.punkVal == b.punkVal, "XkVariantCopy: another object");
  } else if (a.vt == XK_VT_I4) {
    Expect(a.lVal == b.lVal, "XkVariantCopy: another number");
  }
}

void Session::RoundTrip(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 2) return;
  const std::u16string units = DecodeText(tokens[1]);
  XkBstr text = NewBstr(units);
  std::size_t length = 0;
  char* utf8 = XkBstrToUtf8(text, &length);
  XkBstrFree(text);
  Expect(utf8 != nullptr && utf8[length] == '\0', "XkBstrToUtf8");
  XkBstr back = XkBstrFromUtf8(utf8, length);
  XkUtf8Free(utf8);
  Expect(UnitsOf(back) == Repaired(units), "UTF-16 to UTF-8 and back changed the text");
  XkBstrFree(back);
}

void Session::GuidText(const std::vector<std::string_view>& tokens) {
  if (tokens.size() < 2) return;
  // The library reads a C string: up to the first NUL.
  const std::string text(tokens[1].substr(0, tokens[1].find('\0')));
  XkGuid guid{};
  if (XkGuidFromString(text.c_str(), &guid) != XK_S_OK) return;
  char again[XK_GUID_STRING_SIZE];
  XkGuidToString(&guid, again);
  Expect(text.size() == XK_GUID_STRING_SIZE - 1, "XkGuidFromString took a text of another size");
  for (std::size_t i = 0; i < text.size(); ++i) {
    Expect(std::toupper(static_cast<unsigned char>(text[i])) == again[i],
           "XkGuidToString differs from the text read");
  }
}

const fs::path& Directory() {
  static const fs::path directory = [] {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "xkdtazv-automation-fuzz-XXXXXX").string();
    Expect(::mkdtemp(pattern.data()) != nullptr, "no temporary directory");
    return fs::path(pattern);
  }();
  return directory;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  CheckSlotTables();
  (void)Directory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view program(reinterpret_cast<const char*>(data), size);
  Session session(Directory());
  std::size_t start = 0;
  for (std::size_t lines = 0; start < program.size() && lines < kMaxLines; ++lines) {
    const std::size_t end = std::min(program.find('\n', start), program.size());
    session.Run(program.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
