"""Late-bound objects: every attribute is looked up by name in the object's
dispatch interface and carried out through Invoke."""

import ctypes
import threading

from . import _abi
from ._errors import UnknownNameError, XkdtazvError

_INT32_RANGE = range(-2**31, 2**31)


class _Arguments:
    """Python values as a variant array, freeing what it allocated."""

    def __init__(self, library, values, member):
        self._library = library
        # Invoke takes the last argument first.
        self.variants = (_abi.VARIANT * max(len(values), 1))()
        self._texts = []
        for slot, value in zip(range(len(values)), reversed(values)):
            self._fill(self.variants[slot], value, member)

    def _fill(self, variant, value, member):
        if value is None:
            variant.vt, variant.pdispVal = _abi.VT_DISPATCH, None
        elif isinstance(value, bool):
            variant.vt, variant.boolVal = _abi.VT_BOOL, _abi.VARIANT_TRUE if value else 0
        elif isinstance(value, int):
            if value not in _INT32_RANGE:
                raise self._library.error(_abi.failure_status(6), member)
            variant.vt, variant.lVal = _abi.VT_I4, value
        elif isinstance(value, str):
            text = self._library.new_text(value)
            self._texts.append(text)
            variant.vt, variant.bstrVal = _abi.VT_BSTR, text
        elif isinstance(value, Dispatch):
            variant.vt, variant.pdispVal = _abi.VT_DISPATCH, value._pointer
        else:
            raise self._library.error(_abi.DISP_E_TYPEMISMATCH, member)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        for text in self._texts:
            self._library.free_text(text)


class Dispatch:
    """An XKDTAZV object. Properties read and write as attributes
    (`d.Pfad = "/tmp"`, `mi = d.GetMeineInfo`); methods are called
    (`d.Generate()`). Names are matched without regard to case."""

    __slots__ = ("_library", "_pointer", "_slots")

    def __init__(self, library, pointer):
        """Takes over one reference to `pointer`."""
        object.__setattr__(self, "_library", library)
        object.__setattr__(self, "_pointer", pointer)
        object.__setattr__(self, "_slots", _abi.vtable(pointer, _abi.DispatchVtbl))

    def __del__(self):
        # Reference counts may drop from any thread, at any time.
        pointer = getattr(self, "_pointer", None)
        if pointer:
            object.__setattr__(self, "_pointer", None)
            self._slots.Release(pointer)

    # ---- dispatch by name ---------------------------------------------------

    def _dispid(self, name):
        units = name.encode("utf-16-le", "surrogatepass") + b"\0\0"
        buffer = ctypes.create_string_buffer(units, len(units))
        names = (ctypes.c_void_p * 1)(ctypes.addressof(buffer))
        dispid = ctypes.c_int32()
        status = self._slots.GetIDsOfNames(self._pointer, None, names, 1, _abi.LOCALE_EN_US,
                                           ctypes.byref(dispid))
        if status == _abi.DISP_E_UNKNOWNNAME:
            error = self._library.error(status, name)
            raise UnknownNameError(error.number, error.description, status, name)
        self._library.check(status, name)
        return dispid.value

    def _interface(self):
        info = ctypes.POINTER(_abi.InterfaceInfo)()
        self._library.check(
            self._slots.GetTypeInfo(self._pointer, 0, _abi.LOCALE_EN_US, ctypes.byref(info)))
        return info.contents

    def _member(self, dispid):
        # By name a host reaches the newer interface's members too.
        interface = self._library.newest_interface(self._interface())
        for i in range(interface.member_count):
            if interface.members[i].dispid == dispid:
                return interface.members[i]
        raise self._library.error(-2147352573)  # XK_DISP_E_MEMBERNOTFOUND

    def _invoke(self, name, dispid, flags, values=(), named=()):
        with _Arguments(self._library, values, name) as arguments:
            named_ids = (ctypes.c_int32 * max(len(named), 1))(*named)
            params = _abi.DISPPARAMS(arguments.variants, named_ids, len(values), len(named))
            result = _abi.VARIANT()
            error = _abi.EXCEPINFO()
            status = self._slots.Invoke(self._pointer, dispid, None, _abi.LOCALE_EN_US, flags,
                                        ctypes.byref(params), ctypes.byref(result),
                                        ctypes.byref(error), None)
        if status == _abi.DISP_E_EXCEPTION:
            failure = XkdtazvError(error.number, self._library.read_text(error.description),
                                   error.scode, name)
            self._library.dll.XkExcepInfoClear(ctypes.byref(error))
            raise failure
        self._library.check(status, name)
        return self._take(result)

    def _take(self, variant):
        """The Python value of a result, which it takes over."""
        if variant.vt in (_abi.VT_DISPATCH, _abi.VT_UNKNOWN):
            return Dispatch(self._library, variant.pdispVal) if variant.pdispVal else None
        try:
            if variant.vt == _abi.VT_BSTR:
                return self._library.read_text(variant.bstrVal)
            if variant.vt == _abi.VT_I4:
                return variant.lVal
            if variant.vt == _abi.VT_BOOL:
                return variant.boolVal != 0
            return None
        finally:
            self._library.dll.XkVariantClear(ctypes.byref(variant))

    def __getattr__(self, name):
        if name.startswith("_"):
            raise AttributeError(name)
        dispid = self._dispid(name)
        if self._member(dispid).kind == _abi.MEMBER_METHOD:
            return _Method(self, name, dispid)
        return self._invoke(name, dispid, _abi.DISPATCH_PROPERTYGET)

    def __setattr__(self, name, value):
        if name.startswith("_"):
            raise AttributeError(name)
        self._invoke(name, self._dispid(name), _abi.DISPATCH_PROPERTYPUT, (value,),
                     (_abi.DISPID_PROPERTYPUT,))

    def __dir__(self):
        interface = self._interface()
        return [interface.members[i].name.decode("ascii") for i in range(interface.member_count)]

    # ---- identity -------------------------------------------------------------

    def _identity(self):
        unknown = ctypes.c_void_p()
        self._library.check(self._slots.QueryInterface(
            self._pointer, ctypes.byref(_abi.IID_IUNKNOWN), ctypes.byref(unknown)))
        self._slots.Release(unknown)
        return unknown.value

    def __eq__(self, other):
        return isinstance(other, Dispatch) and self._identity() == other._identity()

    def __hash__(self):
        return hash(self._identity())

    def __repr__(self):
        try:
            name = self._interface().name.decode("ascii")
        except XkdtazvError:
            name = "object"
        return f"<xkdtazv {name} at {self._pointer:#x} in thread {threading.get_ident()}>"


class _Method:
    """A method of a Dispatch, bound to it; called with its arguments."""

    __slots__ = ("_target", "_name", "_dispid")

    def __init__(self, target, name, dispid):
        self._target, self._name, self._dispid = target, name, dispid

    def __call__(self, *arguments):
        return self._target._invoke(self._name, self._dispid, _abi.DISPATCH_METHOD, arguments)

    def __repr__(self):
        return f"<xkdtazv method {self._name}>"
