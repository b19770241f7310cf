#!/usr/bin/env python3
"""Checks the Windows binaries' tables with mingw-w64's objdump:

    check_binaries.py --objdump OBJDUMP --header tov00000.h --pascal-unit Tov00000.pas
                      --library Pkg_Tov00000.dll EXE...

- the library exports exactly the functions tov00000.h declares with TOV_API, by their plain
  names (a 32-bit Pascal host imports RelatorioVendedor_Tov00000, never _RelatorioVendedor_Tov00000
  or RelatorioVendedor_Tov00000@52), every one by name, and calls itself Pkg_Tov00000.dll;
- every name the Pascal import unit binds is exported, from the file the unit names on Windows;
- the library and the programs import nothing but the system's own DLLs: the compiler's run-time
  (libstdc++, libgcc, winpthreads) is inside them, so they run on a Windows that lacks it;
- the library's version resource carries the version of tov00000.h: the fixed file and product
  versions and the FileVersion, ProductVersion, ProductName and FileDescription texts.
"""

import argparse
import os
import re
import struct
import subprocess
import sys

DECLARATION = re.compile(r"TOV_API\s+[^;{}()]*?\bTOV_CALL\s+(\w+)\s*\(")
PASCAL_IMPORT = re.compile(r"\bexternal\s+TovLibrary\s+name\s+'(\w+)'", re.IGNORECASE)
PASCAL_WINDOWS_FILE = re.compile(r"\{\$IFDEF MSWINDOWS\}\s*TovLibrary\s*=\s*'([^']+)'",
                                 re.IGNORECASE)
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "odbc32.dll", "user32.dll", "advapi32.dll",
               "shell32.dll", "ole32.dll", "oleaut32.dll", "ws2_32.dll", "bcrypt.dll"}


def declared_exports(header):
    with open(header, encoding="latin-1") as stream:
        return set(DECLARATION.findall(stream.read()))


def private_headers(objdump, binary):
    result = subprocess.run([objdump, "-p", binary], capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{objdump} -p {binary} failed:\n{result.stderr}")
    return result.stdout


def export_table(dump):
    """The DLL name, the number of exported addresses and the exported names."""
    name = re.search(r"^Name\s+[0-9a-fA-F]+\s+(\S+)$", dump, re.MULTILINE)
    addresses = re.search(r"^\s*Export Address Table\s+([0-9a-fA-F]+)$", dump, re.MULTILINE)
    names = []
    table = dump.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) == 2:
        for line in table[1].splitlines()[1:]:
            entry = re.match(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", line)
            if not entry:
                break
            names.append(entry.group(1))
    return (name.group(1) if name else None,
            int(addresses.group(1), 16) if addresses else 0, names)


def imported_dlls(dump):
    return [name for name in re.findall(r"^\s*DLL Name: (\S+)$", dump, re.MULTILINE)]


def check_library(objdump, header, library):
    problems = []
    expected = declared_exports(header)
    if len(expected) < 10:
        problems.append(f"only {len(expected)} TOV_API declarations found in {header}")
    dll_name, address_count, names = export_table(private_headers(objdump, library))
    if dll_name != "Pkg_Tov00000.dll":
        problems.append(f"the export directory names the library {dll_name!r}, "
                        "not 'Pkg_Tov00000.dll'")
    missing = sorted(expected - set(names))
    extra = sorted(set(names) - expected)
    if missing:
        problems.append("not exported: " + ", ".join(missing))
    if extra:
        problems.append("exported but not declared in tov00000.h: " + ", ".join(extra))
    decorated = [name for name in names if "@" in name or name.startswith("_")]
    if decorated:
        problems.append("decorated names: " + ", ".join(decorated))
    if len(names) != len(set(names)):
        problems.append("a name is exported twice")
    if address_count != len(names):
        problems.append(f"{address_count} exported addresses for {len(names)} names: "
                        "something is exported by ordinal only")
    return problems, names


def header_version(header):
    with open(header, encoding="latin-1") as stream:
        text = stream.read()
    return tuple(int(re.search(r"^#define TOV_VERSION_%s (\d+)$" % part, text, re.M).group(1))
                 for part in ("MAJOR", "MINOR", "PATCH"))


def version_text(data, key):
    """The value of a StringFileInfo entry: its UTF-16 key, padding to 32 bits, its value."""
    at = data.find(key.encode("utf-16-le") + b"\0\0")
    if at < 0:
        return None
    at += 2 * len(key) + 2
    at += (4 - at % 4) % 4
    end = at
    while end + 1 < len(data) and data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def check_version_resource(library, version):
    with open(library, "rb") as stream:
        data = stream.read()
    problems = []
    major, minor, patch = version
    signature = data.find(struct.pack("<I", 0xFEEF04BD))
    if signature < 0:
        return ["no version resource (VS_FIXEDFILEINFO)"]
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", data, signature + 8)
    expected = ((major << 16) | minor, patch << 16)
    if (file_ms, file_ls) != expected or (product_ms, product_ls) != expected:
        problems.append("the fixed file or product version is not %d.%d.%d.0" % version)
    texts = {"FileVersion": "%d.%d.%d" % version, "ProductVersion": "%d.%d.%d" % version,
             "ProductName": "Pkg_Tov00000"}
    for key, value in texts.items():
        if version_text(data, key) != value:
            problems.append(f"{key} is {version_text(data, key)!r}, not {value!r}")
    if not version_text(data, "FileDescription"):
        problems.append("no FileDescription")
    return problems


def check_pascal_unit(unit, library_names):
    with open(unit, encoding="latin-1") as stream:
        text = stream.read()
    problems = []
    windows_file = PASCAL_WINDOWS_FILE.search(text)
    if not windows_file or windows_file.group(1) != "Pkg_Tov00000.dll":
        problems.append("the Pascal unit does not import from 'Pkg_Tov00000.dll' on Windows")
    imports = PASCAL_IMPORT.findall(text)
    if len(imports) < 10:
        problems.append(f"only {len(imports)} imports found in {unit}")
    unknown = sorted(set(imports) - set(library_names))
    if unknown:
        problems.append("the Pascal unit imports names the library lacks: " + ", ".join(unknown))
    return problems, len(imports)


def check_imports(objdump, binary):
    outside = [dll for dll in imported_dlls(private_headers(objdump, binary))
               if dll.lower() not in SYSTEM_DLLS]
    if outside:
        return [f"imports DLLs that are not the system's: {', '.join(outside)}"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--header", required=True)
    parser.add_argument("--pascal-unit", required=True)
    parser.add_argument("--library", required=True)
    parser.add_argument("programs", nargs="*")
    options = parser.parse_args()

    failures = 0
    problems, names = check_library(options.objdump, options.header, options.library)
    problems += check_imports(options.objdump, options.library)
    version = header_version(options.header)
    problems += check_version_resource(options.library, version)
    label = os.path.basename(options.library)
    if problems:
        failures += 1
        print(f"{label}: " + "\n  ".join(["WRONG"] + problems))
    else:
        print(f"{label}: exports the {len(names)} functions of tov00000.h by their plain names, "
              "imports only system DLLs, version resource %d.%d.%d" % version)
    problems, count = check_pascal_unit(options.pascal_unit, names)
    label = os.path.basename(options.pascal_unit)
    if problems:
        failures += 1
        print(f"{label}: " + "\n  ".join(["WRONG"] + problems))
    else:
        print(f"{label}: its {count} imports are exports of Pkg_Tov00000.dll")
    for program in options.programs:
        problems = check_imports(options.objdump, program)
        label = os.path.basename(program)
        if problems:
            failures += 1
            print(f"{label}: " + "\n  ".join(["WRONG"] + problems))
        else:
            print(f"{label}: imports only system DLLs")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
