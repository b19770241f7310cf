#!/usr/bin/env python3
"""Writes conferencia.xml, the demo packet of the table bill: the items of sale 1001 of the demo
store (table 12, ticket 12, two seats), with a cover row on each seat, in the one-line XML packet
form without an encoding declaration, its text in Windows-1252 bytes."""

from pathlib import Path
from xml.sax.saxutils import quoteattr

HEADER = '<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA>'

FIELDS = (
    ("NRLUGARMESA", "string", 2), ("NRPRODCOMVEN", "string", 6), ("CDPRODUTO", "string", 10),
    ("NMPRODUTO", "string", 40), ("CDPRODIMPFIS", "string", 14), ("CDARVPROD", "string", 14),
    ("QTPRODCOMVEN", "r8", None), ("VRPRECCOMVEN", "r8", None), ("VRDESCCOMVEN", "r8", None),
    ("VRACRCOMVEN", "r8", None), ("IDSTPRCOMVEN", "string", 1), ("IDCOBTXSERV", "string", 1),
    ("NRMESADSCOMORIT", "string", 4), ("CDCONSUMIDOR", "string", 10),
    ("NMCONSUMIDOR", "string", 40), ("NMLOJA", "string", 40), ("DTCHECKINPH", "string", 16),
    ("DTCHECKOUTPH", "string", 16), ("DTHRABERMESA", "dateTime", None),
    ("VRCOMISVENDA", "r8", None), ("VRCOMISVENDA2", "r8", None), ("VRCOMISVENDA3", "r8", None),
)

# Seat, sequence, product, name, fiscal code, tree code, quantity, price, discount, surcharge,
# status ("6" cancelled), service charged, table it came from.
ITEMS = (
    ("01", "000001", "1001", "Picanha na Chapa", "1001", "A1001", "1", "89.9", "0", "0", "1", "S", ""),
    ("01", "000002", "1002", "Caipirinha de Limão", "", "A1002", "2", "18.5", "3", "0", "1", "S", ""),
    ("01", "000003", "9001", "Couvert Artístico", "9001", "A9001", "1", "12", "0", "0", "1", "N", ""),
    ("02", "000004", "2001", "Salmão Grelhado", "2001", "A2001", "1", "76", "0", "4.5", "1", "S", "7"),
    ("02", "000005", "2002", "Água Mineral sem Gás", "2002", "A2002", "2", "6", "0", "0", "1", "N", ""),
    ("02", "000006", "2003", "Pudim de Leite", "2003", "A2003", "1", "22", "0", "0", "6", "S", ""),
    ("02", "000007", "9001", "Couvert Artístico", "9001", "A9001", "1", "12", "0", "0", "1", "N", ""),
)

# The ticket's own values, the same on every row: no hotel guest, opened at 12:45, three tips.
TICKET = ("", "", "Restaurante São Jorge", "", "", "20261208T12:45:00000", "10", "12", "0")


def field(name, kind, width):
    size = f' WIDTH="{width}"' if width else ""
    return f'<FIELD attrname="{name}" fieldtype="{kind}"{size}/>'


def row(values):
    names = [name for name, _, _ in FIELDS]
    return "<ROW " + " ".join(f"{n}={quoteattr(v)}" for n, v in zip(names, values)) + "/>"


def packet():
    fields = "".join(field(*f) for f in FIELDS)
    rows = "".join(row(item + TICKET) for item in ITEMS)
    return (f'{HEADER}<FIELDS>{fields}</FIELDS><PARAMS LCID="1046"/></METADATA>'
            f'<ROWDATA>{rows}</ROWDATA></DATAPACKET>')


if __name__ == "__main__":
    (Path(__file__).parent / "conferencia.xml").write_bytes(packet().encode("cp1252"))
