"""The Python host's script as users write it: late-bound by name through
`import xkdtazv`. Creates a file, fills 7 properties of each of 32,766
payments, adds them and runs Generate; prints the time of each phase.

    python3 bench/python_host.py LIBRARY [DIRECTORY]
"""

import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "python"))

import xkdtazv  # noqa: E402

PAYMENTS = 32766


def main():
    library = sys.argv[1]
    directory = sys.argv[2] if len(sys.argv) > 2 else os.path.join(tempfile.gettempdir(),
                                                                    "xkdtazv-bench")
    os.makedirs(directory, exist_ok=True)
    constants = xkdtazv.constants

    start = time.perf_counter()
    d = xkdtazv.CreateObject("XKDTAZV.DtAzvDatei", library=library)
    d.Pfad = directory
    d.DiffFileName = "DTAZV.PYTHON"
    mi = d.GetMeineInfo
    mi.BLZ = "37040044"
    mi.Kontonummer = "0532013000"
    mi.Name = "Muster Maschinenbau GmbH"
    for i in range(PAYMENTS):
        p = xkdtazv.CreateObject("XKDTAZV.GeldTransfer", library=library)
        p.Zahlungsart = constants.EU_STANDART
        p.LaenderCode = constants.FRANKREICH
        p.BIC = "BNPAFRPP123"
        p.IBAN = "FR763000600001123456789018900000AB"
        p.Name = "Fromagerie Dupont SA"
        p.Betrag = f"{100 + i % 9000},5{i % 10}"
        p.Verwendungszweck1 = f"Rechnung {20260000 + i}"
        d.AddGeldTransfer(p)
    filled = time.perf_counter()
    result = d.Generate()
    done = time.perf_counter()
    print(f"Python host, {PAYMENTS} payments: filling {filled - start:.2f} s, "
          f"Generate {done - filled:.2f} s, total {done - start:.2f} s "
          f"(result {result[:40]!r})")


if __name__ == "__main__":
    main()
