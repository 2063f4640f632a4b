/*
 * The automation surface of XKDTAZV: a COM-shaped binary interface through
 * which hosts drive DtAzvDatei, MeineInfo and GeldTransfer objects loaded from
 * libXKDTAZV.so, by virtual-table slot or by name.
 *
 *   XkClassFactory* factory = NULL;
 *   DllGetClassObject(&XK_CLSID_DtAzvDatei, &XK_IID_IClassFactory, (void**)&factory);
 *   XkDtAzvDatei* file = NULL;
 *   factory->lpVtbl->CreateInstance(factory, NULL, &XK_IID__DtAzvDatei, (void**)&file);
 *   factory->lpVtbl->Release(factory);
 *   XkBstr path = XkBstrFromUtf8("/tmp", 4);
 *   file->lpVtbl->put_Pfad(file, path);          // by slot
 *   XkBstrFree(path);
 *   ...                                           // or by name: GetIDsOfNames + Invoke
 *   file->lpVtbl->Release(file);
 *
 * Rules every host relies on:
 * - Every call returns a status (XkResult); a negative status is a failure.
 *   Results travel through the final out parameter, owned by the caller
 *   afterwards (free text with XkBstrFree, release objects, clear variants).
 *   Text handed in stays owned by the caller.
 * - Members report ordinary outcomes in their result text ("SUCCESS" or the
 *   findings). A failure a member does not catch (an enumeration value out of
 *   range, a code that was never set) fails the call with
 *   XK_FAILURE_STATUS(number); by name (Invoke) the call returns
 *   XK_DISP_E_EXCEPTION and fills the XkExcepInfo with the number and the
 *   German description, by slot XkGetErrorInfo hands the same record out
 *   afterwards. The object stays usable.
 * - Objects are apartment-threaded: each object is used only from the thread
 *   that created it. A call from any other thread is refused with
 *   XK_RPC_E_WRONG_THREAD and changes nothing. AddRef and Release are the
 *   exception: they may come from any thread.
 * - Names are matched without regard to ASCII case, as automation hosts expect.
 * - Text is length-counted UTF-16 (XkBstr). An unpaired surrogate becomes
 *   U+FFFD when the component converts the text.
 */
#ifndef XKDTAZV_AUTOMATION_H_
#define XKDTAZV_AUTOMATION_H_

#include <stddef.h>
#include <stdint.h>

#if defined(XKDTAZV_AUTOMATION_BUILDING)
#define XK_API __attribute__((visibility("default")))
#else
#define XK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status codes ------------------------------------------------------ */

typedef int32_t XkResult;

#define XK_SUCCEEDED(status) ((XkResult)(status) >= 0)
#define XK_FAILED(status) ((XkResult)(status) < 0)

#define XK_S_OK ((XkResult)0x00000000)
#define XK_S_FALSE ((XkResult)0x00000001)
#define XK_E_NOTIMPL ((XkResult)0x80004001)
#define XK_E_NOINTERFACE ((XkResult)0x80004002)
#define XK_E_POINTER ((XkResult)0x80004003)
#define XK_E_FAIL ((XkResult)0x80004005)
#define XK_E_UNEXPECTED ((XkResult)0x8000FFFF)
#define XK_E_OUTOFMEMORY ((XkResult)0x8007000E)
#define XK_E_INVALIDARG ((XkResult)0x80070057)
#define XK_CLASS_E_NOAGGREGATION ((XkResult)0x80040110)
#define XK_CLASS_E_CLASSNOTAVAILABLE ((XkResult)0x80040111)
#define XK_REGDB_E_READREGDB ((XkResult)0x80040150)
#define XK_REGDB_E_WRITEREGDB ((XkResult)0x80040151)
#define XK_REGDB_E_CLASSNOTREG ((XkResult)0x80040154)
/* The registry file exists but is not a registry this library can read; it
   is left untouched. */
#define XK_REGDB_E_DAMAGED ((XkResult)0x800703F1)
#define XK_DISP_E_UNKNOWNINTERFACE ((XkResult)0x80020001)
#define XK_DISP_E_MEMBERNOTFOUND ((XkResult)0x80020003)
#define XK_DISP_E_PARAMNOTFOUND ((XkResult)0x80020004)
#define XK_DISP_E_TYPEMISMATCH ((XkResult)0x80020005)
#define XK_DISP_E_UNKNOWNNAME ((XkResult)0x80020006)
#define XK_DISP_E_NONAMEDARGS ((XkResult)0x80020007)
#define XK_DISP_E_BADVARTYPE ((XkResult)0x80020008)
#define XK_DISP_E_EXCEPTION ((XkResult)0x80020009)
#define XK_DISP_E_BADINDEX ((XkResult)0x8002000B)
#define XK_DISP_E_BADPARAMCOUNT ((XkResult)0x8002000E)
#define XK_RPC_E_WRONG_THREAD ((XkResult)0x8001010E)

/* A failure that a member did not catch: its number (xkdtazv::FailureCode,
   e.g. 6 overflow, 13 type mismatch) in the low 16 bits. */
#define XK_FAILURE_STATUS(number) ((XkResult)(0x800A0000u | ((uint32_t)(number)&0xFFFFu)))
#define XK_IS_FAILURE_STATUS(status) (((uint32_t)(status)&0xFFFF0000u) == 0x800A0000u)
#define XK_FAILURE_NUMBER(status) ((int32_t)((uint32_t)(status)&0xFFFFu))

/* The symbolic name of a status ("XK_DISP_E_TYPEMISMATCH",
   "XK_FAILURE_STATUS(6)" is named "XK_FAILURE_STATUS") and its German
   description; never NULL. Unknown statuses are named "XK_UNKNOWN_STATUS". */
XK_API const char* XkStatusName(XkResult status);
XK_API const char* XkStatusDescription(XkResult status);
/* The failure number a host reports for a status: the number carried by
   XK_FAILURE_STATUS, the component's own number where one fits (92 for
   XK_RPC_E_WRONG_THREAD, 13 for XK_DISP_E_TYPEMISMATCH), else the status. */
XK_API int32_t XkStatusNumber(XkResult status);

/* ---- Identifiers ------------------------------------------------------- */

typedef struct XkGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
} XkGuid;

/* "{1564F465-CBC5-4D6F-9ABB-570DDA9604BC}": 38 characters and a NUL. */
#define XK_GUID_STRING_SIZE 39
XK_API void XkGuidToString(const XkGuid* guid, char text[XK_GUID_STRING_SIZE]);
/* Accepts the braced form above, upper or lower case. XK_E_INVALIDARG otherwise. */
XK_API XkResult XkGuidFromString(const char* text, XkGuid* guid);
XK_API int XkGuidEqual(const XkGuid* a, const XkGuid* b);

/* Constants usable in C++ constant expressions too. */
#ifdef __cplusplus
#define XK_CONSTANT static constexpr
#else
#define XK_CONSTANT static const
#endif

/* clang-format off */
XK_CONSTANT XkGuid XK_LIBID_XKDTAZV = {0x5FBFE321, 0x6E0A, 0x48CF, {0xAB, 0xDD, 0x5E, 0x7C, 0x2C, 0x2E, 0x45, 0x46}};
XK_CONSTANT XkGuid XK_CLSID_DtAzvDatei = {0x1564F465, 0xCBC5, 0x4D6F, {0x9A, 0xBB, 0x57, 0x0D, 0xDA, 0x96, 0x04, 0xBC}};
XK_CONSTANT XkGuid XK_IID__DtAzvDatei = {0x0710D1D3, 0xBCA2, 0x48A1, {0xA7, 0x08, 0x26, 0x0D, 0x1F, 0x42, 0xD3, 0x09}};
XK_CONSTANT XkGuid XK_CLSID_GeldTransfer = {0x2CA4C845, 0x460A, 0x4067, {0x83, 0x92, 0x74, 0x2F, 0x23, 0xF3, 0x8C, 0x8B}};
XK_CONSTANT XkGuid XK_IID__GeldTransfer = {0x66B25BA7, 0xEE98, 0x4580, {0x9C, 0xF7, 0x8B, 0x96, 0x6C, 0xE8, 0xD6, 0x66}};
XK_CONSTANT XkGuid XK_CLSID_MeineInfo = {0x4EB0BF8E, 0xFCB1, 0x4491, {0x93, 0x41, 0x64, 0x17, 0x39, 0xF4, 0xCD, 0xB4}};
XK_CONSTANT XkGuid XK_IID__MeineInfo = {0x16994494, 0x7563, 0x4E39, {0x99, 0xCC, 0x9B, 0x5C, 0x0C, 0x6E, 0xBA, 0x49}};
XK_CONSTANT XkGuid XK_ENUMID_Zahlungsart = {0x5BB803B3, 0xEA78, 0x41D5, {0x8B, 0x70, 0x2C, 0x33, 0x99, 0xB8, 0x5D, 0x48}};
XK_CONSTANT XkGuid XK_ENUMID_Weisungsschluessel = {0xEE03DF73, 0x3958, 0x442A, {0xB2, 0x1C, 0xFD, 0x7E, 0x4F, 0xEC, 0xB1, 0x9C}};
XK_CONSTANT XkGuid XK_ENUMID_LaenderCodes = {0x897F041F, 0xC0D5, 0x4F2F, {0x8A, 0xF5, 0xBF, 0x19, 0x58, 0xE5, 0xAD, 0xD8}};
XK_CONSTANT XkGuid XK_ENUMID_AllowedEULaenderCodes = {0x5635925D, 0xD32E, 0x437D, {0xA0, 0xB3, 0xAC, 0x19, 0xFA, 0xD0, 0xCA, 0xA1}};

/* The platform interfaces every host knows, with their usual identifiers. */
XK_CONSTANT XkGuid XK_IID_NULL = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
XK_CONSTANT XkGuid XK_IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
XK_CONSTANT XkGuid XK_IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
XK_CONSTANT XkGuid XK_IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
/* clang-format on */

/* ---- Text -------------------------------------------------------------- */

/* UTF-16 code unit. An XkBstr points at the first code unit of a text that
   carries its length in front and a NUL behind; NULL is the empty text. */
typedef uint16_t XkChar16;
typedef XkChar16* XkBstr;

/* NULL when memory runs out. `text` may be NULL to get `length` zero units. */
XK_API XkBstr XkBstrAlloc(const XkChar16* text, uint32_t length);
/* From UTF-8; invalid bytes become U+FFFD. */
XK_API XkBstr XkBstrFromUtf8(const char* text, size_t length);
/* Length in UTF-16 code units; 0 for NULL. */
XK_API uint32_t XkBstrLength(XkBstr text);
XK_API void XkBstrFree(XkBstr text);
/* NUL-terminated UTF-8 (unpaired surrogates become U+FFFD), its byte length in
   *length when length is not NULL; free with XkUtf8Free. NULL when memory
   runs out. */
XK_API char* XkBstrToUtf8(XkBstr text, size_t* length);
XK_API void XkUtf8Free(char* text);

/* ---- Variants ---------------------------------------------------------- */

typedef uint16_t XkVarType;
#define XK_VT_EMPTY ((XkVarType)0)
#define XK_VT_I4 ((XkVarType)3)
#define XK_VT_BSTR ((XkVarType)8)
#define XK_VT_DISPATCH ((XkVarType)9)
#define XK_VT_BOOL ((XkVarType)11)
#define XK_VT_UNKNOWN ((XkVarType)13)

typedef int16_t XkVariantBool;
#define XK_VARIANT_TRUE ((XkVariantBool)-1)
#define XK_VARIANT_FALSE ((XkVariantBool)0)

struct XkUnknown;
struct XkDispatch;

/* Holds one of: nothing, a 32-bit integer (also every enumeration value), a
   boolean, a text, an object reference (may be NULL). A variant owns its
   text and its reference. */
typedef struct XkVariant {
  XkVarType vt;
  uint16_t reserved1;
  uint16_t reserved2;
  uint16_t reserved3;
  union {
    int32_t lVal;
    XkVariantBool boolVal;
    XkBstr bstrVal;
    struct XkDispatch* pdispVal;
    struct XkUnknown* punkVal;
    uint64_t reserved4[2];
  };
} XkVariant;

XK_API void XkVariantInit(XkVariant* variant);
/* Frees the text or releases the object, then leaves the variant empty. */
XK_API XkResult XkVariantClear(XkVariant* variant);
/* dest is cleared first; text is copied, objects gain a reference. */
XK_API XkResult XkVariantCopy(XkVariant* dest, const XkVariant* source);

/* ---- Failure records --------------------------------------------------- */

typedef struct XkExcepInfo {
  int32_t number;     /* the failure's number, e.g. 6 */
  XkResult scode;     /* XK_FAILURE_STATUS(number) */
  XkBstr source;      /* the programmatic identifier, e.g. "XKDTAZV.GeldTransfer" */
  XkBstr description; /* German, e.g. "Überlauf" */
} XkExcepInfo;

/* Frees the texts and zeroes the record. */
XK_API void XkExcepInfoClear(XkExcepInfo* info);

/* The record of the latest failed slot call on this object, moved out to the
   caller (XK_S_OK), or XK_S_FALSE with a zeroed record when there is none.
   XK_E_POINTER for NULL and for an object that is not this library's. */
XK_API XkResult XkGetErrorInfo(struct XkUnknown* object, XkExcepInfo* info);

/* ---- Type information --------------------------------------------------- */

typedef int32_t XkDispId;
#define XK_DISPID_UNKNOWN ((XkDispId)-1)
#define XK_DISPID_PROPERTYPUT ((XkDispId)-3)

#define XK_MEMBER_PROPERTY_READ_WRITE 1
#define XK_MEMBER_PROPERTY_READ_ONLY 2
#define XK_MEMBER_METHOD 3

#define XK_INTERFACE_DUAL 0x1u
#define XK_INTERFACE_HIDDEN 0x2u

/* A member in interface order. The type is the property's, or the method's
   result: XK_VT_BSTR with type_name "String", XK_VT_I4 with the enumeration's
   name, or XK_VT_DISPATCH with the class name. */
typedef struct XkMemberInfo {
  const char* name;
  XkDispId dispid;
  int32_t kind; /* XK_MEMBER_* */
  XkVarType vt;
  const char* type_name;
  uint32_t param_count; /* 0 or 1 */
  const char* param_name;
  XkVarType param_vt;
  const char* param_type_name;
  uint32_t get_slot; /* virtual-table index of the read slot, or of the method */
  uint32_t put_slot; /* virtual-table index of the write slot; 0 when none */
} XkMemberInfo;

typedef struct XkInterfaceInfo {
  const char* name; /* "_DtAzvDatei" */
  XkGuid iid;
  uint32_t flags; /* XK_INTERFACE_* */
  uint32_t member_count;
  const XkMemberInfo* members;
} XkInterfaceInfo;

typedef struct XkClassInfo {
  const char* name;    /* "DtAzvDatei" */
  const char* prog_id; /* "XKDTAZV.DtAzvDatei" */
  XkGuid clsid;
  int32_t creatable; /* 1 when DllGetClassObject hands out a factory */
  const XkInterfaceInfo* default_interface;
  const char* iid_resource; /* "_IID_DTAZVDATEI": the record naming the default interface */
} XkClassInfo;

typedef struct XkEnumMemberInfo {
  const char* name;
  int32_t value;
} XkEnumMemberInfo;

typedef struct XkEnumInfo {
  const char* name;
  XkGuid guid;
  uint32_t member_count;
  const XkEnumMemberInfo* members;
} XkEnumInfo;

typedef struct XkTypeLibInfo {
  const char* name; /* "XKDTAZV" */
  XkGuid libid;
  uint16_t major_version;
  uint16_t minor_version;
  uint32_t lcid;               /* 0x409 */
  const char* file_version;    /* "1.0.0.0" */
  const char* threading_model; /* "Apartment" */
  int32_t self_registering;    /* 1: DllRegisterServer is there */
  uint32_t class_count;
  const XkClassInfo* classes;
  uint32_t interface_count;
  const XkInterfaceInfo* interfaces;
  uint32_t enum_count;
  const XkEnumInfo* enums;
} XkTypeLibInfo;

/* Constant data that lives as long as the library is loaded. */
XK_API const XkTypeLibInfo* XkGetTypeLibInfo(void);

/* ---- Interfaces -------------------------------------------------------- */

typedef struct XkUnknown XkUnknown;
typedef struct XkDispatch XkDispatch;
typedef struct XkClassFactory XkClassFactory;
typedef struct XkDtAzvDatei XkDtAzvDatei;
typedef struct XkMeineInfo XkMeineInfo;
typedef struct XkGeldTransfer XkGeldTransfer;

#define XK_DISPATCH_METHOD ((uint16_t)0x1)
#define XK_DISPATCH_PROPERTYGET ((uint16_t)0x2)
#define XK_DISPATCH_PROPERTYPUT ((uint16_t)0x4)
#define XK_DISPATCH_PROPERTYPUTREF ((uint16_t)0x8)

/* Arguments of Invoke, last argument first. A property write passes its value
   as the one argument, optionally named XK_DISPID_PROPERTYPUT. */
typedef struct XkDispParams {
  const XkVariant* rgvarg;
  const XkDispId* rgdispidNamedArgs;
  uint32_t cArgs;
  uint32_t cNamedArgs;
} XkDispParams;

typedef struct XkUnknownVtbl {
  XkResult (*QueryInterface)(XkUnknown* self, const XkGuid* iid, void** object);
  uint32_t (*AddRef)(XkUnknown* self);
  uint32_t (*Release)(XkUnknown* self);
} XkUnknownVtbl;
struct XkUnknown {
  const XkUnknownVtbl* lpVtbl;
};

/* Slots 3 to 6 of every dual interface. GetTypeInfo hands out the
   interface's constant description (index 0 only). GetIDsOfNames maps
   names[0] to the member's dispatch id and names[1..] to its parameters'
   positions; `iid` may be NULL. Invoke with `result`, `excepinfo` and
   `arg_error` each optional; it empties `result` first, so pass a variant
   that holds nothing. No argument is converted: text members take
   XK_VT_BSTR, enumerations XK_VT_I4, object parameters XK_VT_DISPATCH or
   XK_VT_UNKNOWN (NULL allowed); anything else is XK_DISP_E_TYPEMISMATCH. */
typedef struct XkDispatchVtbl {
  XkResult (*QueryInterface)(XkDispatch* self, const XkGuid* iid, void** object);
  uint32_t (*AddRef)(XkDispatch* self);
  uint32_t (*Release)(XkDispatch* self);
  XkResult (*GetTypeInfoCount)(XkDispatch* self, uint32_t* count);
  XkResult (*GetTypeInfo)(XkDispatch* self, uint32_t index, uint32_t lcid,
                          const XkInterfaceInfo** info);
  XkResult (*GetIDsOfNames)(XkDispatch* self, const XkGuid* iid, const XkChar16* const* names,
                            uint32_t count, uint32_t lcid, XkDispId* dispids);
  XkResult (*Invoke)(XkDispatch* self, XkDispId dispid, const XkGuid* iid, uint32_t lcid,
                     uint16_t flags, const XkDispParams* params, XkVariant* result,
                     XkExcepInfo* excepinfo, uint32_t* arg_error);
} XkDispatchVtbl;
struct XkDispatch {
  const XkDispatchVtbl* lpVtbl;
};

typedef struct XkClassFactoryVtbl {
  XkResult (*QueryInterface)(XkClassFactory* self, const XkGuid* iid, void** object);
  uint32_t (*AddRef)(XkClassFactory* self);
  uint32_t (*Release)(XkClassFactory* self);
  /* outer must be NULL (no aggregation). */
  XkResult (*CreateInstance)(XkClassFactory* self, XkUnknown* outer, const XkGuid* iid,
                             void** object);
  /* A non-zero lock keeps DllCanUnloadNow answering XK_S_FALSE. */
  XkResult (*LockServer)(XkClassFactory* self, int32_t lock);
} XkClassFactoryVtbl;
struct XkClassFactory {
  const XkClassFactoryVtbl* lpVtbl;
};

#define XK_DISPATCH_SLOTS(Self)                                                           \
  XkResult (*QueryInterface)(Self * self, const XkGuid* iid, void** object);              \
  uint32_t (*AddRef)(Self * self);                                                        \
  uint32_t (*Release)(Self * self);                                                       \
  XkResult (*GetTypeInfoCount)(Self * self, uint32_t * count);                            \
  XkResult (*GetTypeInfo)(Self * self, uint32_t index, uint32_t lcid,                     \
                          const XkInterfaceInfo** info);                                  \
  XkResult (*GetIDsOfNames)(Self * self, const XkGuid* iid, const XkChar16* const* names, \
                            uint32_t count, uint32_t lcid, XkDispId* dispids);            \
  XkResult (*Invoke)(Self * self, XkDispId dispid, const XkGuid* iid, uint32_t lcid,      \
                     uint16_t flags, const XkDispParams* params, XkVariant* result,       \
                     XkExcepInfo* excepinfo, uint32_t* arg_error);

/* _DtAzvDatei: the members in interface order, read slot before write slot. */
typedef struct XkDtAzvDateiVtbl {
  XK_DISPATCH_SLOTS(XkDtAzvDatei)
  XkResult (*get_Pfad)(XkDtAzvDatei* self, XkBstr* result);
  XkResult (*put_Pfad)(XkDtAzvDatei* self, XkBstr value);
  XkResult (*get_DiffFileName)(XkDtAzvDatei* self, XkBstr* result);
  XkResult (*put_DiffFileName)(XkDtAzvDatei* self, XkBstr value);
  XkResult (*get_GetMeineInfo)(XkDtAzvDatei* self, XkMeineInfo** result);
  /* newTransfer may be NULL; the file keeps a reference to the payment. */
  XkResult (*AddGeldTransfer)(XkDtAzvDatei* self, XkGeldTransfer* newTransfer, XkBstr* result);
  XkResult (*Generate)(XkDtAzvDatei* self, XkBstr* result);
} XkDtAzvDateiVtbl;
struct XkDtAzvDatei {
  const XkDtAzvDateiVtbl* lpVtbl;
};

/* _MeineInfo */
typedef struct XkMeineInfoVtbl {
  XK_DISPATCH_SLOTS(XkMeineInfo)
  XkResult (*get_BLZ)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_BLZ)(XkMeineInfo* self, XkBstr value);
  XkResult (*get_Kontonummer)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_Kontonummer)(XkMeineInfo* self, XkBstr value);
  XkResult (*get_Name)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_Name)(XkMeineInfo* self, XkBstr value);
  XkResult (*get_Vorname)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_Vorname)(XkMeineInfo* self, XkBstr value);
  XkResult (*get_Strasse)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_Strasse)(XkMeineInfo* self, XkBstr value);
  XkResult (*get_OrtPLZ)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_OrtPLZ)(XkMeineInfo* self, XkBstr value);
  XkResult (*get_ExecutionDate)(XkMeineInfo* self, XkBstr* result);
  XkResult (*put_ExecutionDate)(XkMeineInfo* self, XkBstr value);
} XkMeineInfoVtbl;
struct XkMeineInfo {
  const XkMeineInfoVtbl* lpVtbl;
};

/* _GeldTransfer. Enumerations travel as int32_t values of XkEnumInfo. */
typedef struct XkGeldTransferVtbl {
  XK_DISPATCH_SLOTS(XkGeldTransfer)
  XkResult (*get_BIC)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_BIC)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_BankLaenderCode)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_BankLaenderCode)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_LaenderCode)(XkGeldTransfer* self, int32_t* result);
  XkResult (*put_LaenderCode)(XkGeldTransfer* self, int32_t value);
  XkResult (*get_Name)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Name)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Vorname)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Vorname)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Strasse)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Strasse)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_OrtPLZ)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_OrtPLZ)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_IBAN)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_IBAN)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Betrag)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Betrag)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Verwendungszweck1)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Verwendungszweck1)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Verwendungszweck2)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Verwendungszweck2)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Verwendungszweck3)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Verwendungszweck3)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Verwendungszweck4)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Verwendungszweck4)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Weisungsschluessel1)(XkGeldTransfer* self, int32_t* result);
  XkResult (*put_Weisungsschluessel1)(XkGeldTransfer* self, int32_t value);
  XkResult (*get_Weisungsschluessel2)(XkGeldTransfer* self, int32_t* result);
  XkResult (*put_Weisungsschluessel2)(XkGeldTransfer* self, int32_t value);
  XkResult (*get_Weisungsschluessel3)(XkGeldTransfer* self, int32_t* result);
  XkResult (*put_Weisungsschluessel3)(XkGeldTransfer* self, int32_t value);
  XkResult (*get_Weisungsschluessel4)(XkGeldTransfer* self, int32_t* result);
  XkResult (*put_Weisungsschluessel4)(XkGeldTransfer* self, int32_t value);
  XkResult (*get_WeisungsschluesselZusatz)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_WeisungsschluesselZusatz)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Entgeltregelung)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Entgeltregelung)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Zahlungsart)(XkGeldTransfer* self, int32_t* result);
  XkResult (*put_Zahlungsart)(XkGeldTransfer* self, int32_t value);
  XkResult (*get_VariableText)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_VariableText)(XkGeldTransfer* self, XkBstr value);
  XkResult (*get_Ansprechpartner)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*put_Ansprechpartner)(XkGeldTransfer* self, XkBstr value);
  XkResult (*IsValid)(XkGeldTransfer* self, XkBstr* result);
  XkResult (*GetSeparatorString)(XkGeldTransfer* self, XkBstr* result);
} XkGeldTransferVtbl;
struct XkGeldTransfer {
  const XkGeldTransferVtbl* lpVtbl;
};

/* ---- Version 1.1: the members of the pain.001 documents ----------------- */

/* Each class's newer interface extends its published one: the same slots,
   dispatch ids and members first, then the new members. An object answers
   QueryInterface for both; by name (GetIDsOfNames, Invoke) it knows every
   member of the newer one. */
/* clang-format off */
XK_CONSTANT XkGuid XK_IID__DtAzvDatei2 = {0x3971B58D, 0xBC3B, 0x4908, {0x80, 0x6D, 0x5B, 0xB6, 0xFD, 0x55, 0xD9, 0x60}};
XK_CONSTANT XkGuid XK_IID__GeldTransfer2 = {0x5809A72B, 0x4F8C, 0x49F9, {0x95, 0x30, 0xB9, 0x7F, 0x5B, 0xFF, 0xEC, 0x48}};
XK_CONSTANT XkGuid XK_IID__MeineInfo2 = {0x7AD2C78B, 0x19F6, 0x4BA9, {0xBC, 0xA0, 0xFE, 0xFE, 0x1D, 0xD7, 0x69, 0x0C}};
/* clang-format on */

/* The type information of version 1.1: the classes with the newer interfaces
   as their defaults (minor version 1), then the published interfaces. The
   version 1.0 description (XkGetTypeLibInfo) stays as it was. */
XK_API const XkTypeLibInfo* XkGetTypeLibInfo2(void);

typedef struct XkDtAzvDatei2 XkDtAzvDatei2;
typedef struct XkMeineInfo2 XkMeineInfo2;
typedef struct XkGeldTransfer2 XkGeldTransfer2;

/* _DtAzvDatei2 */
typedef struct XkDtAzvDatei2Vtbl {
  XK_DISPATCH_SLOTS(XkDtAzvDatei2)
  XkResult (*get_Pfad)(XkDtAzvDatei2* self, XkBstr* result);
  XkResult (*put_Pfad)(XkDtAzvDatei2* self, XkBstr value);
  XkResult (*get_DiffFileName)(XkDtAzvDatei2* self, XkBstr* result);
  XkResult (*put_DiffFileName)(XkDtAzvDatei2* self, XkBstr value);
  XkResult (*get_GetMeineInfo)(XkDtAzvDatei2* self, XkMeineInfo** result);
  /* newTransfer may be NULL; the file keeps a reference to the payment. */
  XkResult (*AddGeldTransfer)(XkDtAzvDatei2* self, XkGeldTransfer* newTransfer, XkBstr* result);
  XkResult (*Generate)(XkDtAzvDatei2* self, XkBstr* result);
  /* Version 1.1 */
  XkResult (*GeneratePain001)(XkDtAzvDatei2* self, XkBstr* result);
  XkResult (*get_Pain001Dateien)(XkDtAzvDatei2* self, XkBstr* result);
} XkDtAzvDatei2Vtbl;
struct XkDtAzvDatei2 {
  const XkDtAzvDatei2Vtbl* lpVtbl;
};

/* _MeineInfo2 */
typedef struct XkMeineInfo2Vtbl {
  XK_DISPATCH_SLOTS(XkMeineInfo2)
  XkResult (*get_BLZ)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_BLZ)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_Kontonummer)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_Kontonummer)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_Name)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_Name)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_Vorname)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_Vorname)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_Strasse)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_Strasse)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_OrtPLZ)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_OrtPLZ)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_ExecutionDate)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_ExecutionDate)(XkMeineInfo2* self, XkBstr value);
  /* Version 1.1 */
  XkResult (*get_IBAN)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_IBAN)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_BIC)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_BIC)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_Waehrung)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_Waehrung)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_PLZ)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_PLZ)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_Ort)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_Ort)(XkMeineInfo2* self, XkBstr value);
  XkResult (*get_LaenderISO)(XkMeineInfo2* self, XkBstr* result);
  XkResult (*put_LaenderISO)(XkMeineInfo2* self, XkBstr value);
} XkMeineInfo2Vtbl;
struct XkMeineInfo2 {
  const XkMeineInfo2Vtbl* lpVtbl;
};

/* _GeldTransfer2 */
typedef struct XkGeldTransfer2Vtbl {
  XK_DISPATCH_SLOTS(XkGeldTransfer2)
  XkResult (*get_BIC)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_BIC)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_BankLaenderCode)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_BankLaenderCode)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_LaenderCode)(XkGeldTransfer2* self, int32_t* result);
  XkResult (*put_LaenderCode)(XkGeldTransfer2* self, int32_t value);
  XkResult (*get_Name)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Name)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Vorname)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Vorname)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Strasse)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Strasse)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_OrtPLZ)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_OrtPLZ)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_IBAN)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_IBAN)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Betrag)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Betrag)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Verwendungszweck1)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Verwendungszweck1)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Verwendungszweck2)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Verwendungszweck2)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Verwendungszweck3)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Verwendungszweck3)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Verwendungszweck4)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Verwendungszweck4)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Weisungsschluessel1)(XkGeldTransfer2* self, int32_t* result);
  XkResult (*put_Weisungsschluessel1)(XkGeldTransfer2* self, int32_t value);
  XkResult (*get_Weisungsschluessel2)(XkGeldTransfer2* self, int32_t* result);
  XkResult (*put_Weisungsschluessel2)(XkGeldTransfer2* self, int32_t value);
  XkResult (*get_Weisungsschluessel3)(XkGeldTransfer2* self, int32_t* result);
  XkResult (*put_Weisungsschluessel3)(XkGeldTransfer2* self, int32_t value);
  XkResult (*get_Weisungsschluessel4)(XkGeldTransfer2* self, int32_t* result);
  XkResult (*put_Weisungsschluessel4)(XkGeldTransfer2* self, int32_t value);
  XkResult (*get_WeisungsschluesselZusatz)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_WeisungsschluesselZusatz)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Entgeltregelung)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Entgeltregelung)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Zahlungsart)(XkGeldTransfer2* self, int32_t* result);
  XkResult (*put_Zahlungsart)(XkGeldTransfer2* self, int32_t value);
  XkResult (*get_VariableText)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_VariableText)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Ansprechpartner)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Ansprechpartner)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*IsValid)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*GetSeparatorString)(XkGeldTransfer2* self, XkBstr* result);
  /* Version 1.1 */
  XkResult (*get_Auftragswaehrung)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Auftragswaehrung)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_LaenderISO)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_LaenderISO)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_EmpfaengerKonto)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_EmpfaengerKonto)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Clearingcode)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Clearingcode)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_BankName)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_BankName)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_BankOrtPLZ)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_BankOrtPLZ)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_PLZ)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_PLZ)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_Ort)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_Ort)(XkGeldTransfer2* self, XkBstr value);
  XkResult (*get_EndToEndId)(XkGeldTransfer2* self, XkBstr* result);
  XkResult (*put_EndToEndId)(XkGeldTransfer2* self, XkBstr value);
} XkGeldTransfer2Vtbl;
struct XkGeldTransfer2 {
  const XkGeldTransfer2Vtbl* lpVtbl;
};

/* ---- Library entry points ---------------------------------------------- */

/* Writes this library's entries into the per-user registry file
   $XDG_DATA_HOME/xkdtazv/registry.json (default ~/.local/share/...),
   keeping every other entry. XK_REGDB_E_DAMAGED when the file is not a
   readable registry, XK_REGDB_E_WRITEREGDB when it cannot be written. */
XK_API XkResult DllRegisterServer(void);
/* Removes exactly this library's entries; XK_S_OK when there were none. */
XK_API XkResult DllUnregisterServer(void);
/* The class factory of DtAzvDatei or GeldTransfer (iid: XK_IID_IClassFactory
   or XK_IID_IUnknown); XK_CLASS_E_CLASSNOTAVAILABLE for any other class,
   MeineInfo included. */
XK_API XkResult DllGetClassObject(const XkGuid* clsid, const XkGuid* iid, void** object);
/* XK_S_OK when no object, factory or server lock is alive, else XK_S_FALSE. */
XK_API XkResult DllCanUnloadNow(void);

#ifdef __cplusplus
}
#endif

#endif /* XKDTAZV_AUTOMATION_H_ */
