#!/usr/bin/env python3
"""tovhost.py: a host of the package written in Python on the tov00000 module. It registers a
print back-end of its own and prints one document from a JSON request, as tovprint print does:
the same requests (keys named like the print function's parameters, packets and datasets as files
beside the request), the same hand-offs and, with --out, the same bytes in the file.

    tovhost.py print vendedor --request data/demo/vendedor.json --out /tmp/vendedor.raw
"""

import argparse
import datetime
import json
import os
import sys

import tov00000

TEXT, PACKET, DATASET, FLAG, WHOLE, NUMBER = "text", "packet", "dataset", "flag", "whole", "number"

# Each document: its export, the Package method, and the parameters in the order of the export.
DOCUMENTS = {
    "vendedor": ("RelatorioVendedor_Tov00000", "RelatorioVendedor", [
        ("stCdFilial", TEXT), ("stNmFilial", TEXT), ("stCdCaixa", TEXT), ("stNmCaixa", TEXT),
        ("stEsquemaCor", TEXT), ("stCdPortImpNF", TEXT), ("stIdTipoImpNF", TEXT),
        ("P_VENDASVENDEDOR", PACKET), ("boUtilizaImpFis", FLAG), ("IdTipoImpFis", WHOLE),
        ("doVrTotGeral", NUMBER)]),
    "cupom_troca": ("Cupom_Troca_Tov00000", "CupomTroca", [
        ("IdTipoImpFis", WHOLE), ("oleProdutos", PACKET), ("stEsquemaCor", TEXT),
        ("stCdFilial", TEXT), ("stCdCaixa", TEXT), ("stNmConsumidor", TEXT),
        ("stCpfCnpjCon", TEXT), ("stTipVen", TEXT), ("doNrDias", NUMBER)]),
    "tipo_rece": ("imprimeTipoRece_Tov00000", "imprimeTipoRece", [
        ("IdTipoImpFis", WHOLE), ("stCdFilial", TEXT), ("stCdCaixa", TEXT),
        ("stEsquemaCor", TEXT), ("stNrSerie", TEXT), ("stMeiosPgto", TEXT),
        ("oleTipoRece", PACKET), ("stDataIni", TEXT), ("stDataFin", TEXT)]),
    "dados_paf": ("ImprimeDadosPaf_Tov00000", "ImprimeDadosPaf", [
        ("stCdFilial", TEXT), ("stCdCaixa", TEXT), ("stEsquemaCor", TEXT),
        ("oleDadosPaf", PACKET), ("oleBuscaNrSerieEcf", PACKET), ("stNrSerie", TEXT),
        ("IdTipoImpFis", WHOLE), ("stIndice", TEXT)]),
    "extrato": ("Extrato_Tov00000", "Extrato", [
        ("boUtilizaImpFis", FLAG), ("stCdFilial", TEXT), ("stEsquemaCor", TEXT),
        ("stIdTipoImpNF", TEXT), ("stCdPortImpNF", TEXT), ("cdsTipoExtCons", DATASET),
        ("cdsSaldoConsExt", DATASET), ("cdsExtSimples", DATASET), ("cdsExtVenda", DATASET),
        ("cdsSaldFam", DATASET), ("stValData", TEXT), ("stFilial", TEXT), ("stCaixa", TEXT),
        ("stConsumidor", TEXT), ("stNmConsumidor", TEXT), ("cdsExtrato", DATASET),
        ("IdTipoImpFis", WHOLE)]),
    "conferencia_mesa": (tov00000.BILL_EXPORT, "ConferenciaMesa", [
        ("stCdPortaImpFis", TEXT), ("stNrSerie", TEXT), ("stEsquemaCor", TEXT),
        ("stCdFilial", TEXT), ("stCdCaixa", TEXT), ("stIndice", TEXT), ("IdTipoImp", WHOLE),
        ("stCupomDia", TEXT), ("stTipoVenda", TEXT), ("stNrComanda", TEXT),
        ("stNrvendarest", TEXT), ("stMesa", TEXT), ("stNmGarcom", TEXT), ("stEmissao", TEXT),
        ("DADOS", PACKET), ("doVrDesc", NUMBER), ("doConsMin", NUMBER), ("doCouver", NUMBER),
        ("doVrTxSer", NUMBER), ("doQtPessoas", NUMBER), ("doTotal", NUMBER), ("doAcre", NUMBER),
        ("doVrDescManual", NUMBER), ("IdLugarMesa", TEXT), ("IdTpImpParc", TEXT),
        ("stCdProdCouver", TEXT), ("stCdProdConsum", TEXT), ("stCdProdConsFem", TEXT),
        ("boUtilizaImpFis", FLAG), ("stPosicao", TEXT), ("stIdIntHotel", TEXT),
        ("stIdImpTxServ", TEXT), ("stIdComisVenda", TEXT), ("stIdConDescTxServ", TEXT),
        ("stDsTextoTxServ", TEXT), ("stIdConsDescTxServ", TEXT), ("stIdUtilFid4All", TEXT),
        ("stIdUtilFidUds", TEXT)]),
}

DEMO_COUPON_NUMBER = "000123"


class HostError(Exception):
    pass


class Recorder:
    """The back-end: every entry point records its call and answers true. The text it carries
    goes to the out file (or the terminal), one line per call to standard output. Nr_Cupom
    writes the demo coupon number; everything else passed by reference is left as it was."""

    def __init__(self, out_path):
        self.out_path = out_path
        self.part_path = out_path + ".part" if out_path else None
        self.out = None
        if out_path:
            try:
                self.out = open(self.part_path, "wb")
            except OSError as error:
                raise HostError(f"cannot write '{out_path}': {error.strerror}") from None

    def hand_off(self, entry_point, text=None):
        if text is None:
            print(entry_point)
        elif self.out is not None:
            self.out.write(text)
            print(f"{entry_point}: {len(text)} bytes to {self.out_path}")
        else:
            print(f">> {entry_point}\n{tov00000.decode(text)}\n"
                  f"<< end of {entry_point} text ({len(text)} bytes)")
        return True

    def finish(self):
        if self.out is not None:
            self.out.close()
            os.replace(self.part_path, self.out_path)
            self.out = None

    def discard(self):
        if self.out is not None:
            self.out.close()
            os.unlink(self.part_path)
            self.out = None

    # The entry points, in the order of tov_backend.
    def Conferencia_Formatada(self, *texts_then_buffer):
        return self.hand_off("Conferencia_Formatada", texts_then_buffer[-1])

    def Conferencia_Outras(self, *arguments):
        return self.hand_off("Conferencia_Outras")

    def DisparaImpressaoNaoFiscal(self, values):
        text = values[2] if len(values) > 2 and isinstance(values[2], str) else None
        return self.hand_off("DisparaImpressaoNaoFiscal",
                             None if text is None else tov00000.encode(text))

    def AjustaImpressaoDireta(self, empty1, IdTipoImp, empty2, inTamLinha):
        return self.hand_off("AjustaImpressaoDireta")

    def Cupom_Troca(self, stEsquemaCor, stCdFilial, stCdCaixa, text):
        return self.hand_off("Cupom_Troca", text)

    def Nr_Cupom(self, zero1, zero2):
        self.hand_off("Nr_Cupom")
        return DEMO_COUPON_NUMBER

    def imprimeTipoRece(self, stCdFilial, stCdCaixa, stEsquemaCor, stNrSerie, text,
                        stMeiosPgto):
        return self.hand_off("imprimeTipoRece", text)

    def Cabecalho(self, stCdFilial, stEsquemaCor, stFilial, stCaixa, zero1, zero2):
        return self.hand_off("Cabecalho")

    def Extrato(self, text, stEsquemaCor):
        return self.hand_off("Extrato", text)

    def Usa_CompNFis(self, stEsquemaCor, piece):
        return self.hand_off("Usa_CompNFis", piece)

    def Relatorio_Gerencial_Imp(self, stEsquemaCor, stCdFilial, stCdCaixa, zero1, zero2):
        return self.hand_off("Relatorio_Gerencial_Imp")

    def FechRelatGerenc(self, stEsquemaCor, flag, zero):
        return self.hand_off("FechRelatGerenc")

    def Relatorio_Generico(self, stEsquemaCor, stCdFilial, stCdCaixa, text, stNrSerie,
                           stIndice):
        return self.hand_off("Relatorio_Generico", text)

    def ImprimePadrao(self, stCdPortImpNF, stIdTipoImpNF, text):
        return self.hand_off("ImprimePadrao", text)


class Host:
    """The clock and the executable's path, when given; every other service is the default."""

    def __init__(self, now, exe_path):
        if now is not None:
            self.Now = lambda: now
        if exe_path is not None:
            self.ExePath = lambda: exe_path


def parse_now(text):
    for layout in ("%Y-%m-%d %H:%M", "%Y-%m-%dT%H:%M", "%Y-%m-%d %H:%M:%S", "%Y-%m-%dT%H:%M:%S",
                   "%Y-%m-%d"):
        try:
            moment = datetime.datetime.strptime(text, layout)
            break
        except ValueError:
            continue
    else:
        raise HostError(f"'{text}' is not a date-time like 2026-12-08 14:30")
    days = (moment.date() - datetime.date(1899, 12, 30)).days
    return days + (moment.hour * 3600.0 + moment.minute * 60.0 + moment.second) / 86400.0


def read_request(path, parameters):
    """The request's values in parameter order: texts as str, packets as bytes, datasets as the
    bytes of their packets. A key missing, of another type or unknown is an error naming it."""
    origin = os.path.basename(path)

    def no_duplicates(pairs):
        seen = {}
        for key, value in pairs:
            if key in seen:
                raise HostError(f"{origin}: key '{key}' appears twice")
            seen[key] = value
        return seen

    try:
        with open(path, "rb") as stream:
            request = json.loads(stream.read().decode("utf-8"), object_pairs_hook=no_duplicates)
    except OSError as error:
        raise HostError(f"cannot read '{path}': {error.strerror}") from None
    except (UnicodeDecodeError, json.JSONDecodeError) as error:
        raise HostError(f"{origin}: not a JSON object: {error}") from None
    if not isinstance(request, dict):
        raise HostError(f"{origin}: not a JSON object")
    folder = os.path.dirname(path)
    values = []
    for name, kind in parameters:
        if name not in request:
            raise HostError(f"{origin}: missing key '{name}'")
        value = request[name]
        if kind == TEXT:
            if not isinstance(value, str):
                raise HostError(f"{origin}: key '{name}' must be a text")
            try:
                tov00000._encode(value, name)
            except ValueError as error:
                raise HostError(f"{origin}: key {error}") from None
        elif kind in (PACKET, DATASET):
            if not isinstance(value, str) or not value:
                raise HostError(f"{origin}: key '{name}' must be the name of a packet file")
            try:
                with open(os.path.join(folder, value), "rb") as stream:
                    value = stream.read()
            except OSError as error:
                raise HostError(f"{origin}: key '{name}': cannot read '{value}': "
                                f"{error.strerror}") from None
        elif kind == FLAG:
            if not isinstance(value, bool):
                raise HostError(f"{origin}: key '{name}' must be true or false")
        elif kind == WHOLE:
            if isinstance(value, bool) or not isinstance(value, int) or \
                    not -2**31 <= value < 2**31:
                raise HostError(f"{origin}: key '{name}' must be a whole number of 32 bits")
        elif kind == NUMBER:
            if isinstance(value, bool) or not isinstance(value, (int, float)):
                raise HostError(f"{origin}: key '{name}' must be a number")
            value = float(value)
        values.append(value)
    unknown = sorted(set(request) - {name for name, _ in parameters})
    if unknown:
        raise HostError(f"{origin}: unknown key " + ", ".join(f"'{key}'" for key in unknown))
    return values


def show_result(value, why=""):
    if value:
        print("=== result: true")
    elif why:
        print(f"=== result: false (why: {why})")
    else:
        print("=== result: false")
    print()


def print_document(package, document, values):
    export, method_name, parameters = DOCUMENTS[document]
    method = getattr(package, method_name)
    if document == "dados_paf":
        show_result(method(values))
    elif document == "extrato":
        datasets = []
        try:
            arguments = []
            for (name, kind), value in zip(parameters, values):
                if kind == DATASET:
                    try:
                        datasets.append(package.open_dataset(value))
                    except tov00000.PackageError as error:
                        raise HostError(f"{name}: {error}") from None
                    value = datasets[-1]
                arguments.append(value)
            result, why = method(*arguments)
            show_result(result, why)
        finally:
            for dataset in datasets:
                dataset.close()
    elif document == "tipo_rece":
        method(*values)
        show_result(True)
    elif document == "conferencia_mesa":
        show_result(method(*values).result)
    else:
        show_result(method(*values))


def main(argv=None):
    parser = argparse.ArgumentParser(
        prog="tovhost.py", description="Prints one document through the package with the "
        "arguments of a JSON request whose keys are the print function's parameter names; a "
        "packet or dataset is a file path relative to the request.")
    commands = parser.add_subparsers(dest="command", required=True)
    print_command = commands.add_parser("print", help="print one document")
    print_command.add_argument("document", metavar="DOCUMENT", choices=list(DOCUMENTS),
                               help="one of " + ", ".join(DOCUMENTS) + " (the last when the "
                               "library exports " + tov00000.BILL_EXPORT + ")")
    print_command.add_argument("--request", required=True, metavar="FILE",
                               help="the JSON request")
    print_command.add_argument("--out", metavar="FILE", help="the exact bytes of every text "
                               "handed to the back-end, concatenated (default: the terminal)")
    print_command.add_argument("--now", metavar='"YYYY-MM-DD HH:MM"',
                               help="the package's clock (default: the system clock)")
    print_command.add_argument("--exe-path", metavar="FILE", help="the host executable the "
                               "package is told of (default: the running program)")
    print_command.add_argument("--library", metavar="FILE", help="the package library "
                               "(default: $TOV_LIBRARY, else libPkg_Tov00000.so)")
    options = parser.parse_args(argv)

    try:
        now = parse_now(options.now) if options.now is not None else None
        package = tov00000.Package(options.library)
        export, _, parameters = DOCUMENTS[options.document]
        if not package.has_export(export):
            raise HostError(f"this build of the package does not export {export}")
        values = read_request(options.request, parameters)
        recorder = Recorder(options.out)
        try:
            package.initialize()
            try:
                package.set_backend(recorder)
                package.set_host(Host(now, options.exe_path))
                package.set_format_settings(tov00000.FormatSettings())
                print(f"=== {export} ({options.request})")
                print_document(package, options.document, values)
            finally:
                package.finalize()
            recorder.finish()
        finally:
            recorder.discard()
    except (tov00000.PackageError, HostError, OSError, tov00000.MissingExportError) as error:
        sys.stdout.flush()
        print(f"tovhost.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
