"""The enumeration members of the XKDTAZV type library, read at run time from
the library that CreateObject loaded last (else from the registered one, else
from the installed libXKDTAZV.so.1):

    xkdtazv.constants.DEUTSCHLAND                 # 88
    xkdtazv.constants.LaenderCodes.DEUTSCHLAND    # the same, by enumeration
"""

import types

from . import _abi, _library, _registry
from ._errors import XkdtazvError


def _enumerations():
    library = _library.latest_library()
    if library is None:
        try:
            path, _ = _registry.find_server("XKDTAZV.DtAzvDatei")
        except XkdtazvError as failure:
            if failure.status != _abi.REGDB_E_CLASSNOTREG:
                raise
            path = _library.SONAME
        library = _library.load_library(path)
    return library.enumerations()


def __getattr__(name):
    if name.startswith("_"):
        raise AttributeError(name)
    enumerations = _enumerations()
    if name in enumerations:
        return types.SimpleNamespace(**enumerations[name])
    # Members of the same name carry the same value in every enumeration.
    for members in enumerations.values():
        if name in members:
            return members[name]
    raise AttributeError(f"no enumeration member {name}")


def __dir__():
    enumerations = _enumerations()
    names = set(enumerations)
    for members in enumerations.values():
        names.update(members)
    return sorted(names)
