# SPDX-License-Identifier: GPL-3.0-or-later
"""The install tree in a temporary prefix: every file a desktop needs, each valid, and the
fontconfig alias resolving the face the rich copies name. PackageTest: the same files in the
Debian package KORV_DEB names, which lintian finds no error in."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

APP_ID = "org.example.korvani"
CONF = "30-korvani-lucida-sans-unicode.conf"
FONTCONF = f"share/fontconfig/conf.avail/{CONF}"
FILES = [
    *(f"bin/{name}" for name in ("korvani", "korvanifi")),
    *(f"share/man/man1/{name}.1.gz" for name in ("korvani", "korvanifi")),
    f"share/applications/{APP_ID}.desktop",
    f"share/metainfo/{APP_ID}.metainfo.xml",
    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    *(f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in (16, 22, 24, 32, 48, 64, 128, 256)),
    *(f"share/doc/korvani/{name}" for name in ("copyright", "changelog.Debian.gz")),
    *(f"share/korvani/{name}" for name in ("Korvani.ttf", "Korvani-OFL.txt")),
    FONTCONF,
    f"etc/fonts/conf.d/{CONF}",
]


def run(*cmd, env=None):
    result = subprocess.run(cmd, capture_output=True, text=True, env=env, timeout=120)
    return result.returncode, result.stdout + result.stderr


class InstallTreeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="korv-install-")
        cls.prefix = os.path.join(cls.tmp, "usr")
        code, out = run("cmake", "--install", os.environ["KORV_BUILD_DIR"], "--prefix", cls.prefix)
        assert code == 0, out

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def test_every_file_is_installed(self):
        missing = [f for f in FILES if not os.path.lexists(os.path.join(self.prefix, f))]
        self.assertEqual(missing, [])

    def test_program_finds_its_wayland_module_and_maps_no_wayland_library_itself(self):
        program = os.path.join(self.prefix, "bin", "korvani")
        code, out = run("readelf", "-d", program)
        self.assertEqual(code, 0, out)
        self.assertNotIn("libwayland-client", out)  # the module's, loaded on Wayland desktops only
        self.assertNotIn("RUNPATH", out)
        # The program looks for it from its own folder by the relative path it was built with.
        with open(os.path.join(os.environ["KORV_BUILD_DIR"], "CMakeCache.txt"), encoding="utf-8") as f:
            relative = re.search(r"^KORV_MODULE_FROM_PROGRAM:INTERNAL=(.*)$", f.read(), re.M).group(1)
        module = os.path.join(os.path.dirname(program), relative, "korvani-wayland.so")
        self.assertTrue(os.path.isfile(module), module)

    def test_menu_entry_and_appstream_data_are_valid(self):
        for cmd in (["desktop-file-validate", f"share/applications/{APP_ID}.desktop"],
                    ["appstreamcli", "validate", "--no-net", f"share/metainfo/{APP_ID}.metainfo.xml"]):
            code, out = run(*cmd[:-1], os.path.join(self.prefix, cmd[-1]))
            self.assertEqual(code, 0, out)

    def test_alias_names_the_chart_face(self):
        conf = os.path.join(self.tmp, "fonts.conf")
        with open(conf, "w") as f:
            f.write(f"<fontconfig><include>{os.path.join(self.prefix, FONTCONF)}</include>"
                    "<include>/etc/fonts/fonts.conf</include>"
                    f"<cachedir>{self.tmp}/fc-cache</cachedir></fontconfig>")
        for config, expected in ((conf, "Charis SIL"), ("/etc/fonts/fonts.conf", "DejaVu Sans")):
            code, out = run("fc-match", "-f", "%{family[0]}", "Lucida Sans Unicode",
                            env=dict(os.environ, FONTCONFIG_FILE=config))
            self.assertEqual((code, out), (0, expected), config)


class PackageTest(unittest.TestCase):
    """Run by make test-package, which builds the package; the plain test run leaves it out."""

    def test_package_holds_every_file_and_passes_lintian(self):
        deb = os.environ.get("KORV_DEB")
        self.assertTrue(deb, "set KORV_DEB to the Debian package (make test-package)")
        code, out = run("dpkg-deb", "--contents", deb)
        self.assertEqual(code, 0, out)
        listed = {line.split()[5].removeprefix("./") for line in out.splitlines()}
        expected = {f if f.startswith("etc/") else "usr/" + f for f in FILES}
        self.assertEqual(expected - listed, set())
        self.assertTrue(any(f.endswith("/korvani/korvani-wayland.so") for f in listed), listed)
        code, out = run("dpkg-deb", "--field", deb, "Depends")
        self.assertIn("fonts-sil-charis", out)
        self.assertIn("libqt6widgets6", out)  # from shlibdeps
        self.assertIn("libwayland-client0", out)  # the Wayland module's, from shlibdeps too
        # opened at the first transcription or paste, so named rather than found by shlibdeps
        for package in ("libespeak-ng1", "espeak-ng-data", "libxtst6"):
            self.assertIn(package, out)
        code, out = run("lintian", "--fail-on", "error", deb)
        self.assertEqual(code, 0, out)


if __name__ == "__main__":
    unittest.main()
