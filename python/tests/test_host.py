"""The Python host drives the objects by name as automation hosts do."""

import os
import threading
import unittest

import xkdtazv
from support import HostTest

WRONG_THREAD = -2147417842  # XK_RPC_E_WRONG_THREAD
TYPE_MISMATCH = -2147352571  # XK_DISP_E_TYPEMISMATCH


class HostTests(HostTest):
    def test_writes_a_file_as_the_example_script_does(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        d.Pfad = self.directory
        mi = d.GetMeineInfo
        mi.BLZ = "12345678"
        p = self.create("XKDTAZV.GeldTransfer")
        p.LaenderCode = xkdtazv.constants.DEUTSCHLAND
        p.Betrag = "10"
        self.assertEqual(d.AddGeldTransfer(p), "SUCCESS")
        result = d.Generate()
        self.assertTrue(result.startswith("Bei der Validierung von MeineInfo"), result)
        self.assertEqual(os.path.getsize(os.path.join(self.directory, "DTAZV")), 256 + 768 + 256)
        self.assertEqual(d.DiffFileName, "DTAZV")

    def test_reads_back_what_it_wrote_in_every_type(self):
        p = self.create("XKDTAZV.GeldTransfer")
        p.name = "jörg müller"  # names match without regard to case
        self.assertEqual(p.Name, "JÖRG MÜLLER")
        p.Weisungsschluessel3 = xkdtazv.constants.Weisungsschluessel.EURO_GEGENWERT
        self.assertEqual(p.Weisungsschluessel3, 91)
        p.LaenderCode = xkdtazv.constants.AllowedEULaenderCodes.OESTERREICH
        self.assertEqual(p.LaenderCode, xkdtazv.constants.OESTERREICH)
        self.assertIn(p.GetSeparatorString(), (".", ","))

    def test_constants_are_the_type_informations_enumerations(self):
        enumerations = self.library.enumerations()
        self.assertEqual(list(enumerations),
                         ["Zahlungsart", "Weisungsschluessel", "LaenderCodes",
                          "AllowedEULaenderCodes"])
        for members in enumerations.values():
            for name, value in members.items():
                self.assertEqual(getattr(xkdtazv.constants, name), value, name)
        self.assertEqual(xkdtazv.constants.EU_STANDART, 13)
        with self.assertRaises(AttributeError):
            xkdtazv.constants.NICHT_DA

    def test_hands_out_the_same_sender_every_time(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        first, second = d.GetMeineInfo, d.GetMeineInfo
        self.assertEqual(first, second)
        first.Name = "Muster"
        self.assertEqual(second.Name, "MUSTER")
        self.assertNotEqual(first, d)
        self.assertEqual(dir(first), sorted(["BLZ", "Kontonummer", "Name", "Vorname", "Strasse",
                                             "OrtPLZ", "ExecutionDate"]))

    def test_raises_one_exception_type_with_number_and_description(self):
        p = self.create("XKDTAZV.GeldTransfer")
        cases = [
            ("code beyond 16 bits", lambda: setattr(p, "Zahlungsart", 70000), 6, "Überlauf"),
            ("beyond 32 bits", lambda: setattr(p, "LaenderCode", 2**40), 6, "Überlauf"),
            ("code never set", lambda: p.Weisungsschluessel1, 13, "Typen unverträglich"),
            ("number for text", lambda: setattr(p, "Name", 12), 13, "Typen unverträglich"),
            ("text for a code", lambda: setattr(p, "Zahlungsart", "13"), 13,
             "Typen unverträglich"),
            ("argument to a method without one", lambda: p.IsValid(1), -2147352562,
             "Falsche Anzahl an Argumenten"),
            ("unknown member", lambda: p.Betrag2, -2147352570, "Unbekannter Name"),
        ]
        for label, call, number, description in cases:
            with self.subTest(label), self.assertRaises(xkdtazv.XkdtazvError) as raised:
                call()
            self.assertEqual((raised.exception.number, raised.exception.description),
                             (number, description), label)
        p.Zahlungsart = xkdtazv.constants.TELEX_SWIFT  # still usable
        self.assertEqual(p.Zahlungsart, 10)

    def test_unknown_names_are_attribute_errors_too(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        self.assertFalse(hasattr(d, "Pfadd"))
        with self.assertRaises(AttributeError):
            d.Pfadd = "x"

    def test_refuses_a_payment_that_is_no_payment(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        with self.assertRaises(xkdtazv.XkdtazvError) as raised:
            d.AddGeldTransfer(d.GetMeineInfo)
        self.assertEqual(raised.exception.status, TYPE_MISMATCH)
        self.assertEqual(d.AddGeldTransfer(None), "SUCCESS")
        self.assertEqual(d.Generate(), "Sonstiger Fehler:GeldTransfer 1 ist kein Objekt")

    def test_turns_unpaired_surrogates_into_replacement_characters(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        d.DiffFileName = "a\udc00b\ud800"
        self.assertEqual(d.DiffFileName, "a\ufffdb\ufffd")

    def test_meine_info_cannot_be_created(self):
        with self.assertRaises(xkdtazv.XkdtazvError) as raised:
            self.create("XKDTAZV.MeineInfo")
        self.assertEqual(raised.exception.description, "Klasse kann nicht erzeugt werden")
        with self.assertRaises(xkdtazv.XkdtazvError) as raised:
            self.create("XKDTAZV.Unbekannt")
        self.assertEqual(raised.exception.number, 429)

    def test_refuses_calls_from_another_thread(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        d.Pfad = "/mine"
        failures = []

        def use_from_elsewhere():
            try:
                d.Pfad = "/theirs"
            except xkdtazv.XkdtazvError as failure:
                failures.append(failure)

        worker = threading.Thread(target=use_from_elsewhere)
        worker.start()
        worker.join()
        self.assertEqual(len(failures), 1)
        self.assertEqual(failures[0].status, WRONG_THREAD)
        self.assertEqual(failures[0].number, 92)
        self.assertEqual(failures[0].description,
                         "Aufruf aus einem anderen Thread als dem, der das Objekt erzeugt hat")
        self.assertEqual(d.Pfad, "/mine")

    def test_a_payment_stays_alive_in_the_file(self):
        d = self.create("XKDTAZV.DtAzvDatei")
        d.Pfad = self.directory
        p = self.create("XKDTAZV.GeldTransfer")
        p.Name = "Erna Beispiel"
        p.Betrag = "1"
        d.AddGeldTransfer(p)
        del p
        d.Generate()
        with open(os.path.join(self.directory, "DTAZV"), "rb") as written:
            self.assertIn(b"ERNA BEISPIEL", written.read())
        self.assertFalse(self.library.can_unload_now())


if __name__ == "__main__":
    unittest.main()
