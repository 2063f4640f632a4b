"""Finds a class's library in the per-user registry file that DllRegisterServer
writes: $XDG_DATA_HOME/xkdtazv/registry.json (XDG_DATA_HOME defaults to
~/.local/share)."""

import json
import os

from . import _abi
from ._errors import XkdtazvError

# The host's own words for a class it cannot create, as automation hosts say them.
_CANNOT_CREATE = 429, "Objekterstellung durch ActiveX-Komponente nicht möglich"


def registry_file():
    data_home = os.environ.get("XDG_DATA_HOME", "")
    if not os.path.isabs(data_home):
        data_home = os.path.join(os.path.expanduser("~"), ".local", "share")
    return os.path.join(data_home, "xkdtazv", "registry.json")


def _not_registered(prog_id):
    return XkdtazvError(*_CANNOT_CREATE, status=_abi.REGDB_E_CLASSNOTREG, member=prog_id)


def _entry(section, key):
    """A registry entry; keys compare without regard to case."""
    if not isinstance(section, dict):
        return None
    for name, value in section.items():
        if name.lower() == key.lower() and isinstance(value, dict):
            return value
    return None


def find_server(prog_id):
    """(library path, class identifier text) registered for a programmatic identifier."""
    path = registry_file()
    try:
        with open(path, encoding="utf-8") as file:
            registry = json.load(file)
    except FileNotFoundError:
        raise _not_registered(prog_id) from None
    except (OSError, ValueError) as failure:
        raise XkdtazvError(_abi.REGDB_E_DAMAGED, f"Registrierungsdatei ist beschädigt: {path}",
                           status=_abi.REGDB_E_DAMAGED, member=prog_id) from failure
    if not isinstance(registry, dict):
        raise XkdtazvError(_abi.REGDB_E_DAMAGED, f"Registrierungsdatei ist beschädigt: {path}",
                           status=_abi.REGDB_E_DAMAGED, member=prog_id)
    by_name = _entry(registry.get("ProgID"), prog_id)
    clsid = by_name.get("CLSID") if by_name else None
    server = _entry(registry.get("CLSID"), clsid) if isinstance(clsid, str) else None
    library = server.get("InprocServer32") if server else None
    if not isinstance(library, str):
        raise _not_registered(prog_id)
    return library, clsid
