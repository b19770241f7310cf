"""Pkg_Tov00000 for Python hosts, through ctypes: no compiled extension.

    import tov00000
    package = tov00000.Package()          # $TOV_LIBRARY, else libPkg_Tov00000.so.1 (Windows:
                                          # Pkg_Tov00000.dll) from the system
    package.set_backend(MyPrinter())      # an object with a method per back-end entry point
    package.RelatorioVendedor(...)

The print functions and lookups are methods of Package named like the C++ wrappers of
tov00000.hpp (RelatorioVendedor for RelatorioVendedor_Tov00000, GetCaixa for Tov00000_GetCaixa).
Texts are str, written to the package in Windows-1252 (a character it cannot write is a
ValueError naming the parameter), or bytes passed as they are; packets are bytes, binary or XML.
A call that fails raises PackageError with the export's status and Tov_LastError's message. A
lookup whose store database failed raises DatabaseError: the C interface answers a neutral value
then, and the message says why.

The back-end and the host services are plain objects whose methods are named like the members of
tov_backend and tov_host; a member without a method is left NULL, so the package reports a missing
entry point by name or uses its default service. Texts reach them as str, the document text as
bytes, exactly as the package composed it. An exception raised inside one of them does not cross
the package: the entry point answers false and the exception is raised again when the call
returns.

The library must be of the major version this module was written for (VERSION_MAJOR) and at least
its VERSION_NUMBER; another raises VersionError when it is loaded. Package.version tells the
library's version. Every table the module registers carries struct_size = ctypes.sizeof of its
structure.

Package.lib is the ctypes library with every export declared (argtypes and restype) for a host
that wants the C interface itself; the structures are Variant, BackendTable, HostTable,
FormatSettingsTable, UnitEntry and PackageInfoTable. Conferencia_Mesa_Tov00000 is looked up when
first called, so the module works with a build of the library that lacks it (has_export tells).
"""

import codecs
import ctypes
import datetime
import os
import threading
from collections import namedtuple
from ctypes import (CFUNCTYPE, POINTER, Structure, byref, c_char, c_char_p, c_double, c_int32,
                    c_int64, c_size_t, c_uint32, c_void_p)

__all__ = [
    "Package", "PackageError", "DatabaseError", "MissingExportError", "VersionError", "DataSet",
    "FormatSettings",
    "PrinterSetup", "PackageInfo", "StatementResult", "BillResult", "MISSING", "decode", "encode",
]

# ---- Version, status codes and variant types of tov00000.h ----

# The version of tov00000.h this module declares.
VERSION_MAJOR = 1
VERSION_MINOR = 0
VERSION_PATCH = 0
VERSION_NUMBER = VERSION_MAJOR * 10000 + VERSION_MINOR * 100 + VERSION_PATCH
VERSION_STRING = "1.0.0"

OK = 0
E_ARGUMENT = 1
E_PACKET = 2
E_FIELD = 3
E_DATASET = 4
E_CONVERSION = 5
E_DATABASE = 6
E_FILE = 7
E_BACKEND = 8
E_BUFFER = 9
E_INTERNAL = 10

VT_EMPTY = 0
VT_NULL = 1
VT_BOOL = 2
VT_INT = 3
VT_DOUBLE = 4
VT_TEXT = 5
VT_BYTES = 6
VT_MISSING = 7

PACKAGE_RUNTIME_ONLY = 1

BILL_EXPORT = "Conferencia_Mesa_Tov00000"
LIBRARY_NAME = "Pkg_Tov00000.dll" if os.name == "nt" else "libPkg_Tov00000.so.1"


class PackageError(Exception):
    """A call of the package that did not return TOV_OK: status is its TOV_E_* code, message
    the package's own (Tov_LastError), export the function called."""

    def __init__(self, status, message, export=None):
        super().__init__(f"{export} failed (status {status}): {message}" if export else message)
        self.status = status
        self.message = message
        self.export = export


class DatabaseError(PackageError):
    """A lookup whose store database failed; the message is the database's error."""

    def __init__(self, message):
        super().__init__(E_DATABASE, message)


class MissingExportError(Exception):
    """The library has no export of that name: another library, or a build older than it."""


class VersionError(Exception):
    """The library is of another major version than this module, or older than it."""


class _Missing:
    def __repr__(self):
        return "MISSING"


# The omitted-parameter marker of a variant array (TOV_VT_MISSING).
MISSING = _Missing()

# ---- Windows-1252 ----

# The five bytes Windows-1252 leaves undefined stand for the C1 controls of the same value, as
# on Windows, so that every byte survives a round trip through str.
_UNDEFINED = frozenset((0x81, 0x8D, 0x8F, 0x90, 0x9D))


def _c1_controls(error):
    if isinstance(error, UnicodeDecodeError):
        return chr(error.object[error.start]), error.start + 1
    if isinstance(error, UnicodeEncodeError) and ord(error.object[error.start]) in _UNDEFINED:
        return bytes((ord(error.object[error.start]),)), error.start + 1
    raise error


codecs.register_error("tov00000.c1", _c1_controls)


def decode(data):
    """Windows-1252 bytes, as the package writes them, as str."""
    return bytes(data).decode("cp1252", "tov00000.c1")


def encode(text):
    """str as Windows-1252 bytes; UnicodeEncodeError for a character the code page lacks."""
    return text.encode("cp1252", "tov00000.c1")


def _encode(text, name):
    """A text argument as Windows-1252 bytes: str is converted, bytes passed as they are, None
    counts as empty. A character Windows-1252 cannot write, or a NUL, is a ValueError."""
    if text is None:
        return b""
    if isinstance(text, (bytes, bytearray, memoryview)):
        data = bytes(text)
    elif isinstance(text, str):
        try:
            data = encode(text)
        except UnicodeEncodeError as error:
            character = error.object[error.start]
            raise ValueError(f"{name}: U+{ord(character):04X} ({character!r}) has no "
                             f"Windows-1252 byte") from None
    else:
        raise TypeError(f"{name}: a text (str or bytes) is needed, not {type(text).__name__}")
    if b"\0" in data:
        raise ValueError(f"{name}: a text cannot hold a NUL character")
    return data


def _packet(data, name):
    if isinstance(data, (bytes, bytearray, memoryview)):
        return bytes(data)
    raise TypeError(f"{name}: a data packet (bytes) is needed, not {type(data).__name__}")


def _number(value, name):
    if isinstance(value, bool) or not isinstance(value, (int, float)):
        raise TypeError(f"{name}: a number is needed, not {type(value).__name__}")
    return float(value)


def _whole(value, name):
    if isinstance(value, bool) or not isinstance(value, int):
        raise TypeError(f"{name}: a whole number is needed, not {type(value).__name__}")
    if not -2**31 <= value < 2**31:
        raise ValueError(f"{name}: {value} does not fit 32 bits")
    return value


def _text_at(value):
    """A text argument of a callback: bytes (a char* the package passed), an address, or NULL."""
    if not value:
        return ""
    if isinstance(value, bytes):
        return decode(value)
    return decode(ctypes.string_at(value))


def _bytes_at(pointer, size):
    return ctypes.string_at(pointer, size) if pointer and size else b""


def _write_text(text, out, capacity, what):
    """Copies an answer into the package's buffer, NUL-terminated. One that does not fit is
    refused, and the buffer left empty, rather than cut."""
    data = _encode(text, what)
    if not out or capacity == 0:
        return
    if len(data) >= capacity:
        ctypes.memset(out, 0, 1)
        raise ValueError(f"{what}: the answer of {len(data)} bytes does not fit the package's "
                         f"{capacity - 1}")
    ctypes.memmove(out, data + b"\0", len(data) + 1)

# ---- The structures of tov00000.h ----


class Variant(Structure):
    _fields_ = [("type", c_int32), ("boolean", c_int32), ("integer", c_int64),
                ("number", c_double), ("data", c_void_p), ("size", c_size_t)]


_PV = POINTER(Variant)
_PI = POINTER(c_int32)

# One function type per back-end entry point, in the order of tov_backend.
_BACKEND_TYPES = [
    ("Conferencia_Formatada", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p,
                                        c_char_p, c_char_p, c_char_p, c_void_p, c_size_t,
                                        c_void_p, c_size_t)),
    ("Conferencia_Outras", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p, c_char_p,
                                     c_void_p, c_size_t, c_char_p, c_char_p, c_char_p, c_char_p,
                                     c_char_p, c_void_p, c_size_t, c_double, c_double, c_double,
                                     c_double, c_double, c_double, c_double, c_int32)),
    ("DisparaImpressaoNaoFiscal", CFUNCTYPE(c_int32, c_void_p, _PV, c_int32, _PV)),
    ("AjustaImpressaoDireta", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p, _PI)),
    ("Cupom_Troca", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p, c_void_p,
                              c_size_t)),
    ("Nr_Cupom", CFUNCTYPE(c_int32, c_void_p, c_int32, c_int32, c_void_p, c_size_t)),
    ("imprimeTipoRece", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p, c_char_p,
                                  c_void_p, c_size_t, c_char_p)),
    ("Cabecalho", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p, c_char_p, c_int32,
                            c_int32)),
    ("Extrato", CFUNCTYPE(c_int32, c_void_p, c_void_p, c_size_t, c_char_p)),
    ("Usa_CompNFis", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_void_p, c_size_t)),
    ("Relatorio_Gerencial_Imp", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p,
                                          c_int32, c_int32)),
    ("FechRelatGerenc", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_int32, c_int32)),
    ("Relatorio_Generico", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_char_p, c_void_p,
                                     c_size_t, c_char_p, c_char_p)),
    ("ImprimePadrao", CFUNCTYPE(c_int32, c_void_p, c_char_p, c_char_p, c_void_p, c_size_t)),
]


class BackendTable(Structure):
    _fields_ = [("struct_size", c_uint32), ("ctx", c_void_p)] + _BACKEND_TYPES


_HOST_TYPES = [
    ("ConfiguraImpressora", CFUNCTYPE(None, c_void_p, c_int32, c_int32, c_int32, _PI, _PI,
                                      c_void_p, c_size_t, c_void_p, c_size_t, c_void_p,
                                      c_size_t)),
    ("GetStringConexPld", CFUNCTYPE(None, c_void_p, c_char_p, c_void_p, c_size_t)),
    ("SetADODBSession", CFUNCTYPE(None, c_void_p, c_void_p)),
    ("ADOExceptionMessage", CFUNCTYPE(None, c_void_p, c_char_p, c_void_p, c_char_p, c_void_p,
                                      c_size_t)),
    ("Uncripto", CFUNCTYPE(None, c_void_p, c_char_p, c_int32, c_void_p, c_size_t)),
    ("Now", CFUNCTYPE(c_double, c_void_p)),
    ("ExePath", CFUNCTYPE(None, c_void_p, c_void_p, c_size_t)),
]


class HostTable(Structure):
    _fields_ = [("struct_size", c_uint32), ("ctx", c_void_p)] + _HOST_TYPES


class FormatSettingsTable(Structure):
    _fields_ = [("struct_size", c_uint32), ("DecimalSeparator", c_char),
                ("ThousandSeparator", c_char),
                ("ShortDateFormat", c_char_p), ("CurrencyString", c_char_p),
                ("CurrencyFormat", c_int32), ("NegCurrFormat", c_int32),
                ("CurrencyDecimals", c_int32)]


class UnitEntry(Structure):
    _fields_ = [("unit", c_char_p), ("has_start", c_int32), ("has_stop", c_int32)]


class PackageInfoTable(Structure):
    _fields_ = [("flags", c_int32), ("required_count", c_int32),
                ("required", POINTER(c_char_p)), ("contains_count", c_int32),
                ("contains", POINTER(c_char_p)), ("unit_count", c_int32),
                ("units", POINTER(UnitEntry))]


_PDS = c_void_p  # tov_dataset*
_T = c_char_p
_P = c_void_p
_S = c_size_t
_I = c_int32
_D = c_double

# Every export: (restype, argtypes), in the order of tov00000.h.
EXPORTS = {
    "Tov_VersionNumber": (_I, []),
    "Tov_VersionString": (c_char_p, []),
    "Tov_LastError": (c_char_p, []),
    "Tov_StatusText": (c_char_p, [_I]),
    "Tov_LastRequiredCapacity": (_S, []),
    "Tov_SetBackend": (_I, [POINTER(BackendTable)]),
    "Tov_SetHost": (_I, [POINTER(HostTable)]),
    "Tov_SetFormatSettings": (_I, [POINTER(FormatSettingsTable)]),
    "Tov_DataSetOpen": (_I, [_P, _S, POINTER(_PDS)]),
    "Tov_DataSetFree": (_I, [_PDS]),
    "Tov_DataSetFirst": (_I, [_PDS]),
    "Tov_DataSetNext": (_I, [_PDS]),
    "Tov_DataSetEof": (_I, [_PDS, _PI]),
    "Tov_DataSetRecordCount": (_I, [_PDS, _PI]),
    "Tov_DataSetGetRecNo": (_I, [_PDS, _PI]),
    "Tov_DataSetSetRecNo": (_I, [_PDS, _I]),
    "Tov_DataSetGetFilter": (_I, [_PDS, _P, _S]),
    "Tov_DataSetSetFilter": (_I, [_PDS, _T]),
    "Tov_DataSetGetFiltered": (_I, [_PDS, _PI]),
    "Tov_DataSetSetFiltered": (_I, [_PDS, _I]),
    "Tov_DataSetFieldText": (_I, [_PDS, _T, _P, _S]),
    "Initialize": (_I, []),
    "Finalize": (_I, []),
    "GetPackageInfoTable": (_I, [POINTER(POINTER(PackageInfoTable))]),
    "Tov00000_dtmGeral": (_I, [POINTER(c_void_p)]),
    "RelatorioVendedor_Tov00000": (_I, [_T, _T, _T, _T, _T, _T, _T, _P, _S, _I, _I, _D, _PI]),
    "Cupom_Troca_Tov00000": (_I, [_I, _P, _S, _T, _T, _T, _T, _T, _T, _D, _PI]),
    "imprimeTipoRece_Tov00000": (_I, [_I, _T, _T, _T, _T, _T, _P, _S, _T, _T]),
    "ImprimeDadosPaf_Tov00000": (_I, [_PV, _I, _PV, _PI]),
    "Extrato_Tov00000": (_I, [_I, _T, _T, _T, _T, _PDS, _PDS, _PDS, _PDS, _PDS, _T, _T, _T, _T,
                              _T, _PDS, _I, _PI]),
    BILL_EXPORT: (_I, [_T, _T, _T, _T, _T, _T, _I, _P, _S, _T, _T, _T, _T, _T, _T, _P, _S, _D,
                       _D, _D, _D, _D, _D, _D, _D, _T, _T, _T, _T, _T, _I, _T, _T, _T, _T, _T,
                       _T, _T, _T, _T, _PI]),
    "Tov00000_SaldoFidelidade": (_I, [_T, _T, _PV]),
    "Tov00000_GetCaixa": (_I, [_T, _PV]),
    "Tov00000_getDescontoFid": (_I, [_T, _T, POINTER(_D)]),
    "Tov00000_getDescCash4All": (_I, [_T, _T, POINTER(_D)]),
    "Tov00000_getDescCashUds": (_I, [_T, _T, POINTER(_D)]),
    "Tov00000_getDescCoreBanc": (_I, [_T, _T, POINTER(_D)]),
    "Tov00000_getNMCONSUMIDOR": (_I, [_T, _T, _T, _P, _S]),
    "Tov00000_getMovCaixaMob": (_I, [_T, _T, _T, _PV]),
}

# Exports a usable library may lack; the others are required when it is loaded.
OPTIONAL_EXPORTS = frozenset({BILL_EXPORT})

# ---- Python-side values ----

PackageInfo = namedtuple("PackageInfo", "flags required contains units")
StatementResult = namedtuple("StatementResult", "result reason")
BillResult = namedtuple("BillResult", "result stCupomDia")


class FormatSettings:
    """Regional settings; the defaults are the package's own (Brazilian Portuguese)."""

    def __init__(self, DecimalSeparator=",", ThousandSeparator=".",
                 ShortDateFormat="dd/mm/yyyy", CurrencyString="R$", CurrencyFormat=2,
                 NegCurrFormat=9, CurrencyDecimals=2):
        self.DecimalSeparator = DecimalSeparator
        self.ThousandSeparator = ThousandSeparator
        self.ShortDateFormat = ShortDateFormat
        self.CurrencyString = CurrencyString
        self.CurrencyFormat = CurrencyFormat
        self.NegCurrFormat = NegCurrFormat
        self.CurrencyDecimals = CurrencyDecimals


class PrinterSetup:
    """What ConfiguraImpressora is asked for, holding the values the package passed in; the
    host's method changes the attributes it configures."""

    def __init__(self, inTipoLetra, inTamLinha, stEnter, stCortaPapel, stNrCupom):
        self.inTipoLetra = inTipoLetra
        self.inTamLinha = inTamLinha
        self.stEnter = stEnter
        self.stCortaPapel = stCortaPapel
        self.stNrCupom = stNrCupom


def _variant_value(variant):
    kind = variant.type
    if kind == VT_BOOL:
        return bool(variant.boolean)
    if kind == VT_INT:
        return variant.integer
    if kind == VT_DOUBLE:
        return variant.number
    if kind == VT_TEXT:
        return decode(_bytes_at(variant.data, variant.size))
    if kind == VT_BYTES:
        return _bytes_at(variant.data, variant.size)
    if kind == VT_MISSING:
        return MISSING
    return None


def _variants(values, name):
    """A Python sequence as a variant array; the array keeps the bytes it points to alive."""
    array = (Variant * len(values))()
    keep = []
    for index, value in enumerate(values):
        item = array[index]
        what = f"{name}[{index}]"
        if value is None:
            item.type = VT_NULL
        elif value is MISSING:
            item.type = VT_MISSING
        elif isinstance(value, bool):
            item.type, item.boolean = VT_BOOL, int(value)
        elif isinstance(value, int):
            if not -2**63 <= value < 2**63:
                raise ValueError(f"{what}: {value} does not fit 64 bits")
            item.type, item.integer = VT_INT, value
        elif isinstance(value, float):
            item.type, item.number = VT_DOUBLE, value
        elif isinstance(value, str):
            data = _encode(value, what)
            keep.append(ctypes.create_string_buffer(data, len(data) or 1))
            item.type, item.data, item.size = VT_TEXT, ctypes.addressof(keep[-1]), len(data)
        elif isinstance(value, (bytes, bytearray, memoryview)):
            data = bytes(value)
            keep.append(ctypes.create_string_buffer(data, len(data) or 1))
            item.type, item.data, item.size = VT_BYTES, ctypes.addressof(keep[-1]), len(data)
        else:
            raise TypeError(f"{what}: {type(value).__name__} has no variant type")
    array._keep = keep
    return array


class DataSet:
    """A host dataset (Tov_DataSetOpen), freed by close() or at the end of a with block."""

    def __init__(self, package, handle):
        self._package = package
        self._handle = handle

    @property
    def handle(self):
        if self._handle is None:
            raise ValueError("the dataset is closed")
        return self._handle

    def close(self):
        if self._handle is not None:
            self._package.lib.Tov_DataSetFree(self._handle)
            self._handle = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        try:
            self.close()
        except Exception:
            pass

    def _call(self, name, *args):
        self._package._check(getattr(self._package.lib, name)(self.handle, *args), name)

    def _int(self, name):
        value = c_int32()
        self._call(name, byref(value))
        return value.value

    def first(self):
        self._call("Tov_DataSetFirst")

    def next(self):
        self._call("Tov_DataSetNext")

    @property
    def eof(self):
        return bool(self._int("Tov_DataSetEof"))

    @property
    def record_count(self):
        return self._int("Tov_DataSetRecordCount")

    @property
    def recno(self):
        return self._int("Tov_DataSetGetRecNo")

    @recno.setter
    def recno(self, value):
        self._call("Tov_DataSetSetRecNo", _whole(value, "recno"))

    @property
    def filter(self):
        return self._package._grown_text(
            lambda out, capacity: self._package.lib.Tov_DataSetGetFilter(self.handle, out,
                                                                         capacity),
            "Tov_DataSetGetFilter")

    @filter.setter
    def filter(self, expression):
        self._call("Tov_DataSetSetFilter", _encode(expression, "filter"))

    @property
    def filtered(self):
        return bool(self._int("Tov_DataSetGetFiltered"))

    @filtered.setter
    def filtered(self, on):
        self._call("Tov_DataSetSetFiltered", 1 if on else 0)

    def field_text(self, field):
        """The current row's field as the package formats it."""
        name = _encode(field, "field")
        return self._package._grown_text(
            lambda out, capacity: self._package.lib.Tov_DataSetFieldText(self.handle, name, out,
                                                                         capacity),
            "Tov_DataSetFieldText")

    def rows(self, *fields):
        """Every row from the first, as tuples of the fields' texts."""
        self.first()
        while not self.eof:
            yield tuple(self.field_text(field) for field in fields)
            self.next()


class Package:
    """The package loaded from its shared library.

    library: the file to load; default $TOV_LIBRARY, else libPkg_Tov00000.so where the system
    finds shared libraries."""

    def __init__(self, library=None):
        self.path = library or os.environ.get("TOV_LIBRARY") or LIBRARY_NAME
        try:
            self.lib = ctypes.CDLL(self.path)
        except OSError as error:
            raise OSError(f"cannot load the package library '{self.path}': {error}") from None
        self._exports = set()
        for name, (restype, argtypes) in EXPORTS.items():
            try:
                function = getattr(self.lib, name)
            except AttributeError:
                if name in OPTIONAL_EXPORTS:
                    continue
                raise MissingExportError(f"'{self.path}' does not export {name}: it is not "
                                         f"this package, or a build older than this module")
            function.restype = restype
            function.argtypes = argtypes
            self._exports.add(name)
        self.version = decode(self.lib.Tov_VersionString())
        number = self.lib.Tov_VersionNumber()
        if number // 10000 != VERSION_MAJOR or number < VERSION_NUMBER:
            raise VersionError(f"'{self.path}' is version {self.version}; this module needs "
                               f"{VERSION_MAJOR}.x from {VERSION_STRING} on")
        self._failures = threading.local()
        self._backend_keep = None
        self._host_keep = None

    # ---- Plumbing ----

    def has_export(self, name):
        """True when the library exports name (Conferencia_Mesa_Tov00000 came later)."""
        return name in self._exports

    def _export(self, name):
        if name not in self._exports:
            raise MissingExportError(f"'{self.path}' does not export {name}")
        return getattr(self.lib, name)

    def _keep_failure(self, error):
        if getattr(self._failures, "error", None) is None:
            self._failures.error = error

    def _raise_failure(self):
        error = getattr(self._failures, "error", None)
        if error is not None:
            self._failures.error = None
            raise error

    def _check(self, status, export):
        """After an export returned: raises a failure of the host's own callbacks first, then
        PackageError for a status other than TOV_OK."""
        self._raise_failure()
        if status != OK:
            raise PackageError(status, self.last_error(), export)

    def _grown_text(self, call, export):
        """The text answer of call(out, capacity); when the first buffer is too small, asked
        again with the capacity Tov_LastRequiredCapacity tells."""
        capacity = 256
        out = ctypes.create_string_buffer(capacity)
        status = call(out, capacity)
        if status == E_BUFFER and self.lib.Tov_LastRequiredCapacity() > capacity:
            capacity = self.lib.Tov_LastRequiredCapacity()
            out = ctypes.create_string_buffer(capacity)
            status = call(out, capacity)
        self._check(status, export)
        return decode(out.value)

    def status_text(self, status):
        """Tov_StatusText: the status code's name and what it means."""
        return decode(self.lib.Tov_StatusText(status))

    def last_error(self):
        """Tov_LastError: why this thread's last call failed or answered false or neutral."""
        message = self.lib.Tov_LastError()
        return decode(message) if message else ""

    # ---- Start, stop, information ----

    def initialize(self):
        self._check(self.lib.Initialize(), "Initialize")

    def finalize(self):
        self._check(self.lib.Finalize(), "Finalize")

    def package_info(self):
        table = POINTER(PackageInfoTable)()
        self._check(self.lib.GetPackageInfoTable(byref(table)), "GetPackageInfoTable")
        info = table.contents
        return PackageInfo(
            info.flags,
            [decode(info.required[i]) for i in range(info.required_count)],
            [decode(info.contains[i]) for i in range(info.contains_count)],
            [(decode(unit.unit), bool(unit.has_start), bool(unit.has_stop))
             for unit in info.units[:info.unit_count]])

    def data_module(self):
        """The data module's address, or None before a print function or lookup created it."""
        module = c_void_p()
        self._check(self.lib.Tov00000_dtmGeral(byref(module)), "Tov00000_dtmGeral")
        return module.value

    # ---- Registrations ----

    def set_backend(self, backend):
        """Registers an object's methods as the back-end's entry points (None: none)."""
        if backend is None:
            self._check(self.lib.Tov_SetBackend(None), "Tov_SetBackend")
            self._backend_keep = None
            return
        table = BackendTable()
        table.struct_size = ctypes.sizeof(BackendTable)
        keep = []
        for name, function_type in _BACKEND_TYPES:
            method = getattr(backend, name, None)
            if method is None:
                continue
            callback = function_type(_BACKEND_ADAPTERS[name](self, name, method))
            keep.append(callback)
            setattr(table, name, callback)
        self._check(self.lib.Tov_SetBackend(byref(table)), "Tov_SetBackend")
        self._backend_keep = keep

    def set_host(self, host):
        """Registers an object's methods as host services (None: every default)."""
        if host is None:
            self._check(self.lib.Tov_SetHost(None), "Tov_SetHost")
            self._host_keep = None
            return
        table = HostTable()
        table.struct_size = ctypes.sizeof(HostTable)
        keep = []
        for name, function_type in _HOST_TYPES:
            method = getattr(host, name, None)
            if method is None:
                continue
            callback = function_type(_HOST_ADAPTERS[name](self, name, method))
            keep.append(callback)
            setattr(table, name, callback)
        self._check(self.lib.Tov_SetHost(byref(table)), "Tov_SetHost")
        self._host_keep = keep

    def set_format_settings(self, settings):
        """Registers regional settings (a FormatSettings; None: the default)."""
        if settings is None:
            self._check(self.lib.Tov_SetFormatSettings(None), "Tov_SetFormatSettings")
            return
        decimal = _encode(settings.DecimalSeparator, "DecimalSeparator")
        thousand = _encode(settings.ThousandSeparator, "ThousandSeparator")
        for what, separator in (("DecimalSeparator", decimal), ("ThousandSeparator", thousand)):
            if len(separator) != 1:
                raise ValueError(f"{what}: one character is needed, not {len(separator)}")
        table = FormatSettingsTable(
            ctypes.sizeof(FormatSettingsTable), decimal, thousand, _encode(settings.ShortDateFormat, "ShortDateFormat"),
            _encode(settings.CurrencyString, "CurrencyString"),
            _whole(settings.CurrencyFormat, "CurrencyFormat"),
            _whole(settings.NegCurrFormat, "NegCurrFormat"),
            _whole(settings.CurrencyDecimals, "CurrencyDecimals"))
        self._check(self.lib.Tov_SetFormatSettings(byref(table)), "Tov_SetFormatSettings")

    def open_dataset(self, packet):
        """A host dataset opened from a packet (binary or XML)."""
        data = _packet(packet, "packet")
        handle = c_void_p()
        self._check(self.lib.Tov_DataSetOpen(data, len(data), byref(handle)), "Tov_DataSetOpen")
        return DataSet(self, handle.value)

    # ---- Print functions ----

    def RelatorioVendedor(self, stCdFilial, stNmFilial, stCdCaixa, stNmCaixa, stEsquemaCor,
                          stCdPortImpNF, stIdTipoImpNF, P_VENDASVENDEDOR, boUtilizaImpFis,
                          IdTipoImpFis, doVrTotGeral):
        """The sales-by-salesperson report; True when it completed."""
        packet = _packet(P_VENDASVENDEDOR, "P_VENDASVENDEDOR")
        result = c_int32()
        self._check(self.lib.RelatorioVendedor_Tov00000(
            _encode(stCdFilial, "stCdFilial"), _encode(stNmFilial, "stNmFilial"),
            _encode(stCdCaixa, "stCdCaixa"), _encode(stNmCaixa, "stNmCaixa"),
            _encode(stEsquemaCor, "stEsquemaCor"), _encode(stCdPortImpNF, "stCdPortImpNF"),
            _encode(stIdTipoImpNF, "stIdTipoImpNF"), packet, len(packet),
            1 if boUtilizaImpFis else 0, _whole(IdTipoImpFis, "IdTipoImpFis"),
            _number(doVrTotGeral, "doVrTotGeral"), byref(result)), "RelatorioVendedor_Tov00000")
        return bool(result.value)

    def CupomTroca(self, IdTipoImpFis, oleProdutos, stEsquemaCor, stCdFilial, stCdCaixa,
                   stNmConsumidor, stCpfCnpjCon, stTipVen, doNrDias):
        """The exchange coupon; the answer of the back-end's Cupom_Troca."""
        packet = _packet(oleProdutos, "oleProdutos")
        result = c_int32()
        self._check(self.lib.Cupom_Troca_Tov00000(
            _whole(IdTipoImpFis, "IdTipoImpFis"), packet, len(packet),
            _encode(stEsquemaCor, "stEsquemaCor"), _encode(stCdFilial, "stCdFilial"),
            _encode(stCdCaixa, "stCdCaixa"), _encode(stNmConsumidor, "stNmConsumidor"),
            _encode(stCpfCnpjCon, "stCpfCnpjCon"), _encode(stTipVen, "stTipVen"),
            _number(doNrDias, "doNrDias"), byref(result)), "Cupom_Troca_Tov00000")
        return bool(result.value)

    def imprimeTipoRece(self, IdTipoImpFis, stCdFilial, stCdCaixa, stEsquemaCor, stNrSerie,
                        stMeiosPgto, oleTipoRece, stDataIni, stDataFin):
        """The payment-means report; it has no result."""
        packet = _packet(oleTipoRece, "oleTipoRece")
        self._check(self.lib.imprimeTipoRece_Tov00000(
            _whole(IdTipoImpFis, "IdTipoImpFis"), _encode(stCdFilial, "stCdFilial"),
            _encode(stCdCaixa, "stCdCaixa"), _encode(stEsquemaCor, "stEsquemaCor"),
            _encode(stNrSerie, "stNrSerie"), _encode(stMeiosPgto, "stMeiosPgto"), packet,
            len(packet), _encode(stDataIni, "stDataIni"), _encode(stDataFin, "stDataFin")), "imprimeTipoRece_Tov00000")

    def ImprimeDadosPaf(self, arParams):
        """The PAF-ECF identification report from its variant array: str is a text, bytes a
        packet, int an integer, float a number, bool a Boolean, None null, MISSING the omitted
        marker. In order: stCdFilial, stCdCaixa, stEsquemaCor, oleDadosPaf, oleBuscaNrSerieEcf,
        stNrSerie, IdTipoImpFis, stIndice. The answer of the back-end's Relatorio_Generico."""
        values = list(arParams)
        if not values:
            raise ValueError("arParams: the array is empty")
        array = _variants(values, "arParams")
        retorno = Variant()
        result = c_int32()
        self._check(self.lib.ImprimeDadosPaf_Tov00000(array, len(values) - 1, byref(retorno),
                                                      byref(result)), "ImprimeDadosPaf_Tov00000")
        return bool(result.value)

    def Extrato(self, boUtilizaImpFis, stCdFilial, stEsquemaCor, stIdTipoImpNF, stCdPortImpNF,
                cdsTipoExtCons, cdsSaldoConsExt, cdsExtSimples, cdsExtVenda, cdsSaldFam,
                stValData, stFilial, stCaixa, stConsumidor, stNmConsumidor, cdsExtrato,
                IdTipoImpFis):
        """The consumer statement over six DataSets, which it leaves where its walks end. Like
        the C export it turns the statement's own failures into a false result with the reason."""
        datasets = []
        for name, dataset in (("cdsTipoExtCons", cdsTipoExtCons),
                              ("cdsSaldoConsExt", cdsSaldoConsExt),
                              ("cdsExtSimples", cdsExtSimples), ("cdsExtVenda", cdsExtVenda),
                              ("cdsSaldFam", cdsSaldFam), ("cdsExtrato", cdsExtrato)):
            if dataset is not None and not isinstance(dataset, DataSet):
                raise TypeError(f"{name}: a DataSet is needed, not {type(dataset).__name__}")
            datasets.append(dataset.handle if dataset is not None else None)
        result = c_int32()
        self._check(self.lib.Extrato_Tov00000(
            1 if boUtilizaImpFis else 0, _encode(stCdFilial, "stCdFilial"),
            _encode(stEsquemaCor, "stEsquemaCor"), _encode(stIdTipoImpNF, "stIdTipoImpNF"),
            _encode(stCdPortImpNF, "stCdPortImpNF"), *datasets[:5],
            _encode(stValData, "stValData"), _encode(stFilial, "stFilial"),
            _encode(stCaixa, "stCaixa"), _encode(stConsumidor, "stConsumidor"),
            _encode(stNmConsumidor, "stNmConsumidor"), datasets[5],
            _whole(IdTipoImpFis, "IdTipoImpFis"), byref(result)), "Extrato_Tov00000")
        if result.value:
            return StatementResult(True, "")
        return StatementResult(False, self.last_error())

    def ConferenciaMesa(self, stCdPortaImpFis, stNrSerie, stEsquemaCor, stCdFilial, stCdCaixa,
                        stIndice, IdTipoImp, stCupomDia, stTipoVenda, stNrComanda, stNrvendarest,
                        stMesa, stNmGarcom, stEmissao, DADOS, doVrDesc, doConsMin, doCouver,
                        doVrTxSer, doQtPessoas, doTotal, doAcre, doVrDescManual, IdLugarMesa,
                        IdTpImpParc, stCdProdCouver, stCdProdConsum, stCdProdConsFem,
                        boUtilizaImpFis, stPosicao, stIdIntHotel, stIdImpTxServ, stIdComisVenda,
                        stIdConDescTxServ, stDsTextoTxServ, stIdConsDescTxServ, stIdUtilFid4All,
                        stIdUtilFidUds, stCupomDia_capacity=256):
        """The table bill (Conferencia_Mesa_Tov00000, which older builds lack: MissingExportError).
        stCupomDia is passed in a buffer of stCupomDia_capacity bytes; the answer holds the
        result and stCupomDia as the call left it."""
        bill = self._export(BILL_EXPORT)
        cupom = _encode(stCupomDia, "stCupomDia")
        if len(cupom) >= stCupomDia_capacity:
            raise ValueError(f"stCupomDia: {len(cupom)} bytes do not fit a buffer of "
                             f"{stCupomDia_capacity}")
        cupom_buffer = ctypes.create_string_buffer(cupom, stCupomDia_capacity)
        packet = _packet(DADOS, "DADOS")
        texts = {name: _encode(value, name) for name, value in (
            ("stCdPortaImpFis", stCdPortaImpFis), ("stNrSerie", stNrSerie),
            ("stEsquemaCor", stEsquemaCor), ("stCdFilial", stCdFilial),
            ("stCdCaixa", stCdCaixa), ("stIndice", stIndice), ("stTipoVenda", stTipoVenda),
            ("stNrComanda", stNrComanda), ("stNrvendarest", stNrvendarest), ("stMesa", stMesa),
            ("stNmGarcom", stNmGarcom), ("stEmissao", stEmissao), ("IdLugarMesa", IdLugarMesa),
            ("IdTpImpParc", IdTpImpParc), ("stCdProdCouver", stCdProdCouver),
            ("stCdProdConsum", stCdProdConsum), ("stCdProdConsFem", stCdProdConsFem),
            ("stPosicao", stPosicao), ("stIdIntHotel", stIdIntHotel),
            ("stIdImpTxServ", stIdImpTxServ), ("stIdComisVenda", stIdComisVenda),
            ("stIdConDescTxServ", stIdConDescTxServ), ("stDsTextoTxServ", stDsTextoTxServ),
            ("stIdConsDescTxServ", stIdConsDescTxServ), ("stIdUtilFid4All", stIdUtilFid4All),
            ("stIdUtilFidUds", stIdUtilFidUds))}
        amounts = [_number(value, name) for name, value in (
            ("doVrDesc", doVrDesc), ("doConsMin", doConsMin), ("doCouver", doCouver),
            ("doVrTxSer", doVrTxSer), ("doQtPessoas", doQtPessoas), ("doTotal", doTotal),
            ("doAcre", doAcre), ("doVrDescManual", doVrDescManual))]
        t = texts
        result = c_int32()
        self._check(bill(
            t["stCdPortaImpFis"], t["stNrSerie"], t["stEsquemaCor"], t["stCdFilial"],
            t["stCdCaixa"], t["stIndice"], _whole(IdTipoImp, "IdTipoImp"), cupom_buffer,
            stCupomDia_capacity, t["stTipoVenda"], t["stNrComanda"], t["stNrvendarest"],
            t["stMesa"], t["stNmGarcom"], t["stEmissao"], packet, len(packet), *amounts,
            t["IdLugarMesa"], t["IdTpImpParc"], t["stCdProdCouver"], t["stCdProdConsum"],
            t["stCdProdConsFem"], 1 if boUtilizaImpFis else 0, t["stPosicao"],
            t["stIdIntHotel"], t["stIdImpTxServ"], t["stIdComisVenda"], t["stIdConDescTxServ"],
            t["stDsTextoTxServ"], t["stIdConsDescTxServ"], t["stIdUtilFid4All"],
            t["stIdUtilFidUds"], byref(result)), BILL_EXPORT)
        return BillResult(bool(result.value), decode(cupom_buffer.value))

    # ---- Sale lookups ----

    def _packet_lookup(self, name, *texts):
        result = Variant()
        self._check(getattr(self.lib, name)(*texts, byref(result)), name)
        if result.type == VT_BYTES:
            return _bytes_at(result.data, result.size)
        if result.type == VT_TEXT:
            raise DatabaseError(decode(_bytes_at(result.data, result.size)) or
                                self.last_error())
        raise PackageError(E_INTERNAL, f"{name} answered a variant of type {result.type}")

    def _discount_lookup(self, name, cdfilial, nrcomanda):
        result = c_double()
        self._check(getattr(self.lib, name)(_encode(cdfilial, "P_CDFILIAL"),
                                            _encode(nrcomanda, "P_NRCOMANDA"), byref(result)),
                    name)
        why = self.last_error()
        if why:
            raise DatabaseError(why)
        return result.value

    def SaldoFidelidade(self, stCDFILIAL, stNRCOMANDA):
        """The loyalty balance of a ticket's consumer, as a data packet (bytes)."""
        return self._packet_lookup("Tov00000_SaldoFidelidade", _encode(stCDFILIAL, "stCDFILIAL"),
                                   _encode(stNRCOMANDA, "stNRCOMANDA"))

    def GetCaixa(self, CDCAIXA):
        """The till's shift opened today and not closed, as a data packet (bytes)."""
        return self._packet_lookup("Tov00000_GetCaixa", _encode(CDCAIXA, "CDCAIXA"))

    def getDescontoFid(self, P_CDFILIAL, P_NRCOMANDA):
        return self._discount_lookup("Tov00000_getDescontoFid", P_CDFILIAL, P_NRCOMANDA)

    def getDescCash4All(self, P_CDFILIAL, P_NRCOMANDA):
        return self._discount_lookup("Tov00000_getDescCash4All", P_CDFILIAL, P_NRCOMANDA)

    def getDescCashUds(self, P_CDFILIAL, P_NRCOMANDA):
        return self._discount_lookup("Tov00000_getDescCashUds", P_CDFILIAL, P_NRCOMANDA)

    def getDescCoreBanc(self, P_CDFILIAL, P_NRCOMANDA):
        return self._discount_lookup("Tov00000_getDescCoreBanc", P_CDFILIAL, P_NRCOMANDA)

    def getNMCONSUMIDOR(self, P_NRVENDAREST, P_NRCOMANDA, stPosicao):
        """The consumer's name for a sale and ticket ("" when there is none)."""
        args = (_encode(P_NRVENDAREST, "P_NRVENDAREST"), _encode(P_NRCOMANDA, "P_NRCOMANDA"),
                _encode(stPosicao, "stPosicao"))
        name = self._grown_text(
            lambda out, capacity: self.lib.Tov00000_getNMCONSUMIDOR(*args, out, capacity),
            "Tov00000_getNMCONSUMIDOR")
        why = self.last_error()
        if not name and why:
            raise DatabaseError(why)
        return name

    def getMovCaixaMob(self, P_CDFILIAL, P_NRVENDAREST, P_NRLUGARMESA):
        """The payments already taken for a sale, as a data packet (bytes)."""
        return self._packet_lookup("Tov00000_getMovCaixaMob", _encode(P_CDFILIAL, "P_CDFILIAL"),
                                   _encode(P_NRVENDAREST, "P_NRVENDAREST"),
                                   _encode(P_NRLUGARMESA, "P_NRLUGARMESA"))


# ---- Callback adapters: C arguments to Python ones, failures kept for after the call ----


def _guarded(package, name, body, failed):
    def callback(*args):
        try:
            return body(*args)
        except BaseException as error:  # nothing may unwind through the package
            package._keep_failure(error)
            return failed
    return callback


def _answer(value):
    """A Python answer as the entry point's Boolean: None (no return statement) counts as true."""
    return 1 if value is None or value else 0


def _with_text_back(value, out, capacity, what):
    """An answer that is (Boolean, text) also writes the text to the by-reference buffer."""
    if isinstance(value, tuple):
        ok, text = value
        _write_text(text, out, capacity, what)
        return _answer(ok)
    return _answer(value)


def _conferencia_formatada(package, name, method):
    def body(ctx, esquema, filial, caixa, serie, indice, venda, cupom, cupom_capacity, buffer,
             size):
        value = method(_text_at(esquema), _text_at(filial), _text_at(caixa), _text_at(serie),
                       _text_at(indice), _text_at(venda), _text_at(cupom),
                       _bytes_at(buffer, size))
        return _with_text_back(value, cupom, cupom_capacity, f"{name} stCupomDia")
    return _guarded(package, name, body, 0)


def _conferencia_outras(package, name, method):
    def body(ctx, porta, esquema, filial, caixa, cupom, cupom_capacity, tipo_venda, comanda,
             mesa, garcom, emissao, dados, dados_size, *rest):
        amounts, tipo_imp = rest[:7], rest[7]
        value = method(_text_at(porta), _text_at(esquema), _text_at(filial), _text_at(caixa),
                       _text_at(cupom), _text_at(tipo_venda), _text_at(comanda),
                       _text_at(mesa), _text_at(garcom), _text_at(emissao),
                       _bytes_at(dados, dados_size), *amounts, tipo_imp)
        return _with_text_back(value, cupom, cupom_capacity, f"{name} stCupomDia")
    return _guarded(package, name, body, 0)


def _dispara(package, name, method):
    def body(ctx, args, high, answer):
        values = [_variant_value(args[i]) for i in range(high + 1)] if args else []
        ok = _answer(method(values))
        if answer:
            ctypes.memset(answer, 0, ctypes.sizeof(Variant))
            answer.contents.type = VT_BOOL
            answer.contents.boolean = ok
        return ok
    return _guarded(package, name, body, 0)


def _ajusta(package, name, method):
    def body(ctx, empty1, tipo, empty2, width):
        value = method(_text_at(empty1), _text_at(tipo), _text_at(empty2),
                       width.contents.value if width else 0)
        if isinstance(value, tuple):
            ok, new_width = value
            if width:
                width.contents.value = _whole(new_width, f"{name} inTamLinha")
            return _answer(ok)
        return _answer(value)
    return _guarded(package, name, body, 0)


def _nr_cupom(package, name, method):
    def body(ctx, zero1, zero2, out, capacity):
        value = method(zero1, zero2)
        if isinstance(value, str):
            value = (True, value)
        return _with_text_back(value, out, capacity, f"{name} stNrCupom")
    return _guarded(package, name, body, 0)


def _arguments(args, buffer_at):
    """Callback arguments as Python values: texts as str, the (buffer, size) pair at index
    buffer_at as bytes, numbers as they are."""
    values = []
    index = 0
    while index < len(args):
        if index == buffer_at:
            values.append(_bytes_at(args[index], args[index + 1]))
            index += 2
            continue
        value = args[index]
        values.append(_text_at(value) if value is None or isinstance(value, bytes) else value)
        index += 1
    return values


def _simple(buffer_at=None):
    """An adapter for an entry point of texts, numbers and at most one (buffer, size) pair."""
    def adapter(package, name, method):
        def body(ctx, *args):
            values = _arguments(args, buffer_at)
            if name == "FechRelatGerenc":
                values[1] = bool(values[1])
            return _answer(method(*values))
        return _guarded(package, name, body, 0)
    return adapter


_BACKEND_ADAPTERS = {
    "Conferencia_Formatada": _conferencia_formatada,
    "Conferencia_Outras": _conferencia_outras,
    "DisparaImpressaoNaoFiscal": _dispara,
    "AjustaImpressaoDireta": _ajusta,
    "Cupom_Troca": _simple(3),
    "Nr_Cupom": _nr_cupom,
    "imprimeTipoRece": _simple(4),
    "Cabecalho": _simple(),
    "Extrato": _simple(0),
    "Usa_CompNFis": _simple(1),
    "Relatorio_Gerencial_Imp": _simple(),
    "FechRelatGerenc": _simple(),
    "Relatorio_Generico": _simple(3),
    "ImprimePadrao": _simple(2),
}


def _configura(package, name, method):
    def body(ctx, kind, flag1, flag2, font, width, enter, enter_capacity, cut, cut_capacity,
             coupon, coupon_capacity):
        setup = PrinterSetup(font.contents.value, width.contents.value, _text_at(enter),
                             _text_at(cut), _text_at(coupon))
        method(kind, bool(flag1), bool(flag2), setup)
        font.contents.value = _whole(setup.inTipoLetra, f"{name} inTipoLetra")
        width.contents.value = _whole(setup.inTamLinha, f"{name} inTamLinha")
        _write_text(setup.stEnter, enter, enter_capacity, f"{name} stEnter")
        _write_text(setup.stCortaPapel, cut, cut_capacity, f"{name} stCortaPapel")
        _write_text(setup.stNrCupom, coupon, coupon_capacity, f"{name} stNrCupom")
    return _guarded(package, name, body, None)


def _text_service(package, name, method):
    """A service answering a text: its C arguments (texts as str, the connection as an address
    or None) then (out, capacity)."""
    def body(ctx, *args):
        *inputs, out, capacity = args
        if out and capacity:
            ctypes.memset(out, 0, 1)
        if name == "ADOExceptionMessage":
            error, connection, text = inputs
            inputs = [_text_at(error), connection, _text_at(text)]
        else:
            inputs = [_text_at(a) if a is None or isinstance(a, bytes) else a for a in inputs]
        answer = method(*inputs)
        _write_text(answer if answer is not None else "", out, capacity, name)
    return _guarded(package, name, body, None)


def _session(package, name, method):
    def body(ctx, connection):
        method(connection)
    return _guarded(package, name, body, None)


_EPOCH = datetime.datetime(1899, 12, 30)


def _now(package, name, method):
    def body(ctx):
        value = method()
        if isinstance(value, datetime.datetime):
            return (value.replace(tzinfo=None) - _EPOCH) / datetime.timedelta(days=1)
        return _number(value, name)
    # The package cannot tell a failed clock from a date: a failure answers day 0 and is raised
    # when the call returns.
    return _guarded(package, name, body, 0.0)


_HOST_ADAPTERS = {
    "ConfiguraImpressora": _configura,
    "GetStringConexPld": _text_service,
    "SetADODBSession": _session,
    "ADOExceptionMessage": _text_service,
    "Uncripto": _text_service,
    "Now": _now,
    "ExePath": _text_service,
}
