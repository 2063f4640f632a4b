"""One loaded libXKDTAZV.so: its text helpers, statuses, type information and
class factories."""

import ctypes
import os

from . import _abi
from ._errors import XkdtazvError

# Libraries by real path, so that every object of one library shares it, and
# the latest one for constants.
_loaded = {}
_latest = []


class Library:
    def __init__(self, path):
        self.path = path
        self.dll = ctypes.CDLL(path)
        _abi.declare(self.dll)
        self.type_info = self.dll.XkGetTypeLibInfo().contents
        # The newer interfaces, whose members extend the published ones.
        self.newer_type_info = (self.dll.XkGetTypeLibInfo2().contents
                                if hasattr(self.dll, "XkGetTypeLibInfo2") else None)

    # ---- text ------------------------------------------------------------

    def new_text(self, text):
        """A new library text (the caller frees it). Lone surrogates pass
        through; the library turns them into U+FFFD."""
        units = text.encode("utf-16-le", "surrogatepass")
        bstr = self.dll.XkBstrAlloc(units, len(units) // 2)
        if not bstr and units:
            raise self.error(_abi.failure_status(7))
        return bstr

    def read_text(self, bstr):
        if not bstr:
            return ""
        length = self.dll.XkBstrLength(bstr)
        return ctypes.string_at(bstr, 2 * length).decode("utf-16-le", "surrogatepass")

    def free_text(self, bstr):
        self.dll.XkBstrFree(bstr)

    # ---- statuses -----------------------------------------------------------

    def error(self, status, member=None):
        """The exception for a failed status, worded by the library."""
        return XkdtazvError(self.dll.XkStatusNumber(status),
                            self.dll.XkStatusDescription(status).decode("utf-8"), status, member)

    def check(self, status, member=None):
        if status < 0:
            raise self.error(status, member)
        return status

    # ---- type information ---------------------------------------------------

    def newest_interface(self, published):
        """The newer interface that extends `published`, or `published`."""
        newer = self.newer_type_info
        if newer is None:
            return published
        for i in range(self.type_info.class_count):
            if self.type_info.classes[i].default_interface.contents.name == published.name:
                return newer.classes[i].default_interface.contents
        return published

    def classes(self):
        info = self.type_info
        return [info.classes[i] for i in range(info.class_count)]

    def class_named(self, prog_id):
        """The class registered under a programmatic identifier, which, like
        automation hosts, this matches without regard to case."""
        for klass in self.classes():
            if klass.prog_id.decode("ascii").lower() == prog_id.lower():
                return klass
        return None

    def enumerations(self):
        """{enumeration: {member: value}}, in the library's order."""
        info = self.type_info
        result = {}
        for i in range(info.enum_count):
            enum = info.enums[i]
            members = (enum.members[m] for m in range(enum.member_count))
            result[enum.name.decode("ascii")] = {m.name.decode("ascii"): m.value for m in members}
        return result

    # ---- entry points -------------------------------------------------------

    def create(self, clsid, member):
        """A new object of the class, as a late-bound Dispatch."""
        from ._dispatch import Dispatch

        factory = ctypes.c_void_p()
        self.check(self.dll.DllGetClassObject(ctypes.byref(clsid),
                                              ctypes.byref(_abi.IID_ICLASSFACTORY),
                                              ctypes.byref(factory)), member)
        slots = _abi.vtable(factory, _abi.ClassFactoryVtbl)
        try:
            created = ctypes.c_void_p()
            self.check(slots.CreateInstance(factory, None, ctypes.byref(_abi.IID_IDISPATCH),
                                            ctypes.byref(created)), member)
        finally:
            slots.Release(factory)
        return Dispatch(self, created.value)

    def register(self):
        return self.check(self.dll.DllRegisterServer(), "DllRegisterServer")

    def unregister(self):
        return self.check(self.dll.DllUnregisterServer(), "DllUnregisterServer")

    def can_unload_now(self):
        return self.dll.DllCanUnloadNow() == _abi.S_OK


def load_library(path):
    """The library at `path`, loaded once per process."""
    real = os.path.realpath(path)
    library = _loaded.get(real)
    if library is None:
        try:
            library = Library(real)
        except OSError as failure:
            raise XkdtazvError(53, f"Datei nicht gefunden: {path}", member=path) from failure
        _loaded[real] = library
    _latest[:] = [library]
    return library


def latest_library():
    """The library loaded last, or None."""
    return _latest[0] if _latest else None
