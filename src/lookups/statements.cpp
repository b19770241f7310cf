#include "lookups/statements.hpp"

#include <array>

namespace tov::lookups {

namespace {

using db::Column;
using db::ColumnKind;
using db::Dialect;

// adqSaldoCons: the consumer's loyalty balance for a ticket description.
constexpr std::array saldo_cons_lines = {
    std::string_view{"SELECT A.CDCLIENTE, A.CDCONSUMIDOR, A.NMCONSUMIDOR, A.VRSALDOCONS"},
    std::string_view{"  FROM (SELECT V.CDCLIENTE , V.CDCONSUMIDOR , CD.NMCONSUMIDOR "
                     ",SUM(M.VRSALDOCONS) AS VRSALDOCONS"},
    std::string_view{"          FROM COMANDAVEN C , VENDAREST V , MOVPONTOCONS M , CONSUMIDOR CD"},
    std::string_view{"         WHERE  C.CDFILIAL = :P_CDFILIAL"},
    std::string_view{"           AND    V.CDFILIAL = C.CDFILIAL"},
    std::string_view{"           AND    C.DSCOMANDA =  :P_NRCOMANDA"},
    std::string_view{"           AND    C.NRVENDAREST = V.NRVENDAREST"},
    std::string_view{"           AND    M.CDCONSUMIDOR = V.CDCONSUMIDOR"},
    std::string_view{"           AND    M.CDCLIENTE    = V.CDCLIENTE"},
    std::string_view{"           AND    CD.CDCONSUMIDOR = V.CDCONSUMIDOR"},
    std::string_view{"           AND    CD.CDCLIENTE   = V.CDCLIENTE"},
    std::string_view{"      GROUP BY  V.CDCLIENTE , V.CDCONSUMIDOR , CD.NMCONSUMIDOR) A"},
};

// adqCaixa: the operator of the till's shift opened on a day and not closed (SQL Server).
constexpr std::array caixa_lines = {
    std::string_view{"SELECT T.CDOPERADOR , O.NMOPERADOR"},
    std::string_view{"  FROM TURCAIXA T , OPERADOR O"},
    std::string_view{"     WHERE CDCAIXA = :P_CDCAIXA"},
    std::string_view{"     AND CONVERT(VARCHAR ,DTABERCAIX, 103)= :P_DATA"},
    std::string_view{"     AND DTFECHCAIX IS NULL"},
    std::string_view{"     AND O.CDOPERADOR = T.CDOPERADOR"},
};

// adqCaixa on Oracle.
constexpr std::array caixa_oracle_lines = {
    std::string_view{"SELECT T.CDOPERADOR , O.NMOPERADOR"},
    std::string_view{"  FROM TURCAIXA T , OPERADOR O"},
    std::string_view{"     WHERE CDCAIXA = :P_CDCAIXA"},
    std::string_view{"     AND TRUNC(DTABERCAIX) = :P_DATA"},
    std::string_view{"     AND DTFECHCAIX IS NULL"},
    std::string_view{"     AND O.CDOPERADOR = T.CDOPERADOR"},
};

// adqComandaFid: the loyalty discount of the tickets whose number occurs in the text passed.
constexpr std::array comanda_fid_lines = {
    std::string_view{"SELECT VRDESCFID"},
    std::string_view{"  FROM COMANDAVEN"},
    std::string_view{" WHERE CDFILIAL = :P_CDFILIAL"},
    std::string_view{"   AND CHARINDEX(NRCOMANDA, :P_NRCOMANDA) > 0"},
    std::string_view{"   AND VRDESCFID IS NOT NULL"},
};

// adqDescCash4All: as adqComandaFid, for the Cash4All discount.
constexpr std::array desc_cash4all_lines = {
    std::string_view{"SELECT VRDESCCASH4ALL"},
    std::string_view{"  FROM COMANDAVEN"},
    std::string_view{" WHERE CDFILIAL = :P_CDFILIAL"},
    std::string_view{"   AND CHARINDEX(NRCOMANDA, :P_NRCOMANDA) > 0"},
    std::string_view{"   AND VRDESCCASH4ALL IS NOT NULL"},
};

// adqDescCashUds: as adqComandaFid, for the UDS cash-back discount.
constexpr std::array desc_cash_uds_lines = {
    std::string_view{"SELECT VRDESCCASHUDS"},
    std::string_view{"  FROM COMANDAVEN"},
    std::string_view{" WHERE CDFILIAL = :P_CDFILIAL"},
    std::string_view{"   AND CHARINDEX(NRCOMANDA, :P_NRCOMANDA) > 0"},
    std::string_view{"   AND VRDESCCASHUDS IS NOT NULL"},
};

// adqDescCoreBanc: the three Core redemptions of a ticket, a NULL one counting as 0.
constexpr std::array desc_core_banc_lines = {
    std::string_view{"SELECT ISNULL(VRRESGCOREBANC,0) + ISNULL(VRRESGCORECORP,0) + "
                     "ISNULL(VRRESGCOREQUAL,0) AS VRRESGCOREBANC"},
    std::string_view{"  FROM COMANDAVEN"},
    std::string_view{" WHERE CDFILIAL = :P_CDFILIAL"},
    std::string_view{"   AND CHARINDEX(NRCOMANDA, :P_NRCOMANDA) > 0"},
};

// adqNMCONSUMIDOR: the consumer's name for a sale and ticket; the name typed for the item wins.
constexpr std::array nm_consumidor_lines = {
    std::string_view{"SELECT DISTINCT ( CASE WHEN IT.NMCONSVEND IS NULL THEN CO.NMCONSUMIDOR ELSE "
                     "IT.NMCONSVEND END ) NMCONSUMIDOR"},
    std::string_view{"FROM VENDAREST VR"},
    std::string_view{"INNER JOIN COMANDAVEN CV ON CV.CDFILIAL=VR.CDFILIAL AND CV.CDLOJA=VR.CDLOJA "
                     "AND CV.NRVENDAREST=VR.NRVENDAREST"},
    std::string_view{
        "INNER JOIN ITCOMANDAVEN IT ON IT.CDFILIAL=CV.CDFILIAL AND IT.CDLOJA=CV.CDLOJA AND "
        "IT.NRVENDAREST=CV.NRVENDAREST AND IT.NRCOMANDA=CV.NRCOMANDA"},
    std::string_view{
        "LEFT JOIN CONSUMIDOR CO ON CO.CDCLIENTE=VR.CDCLIENTE AND CO.CDCONSUMIDOR=VR.CDCONSUMIDOR"},
    std::string_view{"WHERE VR.NRVENDAREST = :P_NRVENDAREST AND"},
    std::string_view{"(CV.NRCOMANDA = :P_NRCOMANDA or ((CV.DSCOMANDA like "
                     "'%'+:P_NRCOMANDA)and(CV.NRCOMANDA <> :P_NRCOMANDA ) ))"},
};

// adqNMCONSUMIDORposicao: as adqNMCONSUMIDOR, for the items of one seat.
constexpr std::array nm_consumidor_posicao_lines = {
    std::string_view{"SELECT DISTINCT ( CASE WHEN IT.NMCONSVEND IS NULL THEN CO.NMCONSUMIDOR ELSE "
                     "IT.NMCONSVEND END ) NMCONSUMIDOR"},
    std::string_view{"FROM VENDAREST VR"},
    std::string_view{"INNER JOIN COMANDAVEN CV ON CV.CDFILIAL=VR.CDFILIAL AND CV.CDLOJA=VR.CDLOJA "
                     "AND CV.NRVENDAREST=VR.NRVENDAREST"},
    std::string_view{
        "INNER JOIN ITCOMANDAVEN IT ON IT.CDFILIAL=CV.CDFILIAL AND IT.CDLOJA=CV.CDLOJA AND "
        "IT.NRVENDAREST=CV.NRVENDAREST AND IT.NRCOMANDA=CV.NRCOMANDA"},
    std::string_view{
        "LEFT JOIN CONSUMIDOR CO ON CO.CDCLIENTE=VR.CDCLIENTE AND CO.CDCONSUMIDOR=VR.CDCONSUMIDOR"},
    std::string_view{"WHERE VR.NRVENDAREST = :P_NRVENDAREST AND"},
    std::string_view{"((CV.NRCOMANDA = :P_NRCOMANDA or(CV.DSCOMANDA like '%'+:P_NRCOMANDA and "
                     "CV.NRCOMANDA <> :P_NRCOMANDA)) AND IT.NRLUGARMESA = :P_NRLUGARMESA)"},
};

// adqMovCaixaMob: the payments already taken for a sale, by payment type.
constexpr std::array mov_caixa_mob_lines = {
    std::string_view{"SELECT T.NMTIPORECE, SUM(M.VRMOV) AS VRMOV"},
    std::string_view{"  FROM MOVCAIXAMOB M, TIPORECE T"},
    std::string_view{" WHERE (M.CDFILIAL  = :P_CDFILIAL)"},
    std::string_view{"   AND (M.IDSTMOV   = '1'        )"},
    std::string_view{"   AND (M.IDADMTASK = '0'        )"},
    std::string_view{"   AND (M.NRVENDAREST = :P_NRVENDAREST)"},
    std::string_view{"   AND ((M.NRLUGARMESA = :P_NRLUGARMESA) OR (M.NRLUGARMESA = '00'))"},
    std::string_view{"   AND (M.NRSEQVENDA IS NULL)"},
    std::string_view{"   AND (M.NRVENDAREST <> '0')"},
    std::string_view{"   AND (M.CDTIPORECE = T.CDTIPORECE)"},
    std::string_view{"   AND (EXISTS(SELECT 1"},
    std::string_view{"                 FROM ITCOMANDAVEN"},
    std::string_view{"                WHERE CDFILIAL    = M.CDFILIAL"},
    std::string_view{"                  AND NRVENDAREST = M.NRVENDAREST"},
    std::string_view{"                  AND NRCOMANDA   = M.NRCOMANDA))"},
    std::string_view{"GROUP BY T.NMTIPORECE"},
};

// adqTextParcCont: the till's footer text for partial bills.
constexpr std::array text_parc_cont_lines = {
    std::string_view{"SELECT DSTXTRODAPEPARC"},
    std::string_view{"  FROM CAIXA"},
    std::string_view{" WHERE CDFILIAL = :P_CDFILIAL"},
    std::string_view{"   AND CDCAIXA  = :P_CDCAIXA"},
};

template <std::size_t N>
std::string joined(const std::array<std::string_view, N>& lines) {
    std::string text;
    for (std::size_t index = 0; index < N; ++index) {
        if (index > 0) text.append(statement_line_break);
        text.append(lines[index]);
    }
    return text;
}

// The statement with one of its lines replaced: a variant that differs in that line only.
template <std::size_t N>
std::string with_line(const std::array<std::string_view, N>& lines, std::size_t index,
                      std::string_view line) {
    std::array<std::string_view, N> changed = lines;
    changed.at(index) = line;
    return joined(changed);
}

// SQL Server reports a SUM of DECIMAL(15,2) as DECIMAL(38,2); 32 digits is the most a BCD holds.
Column summed_amount(std::string name) {
    return Column{std::move(name), ColumnKind::Decimal, 0, 32, 2};
}

}  // namespace

db::SqlStorage saldo_cons_statement() {
    return db::SqlStorage(joined(saldo_cons_lines))
        .with(Dialect::Sqlite, joined(saldo_cons_lines), {summed_amount("VRSALDOCONS")});
}

db::SqlStorage caixa_statement() {
    return db::SqlStorage(joined(caixa_lines))
        .with(Dialect::Oracle, joined(caixa_oracle_lines))
        .with(Dialect::Sqlite,
              with_line(caixa_lines, 3, "     AND strftime('%d/%m/%Y', DTABERCAIX)= :P_DATA"))
        .with(Dialect::Postgres,
              with_line(caixa_lines, 3, "     AND to_char(DTABERCAIX, 'DD/MM/YYYY')= :P_DATA"));
}

db::SqlStorage comanda_fid_statement() {
    return db::SqlStorage(joined(comanda_fid_lines));
}
db::SqlStorage desc_cash4all_statement() {
    return db::SqlStorage(joined(desc_cash4all_lines));
}
db::SqlStorage desc_cash_uds_statement() {
    return db::SqlStorage(joined(desc_cash_uds_lines));
}

db::SqlStorage desc_core_banc_statement() {
    return db::SqlStorage(joined(desc_core_banc_lines))
        .with(Dialect::Sqlite,
              with_line(desc_core_banc_lines, 0,
                        "SELECT IFNULL(VRRESGCOREBANC,0) + IFNULL(VRRESGCORECORP,0) + "
                        "IFNULL(VRRESGCOREQUAL,0) AS "
                        "VRRESGCOREBANC"),
              {Column{"VRRESGCOREBANC", ColumnKind::Floating, 0, 0, 0}});
}

db::SqlStorage nm_consumidor_statement() {
    return db::SqlStorage(joined(nm_consumidor_lines))
        .with(Dialect::Sqlite, with_line(nm_consumidor_lines, 6,
                                         "(CV.NRCOMANDA = :P_NRCOMANDA or ((CV.DSCOMANDA like "
                                         "'%'||:P_NRCOMANDA)and(CV.NRCOMANDA <> "
                                         ":P_NRCOMANDA ) ))"));
}

db::SqlStorage nm_consumidor_posicao_statement() {
    return db::SqlStorage(joined(nm_consumidor_posicao_lines))
        .with(Dialect::Sqlite, with_line(nm_consumidor_posicao_lines, 6,
                                         "((CV.NRCOMANDA = :P_NRCOMANDA or(CV.DSCOMANDA like "
                                         "'%'||:P_NRCOMANDA and CV.NRCOMANDA <> "
                                         ":P_NRCOMANDA)) AND IT.NRLUGARMESA = :P_NRLUGARMESA)"));
}

db::SqlStorage mov_caixa_mob_statement() {
    return db::SqlStorage(joined(mov_caixa_mob_lines))
        .with(Dialect::Sqlite, joined(mov_caixa_mob_lines), {summed_amount("VRMOV")});
}

db::SqlStorage text_parc_cont_statement() {
    return db::SqlStorage(joined(text_parc_cont_lines));
}

}  // namespace tov::lookups
