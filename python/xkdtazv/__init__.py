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
DllRegisterServer writes, or loads the one given as `library`. Failures that
a member does not catch raise XkdtazvError with the failure's number and
German description. Objects belong to the thread that created them.
"""

from . import constants
from ._dispatch import Dispatch
from ._errors import UnknownNameError, XkdtazvError
from ._library import load_library
from ._registry import find_server, registry_file

__all__ = ["CreateObject", "Dispatch", "UnknownNameError", "XkdtazvError", "constants",
           "load_library", "registry_file"]


def CreateObject(prog_id, library=None):  # noqa: N802 - the name automation hosts know
    """A new object of the class registered as `prog_id`, e.g.
    "XKDTAZV.GeldTransfer". With `library`, that file is loaded instead of
    looking the class up in the registry."""
    if library is None:
        path, clsid_text = find_server(prog_id)
        loaded = load_library(path)
        from ._abi import GUID
        return loaded.create(GUID.from_text(clsid_text), prog_id)
    loaded = load_library(library)
    klass = loaded.class_named(prog_id)
    if klass is None:
        from ._registry import _not_registered
        raise _not_registered(prog_id)
    return loaded.create(klass.clsid, prog_id)
