"""The Python host reaches the members of the newer interfaces by name."""

import os
import unittest

import xkdtazv
from support import HostTest


class Pain001MemberTests(HostTest):
    def test_writes_a_usd_payment_with_a_routing_number(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        d.Pfad = self.directory
        mi = d.GetMeineInfo
        mi.BLZ = "37040044"
        mi.Kontonummer = "532013000"
        mi.IBAN = "DE89370400440532013000"
        mi.Name = "Muster GmbH"
        mi.PLZ = "50667"
        mi.Ort = "Köln"
        p = self.create("XKDTAZV.GeldTransfer")
        p.Zahlungsart = xkdtazv.constants.Zahlungsart.STANDARD
        p.Name = "Acme Tools Inc."
        p.Betrag = "100.25"
        p.Auftragswaehrung = "USD"
        p.LaenderISO = "US"
        p.Ort = "New York"
        p.EmpfaengerKonto = "4567890123"
        p.Clearingcode = "USABA021000021"
        p.BankName = "JPMorgan Chase Bank"
        p.BankOrtPLZ = "New York"
        self.assertEqual(p.Clearingcode, "USABA021000021")
        self.assertEqual(d.AddGeldTransfer(p), "SUCCESS")
        result = d.GeneratePain001()
        self.assertNotIn("Fehler", result)
        files = d.Pain001Dateien.splitlines()
        self.assertEqual(len(files), 1)
        self.assertTrue(files[0].endswith("-01-AXZ.xml"), files)
        with open(files[0], encoding="utf-8") as document:
            text = document.read()
        self.assertIn('<InstdAmt Ccy="USD">100.25</InstdAmt>', text)
        self.assertIn("<MmbId>021000021</MmbId>", text)
        self.assertEqual(os.listdir(self.directory).count(os.path.basename(files[0])), 1)


if __name__ == "__main__":
    unittest.main()
