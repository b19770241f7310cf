#!/usr/bin/env python3
"""Writes vendedor.xml, the demo packet of the sales-by-salesperson report: the one-line XML
packet form without an encoding declaration, its text in Windows-1252 bytes.
The binary copy is made from it with: tovprint packet convert vendedor.xml vendedor.cds"""

from pathlib import Path
from xml.sax.saxutils import quoteattr

FIELDS = (
    '<FIELD attrname="CDVENDEDOR" fieldtype="string" WIDTH="4"/>'
    '<FIELD attrname="NMRAZSOCVEN" fieldtype="string" WIDTH="40"/>'
    '<FIELD attrname="VRTOTVENDEDOR" fieldtype="r8"/>'
    '<FIELD attrname="VRREPIQUEVENDA" fieldtype="r8"/>'
)

# Code, name, total sold, repique total. The grand total of the demo is 27593.67.
SALESPEOPLE = (
    ("001", "João Conceição", "12345.67", "1234.57"),
    ("002", "Ana Luíza Gonçalves", "8760.4", "876.04"),
    ("003", "Márcio Antônio Araújo", "5432.1", "0"),
    ("004", "Cláudia Simões", "980.5", "98.05"),
    ("005", "Sérgio Peçanha", "75", "7.5"),
)


def row(code, name, total, repique):
    return (f'<ROW CDVENDEDOR={quoteattr(code)} NMRAZSOCVEN={quoteattr(name)} '
            f'VRTOTVENDEDOR="{total}" VRREPIQUEVENDA="{repique}"/>')


def packet():
    rows = "".join(row(*salesperson) for salesperson in SALESPEOPLE)
    return ('<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA>'
            f'<FIELDS>{FIELDS}</FIELDS><PARAMS LCID="1046"/></METADATA>'
            f'<ROWDATA>{rows}</ROWDATA></DATAPACKET>')


if __name__ == "__main__":
    Path(__file__).with_name("vendedor.xml").write_bytes(packet().encode("cp1252"))
