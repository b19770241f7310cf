#!/usr/bin/env python3
"""Prints every demo request through a host of the bindings and through tovprint, and compares
the two byte for byte: the bytes handed to the back-end (--out) and the hand-offs and results
listed on standard output.

    compare_hosts.py --tovprint TOVPRINT --library LIBRARY --data DATA --work FOLDER -- HOST...

HOST... is the host's command (the Pascal tovhost, or python3 tovhost.py), which takes the
arguments of `tovprint print`. Every request file of DATA must be known here, so that a new
document's request is not left out unnoticed. The table bill is printed only when the library
exports Conferencia_Mesa_Tov00000; tovprint must then have a document command for it.
"""

import argparse
import ctypes
import os
import re
import subprocess
import sys

# Every demo request and the host's document for it.
REQUESTS = {
    "vendedor.json": "vendedor",
    "vendedor_fiscal.json": "vendedor",
    "cupom_troca.json": "cupom_troca",
    "tipo_rece.json": "tipo_rece",
    "dados_paf.json": "dados_paf",
    "extrato.json": "extrato",
    "extrato_fiscal.json": "extrato",
    "extrato_detalhado.json": "extrato",
    "conferencia_mesa.json": "conferencia_mesa",
    "conferencia_fiscal.json": "conferencia_mesa",
}
BILL = "conferencia_mesa"
BILL_EXPORT = "Conferencia_Mesa_Tov00000"
NOW = "2026-12-08 14:30"

ENTRY_POINTS = ("Conferencia_Formatada", "Conferencia_Outras", "DisparaImpressaoNaoFiscal",
                "AjustaImpressaoDireta", "Cupom_Troca", "Nr_Cupom", "imprimeTipoRece",
                "Cabecalho", "Extrato", "Usa_CompNFis", "Relatorio_Gerencial_Imp",
                "FechRelatGerenc", "Relatorio_Generico", "ImprimePadrao")
HAND_OFF_LINE = re.compile(r"(%s)(: \d+ bytes to .*)?$" % "|".join(ENTRY_POINTS))


def tovprint_documents(tovprint):
    """The document names `tovprint print` accepts, from its help."""
    help_text = subprocess.run([tovprint, "print", "--help"], capture_output=True,
                               text=True).stdout
    found = re.search(r"\{([\w,]+)\}", help_text)
    return found.group(1).split(",") if found else []


def tovprint_name(document, documents):
    """tovprint's command for a host document: the same name; the bill under whichever name
    tovprint gave its command."""
    if document in documents:
        return document
    if document == BILL:
        for name in documents:
            if name.startswith("conferencia") or "mesa" in name:
                return name
    return None


def hand_offs(stdout, out_file):
    """The lines that list the hand-offs and results, the out file's name made neutral."""
    lines = []
    for line in stdout.splitlines():
        if line.startswith("=== ") or HAND_OFF_LINE.match(line):
            lines.append(line.replace(out_file, "OUT"))
    return lines


def first_difference(a, b):
    for index, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return index
    return min(len(a), len(b))


def run(command, label):
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{label} failed (exit {result.returncode}):\n{result.stderr}"
                           f"{result.stdout[-2000:]}")
    return result.stdout


def compare(request, document, tovprint_document, options, host):
    stem = os.path.splitext(request)[0]
    path = os.path.join(options.data, request)
    common = ["--request", path, "--now", NOW, "--exe-path",
              os.path.join(options.data, "paf", "PLD.EXE")]
    expected_out = os.path.join(options.work, stem + ".tovprint.raw")
    actual_out = os.path.join(options.work, stem + ".host.raw")
    for stale in (expected_out, actual_out):
        if os.path.exists(stale):
            os.unlink(stale)
    expected_log = run([options.tovprint, "print", tovprint_document, *common, "--out",
                        expected_out], "tovprint")
    actual_log = run([*host, "print", document, *common, "--out", actual_out], "the host")
    with open(expected_out, "rb") as stream:
        expected = stream.read()
    with open(actual_out, "rb") as stream:
        actual = stream.read()
    problems = []
    if expected != actual:
        at = first_difference(expected, actual)
        problems.append(f"the bytes differ from offset {at} ({len(actual)} bytes, tovprint "
                        f"{len(expected)}): host {actual[max(0, at - 20):at + 20]!r}, tovprint "
                        f"{expected[max(0, at - 20):at + 20]!r}")
    expected_lines = hand_offs(expected_log, expected_out)
    actual_lines = hand_offs(actual_log, actual_out)
    if expected_lines != actual_lines:
        problems.append("the hand-offs differ:\n  host:     " + "\n            ".join(
            actual_lines) + "\n  tovprint: " + "\n            ".join(expected_lines))
    if not expected_lines:
        problems.append("tovprint listed no hand-off")
    return problems, len(expected)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tovprint", required=True)
    parser.add_argument("--library", required=True)
    parser.add_argument("--data", required=True, help="the demo requests and their packets")
    parser.add_argument("--work", required=True, help="a folder for the outputs")
    parser.add_argument("host", nargs="+", help="the host's command")
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)

    # Both programs load the same library and build the demo store in a folder of their own.
    os.environ["TOV_LIBRARY"] = options.library
    library_folder = os.path.dirname(os.path.abspath(options.library))
    os.environ["LD_LIBRARY_PATH"] = os.pathsep.join(
        filter(None, [library_folder, os.environ.get("LD_LIBRARY_PATH")]))
    os.environ["XDG_CACHE_HOME"] = os.path.join(options.work, "cache")
    for variable in ("TOV_CONNECTION", "TOV_PRINTERS"):
        os.environ.pop(variable, None)

    has_bill = hasattr(ctypes.CDLL(options.library), BILL_EXPORT)
    documents = tovprint_documents(options.tovprint)
    failures = 0
    unknown = sorted(name for name in os.listdir(options.data)
                     if name.endswith(".json") and name not in REQUESTS)
    for name in unknown:
        print(f"{name}: no host document is known for this request: add it to {__file__}")
        failures += 1
    for request, document in REQUESTS.items():
        if not os.path.exists(os.path.join(options.data, request)):
            print(f"{request}: missing from {options.data}")
            failures += 1
            continue
        if document == BILL and not has_bill:
            print(f"{request}: not printed, the library does not export {BILL_EXPORT}")
            continue
        tovprint_document = tovprint_name(document, documents)
        if tovprint_document is None:
            print(f"{request}: tovprint has no document command for {document} "
                  f"(it has {', '.join(documents)})")
            failures += 1
            continue
        try:
            problems, size = compare(request, document, tovprint_document, options,
                                     options.host)
        except RuntimeError as error:
            problems, size = [str(error)], 0
        if problems:
            failures += 1
            print(f"{request}: DIFFERENT\n  " + "\n  ".join(problems))
        else:
            print(f"{request}: the same {size} bytes and hand-offs")
    if failures:
        print(f"{failures} request(s) failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
