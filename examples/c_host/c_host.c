/*
 * A small C host for libXKDTAZV.so: it loads the library as automation hosts
 * do, creates the objects through DllGetClassObject, calls some members
 * through their virtual-table slots and others by name, and writes one DTAZV
 * file with two payments: one valid, one whose umlauts and symbols the
 * validation reports and the file holds as Windows-1252 or "?".
 *
 *   xkdtazv_c_host OUTPUT_DIRECTORY [LIBRARY]
 *
 * LIBRARY defaults to $XKDTAZV_LIBRARY, then to "libXKDTAZV.so.1". Prints the
 * result of Generate; exits 0 when every call succeeded and the library could
 * be unloaded at the end.
 */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <xkdtazv/automation.h>

/* The library's functions, looked up once after loading it. */
typedef struct Library {
  void* handle;
  XkResult (*DllGetClassObject)(const XkGuid*, const XkGuid*, void**);
  XkResult (*DllCanUnloadNow)(void);
  XkBstr (*XkBstrFromUtf8)(const char*, size_t);
  void (*XkBstrFree)(XkBstr);
  char* (*XkBstrToUtf8)(XkBstr, size_t*);
  void (*XkUtf8Free)(char*);
  void (*XkVariantInit)(XkVariant*);
  XkResult (*XkVariantClear)(XkVariant*);
  void (*XkExcepInfoClear)(XkExcepInfo*);
  const char* (*XkStatusName)(XkResult);
  const XkTypeLibInfo* (*XkGetTypeLibInfo)(void);
} Library;

static Library lib;
static int failures = 0;

/* Reports a failed status; returns whether the call succeeded. */
static int check(XkResult status, const char* what) {
  if (XK_SUCCEEDED(status)) return 1;
  fprintf(stderr, "%s: %s (0x%08X)\n", what, lib.XkStatusName(status), (unsigned)status);
  ++failures;
  return 0;
}

static int load(const char* path) {
  lib.handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (lib.handle == NULL) {
    fprintf(stderr, "%s\n", dlerror());
    return 0;
  }
  /* POSIX guarantees that dlsym's result converts to a function pointer. */
#define LOOK_UP(name) *(void**)(&lib.name) = dlsym(lib.handle, #name)
  LOOK_UP(DllGetClassObject);
  LOOK_UP(DllCanUnloadNow);
  LOOK_UP(XkBstrFromUtf8);
  LOOK_UP(XkBstrFree);
  LOOK_UP(XkBstrToUtf8);
  LOOK_UP(XkUtf8Free);
  LOOK_UP(XkVariantInit);
  LOOK_UP(XkVariantClear);
  LOOK_UP(XkExcepInfoClear);
  LOOK_UP(XkStatusName);
  LOOK_UP(XkGetTypeLibInfo);
#undef LOOK_UP
  return lib.DllGetClassObject != NULL && lib.XkGetTypeLibInfo != NULL;
}

static void* create(const XkGuid* clsid, const XkGuid* iid) {
  XkClassFactory* factory = NULL;
  void* object = NULL;
  if (!check(lib.DllGetClassObject(clsid, &XK_IID_IClassFactory, (void**)&factory),
             "DllGetClassObject")) {
    return NULL;
  }
  check(factory->lpVtbl->CreateInstance(factory, NULL, iid, &object), "CreateInstance");
  factory->lpVtbl->Release(factory);
  return object;
}

static XkBstr text(const char* utf8) { return lib.XkBstrFromUtf8(utf8, strlen(utf8)); }

/* The value of an enumeration member, read from the type information. */
static int32_t enum_value(const char* enumeration, const char* member) {
  const XkTypeLibInfo* info = lib.XkGetTypeLibInfo();
  for (uint32_t e = 0; e < info->enum_count; ++e) {
    if (strcmp(info->enums[e].name, enumeration) != 0) continue;
    for (uint32_t m = 0; m < info->enums[e].member_count; ++m) {
      if (strcmp(info->enums[e].members[m].name, member) == 0) {
        return info->enums[e].members[m].value;
      }
    }
  }
  fprintf(stderr, "no enumeration member %s.%s\n", enumeration, member);
  ++failures;
  return 0;
}

/* GetIDsOfNames wants UTF-16; member names are ASCII. */
static XkDispId dispid_of(XkDispatch* object, const char* name) {
  XkChar16 wide[64] = {0};
  for (size_t i = 0; name[i] != '\0' && i + 1 < sizeof wide / sizeof wide[0]; ++i) {
    wide[i] = (XkChar16)(unsigned char)name[i];
  }
  const XkChar16* names[1] = {wide};
  XkDispId dispid = XK_DISPID_UNKNOWN;
  check(object->lpVtbl->GetIDsOfNames(object, NULL, names, 1, 0x409, &dispid), name);
  return dispid;
}

/* Invoke, printing the failure record when a member fails. */
static int invoke(XkDispatch* object, const char* name, uint16_t flags, const XkDispParams* params,
                  XkVariant* result) {
  XkExcepInfo error;
  memset(&error, 0, sizeof error);
  const XkResult status = object->lpVtbl->Invoke(object, dispid_of(object, name), NULL, 0x409,
                                                 flags, params, result, &error, NULL);
  if (status == XK_DISP_E_EXCEPTION) {
    char* description = lib.XkBstrToUtf8(error.description, NULL);
    fprintf(stderr, "%s: error %d: %s\n", name, (int)error.number, description);
    lib.XkUtf8Free(description);
    lib.XkExcepInfoClear(&error);
  }
  return check(status, name);
}

/* object.name = value, by name. */
static void put_text(void* object, const char* name, const char* value) {
  XkVariant argument;
  lib.XkVariantInit(&argument);
  argument.vt = XK_VT_BSTR;
  argument.bstrVal = text(value);
  const XkDispId named = XK_DISPID_PROPERTYPUT;
  const XkDispParams params = {&argument, &named, 1, 1};
  invoke((XkDispatch*)object, name, XK_DISPATCH_PROPERTYPUT, &params, NULL);
  lib.XkVariantClear(&argument);
}

static void put_enum(void* object, const char* name, const char* enumeration, const char* member) {
  XkVariant argument;
  lib.XkVariantInit(&argument);
  argument.vt = XK_VT_I4;
  argument.lVal = enum_value(enumeration, member);
  const XkDispId named = XK_DISPID_PROPERTYPUT;
  const XkDispParams params = {&argument, &named, 1, 1};
  invoke((XkDispatch*)object, name, XK_DISPATCH_PROPERTYPUT, &params, NULL);
}

/* Text members by slot: the slot borrows the text. */
static void set_by_slot(XkResult (*slot)(XkGeldTransfer*, XkBstr), XkGeldTransfer* payment,
                        const char* value, const char* what) {
  XkBstr copy = text(value);
  check(slot(payment, copy), what);
  lib.XkBstrFree(copy);
}

static void fill_sender(XkDtAzvDatei* file) {
  XkMeineInfo* sender = NULL;
  if (!check(file->lpVtbl->get_GetMeineInfo(file, &sender), "GetMeineInfo")) return;
  put_text(sender, "BLZ", "37040044");
  put_text(sender, "Kontonummer", "0532013000");
  put_text(sender, "Name", "Muster Export GmbH");
  put_text(sender, "Strasse", "Hauptstrasse 5");
  put_text(sender, "OrtPLZ", "50667 Koeln");
  sender->lpVtbl->Release(sender);
}

static XkGeldTransfer* first_payment(void) {
  XkGeldTransfer* payment = create(&XK_CLSID_GeldTransfer, &XK_IID__GeldTransfer);
  if (payment == NULL) return NULL;
  check(payment->lpVtbl->put_Zahlungsart(payment, enum_value("Zahlungsart", "EU_STANDART")),
        "Zahlungsart");
  check(payment->lpVtbl->put_LaenderCode(payment, enum_value("LaenderCodes", "FRANKREICH")),
        "LaenderCode");
  set_by_slot(payment->lpVtbl->put_BIC, payment, "BNPAFRPPXXX", "BIC");
  set_by_slot(payment->lpVtbl->put_IBAN, payment, "0000000FR7630006000011234567890189", "IBAN");
  put_text(payment, "Name", "Societe Generale");
  put_text(payment, "OrtPLZ", "75009 Paris");
  put_text(payment, "Betrag", "1250,50");
  put_text(payment, "Verwendungszweck1", "Rechnung 4711");
  put_text(payment, "Entgeltregelung", "00");
  return payment;
}

static XkGeldTransfer* second_payment(void) {
  XkGeldTransfer* payment = create(&XK_CLSID_GeldTransfer, &XK_IID__GeldTransfer);
  if (payment == NULL) return NULL;
  put_enum(payment, "Zahlungsart", "Zahlungsart", "STANDARD");
  put_enum(payment, "LaenderCode", "LaenderCodes", "OESTERREICH");
  put_enum(payment, "Weisungsschluessel1", "Weisungsschluessel", "PHON");
  set_by_slot(payment->lpVtbl->put_BIC, payment, "BKAUATWWXXX", "BIC");
  set_by_slot(payment->lpVtbl->put_IBAN, payment, "AT611904300234573201", "IBAN");
  set_by_slot(payment->lpVtbl->put_Name, payment, "Jörg Müller", "Name");
  put_text(payment, "Strasse", "Ringstraße 1");
  put_text(payment, "OrtPLZ", "1010 Wien");
  put_text(payment, "Betrag", "99,90");
  put_text(payment, "Verwendungszweck1", "Miete März");
  put_text(payment, "Verwendungszweck2", "Zeichen: € ☃");
  put_text(payment, "Ansprechpartner", "Frau Weiß");
  return payment;
}

static void add(XkDtAzvDatei* file, XkGeldTransfer* payment) {
  XkBstr result = NULL;
  if (payment == NULL) return;
  check(file->lpVtbl->AddGeldTransfer(file, payment, &result), "AddGeldTransfer");
  lib.XkBstrFree(result);
  /* The file keeps its own reference. */
  payment->lpVtbl->Release(payment);
}

static void write_file(const char* directory) {
  XkDtAzvDatei* file = create(&XK_CLSID_DtAzvDatei, &XK_IID__DtAzvDatei);
  if (file == NULL) return;
  XkBstr path = text(directory);
  check(file->lpVtbl->put_Pfad(file, path), "Pfad");
  lib.XkBstrFree(path);
  put_text(file, "DiffFileName", "DTAZV");
  fill_sender(file);
  add(file, first_payment());
  add(file, second_payment());

  XkVariant result;
  lib.XkVariantInit(&result);
  const XkDispParams none = {NULL, NULL, 0, 0};
  if (invoke((XkDispatch*)file, "Generate", XK_DISPATCH_METHOD, &none, &result) &&
      result.vt == XK_VT_BSTR) {
    char* utf8 = lib.XkBstrToUtf8(result.bstrVal, NULL);
    printf("%s\n", utf8);
    lib.XkUtf8Free(utf8);
  }
  lib.XkVariantClear(&result);
  file->lpVtbl->Release(file);
}

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    fprintf(stderr, "usage: %s OUTPUT_DIRECTORY [LIBRARY]\n", argv[0]);
    return 2;
  }
  const char* path = argc == 3 ? argv[2] : getenv("XKDTAZV_LIBRARY");
  if (!load(path != NULL ? path : "libXKDTAZV.so.1")) return 1;
  write_file(argv[1]);
  if (lib.DllCanUnloadNow() != XK_S_OK) {
    fprintf(stderr, "objects are still alive\n");
    ++failures;
  }
  dlclose(lib.handle);
  return failures == 0 ? 0 : 1;
}
