#!/usr/bin/env python3
"""Writes the demo packets of the consumer statement (Extrato_Tov00000): the host's six datasets of
one consumer with three balance families, in the one-line XML packet form, text in Windows-1252.
  extrato_tipo_simples.xml / extrato_tipo_detalhado.xml  cdsTipoExtCons ("S" / "N")
  extrato_familias.xml    cdsSaldoConsExt   extrato_movimentos.xml  cdsExtSimples
  extrato_vendas.xml      cdsExtVenda       extrato_saldos.xml      cdsSaldFam
  extrato.xml             cdsExtrato (customer, previous balances, every movement)"""

from pathlib import Path
from xml.sax.saxutils import quoteattr

HERE = Path(__file__).parent


def field(name, kind):
    width = ' WIDTH="40"' if kind == "string" else ""
    return f'<FIELD attrname="{name}" fieldtype="{kind}"{width}/>'


def packet(fields, rows):
    names = [name for name, _ in fields]
    body = "".join(
        "<ROW " + " ".join(f"{n}={quoteattr(v)}" for n, v in zip(names, row)) + "/>" for row in rows)
    return ('<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>'
            + "".join(field(n, k) for n, k in fields)
            + f'</FIELDS><PARAMS LCID="1046"/></METADATA><ROWDATA>{body}</ROWDATA></DATAPACKET>')


def write(name, fields, rows):
    (HERE / name).write_bytes(packet(fields, rows).encode("cp1252"))


FAMILIES = (("01", "Bar"), ("02", "Restaurante"), ("03", "Conveniência"))

# Family, date, time, operation, kind, sale number, amount, balance after it, store.
MOVEMENTS = (
    ("01", "20240310", "09:15", "Recarga em dinheiro", "C", "", "50", "50", "0001"),
    ("02", "20240310", "10:02", "Recarga cartão", "C", "", "120", "120", "0001"),
    ("01", "20240310", "12:30", "Venda balcão", "V", "4711", "-18.5", "31.5", "0001"),
    ("01", "20240311", "08:05", "Estorno de recarga", "D", "", "-10", "21.5", "0002"),
    ("02", "20240312", "19:45", "Venda mesa 12", "V", "4730", "-64.9", "55.1", "0001"),
)

SALE_ITEMS = (
    ("4711", "01", "2", "Cerveja long neck", "13"),
    ("4711", "01", "0.5", "Porção de fritas", "5.5"),
    ("4730", "02", "1", "Picanha na chapa", "54.9"),
    ("4730", "02", "2", "Água com gás", "10"),
)

PREVIOUS_BALANCE = {"01": "0", "02": "0", "03": "15"}


def main():
    text = "string"
    write("extrato_tipo_simples.xml", [("IDEMISEXTRSIMPL", text)], [("S",)])
    write("extrato_tipo_detalhado.xml", [("IDEMISEXTRSIMPL", text)], [("N",)])
    write("extrato_familias.xml", [("CDFAMILISALD", text), ("NMFAMILISALD", text)], FAMILIES)
    write("extrato_movimentos.xml",
          [("CDFAMILISALD", text), ("DATA", "date"), ("HORA", text), ("DSOPEEXTCONS", text),
           ("IDTPMOVEXT", text), ("NRSEQVENDA", text), ("VRMOVEXTCONS", "r8"),
           ("VRSALDCONEXT", "r8"), ("CDFILIAL", text)], MOVEMENTS)
    write("extrato_vendas.xml",
          [("NRSEQVENDA", text), ("CDFAMILISALD", text), ("QTDE", "r8"), ("NMPRODUTO", text),
           ("VRTOTAL", "r8")], SALE_ITEMS)
    write("extrato_saldos.xml", [("SALDOFAM", "r8")], (("21.5",), ("55.1",), ("15",)))
    names = dict(FAMILIES)
    ordered = sorted(MOVEMENTS, key=lambda m: (m[0], m[1], m[2]))
    write("extrato.xml",
          [("CDCLIENTE", text), ("CDFAMILISALD", text), ("NMFAMILISALD", text),
           ("SALDANT", "r8"), ("DATA", "date"), ("HORA", text), ("DSOPEEXTCONS", text),
           ("IDTPMOVEXT", text), ("NRSEQVENDA", text), ("CDFILIAL", text), ("VALOR", "r8"),
           ("SALDO", "r8")],
          [("000482", m[0], names[m[0]], PREVIOUS_BALANCE[m[0]]) + m[1:6] + (m[8], m[6], m[7])
           for m in ordered])


if __name__ == "__main__":
    main()
