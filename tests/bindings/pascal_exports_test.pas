{ Every export of the package called through the Pascal import unit, with the floating-point
  exceptions of the Pascal run-time unmasked: a declaration that passes or receives anything
  other than what the C side has shows here. The documents themselves are compared with tovprint
  by compare_hosts.py, the records' layout with the C compiler's by declarations_test.py.

  pascal_exports_test DEMO_DATA_FOLDER   (XDG_CACHE_HOME: where the demo store may be built)
  pascal_exports_test --layout           (prints the records' layout) }
program pascal_exports_test;

{$MODE DELPHI}
{$H+}

uses
  SysUtils, Tov00000;

var
  Failures: Integer = 0;
  DemoData: string;

procedure Expect(Condition: Boolean; const What: string);
begin
  if not Condition then
  begin
    WriteLn('FAILED: ', What);
    Inc(Failures);
  end;
end;

procedure ExpectStatus(Status, Expected: Integer; const Call: string);
begin
  Expect(Status = Expected, Format('%s returned status %d, not %d (%s)',
    [Call, Status, Expected, Tov_LastError]));
end;

function ReadFileBytes(const FileName: string): RawByteString;
var
  Stream: File;
begin
  Result := '';
  AssignFile(Stream, FileName);
  Reset(Stream, 1);
  try
    SetLength(Result, FileSize(Stream));
    if Length(Result) > 0 then
      BlockRead(Stream, Result[1], Length(Result));
  finally
    CloseFile(Stream);
  end;
end;

function FieldText(DataSet: PTovDataSet; const Field: RawByteString): RawByteString;
var
  Buffer: array[0..255] of AnsiChar;
begin
  ExpectStatus(Tov_DataSetFieldText(DataSet, PAnsiChar(Field), Buffer, SizeOf(Buffer)),
    TOV_OK, 'Tov_DataSetFieldText ' + Field);
  Result := Buffer;
end;

procedure TrapsAreLive;
var
  Zero, Quotient: Double;
begin
  Zero := 0;
  try
    Quotient := 1 / Zero;
    Expect(False, Format('1 / 0 gave %g: the division-by-zero exception is masked', [Quotient]));
  except
    on EZeroDivide do
      ;
  end;
end;

{ The records as Free Pascal lays them out, in the format of c_layout: the declarations test
  compares the two. }
procedure PrintLayout;
var
  V: TTovVariant;
  F: TTovFormatSettings;
  B: TTovBackend;
  H: TTovHost;
  U: TTovUnitEntry;
  I: TTovPackageInfo;

  procedure Member(const Struct: string; Index: Integer; Base, Field: Pointer; Size: Integer);
  begin
    WriteLn(Struct, ' ', Index, ' ', PtrUInt(Field) - PtrUInt(Base), ' ', Size);
  end;

begin
  Member('tov_variant', 0, @V, @V.VType, SizeOf(V.VType));
  Member('tov_variant', 1, @V, @V.VBoolean, SizeOf(V.VBoolean));
  Member('tov_variant', 2, @V, @V.VInteger, SizeOf(V.VInteger));
  Member('tov_variant', 3, @V, @V.VDouble, SizeOf(V.VDouble));
  Member('tov_variant', 4, @V, @V.VData, SizeOf(V.VData));
  Member('tov_variant', 5, @V, @V.VSize, SizeOf(V.VSize));
  WriteLn('tov_variant size ', SizeOf(V));
  Member('tov_format_settings', 0, @F, @F.StructSize, SizeOf(F.StructSize));
  Member('tov_format_settings', 1, @F, @F.DecimalSeparator, SizeOf(F.DecimalSeparator));
  Member('tov_format_settings', 2, @F, @F.ThousandSeparator, SizeOf(F.ThousandSeparator));
  Member('tov_format_settings', 3, @F, @F.ShortDateFormat, SizeOf(F.ShortDateFormat));
  Member('tov_format_settings', 4, @F, @F.CurrencyString, SizeOf(F.CurrencyString));
  Member('tov_format_settings', 5, @F, @F.CurrencyFormat, SizeOf(F.CurrencyFormat));
  Member('tov_format_settings', 6, @F, @F.NegCurrFormat, SizeOf(F.NegCurrFormat));
  Member('tov_format_settings', 7, @F, @F.CurrencyDecimals, SizeOf(F.CurrencyDecimals));
  WriteLn('tov_format_settings size ', SizeOf(F));
  Member('tov_unit_entry', 0, @U, @U.UnitName, SizeOf(U.UnitName));
  Member('tov_unit_entry', 1, @U, @U.HasStart, SizeOf(U.HasStart));
  Member('tov_unit_entry', 2, @U, @U.HasStop, SizeOf(U.HasStop));
  WriteLn('tov_unit_entry size ', SizeOf(U));
  Member('tov_package_info', 0, @I, @I.Flags, SizeOf(I.Flags));
  Member('tov_package_info', 1, @I, @I.RequiredCount, SizeOf(I.RequiredCount));
  Member('tov_package_info', 2, @I, @I.Required, SizeOf(I.Required));
  Member('tov_package_info', 3, @I, @I.ContainsCount, SizeOf(I.ContainsCount));
  Member('tov_package_info', 4, @I, @I.Contains, SizeOf(I.Contains));
  Member('tov_package_info', 5, @I, @I.UnitCount, SizeOf(I.UnitCount));
  Member('tov_package_info', 6, @I, @I.Units, SizeOf(I.Units));
  WriteLn('tov_package_info size ', SizeOf(I));
  Member('tov_backend', 0, @B, @B.StructSize, SizeOf(B.StructSize));
  Member('tov_backend', 1, @B, @B.Ctx, SizeOf(B.Ctx));
  WriteLn('tov_backend size ', SizeOf(B));
  Member('tov_host', 0, @H, @H.StructSize, SizeOf(H.StructSize));
  Member('tov_host', 1, @H, @H.Ctx, SizeOf(H.Ctx));
  WriteLn('tov_host size ', SizeOf(H));
end;

procedure PackageStartAndInformation;
var
  Info: PTovPackageInfo;
  Module: Pointer;
begin
  ExpectStatus(Tov_Initialize, TOV_OK, 'Initialize');
  Module := Pointer(1);
  ExpectStatus(Tov00000_dtmGeral(Module), TOV_OK, 'Tov00000_dtmGeral');
  Expect(Module = nil, 'the data module exists before any print function or lookup');
  Info := nil;
  ExpectStatus(GetPackageInfoTable(Info), TOV_OK, 'GetPackageInfoTable');
  if Info = nil then
  begin
    Expect(False, 'GetPackageInfoTable gave no table');
    Exit;
  end;
  Expect(Info^.Flags = TOV_PACKAGE_RUNTIME_ONLY, 'package flags');
  Expect((Info^.RequiredCount = 3) and (Info^.Required^[0] = 'Pkg_Tov00002'),
    'required packages');
  Expect((Info^.ContainsCount = 3) and (Info^.Contains^[0] = 'Pkg_Tov00000'),
    'contained units');
  Expect((Info^.UnitCount > 1) and (Info^.Units^[Info^.UnitCount - 1].UnitName = 'Tov00000') and
    Info^.Units^[Info^.UnitCount - 1].HasStart and Info^.Units^[Info^.UnitCount - 1].HasStop,
    'the package''s own unit comes last with its start and stop');
  Expect(not Info^.Units^[0].HasStart, 'the first unit has no start');
end;

procedure VersionAndStatusTexts;
begin
  Expect(Tov_VersionNumber = TOV_VERSION_NUMBER, 'the library is not of this unit''s version');
  Expect(Tov_VersionString = TOV_VERSION_STRING, 'Tov_VersionString: ' + Tov_VersionString);
  Expect(Pos('TOV_E_BUFFER:', Tov_StatusText(TOV_E_BUFFER)) = 1,
    'Tov_StatusText(TOV_E_BUFFER): ' + Tov_StatusText(TOV_E_BUFFER));
  Expect(Tov_LastRequiredCapacity = 0, 'a required capacity without a buffer that was short');
end;

procedure RegionalSettings;
var
  Settings: TTovFormatSettings;
begin
  Settings.StructSize := SizeOf(Settings);
  Settings.DecimalSeparator := ',';
  Settings.ThousandSeparator := '.';
  Settings.ShortDateFormat := 'dd/mm/yyyy';
  Settings.CurrencyString := 'R$';
  Settings.CurrencyFormat := 2;
  Settings.NegCurrFormat := 9;
  Settings.CurrencyDecimals := 2;
  ExpectStatus(Tov_SetFormatSettings(@Settings), TOV_OK, 'Tov_SetFormatSettings');
  Expect(Tov_LastError = '', 'a call that succeeded leaves a last error');
  Settings.CurrencyDecimals := 19;
  ExpectStatus(Tov_SetFormatSettings(@Settings), TOV_E_ARGUMENT,
    'Tov_SetFormatSettings with 19 currency decimals');
  Expect(Tov_LastError <> '', 'a failed call leaves no last error');
  Settings.CurrencyDecimals := 2;
  Settings.DecimalSeparator := '.';
  ExpectStatus(Tov_SetFormatSettings(@Settings), TOV_E_ARGUMENT,
    'Tov_SetFormatSettings with the same decimal and thousand separator');
  ExpectStatus(Tov_SetFormatSettings(nil), TOV_OK, 'Tov_SetFormatSettings(nil)');
end;

procedure HostDataSets;
var
  Packet: RawByteString;
  DataSet: PTovDataSet;
  Eof, Filtered: LongBool;
  Count, RecNo: Integer;
  Codes: RawByteString;
  Filter: array[0..63] of AnsiChar;
  Small: array[0..2] of AnsiChar;
begin
  Packet := ReadFileBytes(DemoData + 'vendedor.xml');
  DataSet := nil;
  ExpectStatus(Tov_DataSetOpen(Pointer(Packet), Length(Packet), DataSet), TOV_OK,
    'Tov_DataSetOpen');
  if DataSet = nil then
    Exit;
  try
    ExpectStatus(Tov_DataSetRecordCount(DataSet, Count), TOV_OK, 'Tov_DataSetRecordCount');
    Expect(Count = 5, Format('vendedor.xml has %d rows, not 5', [Count]));
    Codes := '';
    ExpectStatus(Tov_DataSetFirst(DataSet), TOV_OK, 'Tov_DataSetFirst');
    repeat
      ExpectStatus(Tov_DataSetEof(DataSet, Eof), TOV_OK, 'Tov_DataSetEof');
      if Eof or (Length(Codes) > 40) then
        Break;
      Codes := Codes + FieldText(DataSet, 'CDVENDEDOR') + ' ';
      ExpectStatus(Tov_DataSetNext(DataSet), TOV_OK, 'Tov_DataSetNext');
    until False;
    Expect(Codes = '001 002 003 004 005 ', 'the walk gave ' + Codes);
    ExpectStatus(Tov_DataSetSetRecNo(DataSet, 3), TOV_OK, 'Tov_DataSetSetRecNo');
    ExpectStatus(Tov_DataSetGetRecNo(DataSet, RecNo), TOV_OK, 'Tov_DataSetGetRecNo');
    Expect(RecNo = 3, 'the record number is not the one set');
    Expect(FieldText(DataSet, 'NMRAZSOCVEN') = 'M'#$E1'rcio Ant'#$F4'nio Ara'#$FA'jo',
      'the name of row 3 in Windows-1252');
    Expect(FieldText(DataSet, 'VRTOTVENDEDOR') = '5432,1', 'an amount in the regional format');
    ExpectStatus(Tov_DataSetFieldText(DataSet, 'NMRAZSOCVEN', Small, SizeOf(Small)),
      TOV_E_BUFFER, 'Tov_DataSetFieldText into 3 bytes');
    ExpectStatus(Tov_DataSetFieldText(DataSet, 'NOPE', Small, SizeOf(Small)), TOV_E_FIELD,
      'Tov_DataSetFieldText of a missing field');
    ExpectStatus(Tov_DataSetSetRecNo(DataSet, 99), TOV_E_DATASET, 'Tov_DataSetSetRecNo(99)');
    ExpectStatus(Tov_DataSetSetFilter(DataSet, 'CDVENDEDOR = ''004'''), TOV_OK,
      'Tov_DataSetSetFilter');
    ExpectStatus(Tov_DataSetGetFilter(DataSet, Filter, SizeOf(Filter)), TOV_OK,
      'Tov_DataSetGetFilter');
    Expect(Filter = 'CDVENDEDOR = ''004''', 'the filter read back');
    ExpectStatus(Tov_DataSetSetFiltered(DataSet, True), TOV_OK, 'Tov_DataSetSetFiltered');
    ExpectStatus(Tov_DataSetGetFiltered(DataSet, Filtered), TOV_OK, 'Tov_DataSetGetFiltered');
    ExpectStatus(Tov_DataSetRecordCount(DataSet, Count), TOV_OK, 'Tov_DataSetRecordCount');
    Expect(Filtered and (Count = 1), 'the filter is not on, or lets more than one row pass');
    Expect(FieldText(DataSet, 'CDVENDEDOR') = '004', 'the filtered row');
  finally
    ExpectStatus(Tov_DataSetFree(DataSet), TOV_OK, 'Tov_DataSetFree');
  end;
  ExpectStatus(Tov_DataSetFree(nil), TOV_OK, 'Tov_DataSetFree(nil)');
  ExpectStatus(Tov_DataSetFirst(nil), TOV_E_ARGUMENT, 'Tov_DataSetFirst(nil)');
  Packet := 'not a packet';
  ExpectStatus(Tov_DataSetOpen(Pointer(Packet), Length(Packet), DataSet), TOV_E_PACKET,
    'Tov_DataSetOpen of text');
end;

{ The first row's field of a packet a lookup answered. }
function PacketField(const Answer: TTovVariant; const Field: RawByteString): RawByteString;
var
  DataSet: PTovDataSet;
begin
  Result := '';
  Expect(Answer.VType = TOV_VT_BYTES, Format('a lookup answered variant type %d, not a packet',
    [Answer.VType]));
  if Answer.VType <> TOV_VT_BYTES then
    Exit;
  DataSet := nil;
  ExpectStatus(Tov_DataSetOpen(Answer.VData, Answer.VSize, DataSet), TOV_OK,
    'Tov_DataSetOpen of a lookup''s packet');
  if DataSet = nil then
    Exit;
  Result := FieldText(DataSet, Field);
  Tov_DataSetFree(DataSet);
end;

procedure SaleLookups;
var
  Answer: TTovVariant;
  Discount: Double;
  Name: array[0..63] of AnsiChar;
  Module: Pointer;
begin
  FillChar(Answer, SizeOf(Answer), 0);
  ExpectStatus(Tov00000_GetCaixa('001', Answer), TOV_OK, 'Tov00000_GetCaixa');
  Expect(PacketField(Answer, 'NMOPERADOR') = 'MARIA APARECIDA', 'the till''s operator');
  Module := nil;
  ExpectStatus(Tov00000_dtmGeral(Module), TOV_OK, 'Tov00000_dtmGeral');
  Expect(Module <> nil, 'a lookup did not create the data module');
  ExpectStatus(Tov00000_SaldoFidelidade('0001', 'MESA 12', Answer), TOV_OK,
    'Tov00000_SaldoFidelidade');
  Expect(PacketField(Answer, 'NMCONSUMIDOR') = 'ANA BEATRIZ SOUZA', 'the ticket''s consumer');
  ExpectStatus(Tov00000_getMovCaixaMob('0001', '1001', 'T', Answer), TOV_OK,
    'Tov00000_getMovCaixaMob');
  Expect(PacketField(Answer, 'NMTIPORECE') = 'PIX', 'the payment taken');
  ExpectStatus(Tov00000_getDescontoFid('0001', '12', Discount), TOV_OK, 'getDescontoFid');
  Expect(Discount = 5.5, 'getDescontoFid');
  ExpectStatus(Tov00000_getDescCash4All('0001', '12', Discount), TOV_OK, 'getDescCash4All');
  Expect(Discount = 3, 'getDescCash4All');
  ExpectStatus(Tov00000_getDescCashUds('0001', '12', Discount), TOV_OK, 'getDescCashUds');
  Expect(Discount = 2.25, 'getDescCashUds');
  ExpectStatus(Tov00000_getDescCoreBanc('0001', '12', Discount), TOV_OK, 'getDescCoreBanc');
  Expect(Discount = 5.5, 'getDescCoreBanc');
  ExpectStatus(Tov00000_getNMCONSUMIDOR('1001', '12', '01', Name, SizeOf(Name)), TOV_OK,
    'Tov00000_getNMCONSUMIDOR');
  Expect(Name = 'Jo'#$E3'o', 'the consumer''s name in Windows-1252');
  ExpectStatus(Tov00000_getNMCONSUMIDOR('1001', '12', '01', Name, 4), TOV_E_BUFFER,
    'Tov00000_getNMCONSUMIDOR into 4 bytes');
end;

{ ---- A back-end of one entry point ---- }

var
  PlainCalls: Integer;
  PlainPort, PlainKind, PlainText: RawByteString;

function PlainPrinter(Ctx: Pointer; stCdPortImpNF, stIdTipoImpNF: PAnsiChar; Buffer: PAnsiChar;
  Buffer_size: NativeUInt): LongBool; cdecl;
begin
  Inc(PlainCalls);
  PlainPort := stCdPortImpNF;
  PlainKind := stIdTipoImpNF;
  SetString(PlainText, Buffer, Buffer_size);
  Result := PtrUInt(Ctx) = 42;
end;

procedure DocumentsAndTheBackend;
var
  Backend: TTovBackend;
  Packet: RawByteString;
  Answer: LongBool;
  DataSet: PTovDataSet;
begin
  FillChar(Backend, SizeOf(Backend), 0);
  Backend.StructSize := SizeOf(Backend);
  Backend.Ctx := Pointer(42);
  Backend.ImprimePadrao := PlainPrinter;
  ExpectStatus(Tov_SetBackend(@Backend), TOV_OK, 'Tov_SetBackend');
  Packet := ReadFileBytes(DemoData + 'vendedor.xml');
  Answer := False;
  ExpectStatus(RelatorioVendedor_Tov00000('0001', 'Loja', '003', 'Caixa', '1', 'COM7', '9',
    Pointer(Packet), Length(Packet), False, 0, 27593.67, Answer), TOV_OK,
    'RelatorioVendedor_Tov00000');
  Expect(PlainCalls = 1, 'ImprimePadrao was not called once');
  Expect((PlainPort = 'COM7') and (PlainKind = '9'), 'ImprimePadrao got its texts in another order');
  Expect(Pos('Total de Vendas por Vendedor', PlainText) > 0, 'the report''s text');
  Expect(Answer, 'the report''s result is not true');

  { An entry point the table leaves nil fails the document that needs it, naming it. }
  Packet := ReadFileBytes(DemoData + 'cupom_troca.xml');
  ExpectStatus(Cupom_Troca_Tov00000(1, Pointer(Packet), Length(Packet), '1', '0001', '003', '',
    '', '1', 30, Answer), TOV_E_BACKEND, 'Cupom_Troca_Tov00000 without Nr_Cupom');
  Expect(Pos('Nr_Cupom', Tov_LastError) > 0, 'the message does not name Nr_Cupom: ' +
    Tov_LastError);

  { The statement answers its own failures with false and says why. }
  Answer := True;
  DataSet := nil;
  ExpectStatus(Extrato_Tov00000(False, '0001', '1', '44', 'COM2', DataSet, DataSet, DataSet,
    DataSet, DataSet, '', 'Loja', '003', '000482', 'Luiza', DataSet, 1, Answer), TOV_OK,
    'Extrato_Tov00000 without datasets');
  Expect(not Answer, 'the statement without datasets answered true');
  Expect(Tov_LastError <> '', 'the statement answered false without saying why');

  ExpectStatus(Tov_SetBackend(nil), TOV_OK, 'Tov_SetBackend(nil)');
  ExpectStatus(Tov_SetHost(nil), TOV_OK, 'Tov_SetHost(nil)');
end;

var
  StartX87: Word;
  StartSse: DWord;
begin
  if (ParamCount = 1) and (ParamStr(1) = '--layout') then
  begin
    PrintLayout;
    Exit;
  end;
  if ParamCount <> 1 then
  begin
    WriteLn(ErrOutput, 'usage: pascal_exports_test DEMO_DATA_FOLDER | --layout');
    Halt(2);
  end;
  DemoData := IncludeTrailingPathDelimiter(ParamStr(1));
  StartX87 := Get8087CW;
  StartSse := GetMXCSR and not $3F;
  TrapsAreLive;
  VersionAndStatusTexts;
  PackageStartAndInformation;
  RegionalSettings;
  HostDataSets;
  SaleLookups;
  DocumentsAndTheBackend;
  ExpectStatus(Tov_Finalize, TOV_OK, 'Finalize');
  Expect((Get8087CW = StartX87) and (GetMXCSR and not $3F = StartSse),
    'the floating-point control words changed across the calls');
  if Failures > 0 then
  begin
    WriteLn(Failures, ' check(s) failed');
    Halt(1);
  end;
  WriteLn('every export answered as declared');
end.
