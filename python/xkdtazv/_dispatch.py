"""Late-bound objects: every attribute is looked up by name in the object's
dispatch interface. What a name resolves to is kept per class, so each name is
looked up once; text and integer properties are then read and written through
their own virtual-table slots, everything else through Invoke."""

import ctypes
import threading

from . import _abi
from ._errors import UnknownNameError, XkdtazvError

_INT32_RANGE = range(-2**31, 2**31)

# The typed slots of a property, by the type it carries.
_PUT_SLOTS = {
    _abi.VT_BSTR: ctypes.CFUNCTYPE(_abi.HRESULT, ctypes.c_void_p, ctypes.c_void_p),
    _abi.VT_I4: ctypes.CFUNCTYPE(_abi.HRESULT, ctypes.c_void_p, ctypes.c_int32),
}
_GET_SLOTS = {
    _abi.VT_BSTR: ctypes.CFUNCTYPE(_abi.HRESULT, ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p)),
    _abi.VT_I4: ctypes.CFUNCTYPE(_abi.HRESULT, ctypes.c_void_p, ctypes.POINTER(ctypes.c_int32)),
}
# The slots of methods that take nothing or one object and return a text.
_CALL_SLOTS = {
    (0, _abi.VT_BSTR): ctypes.CFUNCTYPE(_abi.HRESULT, ctypes.c_void_p,
                                        ctypes.POINTER(ctypes.c_void_p)),
    (1, _abi.VT_BSTR): ctypes.CFUNCTYPE(_abi.HRESULT, ctypes.c_void_p, ctypes.c_void_p,
                                        ctypes.POINTER(ctypes.c_void_p)),
}
_FAILURE_FACILITY = 0x800A0000  # statuses that carry a failure kept for XkGetErrorInfo


class _Name:
    """What one name of one class resolves to."""

    __slots__ = ("dispid", "kind", "vt", "put", "get", "call", "arity")

    def __init__(self, dispid, member, table):
        self.dispid, self.kind, self.vt = dispid, member.kind, member.vt
        self.put = self.get = self.call = None
        self.arity = member.param_count
        if member.kind == _abi.MEMBER_METHOD:
            # A method's slot is its read slot.
            call_type = _CALL_SLOTS.get((member.param_count, member.vt))
            takes_object = member.param_count == 0 or member.param_vt == _abi.VT_DISPATCH
            if call_type and takes_object and member.get_slot:
                self.call = call_type(table[member.get_slot])
            return
        put_type, get_type = _PUT_SLOTS.get(member.vt), _GET_SLOTS.get(member.vt)
        if put_type and member.put_slot:
            self.put = put_type(table[member.put_slot])
        if get_type and member.get_slot:
            self.get = get_type(table[member.get_slot])


class _Class:
    """What every object of one class shares: its dispatch slots and the names
    resolved so far. Found by the address of the objects' virtual table."""

    __slots__ = ("slots", "table", "names", "interface")

    def __init__(self, table):
        self.slots = ctypes.cast(table, ctypes.POINTER(_abi.DispatchVtbl)).contents
        self.table = ctypes.cast(table, ctypes.POINTER(ctypes.c_void_p))
        self.names = {}
        self.interface = None


_classes = {}


def _class_of(pointer):
    table = ctypes.c_void_p.from_address(pointer).value
    known = _classes.get(table)
    if known is None:
        known = _classes[table] = _Class(table)
    return known


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

    __slots__ = ("_library", "_pointer", "_slots", "_class")

    def __init__(self, library, pointer):
        """Takes over one reference to `pointer`."""
        known = _class_of(pointer)
        object.__setattr__(self, "_library", library)
        object.__setattr__(self, "_pointer", pointer)
        object.__setattr__(self, "_slots", known.slots)
        object.__setattr__(self, "_class", known)

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
        known = self._class
        if known.interface is None:
            info = ctypes.POINTER(_abi.InterfaceInfo)()
            self._library.check(
                self._slots.GetTypeInfo(self._pointer, 0, _abi.LOCALE_EN_US, ctypes.byref(info)))
            known.interface = info.contents
        return known.interface

    def _name(self, name):
        """What `name` resolves to; looked up the first time only."""
        resolved = self._class.names.get(name)
        if resolved is None:
            dispid = self._dispid(name)
            resolved = _Name(dispid, self._member(dispid), self._class.table)
            self._class.names[name] = resolved
        return resolved

    def _slot_failure(self, status, name):
        """Raises what a typed slot's failing status stands for, as Invoke would."""
        if status & 0xFFFF0000 == _FAILURE_FACILITY:
            library = self._library
            dll = library.dll
            if dll.XkGetErrorInfo.argtypes is None:
                dll.XkGetErrorInfo.restype = _abi.HRESULT
                dll.XkGetErrorInfo.argtypes = [ctypes.c_void_p, ctypes.POINTER(_abi.EXCEPINFO)]
            error = _abi.EXCEPINFO()
            if dll.XkGetErrorInfo(self._pointer, ctypes.byref(error)) == _abi.S_OK:
                failure = XkdtazvError(error.number, library.read_text(error.description),
                                       error.scode, name)
                dll.XkExcepInfoClear(ctypes.byref(error))
                raise failure
        self._library.check(status, name)

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
        resolved = self._name(name)
        if resolved.kind == _abi.MEMBER_METHOD:
            return _Method(self, name, resolved)
        get = resolved.get
        if get is None:
            return self._invoke(name, resolved.dispid, _abi.DISPATCH_PROPERTYGET)
        if resolved.vt == _abi.VT_BSTR:
            text = ctypes.c_void_p()
            status = get(self._pointer, ctypes.byref(text))
            if status < 0:
                self._slot_failure(status, name)
            try:
                return self._library.read_text(text.value)
            finally:
                self._library.free_text(text.value)
        number = ctypes.c_int32()
        status = get(self._pointer, ctypes.byref(number))
        if status < 0:
            self._slot_failure(status, name)
        return number.value

    def __setattr__(self, name, value):
        if name.startswith("_"):
            raise AttributeError(name)
        resolved = self._name(name)
        put = resolved.put
        kind = type(value)
        if put is not None and kind is str and resolved.vt == _abi.VT_BSTR:
            library = self._library
            text = library.new_text(value)
            try:
                status = put(self._pointer, text)
            finally:
                library.free_text(text)
        elif (put is not None and kind is int and resolved.vt == _abi.VT_I4
              and value in _INT32_RANGE):
            status = put(self._pointer, value)
        else:
            self._invoke(name, resolved.dispid, _abi.DISPATCH_PROPERTYPUT, (value,),
                         (_abi.DISPID_PROPERTYPUT,))
            return
        if status < 0:
            self._slot_failure(status, name)

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

    __slots__ = ("_target", "_name", "_resolved")

    def __init__(self, target, name, resolved):
        self._target, self._name, self._resolved = target, name, resolved

    def __call__(self, *arguments):
        target, resolved = self._target, self._resolved
        call = resolved.call
        text = ctypes.c_void_p()
        if call is not None and not arguments and resolved.arity == 0:
            status = call(target._pointer, ctypes.byref(text))
        elif (call is not None and len(arguments) == 1 == resolved.arity
              and type(arguments[0]) is Dispatch and arguments[0]._pointer):
            status = call(target._pointer, arguments[0]._pointer, ctypes.byref(text))
        else:
            return target._invoke(self._name, resolved.dispid, _abi.DISPATCH_METHOD, arguments)
        if status < 0:
            target._slot_failure(status, self._name)
        library = target._library
        try:
            return library.read_text(text.value)
        finally:
            library.free_text(text.value)

    def __repr__(self):
        return f"<xkdtazv method {self._name}>"
