"""The enumeration members of the XKDTAZV type library, read at run time from
the library that CreateObject loaded last (else from the registered one, else
from the installed libXKDTAZV.so.1):

    xkdtazv.constants.DEUTSCHLAND                 # 88
    xkdtazv.constants.LaenderCodes.DEUTSCHLAND    # the same, by enumeration
"""

import types

from . import _abi, _library, _registry
from ._errors import XkdtazvError

# Per library: its enumerations as namespaces, and every member by name. A
# library's type information never changes, so each is built once.
_tables = {}


def _library_now():
    library = _library.latest_library()
    if library is None:
        try:
            path, _ = _registry.find_server("XKDTAZV.DtAzvDatei")
        except XkdtazvError as failure:
            if failure.status != _abi.REGDB_E_CLASSNOTREG:
                raise
            path = _library.SONAME
        library = _library.load_library(path)
    return library


def _names(library):
    tables = _tables.get(library)
    if tables is None:
        enumerations = library.enumerations()
        names = {}
        # Members of the same name carry the same value in every enumeration.
        for members in reversed(list(enumerations.values())):
            names.update(members)
        for name, members in enumerations.items():
            names[name] = types.SimpleNamespace(**members)
        tables = _tables[library] = names
    return tables


def __getattr__(name):
    if name.startswith("_"):
        raise AttributeError(name)
    try:
        value = _names(_library_now())[name]
    except KeyError:
        raise AttributeError(f"no enumeration member {name}") from None
    if isinstance(value, types.SimpleNamespace):
        return types.SimpleNamespace(**vars(value))  # a namespace of its own for each caller
    return value


def __dir__():
    return sorted(_names(_library_now()))
