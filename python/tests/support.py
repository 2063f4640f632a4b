"""What the host tests share: the library under test, named by CTest in
XKDTAZV_LIBRARY, and a temporary per-user data directory."""

import gc
import os
import shutil
import tempfile
import unittest

import xkdtazv

LIBRARY = os.environ.get("XKDTAZV_LIBRARY")


class HostTest(unittest.TestCase):
    """Runs with its own XDG_DATA_HOME and checks that no object outlives it."""

    def setUp(self):
        if not LIBRARY:
            self.skipTest("XKDTAZV_LIBRARY names no library")
        self.directory = tempfile.mkdtemp(prefix="xkdtazv-python-")
        self.saved_data_home = os.environ.get("XDG_DATA_HOME")
        os.environ["XDG_DATA_HOME"] = os.path.join(self.directory, "data")
        self.library = xkdtazv.load_library(LIBRARY)

    def tearDown(self):
        if self.saved_data_home is None:
            os.environ.pop("XDG_DATA_HOME", None)
        else:
            os.environ["XDG_DATA_HOME"] = self.saved_data_home
        shutil.rmtree(self.directory)
        gc.collect()
        self.assertTrue(self.library.can_unload_now(), "objects outlived the test")

    def create(self, prog_id):
        return xkdtazv.CreateObject(prog_id, library=LIBRARY)
