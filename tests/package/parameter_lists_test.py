"""The parameter lists of src/package/export_parameters.hpp against everything else that names
an export's parameters: the prototype in tov00000.h (names, order and C types), the export's
definition and its designated initializers in src/package, the C++ wrapper in tov00000.hpp, the
Python method and the keys of tovprint's demo requests. A parameter renamed, moved or swapped in
one of them fails here.

Argument: the source tree's root (default: two folders above this file).
"""

import inspect
import json
import re
import sys
import unittest
from pathlib import Path

ROOT = Path(sys.argv.pop(1)) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "bindings" / "python"))

import tov00000  # noqa: E402

# For each export: its list, its C++ wrapper, its Python method and its tovprint command file.
EXPORTS = {
    "Conferencia_Mesa_Tov00000": ("TOV_TABLE_BILL_PARAMETERS", "ConferenciaMesa", "conferencia"),
    "Extrato_Tov00000": ("TOV_CONSUMER_STATEMENT_PARAMETERS", "Extrato", "extrato"),
    "Cupom_Troca_Tov00000": ("TOV_EXCHANGE_COUPON_PARAMETERS", "CupomTroca", "cupom_troca"),
    "RelatorioVendedor_Tov00000": ("TOV_SALES_BY_SALESPERSON_PARAMETERS", "RelatorioVendedor",
                                   "vendedor"),
    "imprimeTipoRece_Tov00000": ("TOV_PAYMENT_MEANS_PARAMETERS", "imprimeTipoRece", "tipo_rece"),
}

# Each kind as the C prototype spells it, with the companion parameter it brings.
C_TYPES = {"text": ("const char*", None), "host_text": ("char*", "_capacity"),
           "integer": ("int32_t", None), "number": ("double", None), "flag": ("int32_t", None),
           "packet": ("const void*", "_size"), "dataset": ("tov_dataset*", None)}


def read(relative):
    return (ROOT / relative).read_text(encoding="utf-8")


def without_comments(text):
    return re.sub(r"/\*.*?\*/|//[^\n]*", " ", text, flags=re.S)


def parameter_list(macro):
    text = read("src/package/export_parameters.hpp")
    body = re.search(r"#define %s\(X\)(.*?)(?:\n\n|\Z)" % macro, text, re.S).group(1)
    return re.findall(r"X\((\w+), (\w+)\)", body)


def c_parameters(text, export):
    """(type, name) of each parameter of the export's prototype or definition."""
    match = re.search(r"TOV_CALL\s+%s\s*\((.*?)\)\s*[;{]" % export, without_comments(text), re.S)
    if match is None:
        raise AssertionError(f"{export} not found")
    result = []
    for part in match.group(1).split(","):
        declaration = " ".join(part.split()).replace(" *", "*")
        type_name, name = re.fullmatch(r"(.+?)\s*(\w+)", declaration).groups()
        result.append((type_name.strip(), name))
    return result


def expected_c_parameters(parameters):
    result = []
    for kind, name in parameters:
        c_type, companion = C_TYPES[kind]
        result.append((c_type, name))
        if companion:
            result.append(("size_t", name + companion))
    return result


def names_in_order(text, names):
    """The names of the list as the text mentions them, each run of one name counted once."""
    found = re.findall(r"\b(%s)\b" % "|".join(names), text)
    return [name for i, name in enumerate(found) if i == 0 or found[i - 1] != name]


def export_source(export):
    for path in sorted((ROOT / "src" / "package").glob("exports_*.cpp")):
        text = path.read_text(encoding="utf-8")
        if re.search(r"TOV_CALL\s+%s\s*\(" % export, text):
            return text
    raise AssertionError(f"no definition of {export} in src/package")


def wrapper_text(wrapper):
    text = without_comments(read("include/tov00000/tov00000.hpp"))
    start = re.search(r"\ninline \w+ %s\(" % wrapper, text).start()
    end = text.index("\n}\n", start)
    return text[start:end]


class ParameterLists(unittest.TestCase):
    def test_prototypes_and_definitions_follow_the_lists(self):
        header = read("include/tov00000/tov00000.h")
        for export, (macro, _, _) in EXPORTS.items():
            with self.subTest(export=export):
                expected = expected_c_parameters(parameter_list(macro)) + [("int32_t*", "result")]
                if export == "imprimeTipoRece_Tov00000":
                    expected.pop()  # the report has no result
                self.assertEqual(c_parameters(header, export), expected)
                self.assertEqual(c_parameters(export_source(export), export), expected)

    def test_requests_are_filled_by_name_from_the_parameter_of_that_name(self):
        for export, (macro, _, _) in EXPORTS.items():
            with self.subTest(export=export):
                source = without_comments(export_source(export))
                fields = re.findall(r"^\s*\.(\w+) =\s*(.*?),$", source, re.M | re.S)
                names = [name for _, name in parameter_list(macro)]
                self.assertEqual([field for field, _ in fields], names)
                for field, value in fields:
                    first = re.findall(r"\b(%s)\b" % "|".join(names), value)
                    self.assertEqual(first[:1], [field], f".{field} = {value}")

    def test_cpp_wrappers_take_and_pass_the_parameters_in_order(self):
        for export, (macro, wrapper, _) in EXPORTS.items():
            with self.subTest(wrapper=wrapper):
                names = [name for _, name in parameter_list(macro)]
                text = wrapper_text(wrapper)
                signature, body = text.split("{", 1)
                if wrapper == "ConferenciaMesa":
                    fields = re.search(r"struct ConferenciaValues \{(.*?)\};", without_comments(
                        read("include/tov00000/tov00000.hpp")), re.S).group(1)
                    signature = fields
                self.assertEqual(names_in_order(signature, names), names)
                stop = body.find("&result")
                call = body[body.index(export):stop if stop >= 0 else None]
                passed = [name for _, name in parameter_list(macro)
                          if not (wrapper == "ConferenciaMesa" and name == "stCupomDia")]
                self.assertEqual(names_in_order(call, names), passed)

    def test_python_methods_take_the_parameters_in_order(self):
        for export, (macro, _, _) in EXPORTS.items():
            method = EXPORTS[export][1]
            with self.subTest(method=method):
                signature = inspect.signature(getattr(tov00000.Package, method))
                names = [name for name, parameter in signature.parameters.items()
                         if name != "self" and parameter.default is inspect.Parameter.empty]
                self.assertEqual(names, [name for _, name in parameter_list(macro)])

    def test_tovprint_demo_requests_hold_every_parameter(self):
        for export, (macro, _, command) in EXPORTS.items():
            source = read(f"tools/tovprint/documents/{command}_command.cpp")
            self.assertIn(f"{macro}(TOVPRINT_READ_FIELD)", source)
            demos = re.findall(r'DemoEntry\{"[^"]*", "([^"]+)"\}', source)
            self.assertTrue(demos, command)
            for demo in demos:
                with self.subTest(demo=demo):
                    keys = sorted(json.loads(read(f"data/demo/{demo}")))
                    self.assertEqual(keys, sorted(name for _, name in parameter_list(macro)))


if __name__ == "__main__":
    unittest.main()
