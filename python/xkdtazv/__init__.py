"""Python host for XKDTAZV, the DTAZV payment file component, over its
automation library libXKDTAZV.so (standard library only):

    import xkdtazv

    d = xkdtazv.CreateObject("XKDTAZV.DtAzvDatei")
    d.Pfad = "/tmp/out"
    mi = d.GetMeineInfo
    mi.BLZ = "12345678"
    p = xkdtazv.CreateObject("XKDTAZV.GeldTransfer")
    p.LaenderCode = xkdtazv.constants.DEUTSCHLAND
    d.AddGeldTransfer(p)
    print(d.Generate())

CreateObject finds the library through the per-user registry that
DllRegisterServer writes, or loads the one given as `library`. A class that is
not registered comes from libXKDTAZV.so.1 wherever the dynamic loader finds it
(the installed library), so registering is only needed to choose another.
Failures that a member does not catch raise XkdtazvError with the failure's
number and German description. Objects belong to the thread that created them.
"""

from . import _abi, _library, constants
from ._dispatch import Dispatch
from ._errors import UnknownNameError, XkdtazvError
from ._library import load_library
from ._registry import _not_registered, find_server, registry_file

__all__ = ["CreateObject", "Dispatch", "UnknownNameError", "XkdtazvError", "constants",
           "load_library", "registry_file"]


def CreateObject(prog_id, library=None):  # noqa: N802 - the name automation hosts know
    """A new object of the class registered as `prog_id`, e.g.
    "XKDTAZV.GeldTransfer". With `library`, that file is loaded instead of
    looking the class up in the registry; without, a class the registry does
    not know comes from the library the dynamic loader finds as
    libXKDTAZV.so.1."""
    if library is None:
        try:
            path, clsid_text = find_server(prog_id)
        except XkdtazvError as unregistered:
            if unregistered.status != _abi.REGDB_E_CLASSNOTREG:
                raise
            return _create_from_installed(prog_id, unregistered)
        loaded = load_library(path)
        return loaded.create(_abi.GUID.from_text(clsid_text), prog_id)
    return _create_named(load_library(library), prog_id, _not_registered(prog_id))


def _create_from_installed(prog_id, unregistered):
    """The class from the library the loader finds by its soname; when there
    is none, or it has no such class, the class stays not registered."""
    try:
        loaded = load_library(_library.SONAME)
    except XkdtazvError:
        raise unregistered from None
    return _create_named(loaded, prog_id, unregistered)


def _create_named(loaded, prog_id, unknown):
    klass = loaded.class_named(prog_id)
    if klass is None:
        raise unknown
    return loaded.create(klass.clsid, prog_id)
