"""The Windows packages under Wine, in a fresh prefix: the zip holds the
program, its licence and its readme; the installer, run silently, puts the
same files into Program Files, adds the Start menu entry and the entry in
the list of installed programs; the installed program opens its window and
ends with status 0 on Alt+F4; the silent uninstaller then leaves nothing of
Grainpit behind.
    python3 installer_test.py CPACK CPACKCONFIG
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
import harness as h  # noqa: E402

FILES = {"grainpit.exe", "LICENSE.txt", "README.txt"}
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Grainpit"
PROGRAM = r"C:\Program Files\Grainpit\grainpit.exe"


class InstallerTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="grainpit-installer-")
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)
        self.prefix = os.path.join(self.tmp, "wine")
        # Wine mirrors the Start menu into the Linux desktop's menus: keep
        # that in here, out of the user's own.
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        self.env.update(WINEPREFIX=self.prefix, WINEDLLOVERRIDES="mscoree,mshtml=", WINEDEBUG="-all",
                        XDG_DATA_HOME=self.tmp, XDG_CONFIG_HOME=self.tmp)
        self.addCleanup(self.wine, "wineserver", "-k")
        cpack, config = h.PROGRAM[-1], h.HELPERS[0]
        built = subprocess.run([cpack, "-G", "ZIP;NSIS", "--config", config, "-B", self.tmp],
                               capture_output=True, text=True, timeout=300)
        self.assertEqual(built.returncode, 0, built.stdout + built.stderr)

    def wine(self, *argv, check=False):
        done = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=120)
        if check:
            self.assertEqual(done.returncode, 0, f"{argv}: {done.stdout}{done.stderr}")
        return done

    def settle(self):
        """Waits until every Wine process of the prefix has ended, and with
        them the server, which then has written the registry files."""
        self.wine("wineserver", "--wait")

    def drive(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def test_zip_install_run_uninstall(self):
        with zipfile.ZipFile(os.path.join(self.tmp, "grainpit-1.0.0-win64.zip")) as z:
            self.assertEqual(set(z.namelist()), {"grainpit-1.0.0-win64/" + f for f in FILES})

        self.wine("wine", "wineboot", "--init", check=True)
        self.settle()
        self.wine("wine", os.path.join(self.tmp, "grainpit-1.0.0-win64.exe"), "/S", check=True)
        self.settle()

        folder = self.drive("Program Files", "Grainpit")
        self.assertEqual(set(os.listdir(folder)), FILES | {"Uninstall.exe"})
        link = self.drive("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Grainpit",
                          "Grainpit.lnk")
        with open(link, "rb") as f:
            data = f.read()
        self.assertIn("grainpit.exe".encode("utf-16-le"), data)
        # The whole path it starts, as the link stores it: the installed
        # program, not a file of that name elsewhere.
        self.assertIn(b"\0" + PROGRAM.encode() + b"\0", data)
        entry = self.wine("wine", "reg", "query", UNINSTALL_KEY, check=True).stdout
        values = dict(line.split(None, 2)[::2] for line in entry.splitlines() if "REG_" in line)
        self.assertEqual(values.get("DisplayName"), "Grainpit")
        self.assertEqual(values.get("DisplayVersion"), "1.0.0")
        self.assertEqual(values.get("Publisher"), "Grainpit developers")
        self.assertEqual(values.get("DisplayIcon"), PROGRAM)
        self.assertEqual(values.get("UninstallString"), r'"C:\Program Files\Grainpit\Uninstall.exe"')

        launch = ["env", *(f"{k}={self.env[k]}" for k in ("WINEPREFIX", "WINEDLLOVERRIDES", "WINEDEBUG")),
                  "wine", PROGRAM]
        with h.Session(program=launch) as s:
            self.assertEqual(s.geometry(), (1280 // 2 - 256, 1024 // 2 - 256, 512, 512))
            self.assertEqual(s.grab().diff(h.pointer(0, 0, h.GREY)), [])
            s.activate(s.wid)
            s.xdo("key", "alt+F4")
            self.assertEqual(s.wait_exit(), 0)
        self.settle()

        self.wine("wine", r"C:\Program Files\Grainpit\Uninstall.exe", "/S", check=True)
        self.settle()
        left = [os.path.join(d, n) for d, dirs, files in os.walk(self.drive())
                for n in dirs + files if "grainpit" in n.lower()]
        self.assertEqual(left, [])
        self.assertNotEqual(self.wine("wine", "reg", "query", UNINSTALL_KEY).returncode, 0)
        # Wine's own record of the menu files it mirrored goes at its next
        # start; everything else in the registry must be free of Grainpit.
        for name in ("system.reg", "user.reg"):
            with open(os.path.join(self.prefix, name), encoding="utf-8", errors="replace") as f:
                keys = f.read().split("\n[")
            self.assertEqual([k.splitlines()[0] for k in keys
                              if "grainpit" in k.lower() and not k.startswith("Software\\\\Wine\\\\MenuFiles")],
                             [], name)


if __name__ == "__main__":
    h.main()
