"""CreateObject finds the library through the registry that DllRegisterServer writes."""

import json
import os
import unittest
from unittest import mock

import xkdtazv
from support import HostTest


class RegistryTests(HostTest):
    def test_creates_registered_classes_by_programmatic_identifier(self):
        self.library.register()
        self.assertEqual(xkdtazv.registry_file(),
                         os.path.join(self.directory, "data", "xkdtazv", "registry.json"))
        d = xkdtazv.CreateObject("XKDTAZV.DtAzvDatei")
        p = xkdtazv.CreateObject("xkdtazv.geldtransfer")
        self.assertEqual(d.AddGeldTransfer(p), "SUCCESS")
        with open(xkdtazv.registry_file(), encoding="utf-8") as file:
            registry = json.load(file)
        clsid = registry["ProgID"]["XKDTAZV.DtAzvDatei"]["CLSID"]
        self.assertEqual(os.path.realpath(registry["CLSID"][clsid]["InprocServer32"]),
                         self.library.path)

    def test_unregistered_classes_come_from_the_library_the_loader_finds(self):
        # The library under test is loaded already, so the loader's answer to
        # its soname is this very library, wherever others are installed.
        self.library.register()
        self.library.unregister()
        d = xkdtazv.CreateObject("XKDTAZV.DtAzvDatei")
        self.assertIs(d._library, self.library)
        self.assertEqual(d.AddGeldTransfer(xkdtazv.CreateObject("XKDTAZV.GeldTransfer")),
                         "SUCCESS")

    def test_unregistered_classes_cannot_be_created_without_an_installed_library(self):
        self.library.register()
        self.library.unregister()
        for soname in ("libXKDTAZV-not-installed.so.1", "libc.so.6"):
            with self.subTest(soname=soname), \
                    mock.patch.object(xkdtazv._library, "SONAME", soname), \
                    self.assertRaises(xkdtazv.XkdtazvError) as raised:
                xkdtazv.CreateObject("XKDTAZV.DtAzvDatei")
            self.assertEqual(raised.exception.number, 429)
            self.assertEqual(raised.exception.description,
                             "Objekterstellung durch ActiveX-Komponente nicht möglich")

    def test_a_damaged_registry_is_reported_and_left_alone(self):
        os.makedirs(os.path.dirname(xkdtazv.registry_file()))
        with open(xkdtazv.registry_file(), "w", encoding="utf-8") as file:
            file.write("{ not json")
        with self.assertRaises(xkdtazv.XkdtazvError) as raised:
            self.library.register()
        self.assertEqual(raised.exception.description, "Registrierungsdatei ist beschädigt")
        with self.assertRaises(xkdtazv.XkdtazvError) as raised:
            xkdtazv.CreateObject("XKDTAZV.DtAzvDatei")
        self.assertTrue(raised.exception.description.startswith("Registrierungsdatei ist"))
        with open(xkdtazv.registry_file(), encoding="utf-8") as file:
            self.assertEqual(file.read(), "{ not json")


if __name__ == "__main__":
    unittest.main()
