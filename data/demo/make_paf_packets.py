#!/usr/bin/env python3
"""Writes the demo packets of the PAF-ECF identification report, in the one-line XML packet form
without an encoding declaration, their text in Windows-1252 bytes:

- paf_dados.xml: the identification, every value enciphered with the package's built-in cipher
  and the report's key, as the host stores it;
- paf_ecf.xml: the serial numbers of the fiscal registers;
- paf_arquivos.xml and paf_palindo.xml: the two digest files that a host keeps beside its
  executable. Their binary copies, where the report looks for them, are made with:
      tovprint packet convert paf_arquivos.xml paf/Dados/Cadastros/ArquivosPldMd5.cds
      tovprint packet convert paf_palindo.xml paf/Palindo.cds
The digests are demo values, not digests of real files."""

import hashlib
from pathlib import Path
from xml.sax.saxutils import quoteattr

REPORT_KEY = 7  # the key of the identification report (src/services/cipher.hpp)
RANGES = ((0x20, 0x7F - 0x20), (0xA0, 0x100 - 0xA0))

IDENTIFICATION = (
    ("NRLAUDO", "TOV0452018"),
    ("NRCNPJQUELMAR", "12.345.678/0001-90"),
    ("DSRAZAOSOCIQLM", "Sistemas de Automação Comercial Ltda"),
    ("DSENDEQUELMAR", "Rua das Palmeiras, 1200 - São Paulo - SP"),
    ("DSTELEFONEQLM", "(11) 3456-7890"),
    ("NMRESPONSIST", "Márcia Figueiredo"),
    ("DSNOMECOMERCIAL", "PDV Restaurante"),
    ("DSVERSAOPALINDO", "5.2.1"),
    ("NMEXEPALINDO", "PLD.EXE"),
)

PROGRAM_FILES = ("Pkg_Tov00000.bpl", "Pkg_Tov00001.bpl", "Pkg_Tov00002.bpl", "PLD.EXE",
                 "_dll.bpl")

SERIAL_NUMBERS = ("BE091310100011223344", "EP081210000000123456")


def encipher(text):
    """The package's built-in cipher: position-dependent shifts within two printable ranges."""
    out = bytearray()
    for position, byte in enumerate(text.encode("cp1252")):
        for low, size in RANGES:
            if low <= byte < low + size:
                byte = low + (byte - low + REPORT_KEY % size + position % size) % size
                break
        out.append(byte)
    return out.decode("cp1252")


def demo_digest(name):
    return hashlib.md5(("demo " + name).encode("ascii")).hexdigest().upper()


def packet(fields, rows):
    field_xml = "".join(f'<FIELD attrname="{name}" fieldtype="string" WIDTH="{width}"/>'
                        for name, width in fields)
    row_xml = "".join("<ROW " + " ".join(f"{name}={quoteattr(value)}"
                                          for (name, _), value in zip(fields, row)) + "/>"
                      for row in rows)
    return ('<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA>'
            f'<FIELDS>{field_xml}</FIELDS><PARAMS LCID="1046"/></METADATA>'
            f'<ROWDATA>{row_xml}</ROWDATA></DATAPACKET>')


def write(name, text):
    Path(__file__).with_name(name).write_bytes(text.encode("cp1252"))


if __name__ == "__main__":
    write("paf_dados.xml", packet([(name, 60) for name, _ in IDENTIFICATION],
                                  [[encipher(value) for _, value in IDENTIFICATION]]))
    write("paf_ecf.xml", packet([("NRSERIEIMPRPERS", 20)], [[s] for s in SERIAL_NUMBERS]))
    write("paf_arquivos.xml", packet([("NMARQUIVO", 60), ("NUMEROMD5", 32)],
                                     [[name, demo_digest(name)] for name in PROGRAM_FILES]))
    write("paf_palindo.xml", packet([("MD5ARQUIVOTXT", 32)],
                                    [[encipher(demo_digest("ARQUIVOSPLDMD5.TXT"))]]))
