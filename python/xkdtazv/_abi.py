"""The binary interface of libXKDTAZV.so, as declared in xkdtazv/automation.h."""

import ctypes
import uuid
from ctypes import (CFUNCTYPE, POINTER, Structure, Union, c_char_p, c_int16, c_int32, c_uint8,
                    c_uint16, c_uint32, c_uint64, c_void_p)

HRESULT = c_int32

S_OK = 0
S_FALSE = 1
DISP_E_UNKNOWNNAME = -2147352570  # 0x80020006
DISP_E_TYPEMISMATCH = -2147352571  # 0x80020005
DISP_E_EXCEPTION = -2147352567  # 0x80020009
REGDB_E_CLASSNOTREG = -2147221164  # 0x80040154
REGDB_E_DAMAGED = -2147023887  # 0x800703F1


def failure_status(number):
    """The status of a failure that a member did not catch (XK_FAILURE_STATUS)."""
    return ctypes.c_int32(0x800A0000 | (number & 0xFFFF)).value


VT_EMPTY = 0
VT_I4 = 3
VT_BSTR = 8
VT_DISPATCH = 9
VT_BOOL = 11
VT_UNKNOWN = 13
VARIANT_TRUE = -1

DISPATCH_METHOD = 0x1
DISPATCH_PROPERTYGET = 0x2
DISPATCH_PROPERTYPUT = 0x4
DISPID_PROPERTYPUT = -3

MEMBER_PROPERTY_READ_WRITE = 1
MEMBER_PROPERTY_READ_ONLY = 2
MEMBER_METHOD = 3

LOCALE_EN_US = 0x409


class GUID(Structure):
    _fields_ = [("data1", c_uint32), ("data2", c_uint16), ("data3", c_uint16),
                ("data4", c_uint8 * 8)]

    @classmethod
    def from_text(cls, text):
        """From the braced text form, e.g. "{00020400-0000-0000-C000-000000000046}"."""
        return cls.from_buffer_copy(uuid.UUID(text).bytes_le)

    def __str__(self):
        return "{%s}" % str(uuid.UUID(bytes_le=bytes(self))).upper()


# The platform interfaces every host knows.
IID_NULL = GUID()
IID_IUNKNOWN = GUID.from_text("{00000000-0000-0000-C000-000000000046}")
IID_ICLASSFACTORY = GUID.from_text("{00000001-0000-0000-C000-000000000046}")
IID_IDISPATCH = GUID.from_text("{00020400-0000-0000-C000-000000000046}")


class _VariantValue(Union):
    _fields_ = [("lVal", c_int32), ("boolVal", c_int16), ("bstrVal", c_void_p),
                ("pdispVal", c_void_p), ("reserved4", c_uint64 * 2)]


class VARIANT(Structure):
    _anonymous_ = ("value",)
    _fields_ = [("vt", c_uint16), ("reserved1", c_uint16), ("reserved2", c_uint16),
                ("reserved3", c_uint16), ("value", _VariantValue)]


class DISPPARAMS(Structure):
    _fields_ = [("rgvarg", POINTER(VARIANT)), ("rgdispidNamedArgs", POINTER(c_int32)),
                ("cArgs", c_uint32), ("cNamedArgs", c_uint32)]


class EXCEPINFO(Structure):
    _fields_ = [("number", c_int32), ("scode", c_int32), ("source", c_void_p),
                ("description", c_void_p)]


class MemberInfo(Structure):
    _fields_ = [("name", c_char_p), ("dispid", c_int32), ("kind", c_int32), ("vt", c_uint16),
                ("type_name", c_char_p), ("param_count", c_uint32), ("param_name", c_char_p),
                ("param_vt", c_uint16), ("param_type_name", c_char_p), ("get_slot", c_uint32),
                ("put_slot", c_uint32)]


class InterfaceInfo(Structure):
    _fields_ = [("name", c_char_p), ("iid", GUID), ("flags", c_uint32),
                ("member_count", c_uint32), ("members", POINTER(MemberInfo))]


class ClassInfo(Structure):
    _fields_ = [("name", c_char_p), ("prog_id", c_char_p), ("clsid", GUID),
                ("creatable", c_int32), ("default_interface", POINTER(InterfaceInfo)),
                ("iid_resource", c_char_p)]


class EnumMemberInfo(Structure):
    _fields_ = [("name", c_char_p), ("value", c_int32)]


class EnumInfo(Structure):
    _fields_ = [("name", c_char_p), ("guid", GUID), ("member_count", c_uint32),
                ("members", POINTER(EnumMemberInfo))]


class TypeLibInfo(Structure):
    _fields_ = [("name", c_char_p), ("libid", GUID), ("major_version", c_uint16),
                ("minor_version", c_uint16), ("lcid", c_uint32), ("file_version", c_char_p),
                ("threading_model", c_char_p), ("self_registering", c_int32),
                ("class_count", c_uint32), ("classes", POINTER(ClassInfo)),
                ("interface_count", c_uint32), ("interfaces", POINTER(InterfaceInfo)),
                ("enum_count", c_uint32), ("enums", POINTER(EnumInfo))]


_QueryInterface = CFUNCTYPE(HRESULT, c_void_p, POINTER(GUID), POINTER(c_void_p))
_AddRef = CFUNCTYPE(c_uint32, c_void_p)
_Release = CFUNCTYPE(c_uint32, c_void_p)


class DispatchVtbl(Structure):
    """Slots 0 to 6 of every dual interface."""
    _fields_ = [
        ("QueryInterface", _QueryInterface),
        ("AddRef", _AddRef),
        ("Release", _Release),
        ("GetTypeInfoCount", CFUNCTYPE(HRESULT, c_void_p, POINTER(c_uint32))),
        ("GetTypeInfo", CFUNCTYPE(HRESULT, c_void_p, c_uint32, c_uint32,
                                  POINTER(POINTER(InterfaceInfo)))),
        ("GetIDsOfNames", CFUNCTYPE(HRESULT, c_void_p, POINTER(GUID), POINTER(c_void_p),
                                    c_uint32, c_uint32, POINTER(c_int32))),
        ("Invoke", CFUNCTYPE(HRESULT, c_void_p, c_int32, POINTER(GUID), c_uint32, c_uint16,
                             POINTER(DISPPARAMS), POINTER(VARIANT), POINTER(EXCEPINFO),
                             POINTER(c_uint32))),
    ]


class ClassFactoryVtbl(Structure):
    _fields_ = [
        ("QueryInterface", _QueryInterface),
        ("AddRef", _AddRef),
        ("Release", _Release),
        ("CreateInstance", CFUNCTYPE(HRESULT, c_void_p, c_void_p, POINTER(GUID),
                                     POINTER(c_void_p))),
        ("LockServer", CFUNCTYPE(HRESULT, c_void_p, c_int32)),
    ]


def vtable(pointer, layout):
    """The virtual table of an interface pointer, seen through `layout`."""
    table = ctypes.cast(pointer, POINTER(c_void_p))[0]
    return ctypes.cast(table, POINTER(layout)).contents


def declare(dll):
    """Gives the library's functions their C signatures."""
    signatures = {
        "DllGetClassObject": (HRESULT, [POINTER(GUID), POINTER(GUID), POINTER(c_void_p)]),
        "DllCanUnloadNow": (HRESULT, []),
        "DllRegisterServer": (HRESULT, []),
        "DllUnregisterServer": (HRESULT, []),
        "XkBstrAlloc": (c_void_p, [c_void_p, c_uint32]),
        "XkBstrLength": (c_uint32, [c_void_p]),
        "XkBstrFree": (None, [c_void_p]),
        "XkVariantClear": (HRESULT, [POINTER(VARIANT)]),
        "XkExcepInfoClear": (None, [POINTER(EXCEPINFO)]),
        "XkStatusName": (c_char_p, [HRESULT]),
        "XkStatusDescription": (c_char_p, [HRESULT]),
        "XkStatusNumber": (c_int32, [HRESULT]),
        "XkGetTypeLibInfo": (POINTER(TypeLibInfo), []),
    }
    # Version 1.1 of the library adds its newer type information.
    if hasattr(dll, "XkGetTypeLibInfo2"):
        signatures["XkGetTypeLibInfo2"] = (POINTER(TypeLibInfo), [])
    for name, (restype, argtypes) in signatures.items():
        function = getattr(dll, name)
        function.restype = restype
        function.argtypes = argtypes

