"""Run by an interpreter that finds an installed xkdtazv package: checks that
the package comes from the installation under PACKAGE_PREFIX and, with nothing
registered, libXKDTAZV.so.1 through its soname from under LIBRARY_PREFIX, then
writes a file into WORK_DIRECTORY.

    python3 installed_python_host.py PACKAGE_PREFIX LIBRARY_PREFIX WORK_DIRECTORY
"""

import os
import sys

import xkdtazv

package_prefix, library_prefix, work = (os.path.realpath(path) for path in sys.argv[1:4])


def inside(prefix, path):
    return os.path.realpath(path).startswith(prefix + os.sep)


assert inside(package_prefix, xkdtazv.__file__), f"xkdtazv comes from {xkdtazv.__file__}"
assert not os.path.exists(xkdtazv.registry_file()), "a registry exists"

d = xkdtazv.CreateObject("XKDTAZV.DtAzvDatei")
library = xkdtazv._library.latest_library().path
assert inside(library_prefix, library), f"the library comes from {library}"

d.Pfad = work
mi = d.GetMeineInfo
mi.BLZ = "37040044"
mi.Kontonummer = "532013000"
mi.Name = "Muster GmbH"
p = xkdtazv.CreateObject("XKDTAZV.GeldTransfer")
p.Zahlungsart = xkdtazv.constants.Zahlungsart.EU_STANDART
p.LaenderCode = xkdtazv.constants.FRANKREICH
p.BIC = "BNPAFRPP123"
p.IBAN = "FR763000600001123456789018900000AB"
p.Betrag = "99,90"
assert d.AddGeldTransfer(p) == "SUCCESS"
result = d.Generate()
assert result == "SUCCESS", result
assert os.path.getsize(os.path.join(work, "DTAZV")) == 512 + 768
print(f"xkdtazv {xkdtazv.__file__}, {library}: {result}")
