{ Pkg_Tov00000 for Pascal hosts: every export of the package's C interface (tov00000.h) with its
  status codes, variants, print back-end and host-service tables, regional settings, package
  information and dataset handles.

  Free Pascal (in any mode: the unit sets Delphi mode for itself) and Delphi both compile it.
  Every function is cdecl. The C types become:
    const char*            PAnsiChar, NUL-terminated Windows-1252 (nil counts as "")
    int32_t                Integer; LongBool where the value is a Boolean
    size_t                 NativeUInt
    double                 Double
    a result out pointer   a var parameter (AResult for the C result, a name Delphi keeps
                           for a function's own result)
  A packet is (Pointer, NativeUInt size), binary or XML. A text passed by reference is
  (PAnsiChar buffer, NativeUInt capacity), NUL-terminated in and out.

  Every export returns a status, TOV_OK or a TOV_E_* code; Tov_LastError then tells why. The
  package masks the floating-point exceptions while it runs and restores the caller's state, so
  a host keeps the exceptions its run-time unmasks.

  The tables a host registers (TTovBackend, TTovHost, TTovFormatSettings) start with
  StructSize, which the host sets to SizeOf of the record; a host checks Tov_VersionNumber
  against TOV_VERSION_MAJOR and TOV_VERSION_NUMBER before it registers anything. Callbacks run on
  the calling thread under the package's lock and must not let an exception escape.

  The library is bound by name when the program is loaded: Pkg_Tov00000.dll on Windows,
  libPkg_Tov00000.so.1 elsewhere. A host that must also run with a build of the library that lacks
  some export (Conferencia_Mesa_Tov00000 came later than the others) asks Tov00000Export for its
  address and calls it through the procedural type declared with it, rather than by name. }
unit Tov00000;

{$IFDEF FPC}
  {$MODE DELPHI}
  {$PACKRECORDS C}
{$ELSE}
  {$ALIGN 8}
{$ENDIF}

interface

const
{$IFDEF MSWINDOWS}
  TovLibrary = 'Pkg_Tov00000.dll';
  TovLibraryFile = TovLibrary;
{$ELSE}
  {$IFDEF FPC}
  TovLibrary = 'Pkg_Tov00000'; { Free Pascal links it as -lPkg_Tov00000 }
  {$ELSE}
  TovLibrary = 'libPkg_Tov00000.so.1';
  {$ENDIF}
  TovLibraryFile = 'libPkg_Tov00000.so.1';
{$ENDIF}

  { The version of tov00000.h this unit declares }
  TOV_VERSION_MAJOR = 1;
  TOV_VERSION_MINOR = 0;
  TOV_VERSION_PATCH = 0;
  TOV_VERSION_NUMBER = TOV_VERSION_MAJOR * 10000 + TOV_VERSION_MINOR * 100 + TOV_VERSION_PATCH;
  TOV_VERSION_STRING = '1.0.0';

  { Status codes }
  TOV_OK = 0;
  TOV_E_ARGUMENT = 1;   { a bad argument: nil handle, value out of range, missing parameter }
  TOV_E_PACKET = 2;     { a data packet that cannot be read }
  TOV_E_FIELD = 3;      { a field name that the data does not hold }
  TOV_E_DATASET = 4;    { a dataset operation that failed (bad filter, no such index) }
  TOV_E_CONVERSION = 5; { a value that cannot be converted or formatted }
  TOV_E_DATABASE = 6;   { the store database }
  TOV_E_FILE = 7;       { a file that is missing or unreadable }
  TOV_E_BACKEND = 8;    { a back-end entry point or host service that is missing or failed }
  TOV_E_BUFFER = 9;     { an answer that does not fit the caller's buffer }
  TOV_E_INTERNAL = 10;  { anything else }

  { Variant types }
  TOV_VT_EMPTY = 0;
  TOV_VT_NULL = 1;
  TOV_VT_BOOL = 2;      { VBoolean }
  TOV_VT_INT = 3;       { VInteger }
  TOV_VT_DOUBLE = 4;    { VDouble }
  TOV_VT_TEXT = 5;      { VData, VSize: Windows-1252 text, not NUL-terminated }
  TOV_VT_BYTES = 6;     { VData, VSize: bytes, e.g. a data packet }
  TOV_VT_MISSING = 7;   { the omitted-parameter marker }

  TOV_PACKAGE_RUNTIME_ONLY = 1;

type
  PTovVariant = ^TTovVariant;
  TTovVariant = record
    VType: Integer;
    VBoolean: LongBool;
    VInteger: Int64;
    VDouble: Double;
    VData: Pointer;
    VSize: NativeUInt;
  end;
  { For indexing an array the package passes as a pointer and its high index. }
  TTovVariants = array[0..(MaxInt div SizeOf(TTovVariant)) - 1] of TTovVariant;
  PTovVariants = ^TTovVariants;

  { A host dataset, opened from a packet with Tov_DataSetOpen; opaque. }
  TTovDataSet = record
  end;
  PTovDataSet = ^TTovDataSet;

  { ---- Print back-end ----
    Each entry point takes the table's Ctx first, then its arguments in their documented order;
    a text buffer is (Buffer, Size) and may hold control bytes and NUL. Each answers a Boolean,
    which the package ignores where the document does not use it. An entry point left nil fails
    the document that needs it with TOV_E_BACKEND, naming it. }
  TTovConferenciaFormatada = function(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa,
    stNrSerie, stIndice, stNrvendarest: PAnsiChar; stCupomDia: PAnsiChar;
    stCupomDia_capacity: NativeUInt; Buffer: PAnsiChar; Buffer_size: NativeUInt): LongBool; cdecl;
  TTovConferenciaOutras = function(Ctx: Pointer; stCdPortaImpFis, stEsquemaCor, stCdFilial,
    stCdCaixa: PAnsiChar; stCupomDia: PAnsiChar; stCupomDia_capacity: NativeUInt; stTipoVenda,
    stNrComanda, stMesa, stNmGarcom, stEmissao: PAnsiChar; DADOS: Pointer; DADOS_size: NativeUInt;
    doVrDesc, doConsMin, doCouver, doVrTxSer, doQtPessoas, doTotal, doAcre: Double;
    IdTipoImp: Integer): LongBool; cdecl;
  TTovDisparaImpressaoNaoFiscal = function(Ctx: Pointer; Args: PTovVariant; Args_high: Integer;
    Answer: PTovVariant): LongBool; cdecl;
  TTovAjustaImpressaoDireta = function(Ctx: Pointer; Empty1, IdTipoImp, Empty2: PAnsiChar;
    inTamLinha: PInteger): LongBool; cdecl;
  TTovCupomTroca = function(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa: PAnsiChar;
    Buffer: PAnsiChar; Buffer_size: NativeUInt): LongBool; cdecl;
  TTovNrCupom = function(Ctx: Pointer; Zero1, Zero2: Integer; stNrCupom: PAnsiChar;
    stNrCupom_capacity: NativeUInt): LongBool; cdecl;
  TTovImprimeTipoRece = function(Ctx: Pointer; stCdFilial, stCdCaixa, stEsquemaCor,
    stNrSerie: PAnsiChar; Buffer: PAnsiChar; Buffer_size: NativeUInt;
    stMeiosPgto: PAnsiChar): LongBool; cdecl;
  TTovCabecalho = function(Ctx: Pointer; stCdFilial, stEsquemaCor, stFilial, stCaixa: PAnsiChar;
    Zero1, Zero2: Integer): LongBool; cdecl;
  TTovExtrato = function(Ctx: Pointer; Buffer: PAnsiChar; Buffer_size: NativeUInt;
    stEsquemaCor: PAnsiChar): LongBool; cdecl;
  TTovUsaCompNFis = function(Ctx: Pointer; stEsquemaCor: PAnsiChar; Piece: PAnsiChar;
    Piece_size: NativeUInt): LongBool; cdecl;
  TTovRelatorioGerencialImp = function(Ctx: Pointer; stEsquemaCor, stCdFilial,
    stCdCaixa: PAnsiChar; Zero1, Zero2: Integer): LongBool; cdecl;
  TTovFechRelatGerenc = function(Ctx: Pointer; stEsquemaCor: PAnsiChar; Flag: LongBool;
    Zero: Integer): LongBool; cdecl;
  TTovRelatorioGenerico = function(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa: PAnsiChar;
    Buffer: PAnsiChar; Buffer_size: NativeUInt; stNrSerie, stIndice: PAnsiChar): LongBool; cdecl;
  TTovImprimePadrao = function(Ctx: Pointer; stCdPortImpNF, stIdTipoImpNF: PAnsiChar;
    Buffer: PAnsiChar; Buffer_size: NativeUInt): LongBool; cdecl;

  { Registered with Tov_SetBackend, which copies it; StructSize := SizeOf(TTovBackend). }
  PTovBackend = ^TTovBackend;
  TTovBackend = record
    StructSize: Cardinal;
    Ctx: Pointer;
    Conferencia_Formatada: TTovConferenciaFormatada;
    Conferencia_Outras: TTovConferenciaOutras;
    DisparaImpressaoNaoFiscal: TTovDisparaImpressaoNaoFiscal;
    AjustaImpressaoDireta: TTovAjustaImpressaoDireta;
    Cupom_Troca: TTovCupomTroca;
    Nr_Cupom: TTovNrCupom;
    imprimeTipoRece: TTovImprimeTipoRece;
    Cabecalho: TTovCabecalho;
    Extrato: TTovExtrato;
    Usa_CompNFis: TTovUsaCompNFis;
    Relatorio_Gerencial_Imp: TTovRelatorioGerencialImp;
    FechRelatGerenc: TTovFechRelatGerenc;
    Relatorio_Generico: TTovRelatorioGenerico;
    ImprimePadrao: TTovImprimePadrao;
  end;

  { ---- Host services ----
    Registered with Tov_SetHost, which copies the table; StructSize := SizeOf(TTovHost). A nil
    member keeps the package's
    default (see tov00000.h). Out texts are NUL-terminated within their capacity. }
  TTovConfiguraImpressora = procedure(Ctx: Pointer; Kind, Flag1, Flag2: Integer;
    inTipoLetra, inTamLinha: PInteger; stEnter: PAnsiChar; stEnter_capacity: NativeUInt;
    stCortaPapel: PAnsiChar; stCortaPapel_capacity: NativeUInt; stNrCupom: PAnsiChar;
    stNrCupom_capacity: NativeUInt); cdecl;
  TTovGetStringConexPld = procedure(Ctx: Pointer; Arg: PAnsiChar; Out_: PAnsiChar;
    Capacity: NativeUInt); cdecl;
  TTovSetADODBSession = procedure(Ctx: Pointer; Connection: Pointer); cdecl;
  TTovADOExceptionMessage = procedure(Ctx: Pointer; Error: PAnsiChar; Connection: Pointer;
    Text: PAnsiChar; Out_: PAnsiChar; Capacity: NativeUInt); cdecl;
  TTovUncripto = procedure(Ctx: Pointer; Text: PAnsiChar; Key: Integer; Out_: PAnsiChar;
    Capacity: NativeUInt); cdecl;
  TTovNow = function(Ctx: Pointer): Double; cdecl; { days since 1899-12-30, a TDateTime }
  TTovExePath = procedure(Ctx: Pointer; Out_: PAnsiChar; Capacity: NativeUInt); cdecl;

  PTovHost = ^TTovHost;
  TTovHost = record
    StructSize: Cardinal;
    Ctx: Pointer;
    ConfiguraImpressora: TTovConfiguraImpressora;
    GetStringConexPld: TTovGetStringConexPld;
    SetADODBSession: TTovSetADODBSession;
    ADOExceptionMessage: TTovADOExceptionMessage;
    Uncripto: TTovUncripto;
    Now: TTovNow;
    ExePath: TTovExePath;
  end;

  { ---- Regional settings ----
    Default: Brazilian Portuguese: ',' '.' 'dd/mm/yyyy' 'R$' 2 9 2.
    StructSize := SizeOf(TTovFormatSettings). }
  PTovFormatSettings = ^TTovFormatSettings;
  TTovFormatSettings = record
    StructSize: Cardinal;
    DecimalSeparator: AnsiChar;
    ThousandSeparator: AnsiChar;
    ShortDateFormat: PAnsiChar;  { like 'dd/mm/yyyy' }
    CurrencyString: PAnsiChar;
    CurrencyFormat: Integer;     { 0-3 }
    NegCurrFormat: Integer;      { 0-15 }
    CurrencyDecimals: Integer;   { 0-18 }
  end;

  { ---- Package information ---- }
  PTovUnitEntry = ^TTovUnitEntry;
  TTovUnitEntry = record
    UnitName: PAnsiChar; { in initialisation order }
    HasStart: LongBool;
    HasStop: LongBool;
  end;
  TTovUnitEntries = array[0..(MaxInt div SizeOf(TTovUnitEntry)) - 1] of TTovUnitEntry;
  PTovUnitEntries = ^TTovUnitEntries;
  TTovNames = array[0..(MaxInt div SizeOf(PAnsiChar)) - 1] of PAnsiChar;
  PTovNames = ^TTovNames;

  PTovPackageInfo = ^TTovPackageInfo;
  TTovPackageInfo = record
    Flags: Integer;          { TOV_PACKAGE_RUNTIME_ONLY }
    RequiredCount: Integer;
    Required: PTovNames;     { the required packages, in order }
    ContainsCount: Integer;
    Contains: PTovNames;     { the contained units }
    UnitCount: Integer;
    Units: PTovUnitEntries;  { start and stop entry points, ending with the package's unit }
  end;

  { Conferencia_Mesa_Tov00000 as a procedural type, for a call through Tov00000Export. }
  TConferencia_Mesa_Tov00000 = function(stCdPortaImpFis, stNrSerie, stEsquemaCor, stCdFilial,
    stCdCaixa, stIndice: PAnsiChar; IdTipoImp: Integer; stCupomDia: PAnsiChar;
    stCupomDia_capacity: NativeUInt; stTipoVenda, stNrComanda, stNrvendarest, stMesa,
    stNmGarcom, stEmissao: PAnsiChar; DADOS: Pointer; DADOS_size: NativeUInt; doVrDesc,
    doConsMin, doCouver, doVrTxSer, doQtPessoas, doTotal, doAcre, doVrDescManual: Double;
    IdLugarMesa, IdTpImpParc, stCdProdCouver, stCdProdConsum, stCdProdConsFem: PAnsiChar;
    boUtilizaImpFis: LongBool; stPosicao, stIdIntHotel, stIdImpTxServ, stIdComisVenda,
    stIdConDescTxServ, stDsTextoTxServ, stIdConsDescTxServ, stIdUtilFid4All,
    stIdUtilFidUds: PAnsiChar; var AResult: LongBool): Integer; cdecl;

{ The message of this thread's last call: why it failed, or why a call that succeeded answered
  false or a neutral value; '' otherwise. Valid until this thread's next call. }
function Tov_LastError: PAnsiChar; cdecl; external TovLibrary name 'Tov_LastError';

{ The library's version, as TOV_VERSION_NUMBER and TOV_VERSION_STRING. }
function Tov_VersionNumber: Integer; cdecl; external TovLibrary name 'Tov_VersionNumber';
function Tov_VersionString: PAnsiChar; cdecl; external TovLibrary name 'Tov_VersionString';

{ The status code's name and what it means. }
function Tov_StatusText(Status: Integer): PAnsiChar; cdecl;
  external TovLibrary name 'Tov_StatusText';

{ After this thread's call failed with TOV_E_BUFFER: the capacity, terminator included, that
  fits; 0 otherwise. }
function Tov_LastRequiredCapacity: NativeUInt; cdecl;
  external TovLibrary name 'Tov_LastRequiredCapacity';

{ nil unregisters every entry point, or returns to the default of every service and setting. }
function Tov_SetBackend(Backend: PTovBackend): Integer; cdecl;
  external TovLibrary name 'Tov_SetBackend';
function Tov_SetHost(Host: PTovHost): Integer; cdecl; external TovLibrary name 'Tov_SetHost';
function Tov_SetFormatSettings(Settings: PTovFormatSettings): Integer; cdecl;
  external TovLibrary name 'Tov_SetFormatSettings';

{ ---- Host datasets: a nil handle fails with TOV_E_ARGUMENT, except in Tov_DataSetFree ---- }
function Tov_DataSetOpen(Packet: Pointer; Size: NativeUInt; var DataSet: PTovDataSet): Integer;
  cdecl; external TovLibrary name 'Tov_DataSetOpen';
function Tov_DataSetFree(DataSet: PTovDataSet): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetFree';
function Tov_DataSetFirst(DataSet: PTovDataSet): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetFirst';
function Tov_DataSetNext(DataSet: PTovDataSet): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetNext';
function Tov_DataSetEof(DataSet: PTovDataSet; var Eof: LongBool): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetEof';
function Tov_DataSetRecordCount(DataSet: PTovDataSet; var Count: Integer): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetRecordCount';
function Tov_DataSetGetRecNo(DataSet: PTovDataSet; var RecNo: Integer): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetGetRecNo';
function Tov_DataSetSetRecNo(DataSet: PTovDataSet; RecNo: Integer): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetSetRecNo';
function Tov_DataSetGetFilter(DataSet: PTovDataSet; Out_: PAnsiChar;
  Capacity: NativeUInt): Integer; cdecl; external TovLibrary name 'Tov_DataSetGetFilter';
function Tov_DataSetSetFilter(DataSet: PTovDataSet; Expression: PAnsiChar): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetSetFilter';
function Tov_DataSetGetFiltered(DataSet: PTovDataSet; var Filtered: LongBool): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetGetFiltered';
function Tov_DataSetSetFiltered(DataSet: PTovDataSet; Filtered: LongBool): Integer; cdecl;
  external TovLibrary name 'Tov_DataSetSetFiltered';
function Tov_DataSetFieldText(DataSet: PTovDataSet; Field: PAnsiChar; Out_: PAnsiChar;
  Capacity: NativeUInt): Integer; cdecl; external TovLibrary name 'Tov_DataSetFieldText';

{ ---- Package start and stop ----
  The exports Initialize and Finalize, under names that do not hide System's Initialize and
  Finalize in the host's units. }
function Tov_Initialize: Integer; cdecl; external TovLibrary name 'Initialize';
function Tov_Finalize: Integer; cdecl; external TovLibrary name 'Finalize';
function GetPackageInfoTable(var Info: PTovPackageInfo): Integer; cdecl;
  external TovLibrary name 'GetPackageInfoTable';
{ The data module instance: nil until the first print function or lookup creates it. Opaque. }
function Tov00000_dtmGeral(var Module: Pointer): Integer; cdecl;
  external TovLibrary name 'Tov00000_dtmGeral';

{ ---- Print functions ---- }

{ The sales-by-salesperson report. }
function RelatorioVendedor_Tov00000(stCdFilial, stNmFilial, stCdCaixa, stNmCaixa, stEsquemaCor,
  stCdPortImpNF, stIdTipoImpNF: PAnsiChar; P_VENDASVENDEDOR: Pointer;
  P_VENDASVENDEDOR_size: NativeUInt; boUtilizaImpFis: LongBool; IdTipoImpFis: Integer;
  doVrTotGeral: Double; var AResult: LongBool): Integer; cdecl;
  external TovLibrary name 'RelatorioVendedor_Tov00000';

{ The exchange coupon; AResult is the answer of the back-end's Cupom_Troca. }
function Cupom_Troca_Tov00000(IdTipoImpFis: Integer; oleProdutos: Pointer;
  oleProdutos_size: NativeUInt; stEsquemaCor, stCdFilial, stCdCaixa, stNmConsumidor,
  stCpfCnpjCon, stTipVen: PAnsiChar; doNrDias: Double; var AResult: LongBool): Integer; cdecl;
  external TovLibrary name 'Cupom_Troca_Tov00000';

{ The payment-means report; it has no result. }
function imprimeTipoRece_Tov00000(IdTipoImpFis: Integer; stCdFilial, stCdCaixa, stEsquemaCor,
  stNrSerie, stMeiosPgto: PAnsiChar; oleTipoRece: Pointer; oleTipoRece_size: NativeUInt;
  stDataIni, stDataFin: PAnsiChar): Integer; cdecl;
  external TovLibrary name 'imprimeTipoRece_Tov00000';

{ The PAF-ECF identification report. arParams points to at least eight values (arParams_high is
  the index of the last): stCdFilial, stCdCaixa, stEsquemaCor (texts), oleDadosPaf,
  oleBuscaNrSerieEcf (packets as bytes), stNrSerie (text), IdTipoImpFis (integer), stIndice
  (text). AResult is the answer of the back-end's Relatorio_Generico. }
function ImprimeDadosPaf_Tov00000(arParams: PTovVariant; arParams_high: Integer;
  var oleRetorno: TTovVariant; var AResult: LongBool): Integer; cdecl;
  external TovLibrary name 'ImprimeDadosPaf_Tov00000';

{ The consumer statement over six host datasets, which it leaves where its walks end. Every
  failure of the statement is AResult false with TOV_OK; Tov_LastError then tells why. }
function Extrato_Tov00000(boUtilizaImpFis: LongBool; stCdFilial, stEsquemaCor, stIdTipoImpNF,
  stCdPortImpNF: PAnsiChar; cdsTipoExtCons, cdsSaldoConsExt, cdsExtSimples, cdsExtVenda,
  cdsSaldFam: PTovDataSet; stValData, stFilial, stCaixa, stConsumidor,
  stNmConsumidor: PAnsiChar; cdsExtrato: PTovDataSet; IdTipoImpFis: Integer;
  var AResult: LongBool): Integer; cdecl; external TovLibrary name 'Extrato_Tov00000';

{ The table bill. Not every build of the library has it: see Tov00000Export. }
function Conferencia_Mesa_Tov00000(stCdPortaImpFis, stNrSerie, stEsquemaCor, stCdFilial,
  stCdCaixa, stIndice: PAnsiChar; IdTipoImp: Integer; stCupomDia: PAnsiChar;
  stCupomDia_capacity: NativeUInt; stTipoVenda, stNrComanda, stNrvendarest, stMesa,
  stNmGarcom, stEmissao: PAnsiChar; DADOS: Pointer; DADOS_size: NativeUInt; doVrDesc,
  doConsMin, doCouver, doVrTxSer, doQtPessoas, doTotal, doAcre, doVrDescManual: Double;
  IdLugarMesa, IdTpImpParc, stCdProdCouver, stCdProdConsum, stCdProdConsFem: PAnsiChar;
  boUtilizaImpFis: LongBool; stPosicao, stIdIntHotel, stIdImpTxServ, stIdComisVenda,
  stIdConDescTxServ, stDsTextoTxServ, stIdConsDescTxServ, stIdUtilFid4All,
  stIdUtilFidUds: PAnsiChar; var AResult: LongBool): Integer; cdecl;
  external TovLibrary name 'Conferencia_Mesa_Tov00000';

{ ---- Sale lookups ----
  A database failure is the lookup's answer, not a failed status: a packet lookup answers the
  error's text as TOV_VT_TEXT in place of the packet (TOV_VT_BYTES), a discount 0 and the name
  '' (Tov_LastError then holds the error). A variant answer points into memory the package
  keeps until the next call of the same lookup. }
function Tov00000_SaldoFidelidade(stCDFILIAL, stNRCOMANDA: PAnsiChar;
  var AResult: TTovVariant): Integer; cdecl; external TovLibrary name 'Tov00000_SaldoFidelidade';
function Tov00000_GetCaixa(CDCAIXA: PAnsiChar; var AResult: TTovVariant): Integer; cdecl;
  external TovLibrary name 'Tov00000_GetCaixa';
function Tov00000_getDescontoFid(P_CDFILIAL, P_NRCOMANDA: PAnsiChar;
  var AResult: Double): Integer; cdecl; external TovLibrary name 'Tov00000_getDescontoFid';
function Tov00000_getDescCash4All(P_CDFILIAL, P_NRCOMANDA: PAnsiChar;
  var AResult: Double): Integer; cdecl; external TovLibrary name 'Tov00000_getDescCash4All';
function Tov00000_getDescCashUds(P_CDFILIAL, P_NRCOMANDA: PAnsiChar;
  var AResult: Double): Integer; cdecl; external TovLibrary name 'Tov00000_getDescCashUds';
function Tov00000_getDescCoreBanc(P_CDFILIAL, P_NRCOMANDA: PAnsiChar;
  var AResult: Double): Integer; cdecl; external TovLibrary name 'Tov00000_getDescCoreBanc';
function Tov00000_getNMCONSUMIDOR(P_NRVENDAREST, P_NRCOMANDA, stPosicao: PAnsiChar;
  AResult: PAnsiChar; AResult_capacity: NativeUInt): Integer; cdecl;
  external TovLibrary name 'Tov00000_getNMCONSUMIDOR';
function Tov00000_getMovCaixaMob(P_CDFILIAL, P_NRVENDAREST, P_NRLUGARMESA: PAnsiChar;
  var AResult: TTovVariant): Integer; cdecl; external TovLibrary name 'Tov00000_getMovCaixaMob';

{ The address of an export of the library, or nil when this build of it lacks that export. }
function Tov00000Export(Name: PAnsiChar): Pointer;

implementation

{$IFDEF MSWINDOWS}
uses
  Windows;

function Tov00000Export(Name: PAnsiChar): Pointer;
var
  Module: HMODULE;
begin
  Module := GetModuleHandleA(TovLibraryFile);
  if Module = 0 then
    Module := LoadLibraryA(TovLibraryFile);
  if Module = 0 then
    Result := nil
  else
    Result := GetProcAddress(Module, Name);
end;
{$ELSE}
{$IFDEF FPC}
uses
  dl;

{ The program's global scope holds the library it was linked with, and no other copy of it. }
function Tov00000Export(Name: PAnsiChar): Pointer;
begin
  Result := dlsym(RTLD_DEFAULT, Name);
end;
{$ELSE}
uses
  Posix.Dlfcn;

function Tov00000Export(Name: PAnsiChar): Pointer;
var
  Module: NativeUInt;
begin
  { The library is already loaded: this finds it by its name. }
  Module := dlopen(TovLibraryFile, RTLD_LAZY);
  if Module = 0 then
    Result := nil
  else
    Result := dlsym(Module, Name);
end;
{$ENDIF}
{$ENDIF}

end.
