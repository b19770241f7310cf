"""The tov00000 Python module on the built library: what it does beyond passing arguments on
(texts, failures of the host's callbacks, errors, datasets, lookups, the bill when the library
has it). That every document prints the same bytes as tovprint is compare_hosts.py's part.

Environment: TOV_LIBRARY (the library), TOV_DEMO_DATA (data/demo), XDG_CACHE_HOME (where the demo
store may be built), and tov00000 on the Python path.
"""

import contextlib
import ctypes
import datetime
import io
import json
import os
import re
import subprocess
import sys
import unittest

import tov00000

DATA = os.environ["TOV_DEMO_DATA"]


def demo(name):
    with open(os.path.join(DATA, name), "rb") as stream:
        return stream.read()


def demo_request(name):
    return json.loads(demo(name).decode("utf-8"))


class Printer:
    """A back-end that keeps what it is handed."""

    def __init__(self):
        self.calls = []

    def ImprimePadrao(self, stCdPortImpNF, stIdTipoImpNF, text):
        self.calls.append(("ImprimePadrao", stCdPortImpNF, stIdTipoImpNF, text))
        return True

    def Nr_Cupom(self, zero1, zero2):
        return "4711"

    def Cupom_Troca(self, stEsquemaCor, stCdFilial, stCdCaixa, text):
        self.calls.append(("Cupom_Troca", stCdFilial, text))
        return stCdFilial != "refuse"


class Generic(Printer):
    def Relatorio_Generico(self, esquema, filial, caixa, text, serie, indice):
        self.calls.append(("Relatorio_Generico", serie, text))


class Clock:
    def Now(self):
        return datetime.datetime(2030, 1, 2, 3, 4)


package = tov00000.Package()


def vendedor(name="Loja São Jorge", packet=None):
    return package.RelatorioVendedor("0001", name, "003", "Caixa", "1", "COM2", "1",
                                     packet if packet is not None else demo("vendedor.xml"),
                                     False, 0, 27593.67)


class Texts(unittest.TestCase):
    def setUp(self):
        self.printer = Printer()
        package.set_backend(self.printer)
        package.set_host(None)

    def test_a_str_reaches_the_package_in_windows_1252(self):
        self.assertTrue(vendedor("Filial Ação €"))
        self.assertIn("Filial Ação €".encode("cp1252"), self.printer.calls[-1][3])

    def test_bytes_pass_as_they_are_and_undefined_bytes_survive(self):
        vendedor(b"Loja \x81\x9d")
        text = self.printer.calls[-1][3]
        self.assertIn(b"Loja \x81\x9d", text)
        self.assertIn("Loja \x81\x9d", tov00000.decode(text))
        self.assertEqual(tov00000.encode("\x81\x9d\0"), b"\x81\x9d\0")

    def test_a_character_windows_1252_lacks_is_refused_naming_the_parameter(self):
        with self.assertRaisesRegex(ValueError, r"stNmFilial: U\+4E2D"):
            vendedor("Loja 中")
        with self.assertRaisesRegex(ValueError, "stNmFilial: a text cannot hold a NUL"):
            vendedor("Loja\0")
        with self.assertRaisesRegex(TypeError, "stNmFilial: a text"):
            vendedor(42)
        with self.assertRaisesRegex(TypeError, "P_VENDASVENDEDOR: a data packet"):
            vendedor(packet="vendedor.xml")
        self.assertEqual(self.printer.calls, [])


class Backend(unittest.TestCase):
    def setUp(self):
        self.printer = Printer()
        package.set_backend(self.printer)
        package.set_host(Clock())

    def test_entry_points_get_their_arguments_and_answers_come_back(self):
        self.assertTrue(vendedor())
        name, port, kind, text = self.printer.calls[-1]
        self.assertEqual((name, port, kind), ("ImprimePadrao", "COM2", "1"))
        self.assertIn(b"Data: 02/01/2030", text)  # the host's clock
        coupon = demo("cupom_troca.xml")
        self.assertTrue(package.CupomTroca(1, coupon, "1", "0001", "003", "Maria", "", "1", 30))
        self.assertIn(b"Nr. Cupom Fiscal: 004711", self.printer.calls[-1][2])
        self.assertFalse(package.CupomTroca(1, coupon, "1", "refuse", "003", "", "", "1", 30))

    def test_an_exception_in_an_entry_point_is_raised_when_the_call_returns(self):
        class Failing(Printer):
            def ImprimePadrao(self, *arguments):
                raise KeyError("paper out")
        package.set_backend(Failing())
        with self.assertRaisesRegex(KeyError, "paper out"):
            vendedor()
        package.set_backend(self.printer)
        self.assertTrue(vendedor())  # the failure is not raised twice

    def test_an_entry_point_without_a_method_fails_naming_it(self):
        package.set_backend(object())
        with self.assertRaises(tov00000.PackageError) as raised:
            vendedor()
        self.assertEqual(raised.exception.status, tov00000.E_BACKEND)
        self.assertEqual(raised.exception.export, "RelatorioVendedor_Tov00000")
        self.assertIn("ImprimePadrao", raised.exception.message)
        self.assertIn("ImprimePadrao", package.last_error())

    def test_a_host_answer_that_does_not_fit_is_refused_not_cut(self):
        class LongPath:
            def ExePath(self):
                return "/" + "x" * 5000
        package.set_backend(Generic())
        package.set_host(LongPath())
        request = demo_request("dados_paf.json")
        with self.assertRaisesRegex(ValueError, "ExePath: the answer of 5001 bytes does not fit"):
            package.ImprimeDadosPaf(self.paf_values(request))

    def test_the_host_configures_the_printer(self):
        class Narrow:
            def ConfiguraImpressora(self, kind, flag1, flag2, setup):
                self.asked = (kind, flag1, flag2)
                setup.inTamLinha = 30
                setup.stEnter = "\n"

        class Receipts(Printer):
            def imprimeTipoRece(self, filial, caixa, esquema, serie, text, meios):
                self.calls.append(("imprimeTipoRece", text))
        narrow, receipts = Narrow(), Receipts()
        package.set_backend(receipts)
        package.set_host(narrow)
        package.imprimeTipoRece(1, "0001", "003", "1", "BE09", "1", demo("tipo_rece.xml"),
                                "07/12/2026", "08/12/2026")
        self.assertEqual(narrow.asked, (1, False, True))
        self.assertEqual(receipts.calls[-1][1].split(b"\n")[0], b"Meios de Pagamento".center(30))

    def test_the_paf_report_takes_a_list_of_python_values(self):
        generic = Generic()
        package.set_backend(generic)

        class Beside:
            def ExePath(self):
                return os.path.join(DATA, "paf", "PLD.EXE")
        package.set_host(Beside())
        request = demo_request("dados_paf.json")
        self.assertTrue(package.ImprimeDadosPaf(self.paf_values(request)))
        self.assertEqual(generic.calls[-1][1], request["stNrSerie"])
        self.assertIn(b"Principal Exe : PLD.EXE", generic.calls[-1][2])
        with self.assertRaises(tov00000.PackageError) as raised:
            package.ImprimeDadosPaf(self.paf_values(request)[:5])
        self.assertEqual(raised.exception.status, tov00000.E_ARGUMENT)
        with self.assertRaisesRegex(TypeError, r"arParams\[1\]: dict"):
            package.ImprimeDadosPaf(["0001", {}])

    @staticmethod
    def paf_values(request):
        return [request["stCdFilial"], request["stCdCaixa"], request["stEsquemaCor"],
                demo(request["oleDadosPaf"]), demo(request["oleBuscaNrSerieEcf"]),
                request["stNrSerie"], request["IdTipoImpFis"], request["stIndice"]]


class RegionalSettings(unittest.TestCase):
    def tearDown(self):
        package.set_format_settings(None)

    def test_settings_reach_the_documents_and_bad_ones_are_refused(self):
        printer = Printer()
        package.set_backend(printer)
        package.set_format_settings(tov00000.FormatSettings(DecimalSeparator=".",
                                                            ThousandSeparator=","))
        vendedor()
        self.assertIn(b"27,593.67", printer.calls[-1][3])
        with self.assertRaises(tov00000.PackageError) as raised:
            package.set_format_settings(tov00000.FormatSettings(CurrencyDecimals=19))
        self.assertEqual(raised.exception.status, tov00000.E_ARGUMENT)
        with self.assertRaisesRegex(ValueError, "DecimalSeparator: one character"):
            package.set_format_settings(tov00000.FormatSettings(DecimalSeparator=",,"))


class DataSets(unittest.TestCase):
    def test_walk_filter_and_read_a_host_dataset(self):
        with package.open_dataset(demo("vendedor.xml")) as dataset:
            self.assertEqual(dataset.record_count, 5)
            self.assertEqual([row[0] for row in dataset.rows("CDVENDEDOR")],
                             ["001", "002", "003", "004", "005"])
            self.assertTrue(dataset.eof)
            dataset.recno = 2
            self.assertEqual(dataset.field_text("NMRAZSOCVEN"), "Ana Luíza Gonçalves")
            dataset.filter = "CDVENDEDOR = '005'"
            dataset.filtered = True
            self.assertEqual((dataset.filter, dataset.filtered, dataset.record_count),
                             ("CDVENDEDOR = '005'", True, 1))
            self.assertEqual(dataset.field_text("VRTOTVENDEDOR"), "75")
            with self.assertRaises(tov00000.PackageError) as raised:
                dataset.field_text("NOPE")
            self.assertEqual(raised.exception.status, tov00000.E_FIELD)
        with self.assertRaisesRegex(ValueError, "closed"):
            dataset.record_count
        with self.assertRaises(tov00000.PackageError) as raised:
            package.open_dataset(b"not a packet")
        self.assertEqual(raised.exception.status, tov00000.E_PACKET)

    def test_a_text_longer_than_the_first_buffer_is_read_whole(self):
        memo = "".join(chr(ord("a") + i % 26) for i in range(1000))
        packet = ('<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0"><METADATA>'
                  '<FIELDS><FIELD attrname="OBS" fieldtype="string" WIDTH="1000"/></FIELDS>'
                  '</METADATA><ROWDATA><ROW OBS="%s"/></ROWDATA></DATAPACKET>' % memo)
        with package.open_dataset(packet.encode("ascii")) as dataset:
            self.assertEqual(dataset.field_text("OBS"), memo)
            small = ctypes.create_string_buffer(8)
            self.assertEqual(package.lib.Tov_DataSetFieldText(dataset.handle, b"OBS", small, 8),
                             tov00000.E_BUFFER)
            self.assertEqual(package.lib.Tov_LastRequiredCapacity(), 1001)

    def test_the_statement_takes_datasets_and_says_why_it_is_false(self):
        printer = Printer()
        package.set_backend(printer)
        request = demo_request("extrato.json")
        names = ("cdsTipoExtCons", "cdsSaldoConsExt", "cdsExtSimples", "cdsExtVenda",
                 "cdsSaldFam")
        datasets = [package.open_dataset(demo(request[name])) for name in names]
        extrato = package.open_dataset(demo(request["cdsExtrato"]))
        arguments = ([False, "0001", "1", "44", "COM2"] + datasets +
                     ["", "Loja", "003", "000482", "Luíza Araújo", extrato, 1])
        self.assertEqual(package.Extrato(*arguments), (True, ""))
        self.assertIn(b"Cliente: 000482", printer.calls[-1][3])
        arguments[5] = None
        result = package.Extrato(*arguments)
        self.assertFalse(result.result)
        self.assertTrue(result.reason)
        arguments[5] = b"packet"
        with self.assertRaisesRegex(TypeError, "cdsTipoExtCons: a DataSet"):
            package.Extrato(*arguments)


class Lookups(unittest.TestCase):
    def test_the_demo_store_answers(self):
        package.set_host(None)
        with package.open_dataset(package.GetCaixa("001")) as caixa:
            self.assertEqual(list(caixa.rows("NMOPERADOR")), [("MARIA APARECIDA",)])
        with package.open_dataset(package.SaldoFidelidade("0001", "MESA 12")) as saldo:
            self.assertEqual(list(saldo.rows("NMCONSUMIDOR")), [("ANA BEATRIZ SOUZA",)])
        with package.open_dataset(package.getMovCaixaMob("0001", "1001", "T")) as movements:
            self.assertEqual(list(movements.rows("NMTIPORECE", "VRMOV")), [("PIX", "25")])
        self.assertEqual([package.getDescontoFid("0001", "12"), package.getDescCash4All("0001", "12"),
                          package.getDescCashUds("0001", "12"), package.getDescCoreBanc("0001", "12")],
                         [5.5, 3.0, 2.25, 5.5])
        self.assertEqual(package.getNMCONSUMIDOR("1001", "12", "01"), "João")
        self.assertIsNotNone(package.data_module())

    def test_a_store_that_fails_raises_database_error(self):
        # The connection is opened once per process, so this runs in a process of its own.
        script = (
            "import tov00000\n"
            "class Host:\n"
            "    def GetStringConexPld(self, arg):\n"
            "        return 'Provider=SQLite;Data Source=/nonexistent/tov-python.db'\n"
            "package = tov00000.Package()\n"
            "package.set_host(Host())\n"
            "for call in (lambda: package.GetCaixa('001'),\n"
            "             lambda: package.getDescontoFid('0001', '12'),\n"
            "             lambda: package.getNMCONSUMIDOR('1001', '12', '')):\n"
            "    try:\n"
            "        call()\n"
            "        print('no error')\n"
            "    except tov00000.DatabaseError as error:\n"
            "        print(error.status, '/nonexistent/tov-python.db' in str(error))\n")
        output = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                                check=True).stdout
        self.assertEqual(output.split("\n"), ["6 True"] * 3 + [""])


class Package(unittest.TestCase):
    def test_the_readme_example_prints_the_report(self):
        bindings = os.path.dirname(os.path.abspath(tov00000.__file__))
        with open(os.path.join(bindings, "README.md"), encoding="utf-8") as stream:
            example = re.search(r"```python\n(.*?)```", stream.read(), re.S).group(1)
        self.assertLessEqual(len(example.strip().split("\n")), 11)
        printed = io.StringIO()
        folder = os.getcwd()
        os.chdir(os.path.dirname(os.path.dirname(bindings)))  # the example's paths
        try:
            with contextlib.redirect_stdout(printed):
                exec(compile(example, "README.md", "exec"), {})
        finally:
            os.chdir(folder)
        self.assertIn("Total de Vendas por Vendedor", printed.getvalue())
        self.assertIn("Restaurante São Jorge", printed.getvalue())

    def test_start_stop_and_information(self):
        package.initialize()
        info = package.package_info()
        self.assertEqual(info.flags, tov00000.PACKAGE_RUNTIME_ONLY)
        self.assertEqual(info.contains[0], "Pkg_Tov00000")
        self.assertEqual(info.units[-1], ("Tov00000", True, True))
        package.finalize()

    def test_the_library_is_of_the_modules_version_and_names_its_codes(self):
        self.assertEqual(package.version, tov00000.VERSION_STRING)
        self.assertEqual(package.lib.Tov_VersionNumber(), tov00000.VERSION_NUMBER)
        self.assertTrue(package.status_text(tov00000.E_BUFFER).startswith("TOV_E_BUFFER: "))
        self.assertTrue(package.status_text(99).startswith("unknown status"))

    def test_a_library_that_is_not_the_package_is_refused(self):
        with self.assertRaisesRegex(OSError, "/nonexistent/libPkg_Tov00000.so"):
            tov00000.Package("/nonexistent/libPkg_Tov00000.so")
        with self.assertRaisesRegex(tov00000.MissingExportError, "does not export Tov_"):
            tov00000.Package("libc.so.6")

    def test_the_bill_when_the_library_has_it(self):
        request = demo_request("conferencia_mesa.json")
        request["DADOS"] = demo(request["DADOS"])
        if not package.has_export(tov00000.BILL_EXPORT):
            with self.assertRaisesRegex(tov00000.MissingExportError, tov00000.BILL_EXPORT):
                package.ConferenciaMesa(**request)
            return

        class Bill(Printer):
            def __getattr__(self, name):
                if name.startswith("__"):
                    raise AttributeError(name)

                def entry_point(*arguments):
                    self.calls.append((name, arguments))
                    return True
                return entry_point
        bill = Bill()
        package.set_backend(bill)
        package.set_host(None)
        answer = package.ConferenciaMesa(**request)
        self.assertTrue(answer.result, package.last_error())
        self.assertTrue(bill.calls, "the bill handed nothing to the back-end")


if __name__ == "__main__":
    unittest.main()
