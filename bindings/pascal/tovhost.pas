{ tovhost: a host of the package written in Pascal. It registers a print back-end of its own and
  prints one document from a JSON request, as tovprint print does: the same requests (keys named
  like the print function's parameters, packets as files beside the request), the same hand-offs
  and, with --out, the same bytes in the file.

  It runs with the floating-point exceptions the Pascal run-time unmasks (invalid operation,
  division by zero, overflow) left unmasked, refuses to run otherwise, and checks after every call
  of the package that the x87 and SSE control words are as they were.

  Free Pascal: fpc -Fu<folder of Tov00000.pas> -Fl<folder of the library> tovhost.pas }
program tovhost;

{$MODE DELPHI}
{$H+}

uses
  SysUtils, Classes, Tov00000;

type
  EHost = class(Exception);

const
  Usage =
    'usage: tovhost print DOCUMENT --request FILE [--out FILE] [--now "YYYY-MM-DD HH:MM"]' +
    LineEnding + '                     [--exe-path FILE]' + LineEnding + LineEnding +
    'Prints one document through the package with the arguments of a JSON request whose keys' +
    LineEnding + 'are the print function''s parameter names; a packet or dataset is a file path' +
    LineEnding + 'relative to the request.' + LineEnding + LineEnding +
    '  DOCUMENT    vendedor, cupom_troca, tipo_rece, dados_paf, extrato, conferencia_mesa' +
    LineEnding + '              (when the library exports Conferencia_Mesa_Tov00000)' +
    LineEnding + '  --out       the exact bytes of every text handed to the back-end go to FILE,' +
    LineEnding + '              concatenated (default: the texts on the terminal)' +
    LineEnding + '  --now       the package''s clock (default: the system clock)' +
    LineEnding + '  --exe-path  the host executable the package is told of (default: this program)' +
    LineEnding + LineEnding +
    'The library (libPkg_Tov00000.so) is found like any shared library: LD_LIBRARY_PATH, the' +
    LineEnding + 'path built into the program, the system folders.';

  DemoCouponNumber = '000123';
  BillExport = 'Conferencia_Mesa_Tov00000';
  CupomDiaCapacity = 256;

{ ---- Windows-1252 ---- }

const
  { The code points of the bytes $80..$9F; the five bytes Windows-1252 leaves undefined map to the
    C1 controls of the same value, as Windows does. }
  Cp1252High: array[$80..$9F] of Word = (
    $20AC, $0081, $201A, $0192, $201E, $2026, $2020, $2021, $02C6, $2030, $0160, $2039, $0152,
    $008D, $017D, $008F, $0090, $2018, $2019, $201C, $201D, $2022, $2013, $2014, $02DC, $2122,
    $0161, $203A, $0153, $009D, $017E, $0178);

function Cp1252ToUtf8(const Text: RawByteString): RawByteString;
var
  I: Integer;
  CodePoint: Word;
begin
  Result := '';
  for I := 1 to Length(Text) do
  begin
    CodePoint := Ord(Text[I]);
    if CodePoint in [$80..$9F] then
      CodePoint := Cp1252High[CodePoint];
    if CodePoint < $80 then
      Result := Result + AnsiChar(CodePoint)
    else if CodePoint < $800 then
      Result := Result + AnsiChar($C0 or (CodePoint shr 6)) + AnsiChar($80 or (CodePoint and $3F))
    else
      Result := Result + AnsiChar($E0 or (CodePoint shr 12)) +
        AnsiChar($80 or ((CodePoint shr 6) and $3F)) + AnsiChar($80 or (CodePoint and $3F));
  end;
end;

function Cp1252Byte(CodePoint: Cardinal; out Value: Byte): Boolean;
var
  B: Integer;
begin
  Result := True;
  if (CodePoint < $80) or ((CodePoint >= $A0) and (CodePoint <= $FF)) then
  begin
    Value := CodePoint;
    Exit;
  end;
  for B := Low(Cp1252High) to High(Cp1252High) do
    if Cp1252High[B] = CodePoint then
    begin
      Value := B;
      Exit;
    end;
  Result := False;
end;

{ A request text in Windows-1252; What names it in messages. NUL, malformed UTF-8 and characters
  Windows-1252 cannot write are refused rather than printed as something else. }
function Utf8ToCp1252(const Text: RawByteString; const What: string): RawByteString;
var
  I, Count, K: Integer;
  CodePoint, Least: Cardinal;
  Value: Byte;
begin
  Result := '';
  I := 1;
  while I <= Length(Text) do
  begin
    CodePoint := Ord(Text[I]);
    if CodePoint < $80 then
      Count := 0
    else if CodePoint and $E0 = $C0 then
    begin
      Count := 1;
      CodePoint := CodePoint and $1F;
      Least := $80;
    end
    else if CodePoint and $F0 = $E0 then
    begin
      Count := 2;
      CodePoint := CodePoint and $0F;
      Least := $800;
    end
    else if CodePoint and $F8 = $F0 then
    begin
      Count := 3;
      CodePoint := CodePoint and $07;
      Least := $10000;
    end
    else
      raise EHost.CreateFmt('%s is not valid UTF-8', [What]);
    if I + Count > Length(Text) then
      raise EHost.CreateFmt('%s is not valid UTF-8', [What]);
    for K := 1 to Count do
    begin
      if Ord(Text[I + K]) and $C0 <> $80 then
        raise EHost.CreateFmt('%s is not valid UTF-8', [What]);
      CodePoint := (CodePoint shl 6) or (Ord(Text[I + K]) and $3F);
    end;
    if (Count > 0) and ((CodePoint < Least) or (CodePoint > $10FFFF) or
      ((CodePoint >= $D800) and (CodePoint <= $DFFF))) then
      raise EHost.CreateFmt('%s is not valid UTF-8', [What]);
    if CodePoint = 0 then
      raise EHost.CreateFmt('%s holds a NUL character', [What]);
    if not Cp1252Byte(CodePoint, Value) then
      raise EHost.CreateFmt('%s holds U+%.4X, which Windows-1252 cannot write', [What, CodePoint]);
    Result := Result + AnsiChar(Value);
    Inc(I, Count + 1);
  end;
end;

function BytesOf(Data: Pointer; Size: NativeUInt): RawByteString;
begin
  Result := '';
  if (Data = nil) or (Size = 0) then
    Exit;
  SetLength(Result, Size);
  Move(Data^, Result[1], Size);
end;

function ReadFileBytes(const FileName: string): RawByteString;
var
  Stream: TFileStream;
begin
  if not FileExists(FileName) then
    raise EHost.CreateFmt('file ''%s'' not found', [FileName]);
  Stream := TFileStream.Create(FileName, fmOpenRead or fmShareDenyWrite);
  try
    Result := '';
    SetLength(Result, Stream.Size);
    if Stream.Size > 0 then
      Stream.ReadBuffer(Result[1], Stream.Size);
  finally
    Stream.Free;
  end;
end;

{ ---- Floating-point state ---- }

{$IF NOT DEFINED(CPUX86_64) AND NOT DEFINED(CPUI386)}
  {$ERROR tovhost checks the x87 and SSE control words of x86 processors only}
{$ENDIF}

type
  TFloatControl = record
    X87: Word;
    Sse: DWord; { without the sticky status flags; 0 where the run-time does not set SSE }
  end;

const
  X87InvalidZeroOverflow = $0001 or $0004 or $0008;  { the mask bits IM, ZM, OM }
  SseInvalidZeroOverflow = $0080 or $0200 or $0400;
  SseStatusFlags = $003F;

var
  StartControl: TFloatControl;

function FloatControl: TFloatControl;
begin
  Result.X87 := Get8087CW;
{$IFDEF CPUX86_64}
  Result.Sse := GetMXCSR and not SseStatusFlags;
{$ELSE}
  Result.Sse := 0;
{$ENDIF}
end;

procedure NoteFloatingPointState;
begin
  StartControl := FloatControl;
  if (StartControl.X87 and X87InvalidZeroOverflow <> 0) or
    (StartControl.Sse and SseInvalidZeroOverflow <> 0) then
    raise EHost.CreateFmt('the floating-point exceptions invalid operation, division by zero ' +
      'and overflow must be unmasked, as the Pascal run-time leaves them (x87 control word ' +
      '$%.4X, MXCSR $%.8X)', [StartControl.X87, StartControl.Sse]);
end;

procedure CheckFloatingPointState(const Call: string);
var
  Control: TFloatControl;
begin
  Control := FloatControl;
  if (Control.X87 <> StartControl.X87) or (Control.Sse <> StartControl.Sse) then
    raise EHost.CreateFmt('%s returned with the floating-point control changed: x87 $%.4X ' +
      '(was $%.4X), MXCSR $%.8X (was $%.8X)', [Call, Control.X87, StartControl.X87, Control.Sse,
      StartControl.Sse]);
end;

{ ---- The back-end ---- }

type
  { Every entry point records its call and answers true: the text it carries goes to the out
    file (or the terminal) and one line per call to standard output. Nr_Cupom writes the demo
    coupon number; every other argument passed by reference is left as the package passed it.
    A failure (a file that cannot be written) is not raised through the package: the entry point
    answers false and the failure is raised when the call returns. }
  TRecorder = class
  private
    FOut: TFileStream;
    FOutName: string;
    FPartName: string;
    FFailure: string;
    FFailed: Boolean;
  public
    constructor Create(const OutName: string);
    destructor Destroy; override;
    function HandOff(const EntryPoint: string; Text: Pointer; Size: NativeUInt;
      HasText: Boolean): LongBool;
    procedure RaiseFailure;
    { The out file takes its name only when the run completed. }
    procedure Finish;
  end;

constructor TRecorder.Create(const OutName: string);
begin
  inherited Create;
  FOutName := OutName;
  if OutName <> '' then
  begin
    FPartName := OutName + '.part';
    try
      FOut := TFileStream.Create(FPartName, fmCreate);
    except
      on E: Exception do
        raise EHost.CreateFmt('cannot write ''%s'': %s', [OutName, E.Message]);
    end;
  end;
end;

destructor TRecorder.Destroy;
begin
  if FOut <> nil then
  begin
    FreeAndNil(FOut);
    DeleteFile(FPartName);
  end;
  inherited Destroy;
end;

function TRecorder.HandOff(const EntryPoint: string; Text: Pointer; Size: NativeUInt;
  HasText: Boolean): LongBool;
begin
  Result := False;
  if FFailed then
    Exit;
  try
    if not HasText then
      WriteLn(EntryPoint)
    else if FOut <> nil then
    begin
      if Size > 0 then
        FOut.WriteBuffer(Text^, Size);
      WriteLn(EntryPoint, ': ', Size, ' bytes to ', FOutName);
    end
    else
    begin
      WriteLn('>> ', EntryPoint);
      WriteLn(Cp1252ToUtf8(BytesOf(Text, Size)));
      WriteLn('<< end of ', EntryPoint, ' text (', Size, ' bytes)');
    end;
    Result := True;
  except
    on E: Exception do
    begin
      FFailed := True;
      FFailure := EntryPoint + ': ' + E.Message;
    end;
  end;
end;

procedure TRecorder.RaiseFailure;
begin
  if FFailed then
    raise EHost.Create(FFailure);
end;

procedure TRecorder.Finish;
begin
  if FOut = nil then
    Exit;
  FreeAndNil(FOut);
  if not RenameFile(FPartName, FOutName) then
  begin
    DeleteFile(FPartName);
    raise EHost.CreateFmt('cannot write ''%s''', [FOutName]);
  end;
end;

function Rec(Ctx: Pointer): TRecorder; inline;
begin
  Result := TRecorder(Ctx);
end;

function DoConferenciaFormatada(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa, stNrSerie,
  stIndice, stNrvendarest: PAnsiChar; stCupomDia: PAnsiChar; stCupomDia_capacity: NativeUInt;
  Buffer: PAnsiChar; Buffer_size: NativeUInt): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Conferencia_Formatada', Buffer, Buffer_size, True);
end;

function DoConferenciaOutras(Ctx: Pointer; stCdPortaImpFis, stEsquemaCor, stCdFilial,
  stCdCaixa: PAnsiChar; stCupomDia: PAnsiChar; stCupomDia_capacity: NativeUInt; stTipoVenda,
  stNrComanda, stMesa, stNmGarcom, stEmissao: PAnsiChar; DADOS: Pointer; DADOS_size: NativeUInt;
  doVrDesc, doConsMin, doCouver, doVrTxSer, doQtPessoas, doTotal, doAcre: Double;
  IdTipoImp: Integer): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Conferencia_Outras', nil, 0, False);
end;

{ The document text is the third value of the array. }
function DoDisparaImpressaoNaoFiscal(Ctx: Pointer; Args: PTovVariant; Args_high: Integer;
  Answer: PTovVariant): LongBool; cdecl;
var
  Values: PTovVariants;
begin
  if Answer <> nil then
  begin
    FillChar(Answer^, SizeOf(Answer^), 0);
    Answer^.VType := TOV_VT_BOOL;
    Answer^.VBoolean := True;
  end;
  Values := PTovVariants(Args);
  if (Values <> nil) and (Args_high >= 2) and (Values^[2].VType = TOV_VT_TEXT) then
    Result := Rec(Ctx).HandOff('DisparaImpressaoNaoFiscal', Values^[2].VData, Values^[2].VSize,
      True)
  else
    Result := Rec(Ctx).HandOff('DisparaImpressaoNaoFiscal', nil, 0, False);
end;

function DoAjustaImpressaoDireta(Ctx: Pointer; Empty1, IdTipoImp, Empty2: PAnsiChar;
  inTamLinha: PInteger): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('AjustaImpressaoDireta', nil, 0, False);
end;

function DoCupomTroca(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa: PAnsiChar;
  Buffer: PAnsiChar; Buffer_size: NativeUInt): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Cupom_Troca', Buffer, Buffer_size, True);
end;

function DoNrCupom(Ctx: Pointer; Zero1, Zero2: Integer; stNrCupom: PAnsiChar;
  stNrCupom_capacity: NativeUInt): LongBool; cdecl;
begin
  if (stNrCupom <> nil) and (stNrCupom_capacity > Length(DemoCouponNumber)) then
    StrPCopy(stNrCupom, DemoCouponNumber);
  Result := Rec(Ctx).HandOff('Nr_Cupom', nil, 0, False);
end;

function DoImprimeTipoRece(Ctx: Pointer; stCdFilial, stCdCaixa, stEsquemaCor,
  stNrSerie: PAnsiChar; Buffer: PAnsiChar; Buffer_size: NativeUInt;
  stMeiosPgto: PAnsiChar): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('imprimeTipoRece', Buffer, Buffer_size, True);
end;

function DoCabecalho(Ctx: Pointer; stCdFilial, stEsquemaCor, stFilial, stCaixa: PAnsiChar;
  Zero1, Zero2: Integer): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Cabecalho', nil, 0, False);
end;

function DoExtrato(Ctx: Pointer; Buffer: PAnsiChar; Buffer_size: NativeUInt;
  stEsquemaCor: PAnsiChar): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Extrato', Buffer, Buffer_size, True);
end;

function DoUsaCompNFis(Ctx: Pointer; stEsquemaCor: PAnsiChar; Piece: PAnsiChar;
  Piece_size: NativeUInt): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Usa_CompNFis', Piece, Piece_size, True);
end;

function DoRelatorioGerencialImp(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa: PAnsiChar;
  Zero1, Zero2: Integer): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Relatorio_Gerencial_Imp', nil, 0, False);
end;

function DoFechRelatGerenc(Ctx: Pointer; stEsquemaCor: PAnsiChar; Flag: LongBool;
  Zero: Integer): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('FechRelatGerenc', nil, 0, False);
end;

function DoRelatorioGenerico(Ctx: Pointer; stEsquemaCor, stCdFilial, stCdCaixa: PAnsiChar;
  Buffer: PAnsiChar; Buffer_size: NativeUInt; stNrSerie, stIndice: PAnsiChar): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('Relatorio_Generico', Buffer, Buffer_size, True);
end;

function DoImprimePadrao(Ctx: Pointer; stCdPortImpNF, stIdTipoImpNF: PAnsiChar;
  Buffer: PAnsiChar; Buffer_size: NativeUInt): LongBool; cdecl;
begin
  Result := Rec(Ctx).HandOff('ImprimePadrao', Buffer, Buffer_size, True);
end;

function BackendOf(Recorder: TRecorder): TTovBackend;
begin
  FillChar(Result, SizeOf(Result), 0);
  Result.StructSize := SizeOf(Result);
  Result.Ctx := Recorder;
  Result.Conferencia_Formatada := DoConferenciaFormatada;
  Result.Conferencia_Outras := DoConferenciaOutras;
  Result.DisparaImpressaoNaoFiscal := DoDisparaImpressaoNaoFiscal;
  Result.AjustaImpressaoDireta := DoAjustaImpressaoDireta;
  Result.Cupom_Troca := DoCupomTroca;
  Result.Nr_Cupom := DoNrCupom;
  Result.imprimeTipoRece := DoImprimeTipoRece;
  Result.Cabecalho := DoCabecalho;
  Result.Extrato := DoExtrato;
  Result.Usa_CompNFis := DoUsaCompNFis;
  Result.Relatorio_Gerencial_Imp := DoRelatorioGerencialImp;
  Result.FechRelatGerenc := DoFechRelatGerenc;
  Result.Relatorio_Generico := DoRelatorioGenerico;
  Result.ImprimePadrao := DoImprimePadrao;
end;

{ ---- Host services: a fixed clock and the executable's path when given ---- }

var
  FixedNow: Double;
  GivenExePath: RawByteString;

function HostNow(Ctx: Pointer): Double; cdecl;
begin
  Result := FixedNow;
end;

{ A path that does not fit is answered empty, which the package reports, rather than cut. }
procedure HostExePath(Ctx: Pointer; Out_: PAnsiChar; Capacity: NativeUInt); cdecl;
begin
  if (Out_ = nil) or (Capacity = 0) then
    Exit;
  if NativeUInt(Length(GivenExePath)) < Capacity then
    StrPCopy(Out_, GivenExePath)
  else
    Out_^ := #0;
end;

{ "YYYY-MM-DD HH:MM[:SS]" (or with T) as days since 1899-12-30. }
function ParseDateTime(const Text: string): Double;
var
  Year, Month, Day, Hour, Minute, Second: Integer;

  function Part(Start, Digits: Integer; Separator: Char): Integer;
  var
    K: Integer;
  begin
    Result := 0;
    for K := Start to Start + Digits - 1 do
    begin
      if (K > Length(Text)) or not (Text[K] in ['0'..'9']) then
        raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
      Result := Result * 10 + Ord(Text[K]) - Ord('0');
    end;
    if (Separator <> #0) and ((Start + Digits > Length(Text)) or
      (Text[Start + Digits] <> Separator)) then
      raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
  end;

var
  Date: TDateTime;
begin
  Year := Part(1, 4, '-');
  Month := Part(6, 2, '-');
  Day := Part(9, 2, #0);
  Hour := 0;
  Minute := 0;
  Second := 0;
  if Length(Text) > 10 then
  begin
    if not (Text[11] in [' ', 'T']) then
      raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
    Hour := Part(12, 2, ':');
    if Length(Text) > 16 then
    begin
      Minute := Part(15, 2, ':');
      Second := Part(18, 2, #0);
      if Length(Text) <> 19 then
        raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
    end
    else
    begin
      Minute := Part(15, 2, #0);
      if Length(Text) <> 16 then
        raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
    end;
  end
  else if Length(Text) <> 10 then
    raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
  if (Year = 0) or not TryEncodeDate(Year, Month, Day, Date) or (Hour > 23) or (Minute > 59) or
    (Second > 59) then
    raise EHost.CreateFmt('''%s'' is not a date-time like 2026-12-08 14:30', [Text]);
  Result := Date + (Hour * 3600.0 + Minute * 60.0 + Second) / 86400.0;
end;

{ ---- Requests ---- }

type
  TJsonKind = (jkString, jkNumber, jkTrue, jkFalse, jkNull, jkObject, jkArray);

  { A request file: one JSON object whose keys are the parameter names of a print function. Each
    key is read once with the type of its parameter; a key that is missing, has another type or
    is never read is an error naming it and the request. The values are kept as read: a string
    as its UTF-8 bytes with the escapes resolved, a number as its text. }
  TRequest = class
  private
    FOrigin: string;
    FFolder: string;
    FKeys: array of RawByteString;
    FKinds: array of TJsonKind;
    FValues: array of RawByteString;
    FRead: array of Boolean;
    procedure Parse(const Json: RawByteString);
    procedure Add(const Key: RawByteString; Kind: TJsonKind; const Value: RawByteString);
    function Find(const Key: string; Kind: TJsonKind; const Expected: string): RawByteString;
  public
    constructor Create(const FileName: string);
    function Text(const Key: string): RawByteString;
    function Packet(const Key: string): RawByteString;
    function Flag(const Key: string): LongBool;
    function Whole(const Key: string): Integer;
    function Number(const Key: string): Double;
    procedure RejectUnknownKeys;
  end;

constructor TRequest.Create(const FileName: string);
begin
  inherited Create;
  FOrigin := ExtractFileName(FileName);
  FFolder := ExtractFilePath(FileName);
  Parse(ReadFileBytes(FileName));
end;

function Utf8Of(CodePoint: Cardinal): RawByteString;
begin
  if CodePoint < $80 then
    Result := AnsiChar(CodePoint)
  else if CodePoint < $800 then
    Result := AnsiChar($C0 or (CodePoint shr 6)) + AnsiChar($80 or (CodePoint and $3F))
  else if CodePoint < $10000 then
    Result := AnsiChar($E0 or (CodePoint shr 12)) + AnsiChar($80 or ((CodePoint shr 6) and $3F)) +
      AnsiChar($80 or (CodePoint and $3F))
  else
    Result := AnsiChar($F0 or (CodePoint shr 18)) + AnsiChar($80 or ((CodePoint shr 12) and $3F)) +
      AnsiChar($80 or ((CodePoint shr 6) and $3F)) + AnsiChar($80 or (CodePoint and $3F));
end;

procedure TRequest.Add(const Key: RawByteString; Kind: TJsonKind; const Value: RawByteString);
var
  N, K: Integer;
begin
  for K := 0 to High(FKeys) do
    if FKeys[K] = Key then
      raise EHost.CreateFmt('%s: key ''%s'' appears twice', [FOrigin, Key]);
  N := Length(FKeys);
  SetLength(FKeys, N + 1);
  SetLength(FKinds, N + 1);
  SetLength(FValues, N + 1);
  SetLength(FRead, N + 1);
  FKeys[N] := Key;
  FKinds[N] := Kind;
  FValues[N] := Value;
  FRead[N] := False;
end;

procedure TRequest.Parse(const Json: RawByteString);
var
  At: Integer;

  procedure Fail(const Why: string);
  begin
    raise EHost.CreateFmt('%s: not a JSON object: %s at byte %d', [FOrigin, Why, At]);
  end;

  function Peek: AnsiChar;
  begin
    while (At <= Length(Json)) and (Json[At] in [' ', #9, #10, #13]) do
      Inc(At);
    if At > Length(Json) then
      Fail('unexpected end');
    Result := Json[At];
  end;

  procedure Expect(C: AnsiChar);
  begin
    if Peek <> C then
      Fail('"' + C + '" expected');
    Inc(At);
  end;

  function Hex4: Cardinal;
  var
    K: Integer;
  begin
    Result := 0;
    for K := 1 to 4 do
    begin
      if At > Length(Json) then
        Fail('unexpected end');
      case Json[At] of
        '0'..'9': Result := Result * 16 + Cardinal(Ord(Json[At]) - Ord('0'));
        'a'..'f': Result := Result * 16 + Cardinal(Ord(Json[At]) - Ord('a') + 10);
        'A'..'F': Result := Result * 16 + Cardinal(Ord(Json[At]) - Ord('A') + 10);
      else
        Fail('bad \u escape');
      end;
      Inc(At);
    end;
  end;

  function ReadString: RawByteString;
  var
    C: AnsiChar;
    CodePoint, Second: Cardinal;
  begin
    Expect('"');
    Result := '';
    repeat
      if At > Length(Json) then
        Fail('unterminated string');
      C := Json[At];
      Inc(At);
      if C = '"' then
        Break;
      if Ord(C) < $20 then
        Fail('control character in a string');
      if C <> '\' then
      begin
        Result := Result + C;
        Continue;
      end;
      if At > Length(Json) then
        Fail('unterminated string');
      C := Json[At];
      Inc(At);
      case C of
        '"', '\', '/': Result := Result + C;
        'b': Result := Result + #8;
        'f': Result := Result + #12;
        'n': Result := Result + #10;
        'r': Result := Result + #13;
        't': Result := Result + #9;
        'u':
          begin
            CodePoint := Hex4;
            if (CodePoint >= $DC00) and (CodePoint <= $DFFF) then
              Fail('unpaired surrogate');
            if (CodePoint >= $D800) and (CodePoint <= $DBFF) then
            begin
              if (At + 1 > Length(Json)) or (Json[At] <> '\') or (Json[At + 1] <> 'u') then
                Fail('unpaired surrogate');
              Inc(At, 2);
              Second := Hex4;
              if (Second < $DC00) or (Second > $DFFF) then
                Fail('unpaired surrogate');
              CodePoint := $10000 + ((CodePoint - $D800) shl 10) + (Second - $DC00);
            end;
            Result := Result + Utf8Of(CodePoint);
          end;
      else
        Fail('bad escape');
      end;
    until False;
  end;

  procedure Digits;
  begin
    if (At > Length(Json)) or not (Json[At] in ['0'..'9']) then
      Fail('bad number');
    while (At <= Length(Json)) and (Json[At] in ['0'..'9']) do
      Inc(At);
  end;

  function ReadNumber: RawByteString;
  var
    Start: Integer;
  begin
    Start := At;
    if Json[At] = '-' then
      Inc(At);
    if (At <= Length(Json)) and (Json[At] = '0') then
      Inc(At)
    else
      Digits;
    if (At <= Length(Json)) and (Json[At] = '.') then
    begin
      Inc(At);
      Digits;
    end;
    if (At <= Length(Json)) and (Json[At] in ['e', 'E']) then
    begin
      Inc(At);
      if (At <= Length(Json)) and (Json[At] in ['+', '-']) then
        Inc(At);
      Digits;
    end;
    Result := Copy(Json, Start, At - Start);
  end;

  procedure ReadWord(const Word_: RawByteString);
  begin
    if Copy(Json, At, Length(Word_)) <> Word_ then
      Fail('unexpected character');
    Inc(At, Length(Word_));
  end;

  { Any value; objects and arrays are only skipped, since no parameter takes one. }
  procedure ReadValue(out Kind: TJsonKind; out Value: RawByteString);
  var
    Inner: TJsonKind;
    Ignored: RawByteString;
  begin
    Value := '';
    case Peek of
      '"':
        begin
          Kind := jkString;
          Value := ReadString;
        end;
      '-', '0'..'9':
        begin
          Kind := jkNumber;
          Value := ReadNumber;
        end;
      't':
        begin
          Kind := jkTrue;
          ReadWord('true');
        end;
      'f':
        begin
          Kind := jkFalse;
          ReadWord('false');
        end;
      'n':
        begin
          Kind := jkNull;
          ReadWord('null');
        end;
      '{':
        begin
          Kind := jkObject;
          Inc(At);
          if Peek = '}' then
            Inc(At)
          else
          begin
            repeat
              ReadString;
              Expect(':');
              ReadValue(Inner, Ignored);
              if Peek <> ',' then
                Break;
              Inc(At);
            until False;
            Expect('}');
          end;
        end;
      '[':
        begin
          Kind := jkArray;
          Inc(At);
          if Peek = ']' then
            Inc(At)
          else
          begin
            repeat
              ReadValue(Inner, Ignored);
              if Peek <> ',' then
                Break;
              Inc(At);
            until False;
            Expect(']');
          end;
        end;
    else
      Fail('unexpected character');
    end;
  end;

var
  Key, Value: RawByteString;
  Kind: TJsonKind;
begin
  At := 1;
  if Copy(Json, 1, 3) = #$EF#$BB#$BF then
    At := 4;
  Expect('{');
  if Peek = '}' then
    Inc(At)
  else
  begin
    repeat
      Key := ReadString;
      Expect(':');
      ReadValue(Kind, Value);
      Add(Key, Kind, Value);
      if Peek <> ',' then
        Break;
      Inc(At);
    until False;
    Expect('}');
  end;
  while (At <= Length(Json)) and (Json[At] in [' ', #9, #10, #13]) do
    Inc(At);
  if At <= Length(Json) then
    Fail('text after the object');
end;

function TRequest.Find(const Key: string; Kind: TJsonKind; const Expected: string): RawByteString;
var
  K: Integer;
begin
  for K := 0 to High(FKeys) do
    if FKeys[K] = Key then
    begin
      if (FKinds[K] <> Kind) and not ((Kind = jkTrue) and (FKinds[K] = jkFalse)) then
        raise EHost.CreateFmt('%s: key ''%s'' must be %s', [FOrigin, Key, Expected]);
      FRead[K] := True;
      if Kind = jkTrue then
        Result := BoolToStr(FKinds[K] = jkTrue, 'true', 'false')
      else
        Result := FValues[K];
      Exit;
    end;
  raise EHost.CreateFmt('%s: missing key ''%s''', [FOrigin, Key]);
end;

function TRequest.Text(const Key: string): RawByteString;
begin
  Result := Utf8ToCp1252(Find(Key, jkString, 'a text'), Format('%s: key ''%s''', [FOrigin, Key]));
end;

function TRequest.Packet(const Key: string): RawByteString;
var
  Name: RawByteString;
begin
  Name := Find(Key, jkString, 'the name of a packet file');
  if Name = '' then
    raise EHost.CreateFmt('%s: key ''%s'' names no file', [FOrigin, Key]);
  Result := ReadFileBytes(FFolder + Name);
end;

function TRequest.Flag(const Key: string): LongBool;
begin
  Result := Find(Key, jkTrue, 'true or false') = 'true';
end;

function TRequest.Whole(const Key: string): Integer;
var
  Value: Int64;
  Code: Integer;
begin
  Val(Find(Key, jkNumber, 'a whole number of 32 bits'), Value, Code);
  if (Code <> 0) or (Value < Low(Integer)) or (Value > High(Integer)) then
    raise EHost.CreateFmt('%s: key ''%s'' must be a whole number of 32 bits', [FOrigin, Key]);
  Result := Value;
end;

function TRequest.Number(const Key: string): Double;
var
  Code: Integer;
begin
  Val(Find(Key, jkNumber, 'a number'), Result, Code);
  if Code <> 0 then
    raise EHost.CreateFmt('%s: key ''%s'' must be a number', [FOrigin, Key]);
end;

procedure TRequest.RejectUnknownKeys;
var
  K: Integer;
  Unknown: string;
begin
  Unknown := '';
  for K := 0 to High(FKeys) do
    if not FRead[K] then
    begin
      if Unknown <> '' then
        Unknown := Unknown + ', ';
      Unknown := Unknown + '''' + FKeys[K] + '''';
    end;
  if Unknown <> '' then
    raise EHost.CreateFmt('%s: unknown key %s', [FOrigin, Unknown]);
end;

{ ---- Calls ---- }

var
  Recorder: TRecorder;

procedure Check(Status: Integer; const Call: string);
begin
  CheckFloatingPointState(Call);
  Recorder.RaiseFailure;
  if Status <> TOV_OK then
    raise EHost.CreateFmt('%s failed (status %d): %s',
      [Call, Status, Cp1252ToUtf8(RawByteString(Tov_LastError))]);
end;

procedure ShowResult(Value: LongBool; const Why: RawByteString = '');
begin
  if Value then
    WriteLn('=== result: true')
  else if Why = '' then
    WriteLn('=== result: false')
  else
    WriteLn('=== result: false (why: ', Cp1252ToUtf8(Why), ')');
  WriteLn;
end;

function P(const Text: RawByteString): PAnsiChar;
begin
  Result := PAnsiChar(Text);
end;

procedure PrintVendedor(Request: TRequest; const Title: string);
var
  stCdFilial, stNmFilial, stCdCaixa, stNmCaixa, stEsquemaCor, stCdPortImpNF, stIdTipoImpNF,
    Vendas: RawByteString;
  boUtilizaImpFis, Answer: LongBool;
  IdTipoImpFis: Integer;
  doVrTotGeral: Double;
begin
  stCdFilial := Request.Text('stCdFilial');
  stNmFilial := Request.Text('stNmFilial');
  stCdCaixa := Request.Text('stCdCaixa');
  stNmCaixa := Request.Text('stNmCaixa');
  stEsquemaCor := Request.Text('stEsquemaCor');
  stCdPortImpNF := Request.Text('stCdPortImpNF');
  stIdTipoImpNF := Request.Text('stIdTipoImpNF');
  Vendas := Request.Packet('P_VENDASVENDEDOR');
  boUtilizaImpFis := Request.Flag('boUtilizaImpFis');
  IdTipoImpFis := Request.Whole('IdTipoImpFis');
  doVrTotGeral := Request.Number('doVrTotGeral');
  Request.RejectUnknownKeys;
  WriteLn('=== ', Title);
  Answer := False;
  Check(RelatorioVendedor_Tov00000(P(stCdFilial), P(stNmFilial), P(stCdCaixa), P(stNmCaixa),
    P(stEsquemaCor), P(stCdPortImpNF), P(stIdTipoImpNF), Pointer(Vendas), Length(Vendas),
    boUtilizaImpFis, IdTipoImpFis, doVrTotGeral, Answer), 'RelatorioVendedor_Tov00000');
  ShowResult(Answer);
end;

procedure PrintCupomTroca(Request: TRequest; const Title: string);
var
  Produtos, stEsquemaCor, stCdFilial, stCdCaixa, stNmConsumidor, stCpfCnpjCon,
    stTipVen: RawByteString;
  IdTipoImpFis: Integer;
  doNrDias: Double;
  Answer: LongBool;
begin
  IdTipoImpFis := Request.Whole('IdTipoImpFis');
  Produtos := Request.Packet('oleProdutos');
  stEsquemaCor := Request.Text('stEsquemaCor');
  stCdFilial := Request.Text('stCdFilial');
  stCdCaixa := Request.Text('stCdCaixa');
  stNmConsumidor := Request.Text('stNmConsumidor');
  stCpfCnpjCon := Request.Text('stCpfCnpjCon');
  stTipVen := Request.Text('stTipVen');
  doNrDias := Request.Number('doNrDias');
  Request.RejectUnknownKeys;
  WriteLn('=== ', Title);
  Answer := False;
  Check(Cupom_Troca_Tov00000(IdTipoImpFis, Pointer(Produtos), Length(Produtos), P(stEsquemaCor),
    P(stCdFilial), P(stCdCaixa), P(stNmConsumidor), P(stCpfCnpjCon), P(stTipVen), doNrDias,
    Answer), 'Cupom_Troca_Tov00000');
  ShowResult(Answer);
end;

procedure PrintTipoRece(Request: TRequest; const Title: string);
var
  stCdFilial, stCdCaixa, stEsquemaCor, stNrSerie, stMeiosPgto, TipoRece, stDataIni,
    stDataFin: RawByteString;
  IdTipoImpFis: Integer;
begin
  IdTipoImpFis := Request.Whole('IdTipoImpFis');
  stCdFilial := Request.Text('stCdFilial');
  stCdCaixa := Request.Text('stCdCaixa');
  stEsquemaCor := Request.Text('stEsquemaCor');
  stNrSerie := Request.Text('stNrSerie');
  stMeiosPgto := Request.Text('stMeiosPgto');
  TipoRece := Request.Packet('oleTipoRece');
  stDataIni := Request.Text('stDataIni');
  stDataFin := Request.Text('stDataFin');
  Request.RejectUnknownKeys;
  WriteLn('=== ', Title);
  Check(imprimeTipoRece_Tov00000(IdTipoImpFis, P(stCdFilial), P(stCdCaixa), P(stEsquemaCor),
    P(stNrSerie), P(stMeiosPgto), Pointer(TipoRece), Length(TipoRece), P(stDataIni),
    P(stDataFin)), 'imprimeTipoRece_Tov00000');
  ShowResult(True);
end;

function TextVariant(const Text: RawByteString; Kind: Integer = TOV_VT_TEXT): TTovVariant;
begin
  FillChar(Result, SizeOf(Result), 0);
  Result.VType := Kind;
  Result.VData := Pointer(Text);
  Result.VSize := Length(Text);
end;

function IntegerVariant(Value: Integer): TTovVariant;
begin
  FillChar(Result, SizeOf(Result), 0);
  Result.VType := TOV_VT_INT;
  Result.VInteger := Value;
end;

procedure PrintDadosPaf(Request: TRequest; const Title: string);
var
  stCdFilial, stCdCaixa, stEsquemaCor, DadosPaf, Series, stNrSerie, stIndice: RawByteString;
  IdTipoImpFis: Integer;
  Params: array[0..7] of TTovVariant;
  Retorno: TTovVariant;
  Answer: LongBool;
begin
  stCdFilial := Request.Text('stCdFilial');
  stCdCaixa := Request.Text('stCdCaixa');
  stEsquemaCor := Request.Text('stEsquemaCor');
  DadosPaf := Request.Packet('oleDadosPaf');
  Series := Request.Packet('oleBuscaNrSerieEcf');
  stNrSerie := Request.Text('stNrSerie');
  IdTipoImpFis := Request.Whole('IdTipoImpFis');
  stIndice := Request.Text('stIndice');
  Request.RejectUnknownKeys;
  Params[0] := TextVariant(stCdFilial);
  Params[1] := TextVariant(stCdCaixa);
  Params[2] := TextVariant(stEsquemaCor);
  Params[3] := TextVariant(DadosPaf, TOV_VT_BYTES);
  Params[4] := TextVariant(Series, TOV_VT_BYTES);
  Params[5] := TextVariant(stNrSerie);
  Params[6] := IntegerVariant(IdTipoImpFis);
  Params[7] := TextVariant(stIndice);
  FillChar(Retorno, SizeOf(Retorno), 0);
  WriteLn('=== ', Title);
  Answer := False;
  Check(ImprimeDadosPaf_Tov00000(@Params[0], High(Params), Retorno, Answer),
    'ImprimeDadosPaf_Tov00000');
  ShowResult(Answer);
end;

procedure PrintExtrato(Request: TRequest; const Title: string);
const
  Names: array[0..5] of string = ('cdsTipoExtCons', 'cdsSaldoConsExt', 'cdsExtSimples',
    'cdsExtVenda', 'cdsSaldFam', 'cdsExtrato');
var
  stCdFilial, stEsquemaCor, stIdTipoImpNF, stCdPortImpNF, stValData, stFilial, stCaixa,
    stConsumidor, stNmConsumidor: RawByteString;
  Packets: array[0..5] of RawByteString;
  DataSets: array[0..5] of PTovDataSet;
  boUtilizaImpFis, Answer: LongBool;
  IdTipoImpFis, I: Integer;
begin
  boUtilizaImpFis := Request.Flag('boUtilizaImpFis');
  stCdFilial := Request.Text('stCdFilial');
  stEsquemaCor := Request.Text('stEsquemaCor');
  stIdTipoImpNF := Request.Text('stIdTipoImpNF');
  stCdPortImpNF := Request.Text('stCdPortImpNF');
  for I := 0 to 4 do
    Packets[I] := Request.Packet(Names[I]);
  stValData := Request.Text('stValData');
  stFilial := Request.Text('stFilial');
  stCaixa := Request.Text('stCaixa');
  stConsumidor := Request.Text('stConsumidor');
  stNmConsumidor := Request.Text('stNmConsumidor');
  Packets[5] := Request.Packet(Names[5]);
  IdTipoImpFis := Request.Whole('IdTipoImpFis');
  Request.RejectUnknownKeys;
  WriteLn('=== ', Title);
  FillChar(DataSets, SizeOf(DataSets), 0);
  try
    for I := 0 to 5 do
      Check(Tov_DataSetOpen(Pointer(Packets[I]), Length(Packets[I]), DataSets[I]), Names[I]);
    Answer := False;
    Check(Extrato_Tov00000(boUtilizaImpFis, P(stCdFilial), P(stEsquemaCor), P(stIdTipoImpNF),
      P(stCdPortImpNF), DataSets[0], DataSets[1], DataSets[2], DataSets[3], DataSets[4],
      P(stValData), P(stFilial), P(stCaixa), P(stConsumidor), P(stNmConsumidor), DataSets[5],
      IdTipoImpFis, Answer), 'Extrato_Tov00000');
    if Answer then
      ShowResult(True)
    else
      ShowResult(False, RawByteString(Tov_LastError));
  finally
    for I := 0 to 5 do
      Tov_DataSetFree(DataSets[I]);
  end;
end;

procedure PrintConferenciaMesa(Request: TRequest; const Title: string);
var
  stCdPortaImpFis, stNrSerie, stEsquemaCor, stCdFilial, stCdCaixa, stIndice, CupomDia,
    stTipoVenda, stNrComanda, stNrvendarest, stMesa, stNmGarcom, stEmissao, Dados, IdLugarMesa,
    IdTpImpParc, stCdProdCouver, stCdProdConsum, stCdProdConsFem, stPosicao, stIdIntHotel,
    stIdImpTxServ, stIdComisVenda, stIdConDescTxServ, stDsTextoTxServ, stIdConsDescTxServ,
    stIdUtilFid4All, stIdUtilFidUds: RawByteString;
  IdTipoImp: Integer;
  doVrDesc, doConsMin, doCouver, doVrTxSer, doQtPessoas, doTotal, doAcre,
    doVrDescManual: Double;
  boUtilizaImpFis, Answer: LongBool;
  stCupomDia: array[0..CupomDiaCapacity - 1] of AnsiChar;
  Bill: TConferencia_Mesa_Tov00000;
begin
  Bill := TConferencia_Mesa_Tov00000(Tov00000Export(BillExport));
  if not Assigned(Bill) then
    raise EHost.Create('this build of the package does not export ' + BillExport);
  stCdPortaImpFis := Request.Text('stCdPortaImpFis');
  stNrSerie := Request.Text('stNrSerie');
  stEsquemaCor := Request.Text('stEsquemaCor');
  stCdFilial := Request.Text('stCdFilial');
  stCdCaixa := Request.Text('stCdCaixa');
  stIndice := Request.Text('stIndice');
  IdTipoImp := Request.Whole('IdTipoImp');
  CupomDia := Request.Text('stCupomDia');
  stTipoVenda := Request.Text('stTipoVenda');
  stNrComanda := Request.Text('stNrComanda');
  stNrvendarest := Request.Text('stNrvendarest');
  stMesa := Request.Text('stMesa');
  stNmGarcom := Request.Text('stNmGarcom');
  stEmissao := Request.Text('stEmissao');
  Dados := Request.Packet('DADOS');
  doVrDesc := Request.Number('doVrDesc');
  doConsMin := Request.Number('doConsMin');
  doCouver := Request.Number('doCouver');
  doVrTxSer := Request.Number('doVrTxSer');
  doQtPessoas := Request.Number('doQtPessoas');
  doTotal := Request.Number('doTotal');
  doAcre := Request.Number('doAcre');
  doVrDescManual := Request.Number('doVrDescManual');
  IdLugarMesa := Request.Text('IdLugarMesa');
  IdTpImpParc := Request.Text('IdTpImpParc');
  stCdProdCouver := Request.Text('stCdProdCouver');
  stCdProdConsum := Request.Text('stCdProdConsum');
  stCdProdConsFem := Request.Text('stCdProdConsFem');
  boUtilizaImpFis := Request.Flag('boUtilizaImpFis');
  stPosicao := Request.Text('stPosicao');
  stIdIntHotel := Request.Text('stIdIntHotel');
  stIdImpTxServ := Request.Text('stIdImpTxServ');
  stIdComisVenda := Request.Text('stIdComisVenda');
  stIdConDescTxServ := Request.Text('stIdConDescTxServ');
  stDsTextoTxServ := Request.Text('stDsTextoTxServ');
  stIdConsDescTxServ := Request.Text('stIdConsDescTxServ');
  stIdUtilFid4All := Request.Text('stIdUtilFid4All');
  stIdUtilFidUds := Request.Text('stIdUtilFidUds');
  Request.RejectUnknownKeys;
  if Length(CupomDia) >= CupomDiaCapacity then
    raise EHost.CreateFmt('key ''stCupomDia'' is longer than %d characters',
      [CupomDiaCapacity - 1]);
  StrPCopy(stCupomDia, CupomDia);
  WriteLn('=== ', Title);
  Answer := False;
  Check(Bill(P(stCdPortaImpFis), P(stNrSerie), P(stEsquemaCor), P(stCdFilial), P(stCdCaixa),
    P(stIndice), IdTipoImp, stCupomDia, CupomDiaCapacity, P(stTipoVenda), P(stNrComanda),
    P(stNrvendarest), P(stMesa), P(stNmGarcom), P(stEmissao), Pointer(Dados), Length(Dados),
    doVrDesc, doConsMin, doCouver, doVrTxSer, doQtPessoas, doTotal, doAcre, doVrDescManual,
    P(IdLugarMesa), P(IdTpImpParc), P(stCdProdCouver), P(stCdProdConsum), P(stCdProdConsFem),
    boUtilizaImpFis, P(stPosicao), P(stIdIntHotel), P(stIdImpTxServ), P(stIdComisVenda),
    P(stIdConDescTxServ), P(stDsTextoTxServ), P(stIdConsDescTxServ), P(stIdUtilFid4All),
    P(stIdUtilFidUds), Answer), BillExport);
  ShowResult(Answer);
end;

{ ---- The program ---- }

type
  TDocumentPrint = procedure(Request: TRequest; const Title: string);

  TDocument = record
    Name: string;
    ExportName: string;
    Print: TDocumentPrint;
  end;

const
  Documents: array[0..5] of TDocument = (
    (Name: 'vendedor'; ExportName: 'RelatorioVendedor_Tov00000'; Print: PrintVendedor),
    (Name: 'cupom_troca'; ExportName: 'Cupom_Troca_Tov00000'; Print: PrintCupomTroca),
    (Name: 'tipo_rece'; ExportName: 'imprimeTipoRece_Tov00000'; Print: PrintTipoRece),
    (Name: 'dados_paf'; ExportName: 'ImprimeDadosPaf_Tov00000'; Print: PrintDadosPaf),
    (Name: 'extrato'; ExportName: 'Extrato_Tov00000'; Print: PrintExtrato),
    (Name: 'conferencia_mesa'; ExportName: BillExport; Print: PrintConferenciaMesa));

type
  TOptions = record
    Document: Integer;
    RequestFile: string;
    OutFile: string;
    HasNow: Boolean;
    Now: Double;
    ExePath: string;
  end;

procedure UsageError(const Message: string);
begin
  raise EHost.Create(Message + ' (tovhost --help tells the usage)');
end;

function ParseOptions: TOptions;
var
  I, D: Integer;

  function NextValue: string;
  begin
    if I >= ParamCount then
      UsageError('option ' + ParamStr(I) + ' needs a value');
    Inc(I);
    Result := ParamStr(I);
  end;

begin
  Result.Document := -1;
  Result.RequestFile := '';
  Result.OutFile := '';
  Result.HasNow := False;
  Result.Now := 0;
  Result.ExePath := '';
  if (ParamCount < 1) or (ParamStr(1) <> 'print') then
    UsageError('the command is print');
  I := 2;
  while I <= ParamCount do
  begin
    if ParamStr(I) = '--request' then
      Result.RequestFile := NextValue
    else if ParamStr(I) = '--out' then
      Result.OutFile := NextValue
    else if ParamStr(I) = '--now' then
    begin
      Result.Now := ParseDateTime(NextValue);
      Result.HasNow := True;
    end
    else if ParamStr(I) = '--exe-path' then
      Result.ExePath := NextValue
    else if (Copy(ParamStr(I), 1, 1) = '-') or (Result.Document >= 0) then
      UsageError('unexpected argument ''' + ParamStr(I) + '''')
    else
    begin
      for D := Low(Documents) to High(Documents) do
        if Documents[D].Name = ParamStr(I) then
          Result.Document := D;
      if Result.Document < 0 then
        UsageError('unknown document ''' + ParamStr(I) + '''');
    end;
    Inc(I);
  end;
  if Result.Document < 0 then
    UsageError('which document?');
  if Result.RequestFile = '' then
    UsageError('--request is required');
end;

procedure Run;
var
  Options: TOptions;
  Request: TRequest;
  Backend: TTovBackend;
  Host: TTovHost;
  Settings: TTovFormatSettings;
  Document: TDocument;
begin
  Options := ParseOptions;
  if (Tov_VersionNumber div 10000 <> TOV_VERSION_MAJOR) or
    (Tov_VersionNumber < TOV_VERSION_NUMBER) then
    raise Exception.Create('the library is version ' + string(Tov_VersionString) +
      '; this host needs ' + IntToStr(TOV_VERSION_MAJOR) + '.x from ' + TOV_VERSION_STRING + ' on');
  NoteFloatingPointState;
  Document := Documents[Options.Document];
  Request := TRequest.Create(Options.RequestFile);
  Recorder := TRecorder.Create(Options.OutFile);
  try
    Check(Tov_Initialize, 'Initialize');
    try
      Backend := BackendOf(Recorder);
      Check(Tov_SetBackend(@Backend), 'Tov_SetBackend');
      FillChar(Host, SizeOf(Host), 0);
      Host.StructSize := SizeOf(Host);
      if Options.HasNow then
      begin
        FixedNow := Options.Now;
        Host.Now := HostNow;
      end;
      if Options.ExePath <> '' then
      begin
        GivenExePath := Options.ExePath;
        Host.ExePath := HostExePath;
      end;
      Check(Tov_SetHost(@Host), 'Tov_SetHost');
      { The package's own default, registered as a host does. }
      Settings.StructSize := SizeOf(Settings);
      Settings.DecimalSeparator := ',';
      Settings.ThousandSeparator := '.';
      Settings.ShortDateFormat := 'dd/mm/yyyy';
      Settings.CurrencyString := 'R$';
      Settings.CurrencyFormat := 2;
      Settings.NegCurrFormat := 9;
      Settings.CurrencyDecimals := 2;
      Check(Tov_SetFormatSettings(@Settings), 'Tov_SetFormatSettings');
      Document.Print(Request, Document.ExportName + ' (' + Options.RequestFile + ')');
      Recorder.Finish;
    finally
      Tov_Finalize;
    end;
  finally
    Recorder.Free;
    Request.Free;
  end;
end;

begin
  if (ParamCount = 1) and ((ParamStr(1) = '--help') or (ParamStr(1) = '-h')) then
  begin
    WriteLn(Usage);
    Exit;
  end;
  try
    Run;
  except
    on E: Exception do
    begin
      Flush(Output);
      WriteLn(ErrOutput, 'tovhost: ', E.Message);
      ExitCode := 1;
    end;
  end;
end.
