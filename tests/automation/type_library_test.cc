// The type information hosts read at run time must present exactly the
// published names, order, dispatch ids, types, slots and identifiers.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "automation_test_support.h"

namespace xkdtazv::testing {
namespace {

std::string Text(const XkGuid& guid) {
  char text[XK_GUID_STRING_SIZE];
  XkGuidToString(&guid, text);
  return text;
}

struct ExpectedMember {
  const char* name;
  int kind;
  XkVarType vt;
  const char* type;
  std::size_t get_offset;  // offsetof the read (or method) slot in the C header
  std::size_t put_offset;  // 0 when there is no write slot
  const char* param = nullptr;
  const char* param_type = nullptr;
};

constexpr int kRW = XK_MEMBER_PROPERTY_READ_WRITE;

#define TEXT_PROPERTY(Vtbl, Name)                                                            \
  ExpectedMember {                                                                           \
#Name, kRW, XK_VT_BSTR, "String", offsetof(Vtbl, get_##Name), offsetof(Vtbl, put_##Name) \
  }
#define ENUM_PROPERTY(Vtbl, Name, Enum)                                                \
  ExpectedMember {                                                                     \
#Name, kRW, XK_VT_I4, Enum, offsetof(Vtbl, get_##Name), offsetof(Vtbl, put_##Name) \
  }
#define TEXT_METHOD(Vtbl, Name) \
  ExpectedMember { #Name, XK_MEMBER_METHOD, XK_VT_BSTR, "String", offsetof(Vtbl, Name), 0 }

const std::vector<ExpectedMember> kDtAzvDatei = {
    TEXT_PROPERTY(XkDtAzvDateiVtbl, Pfad),
    TEXT_PROPERTY(XkDtAzvDateiVtbl, DiffFileName),
    {"GetMeineInfo", XK_MEMBER_PROPERTY_READ_ONLY, XK_VT_DISPATCH, "MeineInfo",
     offsetof(XkDtAzvDateiVtbl, get_GetMeineInfo), 0},
    {"AddGeldTransfer", XK_MEMBER_METHOD, XK_VT_BSTR, "String",
     offsetof(XkDtAzvDateiVtbl, AddGeldTransfer), 0, "newTransfer", "GeldTransfer"},
    TEXT_METHOD(XkDtAzvDateiVtbl, Generate),
};

const std::vector<ExpectedMember> kMeineInfo = {
    TEXT_PROPERTY(XkMeineInfoVtbl, BLZ),           TEXT_PROPERTY(XkMeineInfoVtbl, Kontonummer),
    TEXT_PROPERTY(XkMeineInfoVtbl, Name),          TEXT_PROPERTY(XkMeineInfoVtbl, Vorname),
    TEXT_PROPERTY(XkMeineInfoVtbl, Strasse),       TEXT_PROPERTY(XkMeineInfoVtbl, OrtPLZ),
    TEXT_PROPERTY(XkMeineInfoVtbl, ExecutionDate),
};

const std::vector<ExpectedMember> kGeldTransfer = {
    TEXT_PROPERTY(XkGeldTransferVtbl, BIC),
    TEXT_PROPERTY(XkGeldTransferVtbl, BankLaenderCode),
    ENUM_PROPERTY(XkGeldTransferVtbl, LaenderCode, "LaenderCodes"),
    TEXT_PROPERTY(XkGeldTransferVtbl, Name),
    TEXT_PROPERTY(XkGeldTransferVtbl, Vorname),
    TEXT_PROPERTY(XkGeldTransferVtbl, Strasse),
    TEXT_PROPERTY(XkGeldTransferVtbl, OrtPLZ),
    TEXT_PROPERTY(XkGeldTransferVtbl, IBAN),
    TEXT_PROPERTY(XkGeldTransferVtbl, Betrag),
    TEXT_PROPERTY(XkGeldTransferVtbl, Verwendungszweck1),
    TEXT_PROPERTY(XkGeldTransferVtbl, Verwendungszweck2),
    TEXT_PROPERTY(XkGeldTransferVtbl, Verwendungszweck3),
    TEXT_PROPERTY(XkGeldTransferVtbl, Verwendungszweck4),
    ENUM_PROPERTY(XkGeldTransferVtbl, Weisungsschluessel1, "Weisungsschluessel"),
    ENUM_PROPERTY(XkGeldTransferVtbl, Weisungsschluessel2, "Weisungsschluessel"),
    ENUM_PROPERTY(XkGeldTransferVtbl, Weisungsschluessel3, "Weisungsschluessel"),
    ENUM_PROPERTY(XkGeldTransferVtbl, Weisungsschluessel4, "Weisungsschluessel"),
    TEXT_PROPERTY(XkGeldTransferVtbl, WeisungsschluesselZusatz),
    TEXT_PROPERTY(XkGeldTransferVtbl, Entgeltregelung),
    ENUM_PROPERTY(XkGeldTransferVtbl, Zahlungsart, "Zahlungsart"),
    TEXT_PROPERTY(XkGeldTransferVtbl, VariableText),
    TEXT_PROPERTY(XkGeldTransferVtbl, Ansprechpartner),
    TEXT_METHOD(XkGeldTransferVtbl, IsValid),
    TEXT_METHOD(XkGeldTransferVtbl, GetSeparatorString),
};

struct ExpectedClass {
  const char* name;
  const char* prog_id;
  const char* clsid;
  bool creatable;
  const char* interface_name;
  const char* iid;
  const char* resource;
  const std::vector<ExpectedMember>* members;
};

const std::vector<ExpectedClass> kClasses = {
    {"DtAzvDatei", "XKDTAZV.DtAzvDatei", "{1564F465-CBC5-4D6F-9ABB-570DDA9604BC}", true,
     "_DtAzvDatei", "{0710D1D3-BCA2-48A1-A708-260D1F42D309}", "_IID_DTAZVDATEI", &kDtAzvDatei},
    {"GeldTransfer", "XKDTAZV.GeldTransfer", "{2CA4C845-460A-4067-8392-742F23F38C8B}", true,
     "_GeldTransfer", "{66B25BA7-EE98-4580-9CF7-8B966CE8D666}", "_IID_GELDTRANSFER",
     &kGeldTransfer},
    {"MeineInfo", "XKDTAZV.MeineInfo", "{4EB0BF8E-FCB1-4491-9341-641739F4CDB4}", false,
     "_MeineInfo", "{16994494-7563-4E39-99CC-9B5C0C6EBA49}", "_IID_MEINEINFO", &kMeineInfo},
};

struct ExpectedEnum {
  const char* name;
  const char* id;
  std::vector<std::pair<std::string, int>> members;
};

const std::vector<ExpectedEnum> kEnums = {
    {"Zahlungsart",
     "{5BB803B3-EA78-41D5-8B70-2C3399B85D48}",
     {{"STANDARD", 0},
      {"TELEX_SWIFT", 10},
      {"EUE", 11},
      {"EU_STANDART", 13},
      {"GRENZUEBERSCHREITEND", 15}}},
    {"Weisungsschluessel",
     "{EE03DF73-3958-442A-B21C-FD7E4FECB19C}",
     {{"BONL", 1},
      {"CHQB", 2},
      {"HOLD", 4},
      {"PHON", 6},
      {"TELE", 7},
      {"PHOB", 9},
      {"TELB", 10},
      {"CORT", 11},
      {"INTC", 12},
      {"EURO_GEGENWERT", 91}}},
    {"LaenderCodes",
     "{897F041F-C0D5-4F2F-8AF5-BF1958E5ADD8}",
     {{"NONE", 0},           {"BELGIEN", 1},         {"DAENEMARK", 4},
      {"ESTLAND", 7},        {"FINNLAND", 10},       {"FRANKREICH", 13},
      {"FRANZ_GUAYANA", 16}, {"GIBRALTAR", 19},      {"GRIECHENLAND", 22},
      {"GUADELOUPE", 25},    {"IRLAND", 28},         {"ITALIEN", 31},
      {"LETTLAND", 34},      {"LITAUEN", 37},        {"LUXEMBURG", 40},
      {"MALTA", 43},         {"MARTINIQUE", 46},     {"NIEDERLANDE", 49},
      {"OESTERREICH", 52},   {"POLEN", 55},          {"PORTUGAL", 58},
      {"REUNION", 61},       {"SCHWEDEN", 64},       {"SLOWAKEI", 67},
      {"SLOWENIEN", 70},     {"SPANIEN", 73},        {"TSCHESCH_REP", 76},
      {"UNGARN", 79},        {"GROSSBRITANIEN", 82}, {"ZYPERN", 85},
      {"DEUTSCHLAND", 88}}},
    {"AllowedEULaenderCodes",
     "{5635925D-D32E-437D-A0B3-AC19FAD0CAA1}",
     {{"NONE", 0},         {"BELGIEN", 1},        {"DAENEMARK", 4},       {"FINNLAND", 10},
      {"FRANKREICH", 13},  {"FRANZ_GUAYANA", 16}, {"GRIECHENLAND", 22},   {"GUADELOUPE", 25},
      {"IRLAND", 28},      {"ITALIEN", 31},       {"LUXEMBURG", 40},      {"MARTINIQUE", 46},
      {"NIEDERLANDE", 49}, {"OESTERREICH", 52},   {"PORTUGAL", 58},       {"REUNION", 61},
      {"SCHWEDEN", 64},    {"SPANIEN", 73},       {"GROSSBRITANIEN", 82}, {"DEUTSCHLAND", 88}}},
};

std::string Name(const char* text) { return text != nullptr ? text : "(null)"; }

TEST(TypeLibraryTest, DescribesTheLibrary) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  EXPECT_EQ(Name(library.name), "XKDTAZV");
  EXPECT_EQ(Text(library.libid), "{5FBFE321-6E0A-48CF-ABDD-5E7C2C2E4546}");
  EXPECT_EQ(Text(XK_LIBID_XKDTAZV), "{5FBFE321-6E0A-48CF-ABDD-5E7C2C2E4546}");
  EXPECT_EQ(library.major_version, 1);
  EXPECT_EQ(library.minor_version, 0);
  EXPECT_EQ(library.lcid, 0x409u);
  EXPECT_EQ(Name(library.file_version), "1.0.0.0");
  EXPECT_EQ(Name(library.threading_model), "Apartment");
  EXPECT_EQ(library.self_registering, 1);
}

TEST(TypeLibraryTest, PublishesTheClassesWithTheirInterfacesAndIdentifiers) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  ASSERT_EQ(library.class_count, kClasses.size());
  ASSERT_EQ(library.interface_count, kClasses.size());
  for (std::size_t c = 0; c < kClasses.size(); ++c) {
    const ExpectedClass& expected = kClasses[c];
    const XkClassInfo& actual = library.classes[c];
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(Name(actual.name), expected.name);
    EXPECT_EQ(Name(actual.prog_id), expected.prog_id);
    EXPECT_EQ(Text(actual.clsid), expected.clsid);
    EXPECT_EQ(actual.creatable != 0, expected.creatable);
    EXPECT_EQ(Name(actual.iid_resource), expected.resource);
    ASSERT_EQ(actual.default_interface, &library.interfaces[c]);
    const XkInterfaceInfo& iface = *actual.default_interface;
    EXPECT_EQ(Name(iface.name), expected.interface_name);
    EXPECT_EQ(Text(iface.iid), expected.iid);
    EXPECT_EQ(iface.flags, XK_INTERFACE_DUAL | XK_INTERFACE_HIDDEN);
  }
  // The header's constants are the same identifiers.
  EXPECT_EQ(Text(XK_CLSID_DtAzvDatei), kClasses[0].clsid);
  EXPECT_EQ(Text(XK_IID__DtAzvDatei), kClasses[0].iid);
  EXPECT_EQ(Text(XK_CLSID_GeldTransfer), kClasses[1].clsid);
  EXPECT_EQ(Text(XK_IID__GeldTransfer), kClasses[1].iid);
  EXPECT_EQ(Text(XK_CLSID_MeineInfo), kClasses[2].clsid);
  EXPECT_EQ(Text(XK_IID__MeineInfo), kClasses[2].iid);
}

TEST(TypeLibraryTest, ListsEveryMemberInOrderWithDispatchIdKindTypeAndSlot) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  for (std::size_t c = 0; c < kClasses.size(); ++c) {
    const std::vector<ExpectedMember>& expected = *kClasses[c].members;
    const XkInterfaceInfo& iface = library.interfaces[c];
    SCOPED_TRACE(kClasses[c].interface_name);
    ASSERT_EQ(iface.member_count, expected.size());
    for (std::size_t m = 0; m < expected.size(); ++m) {
      const XkMemberInfo& actual = iface.members[m];
      SCOPED_TRACE(expected[m].name);
      EXPECT_EQ(Name(actual.name), expected[m].name);
      EXPECT_EQ(actual.dispid, static_cast<XkDispId>(m + 1));
      EXPECT_EQ(actual.kind, expected[m].kind);
      EXPECT_EQ(actual.vt, expected[m].vt);
      EXPECT_EQ(Name(actual.type_name), expected[m].type);
      EXPECT_EQ(actual.get_slot * sizeof(void*), expected[m].get_offset);
      EXPECT_EQ(actual.put_slot * sizeof(void*), expected[m].put_offset);
      EXPECT_EQ(actual.param_count, expected[m].param != nullptr ? 1u : 0u);
      if (expected[m].param != nullptr) {
        EXPECT_EQ(Name(actual.param_name), expected[m].param);
        EXPECT_EQ(actual.param_vt, XK_VT_DISPATCH);
        EXPECT_EQ(Name(actual.param_type_name), expected[m].param_type);
      }
    }
  }
}

TEST(TypeLibraryTest, PublishesTheFourEnumerationsWithTheirValues) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  ASSERT_EQ(library.enum_count, kEnums.size());
  for (std::size_t e = 0; e < kEnums.size(); ++e) {
    const XkEnumInfo& actual = library.enums[e];
    SCOPED_TRACE(kEnums[e].name);
    EXPECT_EQ(Name(actual.name), kEnums[e].name);
    EXPECT_EQ(Text(actual.guid), kEnums[e].id);
    std::vector<std::pair<std::string, int>> members;
    for (std::uint32_t m = 0; m < actual.member_count; ++m) {
      members.emplace_back(actual.members[m].name, actual.members[m].value);
    }
    EXPECT_EQ(members, kEnums[e].members);
  }
}

class ObjectTypeInfoTest : public AutomationTest {};

TEST_F(ObjectTypeInfoTest, EachObjectHandsOutItsInterfaceDescription) {
  const XkTypeLibInfo& library = *XkGetTypeLibInfo();
  Com<XkDtAzvDatei> file = NewFile();
  Com<XkMeineInfo> sender;
  ASSERT_EQ(file->lpVtbl->get_GetMeineInfo(file.get(), sender.out()), XK_S_OK);
  Com<XkGeldTransfer> payment = NewPayment();
  const std::pair<XkDispatch*, const XkInterfaceInfo*> objects[] = {
      {file.dispatch(), &library.interfaces[0]},
      {payment.dispatch(), &library.interfaces[1]},
      {sender.dispatch(), &library.interfaces[2]},
  };
  for (const auto& [object, expected] : objects) {
    SCOPED_TRACE(expected->name);
    std::uint32_t count = 0;
    EXPECT_EQ(object->lpVtbl->GetTypeInfoCount(object, &count), XK_S_OK);
    EXPECT_EQ(count, 1u);
    const XkInterfaceInfo* info = nullptr;
    EXPECT_EQ(object->lpVtbl->GetTypeInfo(object, 0, 0x409, &info), XK_S_OK);
    EXPECT_EQ(info, expected);
    EXPECT_EQ(object->lpVtbl->GetTypeInfo(object, 1, 0x409, &info), XK_DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
  }
}

}  // namespace
}  // namespace xkdtazv::testing
