"""The Pascal import unit and the Python module against tov00000.h: every export declared in
both with the same parameters as far as the calling convention sees them (32-bit integers,
pointer-sized values, doubles), the back-end and host tables with the same members in the same
order, every function-pointer member of the header marked TOV_CALLBACK, and the records laid out
as the C compiler lays out the structures (struct_size first in the three tables a host
registers). Both bindings also state the header's version.

Environment: TOV_HEADER (tov00000.h), TOV_PASCAL_UNIT (Tov00000.pas), TOV_C_LAYOUT (the c_layout
program), TOV_PASCAL_LAYOUT (the Pascal test program, run with --layout; without it the Pascal
records' layout is not compared), and tov00000 on the Python path.
"""

import ctypes
import os
import re
import subprocess
import unittest

import tov00000

# Exports the bindings declare ahead of the header: a build of the library may lack them.
AHEAD_OF_HEADER = {tov00000.BILL_EXPORT}


def without_comments(text, pascal=False):
    """The text without comments (and, in C, without preprocessor lines)."""
    if pascal:
        return re.sub(r"\{[^}]*\}|//[^\n]*", " ", text)
    return re.sub(r"/\*.*?\*/|//[^\n]*|^#[^\n]*", " ", text, flags=re.S | re.M)


# ---- C ----

def c_class(declaration):
    """A C parameter or return type as the calling convention sees it."""
    declaration = declaration.strip()
    if "*" in declaration or declaration.startswith("size_t"):
        return "ptr"
    if declaration.startswith("double"):
        return "f64"
    if declaration.startswith("int32_t"):
        return "i32"
    if declaration.startswith("uint32_t"):
        return "u32"
    if declaration.startswith("void"):
        return "void"
    raise ValueError(f"unknown C type in '{declaration}'")


def c_parameters(text):
    text = text.strip()
    if text in ("", "void"):
        return []
    return [c_class(part) for part in text.split(",")]


def header_exports(header):
    return {name: (c_class(result), c_parameters(parameters))
            for result, name, parameters in re.findall(
                r"TOV_API\s+(.+?)\s+TOV_CALL\s+(\w+)\s*\((.*?)\)\s*;", header, re.S)}


def header_table(header, struct):
    body = re.search(r"typedef struct %s \{(.*?)\} %s;" % (struct, struct), header, re.S).group(1)
    return [(name, c_class(result), c_parameters(parameters)[1:])
            for result, name, parameters in re.findall(
                r"([\w ]+?)\s*\(\s*TOV_CALLBACK\s*\*\s*(\w+)\)\s*\((.*?)\)\s*;", body, re.S)]


def header_version(header):
    return tuple(int(re.search(r"#define TOV_VERSION_%s (\d+)" % part, header).group(1))
                 for part in ("MAJOR", "MINOR", "PATCH"))


# ---- Pascal ----

PASCAL_CLASSES = {"integer": "i32", "longbool": "i32", "cardinal": "u32",
                  "double": "f64", "nativeuint": "ptr",
                  "pointer": "ptr", "pansichar": "ptr", "pinteger": "ptr"}


def pascal_class(type_name):
    key = type_name.strip().lower()
    if key in PASCAL_CLASSES:
        return PASCAL_CLASSES[key]
    if re.fullmatch(r"p\w+", key):  # the unit's own pointer types
        return "ptr"
    raise ValueError(f"unknown Pascal type '{type_name}'")


def pascal_parameters(text):
    classes = []
    for group in filter(None, (part.strip() for part in (text or "").split(";"))):
        names, type_name = group.rsplit(":", 1)
        by_reference = re.match(r"(var|out|const)\s+", names)
        count = len(names[by_reference.end() if by_reference else 0:].split(","))
        kind = "ptr" if by_reference and by_reference.group(1) != "const" \
            else pascal_class(type_name)
        classes += [kind] * count
    return classes


def pascal_exports(unit):
    exports = {}
    for _, parameters, result, name in re.findall(
            r"function\s+(\w+)\s*(?:\((.*?)\))?\s*:\s*(\w+)\s*;\s*cdecl;\s*"
            r"external\s+TovLibrary\s+name\s+'(\w+)'", unit, re.S):
        exports[name] = (pascal_class(result), pascal_parameters(parameters))
    return exports


def pascal_table(unit, record):
    types = {name: ("void" if kind.lower() == "procedure" else pascal_class(result),
                    pascal_parameters(parameters)[1:])
             for name, kind, parameters, result in re.findall(
                 r"(\w+)\s*=\s*(function|procedure)\s*\((.*?)\)\s*(?::\s*(\w+))?\s*;\s*cdecl;",
                 unit, re.S)}
    body = re.search(r"\b%s\s*=\s*record(.*?)\bend;" % record, unit, re.S).group(1)
    members = re.findall(r"(\w+)\s*:\s*(\w+)\s*;", body)
    assert [(name.lower(), kind.lower()) for name, kind in members[:2]] == \
        [("structsize", "cardinal"), ("ctx", "pointer")], \
        f"{record} does not start with StructSize and Ctx"
    return [(name,) + types[type_name] for name, type_name in members[2:]]


# ---- Python ----

def ctypes_class(kind):
    if kind is None:
        return "void"
    if kind in (ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t) or \
            issubclass(kind, (ctypes._Pointer, ctypes._CFuncPtr)):
        return "ptr"
    if kind is ctypes.c_int32:
        return "i32"
    if kind is ctypes.c_uint32:
        return "u32"
    if kind is ctypes.c_double:
        return "f64"
    raise ValueError(f"unknown ctypes type {kind}")


def python_exports():
    return {name: (ctypes_class(result), [ctypes_class(kind) for kind in arguments])
            for name, (result, arguments) in tov00000.EXPORTS.items()}


def python_table(structure):
    members = structure._fields_
    assert [name for name, _ in members[:2]] == ["struct_size", "ctx"]
    return [(name, ctypes_class(kind._restype_), [ctypes_class(a) for a in kind._argtypes_[1:]])
            for name, kind in members[2:]]


def layout_lines(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout.split("\n")


class Declarations(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.environ["TOV_HEADER"], encoding="utf-8") as stream:
            cls.full_header = stream.read()
            cls.header = without_comments(cls.full_header)
        with open(os.environ["TOV_PASCAL_UNIT"], encoding="utf-8") as stream:
            cls.unit = without_comments(stream.read(), pascal=True)
        cls.exports = header_exports(cls.header)

    def test_the_header_is_read(self):
        self.assertGreater(len(self.exports), 30)
        self.assertEqual(self.exports["Tov_DataSetOpen"], ("i32", ["ptr", "ptr", "ptr"]))

    def test_every_function_pointer_member_is_a_callback(self):
        pointers = re.findall(r"\(([^()]*)\*\s*(\w+)\)\s*\(", self.header)
        self.assertGreater(len(pointers), 20)
        for convention, name in pointers:
            with self.subTest(member=name):
                self.assertEqual(convention.strip(), "TOV_CALLBACK")

    def test_both_bindings_state_the_version_of_the_header(self):
        major, minor, patch = header_version(self.full_header)
        self.assertEqual((tov00000.VERSION_MAJOR, tov00000.VERSION_MINOR,
                          tov00000.VERSION_PATCH), (major, minor, patch))
        self.assertEqual(tov00000.VERSION_STRING, f"{major}.{minor}.{patch}")
        for part, value in (("MAJOR", major), ("MINOR", minor), ("PATCH", patch)):
            self.assertRegex(self.unit, r"\bTOV_VERSION_%s\s*=\s*%d\s*;" % (part, value))
        self.assertRegex(self.unit, r"\bTOV_VERSION_STRING\s*=\s*'%d\.%d\.%d'\s*;"
                         % (major, minor, patch))

    def check_exports(self, declared, binding):
        for name, signature in self.exports.items():
            with self.subTest(binding=binding, export=name):
                self.assertIn(name, declared, f"{binding} does not declare {name}")
                self.assertEqual(declared[name], signature,
                                 f"{binding} declares {name} otherwise than tov00000.h")
        extra = set(declared) - set(self.exports) - AHEAD_OF_HEADER
        self.assertFalse(extra, f"{binding} declares exports tov00000.h lacks")

    def test_every_export_is_declared_alike(self):
        self.check_exports(pascal_exports(self.unit), "Tov00000.pas")
        self.check_exports(python_exports(), "tov00000.py")

    def test_the_bill_is_declared_alike_in_both_bindings(self):
        name = tov00000.BILL_EXPORT
        pascal, python = pascal_exports(self.unit)[name], python_exports()[name]
        self.assertEqual(pascal, python)
        self.assertEqual(len(pascal[1]), 41)  # 38 parameters, two with a size, and the result

    def test_tables_have_the_members_of_the_header_in_order(self):
        for struct, record, structure in (("tov_backend", "TTovBackend", tov00000.BackendTable),
                                          ("tov_host", "TTovHost", tov00000.HostTable)):
            expected = header_table(self.header, struct)
            with self.subTest(table=struct):
                self.assertEqual([m[0] for m in expected], [m[0] for m in pascal_table(
                    self.unit, record)])
                self.assertEqual(pascal_table(self.unit, record), expected)
                self.assertEqual(python_table(structure), expected)

    def test_records_are_laid_out_as_in_c(self):
        c_layout = layout_lines([os.environ["TOV_C_LAYOUT"]])
        python_layout = []
        for struct, structure in (("tov_variant", tov00000.Variant),
                                  ("tov_format_settings", tov00000.FormatSettingsTable),
                                  ("tov_unit_entry", tov00000.UnitEntry),
                                  ("tov_package_info", tov00000.PackageInfoTable)):
            for index, (name, _) in enumerate(structure._fields_):
                field = getattr(structure, name)
                python_layout.append(f"{struct} {index} {field.offset} {field.size}")
            python_layout.append(f"{struct} size {ctypes.sizeof(structure)}")
        for struct, structure in (("tov_backend", tov00000.BackendTable),
                                  ("tov_host", tov00000.HostTable)):
            for index, name in enumerate(("struct_size", "ctx")):
                field = getattr(structure, name)
                python_layout.append(f"{struct} {index} {field.offset} {field.size}")
            python_layout.append(f"{struct} size {ctypes.sizeof(structure)}")
        self.assertEqual(python_layout, [line for line in c_layout if line])
        if os.environ.get("TOV_PASCAL_LAYOUT"):
            self.assertEqual(layout_lines([os.environ["TOV_PASCAL_LAYOUT"], "--layout"]),
                             c_layout)


if __name__ == "__main__":
    unittest.main()
