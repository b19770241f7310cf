#!/usr/bin/env python3
"""Writes cupom_troca.xml and tipo_rece.xml, the demo packets of the exchange coupon and of the
payment-means report: the one-line XML packet form without an encoding declaration, its text in
Windows-1252 bytes."""

from pathlib import Path
from xml.sax.saxutils import quoteattr

HEADER = '<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA>'

PRODUCT_FIELDS = (
    '<FIELD attrname="CDPRODIMPFIS" fieldtype="string" WIDTH="14"/>'
    '<FIELD attrname="CDARVPROD" fieldtype="string" WIDTH="14"/>'
    '<FIELD attrname="NMPRODUTO" fieldtype="string" WIDTH="40"/>'
    '<FIELD attrname="QTPRODCOMVEN" fieldtype="string" WIDTH="10"/>'
    '<FIELD attrname="SGUNIDADE" fieldtype="string" WIDTH="3"/>'
)

# Fiscal code (empty: the second code is printed), second code, name, quantity, unit.
PRODUCTS = (
    ("1001", "A1001", "Camiseta Polo Piquet Azul M", "2", "UN"),
    ("1002", "A1002", "Calça Jeans Slim 42", "1", "UN"),
    ("", "ARV-3003", "Tecido Linho Cru", "2,5", "MT"),
)

RECEIPT_FIELDS = (
    '<FIELD attrname="DTMOVIMCAIXA" fieldtype="dateTime"/>'
    '<FIELD attrname="TIPO" fieldtype="string" WIDTH="3"/>'
    '<FIELD attrname="NMTIPORECE" fieldtype="string" WIDTH="30"/>'
    '<FIELD attrname="VALOR" fieldtype="r8"/>'
    '<FIELD attrname="CDTIPORECE" fieldtype="string" WIDTH="3"/>'
)

# Day, kind of fiscal document, payment type, amount, payment type code.
RECEIPTS = (
    ("20261207", "CF", "Dinheiro", "1250.4", "1"),
    ("20261207", "CF", "Cartão de Crédito", "3890.75", "3"),
    ("20261207", "CNF", "Cartão de Débito", "845.1", "4"),
    ("20261207", "NF", "Dinheiro", "120", "1"),
    ("20261208", "CF", "Pix", "2310.5", "7"),
    ("20261208", "CF", "Dinheiro", "980.25", "1"),
    ("20261208", "CNF", "Vale Refeição", "456.8", "9"),
)


def attributes(names, values):
    return " ".join(f"{name}={quoteattr(value)}" for name, value in zip(names, values))


def packet(fields, names, rows):
    body = "".join(f"<ROW {attributes(names, row)}/>" for row in rows)
    return (f'{HEADER}<FIELDS>{fields}</FIELDS><PARAMS LCID="1046"/></METADATA>'
            f'<ROWDATA>{body}</ROWDATA></DATAPACKET>')


if __name__ == "__main__":
    folder = Path(__file__).parent
    products = packet(PRODUCT_FIELDS,
                      ("CDPRODIMPFIS", "CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "SGUNIDADE"),
                      PRODUCTS)
    receipts = packet(RECEIPT_FIELDS,
                      ("DTMOVIMCAIXA", "TIPO", "NMTIPORECE", "VALOR", "CDTIPORECE"), RECEIPTS)
    (folder / "cupom_troca.xml").write_bytes(products.encode("cp1252"))
    (folder / "tipo_rece.xml").write_bytes(receipts.encode("cp1252"))
