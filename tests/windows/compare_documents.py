#!/usr/bin/env python3
"""Prints every demo request with the Windows tovprint under Wine and with the native tovprint,
and compares the two byte for byte: the bytes handed to the back-end (--out) and the hand-offs
and results listed on standard output, with the same clock and host executable.

    compare_documents.py --wine WINE --windows-tovprint TOVPRINT.EXE --tovprint TOVPRINT
                         --data DATA --work FOLDER --wine-prefix PREFIX

Besides the documents: a sale lookup on the demo store, which the Windows library must build in
%LOCALAPPDATA%\\tov00000, a document printed with a printer table of its own (--printers,
which reaches the library through the environment), and the table bill sent to a printer that is a
file (--printer file:) in CP860 and CP850, converted by Windows' code page tables on one side and by
iconv on the other, and to a printer emulated on 127.0.0.1 (--printer tcp://) through Winsock.
"""

import argparse
import glob
import json
import os
import shutil
import socket
import subprocess
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bindings"))
import compare_hosts  # noqa: E402  (the request list and the comparison of the bindings' hosts)

# Every kind 30 columns with a line feed: a layout no built-in kind has.
NARROW_PRINTERS = "*  0  30  \\n  -\n"


def run(command, label):
    result = subprocess.run(command, capture_output=True)
    if result.returncode != 0:
        raise RuntimeError(f"{label} failed (exit {result.returncode}):\n"
                           f"{result.stderr.decode(errors='replace')}"
                           f"{result.stdout.decode(errors='replace')[-2000:]}")
    return result.stdout.replace(b"\r\n", b"\n")


def read(path):
    with open(path, "rb") as stream:
        return stream.read()


def lookup_answers_alike(options, windows):
    """The till lookup: the same answer, from a store the Windows library built where Windows
    keeps a user's local application data."""
    command = ["lookup", "GetCaixa", "001", "--now", compare_hosts.NOW]
    expected = run([options.tovprint, *command], "tovprint")
    actual = run([*windows, *command], "the Windows tovprint")
    problems = []
    if expected != actual:
        problems.append(f"the answers differ:\n  Windows: {actual!r}\n  native:  {expected!r}")
    stores = glob.glob(os.path.join(options.wine_prefix, "drive_c", "users", "*", "AppData",
                                    "Local", "tov00000", "demo_store.db"))
    if not stores:
        problems.append("no demo store in %LOCALAPPDATA%\\tov00000 of the Wine prefix")
    return problems


def printer_table_is_read(options, windows):
    """A document printed with --printers: the same bytes on both, and not those of the built-in
    table, so the table named in the environment reached the Windows library."""
    table = os.path.join(options.work, "narrow_printers.conf")
    with open(table, "w", encoding="ascii") as stream:
        stream.write(NARROW_PRINTERS)
    request = os.path.join(options.data, "cupom_troca.json")
    outputs = {}
    for label, command, printers in (("native", [options.tovprint], []),
                                     ("windows", windows, ["--printers", table]),
                                     ("native-narrow", [options.tovprint], ["--printers", table])):
        out = os.path.join(options.work, f"cupom_troca.{label}.raw")
        if os.path.exists(out):
            os.unlink(out)
        run([*command, "print", "cupom_troca", "--request", request, "--now", compare_hosts.NOW,
             *printers, "--out", out], label)
        outputs[label] = read(out)
    problems = []
    if outputs["windows"] != outputs["native-narrow"]:
        at = compare_hosts.first_difference(outputs["windows"], outputs["native-narrow"])
        problems.append(f"the bytes differ from offset {at}")
    if outputs["windows"] == outputs["native"]:
        problems.append("the bytes are those of the built-in printer table")
    return problems


def printer_bytes_alike(options, windows):
    """The demo table bill sent to a printer that is a file, with a profile in CP860 and one in
    CP850: the same bytes on both, accents included."""
    request = os.path.join(options.data, "conferencia_mesa.json")
    problems = []
    for profile in ("esc-e-f", "escpos"):
        outputs = {}
        for label, command in (("native", [options.tovprint]), ("windows", windows)):
            out = os.path.join(options.work, f"conferencia.{profile}.{label}.prn")
            if os.path.exists(out):
                os.unlink(out)
            run([*command, "print", "conferencia", "--request", request, "--now",
                 compare_hosts.NOW, "--profile", profile, "--printer", "file:" + out], label)
            outputs[label] = read(out)
        if outputs["windows"] != outputs["native"]:
            at = compare_hosts.first_difference(outputs["windows"], outputs["native"])
            problems.append(f"profile {profile}: the printer's bytes differ from offset {at}")
        elif not any(byte >= 0x80 for byte in outputs["native"]):
            problems.append(f"profile {profile}: no accented character reached the printer")
    return problems


class EmulatedPrinter:
    """A network printer on 127.0.0.1: takes one job, reads it to its end, then closes."""

    def __init__(self):
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.port = self.listener.getsockname()[1]
        self.received = bytearray()
        self.thread = threading.Thread(target=self.take_job, daemon=True)
        self.thread.start()

    def take_job(self):
        self.listener.settimeout(60)
        try:
            connection, _ = self.listener.accept()
        except OSError:
            return
        with connection:
            connection.settimeout(60)
            while chunk := connection.recv(65536):
                self.received += chunk

    def job(self):
        self.thread.join(60)
        self.listener.close()
        return bytes(self.received)


def network_printer_bytes_alike(options, windows):
    """The demo table bill sent by the Windows tovprint to a network printer: the bytes the
    native one writes to a printer file with the same profile."""
    request = os.path.join(options.data, "conferencia_mesa.json")
    # The emulated printer here only reads: the profile says it answers nothing.
    profile = os.path.join(options.work, "esc-e-f-silent.json")
    with open(os.path.join(options.data, "..", "printers", "esc-e-f.json"),
              encoding="utf-8") as built_in:
        fields = json.load(built_in)
    fields.update({"status": "none", "confirmation": "none"})
    with open(profile, "w", encoding="utf-8") as silent:
        json.dump(fields, silent)
    common = ["print", "conferencia", "--request", request, "--now", compare_hosts.NOW,
              "--profile", profile]
    out = os.path.join(options.work, "conferencia.tcp.native.prn")
    if os.path.exists(out):
        os.unlink(out)
    run([options.tovprint, *common, "--printer", "file:" + out], "native")
    printer = EmulatedPrinter()
    run([*windows, *common, "--printer", f"tcp://127.0.0.1:{printer.port}", "--timeout", "30"],
        "windows")
    received, expected = printer.job(), read(out)
    if received != expected:
        at = compare_hosts.first_difference(received, expected)
        return [f"the printer received {len(received)} bytes, the native tovprint wrote "
                f"{len(expected)}; they differ from offset {at}"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--wine", required=True)
    parser.add_argument("--windows-tovprint", required=True)
    parser.add_argument("--tovprint", required=True, help="the native tovprint")
    parser.add_argument("--data", required=True, help="the demo requests and their packets")
    parser.add_argument("--work", required=True, help="a folder for the outputs")
    parser.add_argument("--wine-prefix", required=True)
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)

    # Each tovprint loads the library built with it; the native one builds its demo store in a
    # folder of the work folder, the Windows one in the prefix's %LOCALAPPDATA%, emptied first.
    for variable in ("TOV_LIBRARY", "TOV_CONNECTION", "TOV_PRINTERS"):
        os.environ.pop(variable, None)
    os.environ["XDG_CACHE_HOME"] = os.path.join(options.work, "cache")
    for folder in glob.glob(os.path.join(options.wine_prefix, "drive_c", "users", "*",
                                         "AppData", "Local", "tov00000")):
        shutil.rmtree(folder)
    windows = [options.wine, options.windows_tovprint]
    documents = compare_hosts.tovprint_documents(options.tovprint)

    passed = failed = 0

    def report(name, problems, success):
        nonlocal passed, failed
        if problems:
            failed += 1
            print(f"{name}: DIFFERENT\n  " + "\n  ".join(problems))
        else:
            passed += 1
            print(f"{name}: {success}")

    for request, document in compare_hosts.REQUESTS.items():
        name = compare_hosts.tovprint_name(document, documents)
        if name is None:
            report(request, [f"tovprint has no document command for {document}"], "")
            continue
        try:
            problems, size = compare_hosts.compare(request, name, name, options, windows)
        except RuntimeError as error:
            problems, size = [str(error)], 0
        report(request, problems, f"the same {size} bytes and hand-offs")
    for name, check, success in (
            ("lookup GetCaixa", lookup_answers_alike, "the same answer, the store in %LOCALAPPDATA%"),
            ("--printers", printer_table_is_read, "the same bytes, the table's own layout"),
            ("--printer file", printer_bytes_alike, "the same bytes to the printer, CP860 and CP850"),
            ("--printer tcp", network_printer_bytes_alike, "the same bytes over the network")):
        try:
            problems = check(options, windows)
        except RuntimeError as error:
            problems = [str(error)]
        report(name, problems, success)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
