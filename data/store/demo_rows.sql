-- Demo rows of the embedded store (SQLite). Store '0001', shop '01', till '001'. The shift of
-- till '001' opened today at 08:00 and is still open; the store is rebuilt every day so it stays
-- that way. Sale '1001' is table 12 (ticket '12', 'MESA 12') with two seats; sale '1002' is
-- ticket '7' with a card-holder who typed no name. Texts are Windows-1252.

INSERT INTO OPERADOR (CDOPERADOR, NMOPERADOR) VALUES
    ('OP01', 'MARIA APARECIDA'),
    ('OP02', 'JOSE CARLOS');

INSERT INTO TURCAIXA (CDFILIAL, CDCAIXA, NRTURCAIXA, CDOPERADOR, DTABERCAIX, DTFECHCAIX) VALUES
    ('0001', '001', 1, 'OP02', datetime('now', 'localtime', 'start of day', '-1 day', '+8 hours'),
                               datetime('now', 'localtime', 'start of day', '-1 day', '+22 hours')),
    ('0001', '001', 2, 'OP01', datetime('now', 'localtime', 'start of day', '+8 hours'), NULL);

-- tovprint demo and the demo requests' tests run on a clock of their own, 08/12/2026 14:30: on any
-- other day the till also has a shift opened then and still open, by the same operator, so that
-- what they print does not depend on the day they run.
INSERT INTO TURCAIXA (CDFILIAL, CDCAIXA, NRTURCAIXA, CDOPERADOR, DTABERCAIX, DTFECHCAIX)
    SELECT '0001', '001', 0, 'OP01', '2026-12-08 08:00:00', NULL
    WHERE date('now', 'localtime') <> '2026-12-08';

INSERT INTO CAIXA (CDFILIAL, CDCAIXA, NMCAIXA, DSTXTRODAPEPARC) VALUES
    ('0001', '001', 'CAIXA 1', 'OBRIGADO PELA PREFERENCIA! VOLTE SEMPRE. WI-FI: CLIENTES / SENHA 12345678');

INSERT INTO CONSUMIDOR (CDCLIENTE, CDCONSUMIDOR, NMCONSUMIDOR) VALUES
    ('C001', '00001', 'ANA BEATRIZ SOUZA'),
    ('C001', '00002', 'PAULO ROBERTO LIMA');

INSERT INTO VENDAREST (CDFILIAL, CDLOJA, NRVENDAREST, CDCLIENTE, CDCONSUMIDOR) VALUES
    ('0001', '01', '1001', 'C001', '00001'),
    ('0001', '01', '1002', 'C001', '00002');

INSERT INTO COMANDAVEN (CDFILIAL, CDLOJA, NRVENDAREST, NRCOMANDA, DSCOMANDA, VRDESCFID, VRDESCCASH4ALL,
                        VRDESCCASHUDS, VRRESGCOREBANC, VRRESGCORECORP, VRRESGCOREQUAL) VALUES
    ('0001', '01', '1001', '12', 'MESA 12', 5.50, 3.00, 2.25, 4.00, NULL, 1.50),
    ('0001', '01', '1002', '7', 'COMANDA 7', NULL, NULL, NULL, NULL, NULL, NULL);

INSERT INTO ITCOMANDAVEN (CDFILIAL, CDLOJA, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, CDPRODUTO, NRLUGARMESA,
                          NMCONSVEND) VALUES
    ('0001', '01', '1001', '12', '000001', '1001', '01', 'João'),
    ('0001', '01', '1001', '12', '000002', '1002', '01', 'João'),
    ('0001', '01', '1001', '12', '000003', '2001', '02', NULL),
    ('0001', '01', '1002', '7', '000001', '3001', '01', NULL);

INSERT INTO MOVPONTOCONS (CDCLIENTE, CDCONSUMIDOR, NRSEQMOV, DTMOV, VRSALDOCONS) VALUES
    ('C001', '00001', 1, '2024-02-10 20:15:00', 120.00),
    ('C001', '00001', 2, '2024-02-24 21:40:00', 35.50),
    ('C001', '00001', 3, '2024-03-01 13:05:00', -40.00),
    ('C001', '00002', 1, '2024-03-02 12:30:00', 18.90);

INSERT INTO TIPORECE (CDTIPORECE, NMTIPORECE) VALUES
    ('001', 'DINHEIRO'),
    ('002', 'CARTAO DE CREDITO'),
    ('003', 'PIX');

INSERT INTO MOVCAIXAMOB (CDFILIAL, NRSEQMOVMOB, NRVENDAREST, NRCOMANDA, NRLUGARMESA, CDTIPORECE, VRMOV, IDSTMOV,
                         IDADMTASK, NRSEQVENDA) VALUES
    ('0001', 1, '1001', '12', '01', '002', 40.00, '1', '0', NULL),
    ('0001', 2, '1001', '12', '00', '003', 25.00, '1', '0', NULL),
    ('0001', 3, '1001', '12', '02', '001', 10.00, '1', '0', NULL),
    ('0001', 4, '1001', '12', '01', '001', 99.00, '2', '0', NULL);
