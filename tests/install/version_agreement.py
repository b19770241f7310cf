"""Every place the package's version shows agrees with tov00000.h, where it is written once: the
library's soname and the version node of its exports, what Tov_VersionNumber and
Tov_VersionString answer, the CMake package's version file, the pkg-config file and
tovprint --version.

    version_agreement.py --header tov00000.h --library libPkg_Tov00000.so.X.Y.Z --readelf READELF
                         --config-version Pkg_Tov00000ConfigVersion.cmake --pc Pkg_Tov00000.pc
                         [--tovprint tovprint]
"""

import argparse
import ctypes
import re
import subprocess
import sys
import unittest

OPTIONS = None


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


class VersionAgreement(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(OPTIONS.header, encoding="utf-8") as stream:
            header = stream.read()
        parts = [int(re.search(r"^#define TOV_VERSION_%s (\d+)$" % part, header, re.M).group(1))
                 for part in ("MAJOR", "MINOR", "PATCH")]
        cls.major, cls.minor, cls.patch = parts
        cls.version = "%d.%d.%d" % tuple(parts)
        cls.header = header

    def test_the_header_spells_one_version(self):
        self.assertIn('#define TOV_VERSION_STRING "%s"' % self.version, self.header)
        self.assertRegex(self.header, r"#define TOV_VERSION_NUMBER \(TOV_VERSION_MAJOR \* 10000 "
                         r"\+ TOV_VERSION_MINOR \* 100 \+ TOV_VERSION_PATCH\)")

    def test_the_library_answers_the_header_version(self):
        library = ctypes.CDLL(OPTIONS.library)
        library.Tov_VersionString.restype = ctypes.c_char_p
        self.assertEqual(library.Tov_VersionString().decode(), self.version)
        self.assertEqual(library.Tov_VersionNumber(),
                         self.major * 10000 + self.minor * 100 + self.patch)

    def test_the_soname_and_the_file_carry_the_version(self):
        dynamic = run(OPTIONS.readelf, "-d", OPTIONS.library)
        self.assertRegex(dynamic, r"\(SONAME\)\s+Library soname: \[libPkg_Tov00000\.so\.%d\]"
                         % self.major)
        self.assertTrue(OPTIONS.library.endswith("libPkg_Tov00000.so." + self.version),
                        OPTIONS.library)

    def test_every_export_is_in_the_version_node_of_the_major_version(self):
        symbols = run(OPTIONS.readelf, "--dyn-syms", "-W", OPTIONS.library)
        defined = [line.split()[-1] for line in symbols.splitlines()
                   if re.search(r"\bFUNC\s+GLOBAL\s+DEFAULT\s+\d+\s", line)]
        self.assertIn("Tov_VersionNumber@@PKG_TOV00000_%d.0" % self.major, defined)
        unversioned = [name for name in defined if "@@PKG_TOV00000_" not in name]
        self.assertEqual(unversioned, [])

    def test_the_cmake_package_and_pkg_config_file_carry_the_version(self):
        with open(OPTIONS.config_version, encoding="utf-8") as stream:
            self.assertIn('set(PACKAGE_VERSION "%s")' % self.version, stream.read())
        with open(OPTIONS.pc, encoding="utf-8") as stream:
            self.assertRegex(stream.read(), r"(?m)^Version: %s$" % re.escape(self.version))

    def test_tovprint_tells_its_version_and_the_library_s(self):
        if not OPTIONS.tovprint:
            self.skipTest("tovprint is not built")
        output = run(OPTIONS.tovprint, "--version").splitlines()
        self.assertEqual(output[0], "tovprint " + self.version)
        self.assertTrue(output[1].startswith("library %s (" % self.version), output[1])


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--header", "--library", "--readelf", "--config-version", "--pc"):
        parser.add_argument(option, required=True)
    parser.add_argument("--tovprint")
    OPTIONS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)
