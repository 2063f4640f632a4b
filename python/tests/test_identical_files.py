"""The same payments written through the C++ interface, the C host and this
Python host give byte-identical files."""

import os
import subprocess
import unittest

import xkdtazv
from support import HostTest

REFERENCE_WRITER = os.environ.get("XKDTAZV_REFERENCE_WRITER")
C_HOST = os.environ.get("XKDTAZV_C_HOST")


def write_through_python(directory, library):
    """The payments of the C host example (examples/c_host/c_host.c)."""
    constants = xkdtazv.constants
    d = xkdtazv.CreateObject("XKDTAZV.DtAzvDatei", library=library)
    d.Pfad = directory
    d.DiffFileName = "DTAZV"
    mi = d.GetMeineInfo
    mi.BLZ = "37040044"
    mi.Kontonummer = "0532013000"
    mi.Name = "Muster Export GmbH"
    mi.Strasse = "Hauptstrasse 5"
    mi.OrtPLZ = "50667 Koeln"

    p = xkdtazv.CreateObject("XKDTAZV.GeldTransfer", library=library)
    p.Zahlungsart = constants.EU_STANDART
    p.LaenderCode = constants.FRANKREICH
    p.BIC = "BNPAFRPPXXX"
    p.IBAN = "0000000FR7630006000011234567890189"
    p.Name = "Societe Generale"
    p.OrtPLZ = "75009 Paris"
    p.Betrag = "1250,50"
    p.Verwendungszweck1 = "Rechnung 4711"
    p.Entgeltregelung = "00"
    d.AddGeldTransfer(p)

    p = xkdtazv.CreateObject("XKDTAZV.GeldTransfer", library=library)
    p.Zahlungsart = constants.STANDARD
    p.LaenderCode = constants.OESTERREICH
    p.Weisungsschluessel1 = constants.PHON
    p.BIC = "BKAUATWWXXX"
    p.IBAN = "AT611904300234573201"
    p.Name = "Jörg Müller"
    p.Strasse = "Ringstraße 1"
    p.OrtPLZ = "1010 Wien"
    p.Betrag = "99,90"
    p.Verwendungszweck1 = "Miete März"
    p.Verwendungszweck2 = "Zeichen: € ☃"
    p.Ansprechpartner = "Frau Weiß"
    d.AddGeldTransfer(p)
    return d.Generate()


class IdenticalFilesTest(HostTest):
    def setUp(self):
        super().setUp()
        if not REFERENCE_WRITER or not C_HOST:
            self.skipTest("XKDTAZV_REFERENCE_WRITER and XKDTAZV_C_HOST name no programs")

    def run_program(self, program, directory):
        os.makedirs(directory)
        completed = subprocess.run([program, directory, self.library.path], capture_output=True,
                                   check=False, timeout=60)
        self.assertEqual(completed.returncode, 0, completed.stderr)
        return completed.stdout.decode("utf-8")

    def test_three_hosts_write_the_same_bytes(self):
        reference_dir = os.path.join(self.directory, "cpp")
        c_dir = os.path.join(self.directory, "c")
        python_dir = os.path.join(self.directory, "python")
        os.makedirs(reference_dir)
        reference = subprocess.run([REFERENCE_WRITER, reference_dir], capture_output=True,
                                   check=True, timeout=60).stdout.decode("utf-8")
        c_result = self.run_program(C_HOST, c_dir)
        os.makedirs(python_dir)
        python_result = write_through_python(python_dir, self.library.path)

        files = {}
        for host, directory in (("C++", reference_dir), ("C", c_dir), ("Python", python_dir)):
            with open(os.path.join(directory, "DTAZV"), "rb") as written:
                files[host] = written.read()
        self.assertEqual(len(files["C++"]), 256 + 2 * 768 + 256)
        self.assertEqual(files["C"], files["C++"])
        self.assertEqual(files["Python"], files["C++"])
        # Characters outside Windows-1252 became "?", the others one byte each.
        self.assertIn("RINGSTRA\xdfE 1".encode("cp1252"), files["C++"])
        self.assertIn("ZEICHEN: \u20ac ?".encode("cp1252"), files["C++"])
        self.assertEqual(c_result, reference)
        self.assertEqual(python_result + "\n", reference)


if __name__ == "__main__":
    unittest.main()
