"""One loaded libXKDTAZV.so: its text helpers, statuses, type information and
class factories."""

import ctypes
import os

from . import _abi
from ._errors import XkdtazvError

# Libraries by real path, so that every object of one library shares it, and
# the latest one for constants; the path a caller gave is resolved only once.
_loaded = {}
_latest = []
_by_given_path = {}


class Library:
    def __init__(self, path):
        self.path = path
        self.dll = ctypes.CDLL(path)
        _abi.declare(self.dll)
        self.type_info = self.dll.XkGetTypeLibInfo().contents
        # The type information is constant: read once, kept.
        self._classes_by_prog_id = None
        self._enumerations = None
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
        if self._classes_by_prog_id is None:
            self._classes_by_prog_id = {klass.prog_id.decode("ascii").lower(): klass
                                        for klass in self.classes()}
        return self._classes_by_prog_id.get(prog_id.lower())

    def enumerations(self):
        """{enumeration: {member: value}}, in the library's order. The same
        tables every time: callers must not change them."""
        if self._enumerations is not None:
            return self._enumerations
        info = self.type_info
        result = {}
        for i in range(info.enum_count):
            enum = info.enums[i]
            members = (enum.members[m] for m in range(enum.member_count))
            result[enum.name.decode("ascii")] = {m.name.decode("ascii"): m.value for m in members}
        self._enumerations = result
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


# The library's name for the dynamic loader: what a host without a registry
# entry loads, found in the loader's search path like any installed library.
SONAME = "libXKDTAZV.so.1"


class _DlInfo(ctypes.Structure):
    _fields_ = [("dli_fname", ctypes.c_char_p), ("dli_fbase", ctypes.c_void_p),
                ("dli_sname", ctypes.c_char_p), ("dli_saddr", ctypes.c_void_p)]


def _file_chosen_by_loader(name):
    """The file the dynamic loader loads for a bare library name, which may be
    one this process has loaded already under its path."""
    dll = ctypes.CDLL(name)
    try:
        entry = ctypes.cast(dll.DllGetClassObject, ctypes.c_void_p)
    except AttributeError as failure:
        raise OSError(f"{name} is no XKDTAZV library") from failure
    info = _DlInfo()
    if not ctypes.CDLL(None).dladdr(entry, ctypes.byref(info)) or not info.dli_fname:
        raise OSError(f"{name}: the loader names no file")
    return os.fsdecode(info.dli_fname)


def load_library(path):
    """The library at `path`, loaded once per process. A name without a
    directory, such as SONAME, is looked up as the dynamic loader does."""
    # A relative path means what it means in the current directory; a bare
    # name means what the loader finds, wherever the process stands.
    given = path if os.path.isabs(path) or os.sep not in path else (os.getcwd(), path)
    library = _by_given_path.get(given)
    if library is not None:
        _latest[:] = [library]
        return library
    try:
        real = os.path.realpath(path if os.sep in path else _file_chosen_by_loader(path))
        library = _loaded.get(real)
        if library is None:
            library = Library(real)
            _loaded[real] = library
    except OSError as failure:
        raise XkdtazvError(53, f"Datei nicht gefunden: {path}", member=path) from failure
    _by_given_path[given] = library
    _latest[:] = [library]
    return library


def latest_library():
    """The library loaded last, or None."""
    return _latest[0] if _latest else None
