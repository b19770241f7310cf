// The stored statements: exactly as the data module keeps them, and the variants that differ.

#include "lookups/statements.hpp"

#include <gtest/gtest.h>

#include "platform/db/named_parameters.hpp"

namespace tov::lookups {
namespace {

using Names = std::vector<std::string>;

Names parameters_of(const db::SqlStorage& statement) {
    return db::distinct_names(db::to_positional(statement.sql()).marker_names);
}

TEST(LookupStatements, TheTillQueryIsStoredLineByLineWithItsOracleVariant) {
    const auto statement = caixa_statement();
    EXPECT_EQ(statement.sql(),
              "SELECT T.CDOPERADOR , O.NMOPERADOR\r\n"
              "  FROM TURCAIXA T , OPERADOR O\r\n"
              "     WHERE CDCAIXA = :P_CDCAIXA\r\n"
              "     AND CONVERT(VARCHAR ,DTABERCAIX, 103)= :P_DATA\r\n"
              "     AND DTFECHCAIX IS NULL\r\n"
              "     AND O.CDOPERADOR = T.CDOPERADOR");
    EXPECT_EQ(statement.for_dialect(db::Dialect::SqlServer).sql, statement.sql());
    EXPECT_EQ(statement.for_dialect(db::Dialect::Oracle).sql,
              "SELECT T.CDOPERADOR , O.NMOPERADOR\r\n"
              "  FROM TURCAIXA T , OPERADOR O\r\n"
              "     WHERE CDCAIXA = :P_CDCAIXA\r\n"
              "     AND TRUNC(DTABERCAIX) = :P_DATA\r\n"
              "     AND DTFECHCAIX IS NULL\r\n"
              "     AND O.CDOPERADOR = T.CDOPERADOR");
}

TEST(LookupStatements, TheDiscountStatementsDifferOnlyInTheirColumn) {
    const std::string fid = comanda_fid_statement().sql();
    EXPECT_EQ(fid,
              "SELECT VRDESCFID\r\n"
              "  FROM COMANDAVEN\r\n"
              " WHERE CDFILIAL = :P_CDFILIAL\r\n"
              "   AND CHARINDEX(NRCOMANDA, :P_NRCOMANDA) > 0\r\n"
              "   AND VRDESCFID IS NOT NULL");
    auto replaced = [&](const std::string& column) {
        std::string text = fid;
        for (auto at = text.find("VRDESCFID"); at != std::string::npos; at = text.find("VRDESCFID"))
            text.replace(at, 9, column);
        return text;
    };
    EXPECT_EQ(desc_cash4all_statement().sql(), replaced("VRDESCCASH4ALL"));
    EXPECT_EQ(desc_cash_uds_statement().sql(), replaced("VRDESCCASHUDS"));
}

TEST(LookupStatements, TheSeatQueryIsTheNameQueryWithAnotherLastLine) {
    const std::string plain = nm_consumidor_statement().sql();
    const std::string seat = nm_consumidor_posicao_statement().sql();
    const auto last_break = plain.rfind("\r\n");
    EXPECT_EQ(seat.substr(0, last_break + 2), plain.substr(0, last_break + 2));
    EXPECT_EQ(
        seat.substr(last_break + 2),
        "((CV.NRCOMANDA = :P_NRCOMANDA or(CV.DSCOMANDA like '%'+:P_NRCOMANDA and CV.NRCOMANDA <> "
        ":P_NRCOMANDA)) AND IT.NRLUGARMESA = :P_NRLUGARMESA)");
    EXPECT_EQ(db::to_positional(plain).marker_names,
              (Names{"P_NRVENDAREST", "P_NRCOMANDA", "P_NRCOMANDA", "P_NRCOMANDA"}));
}

// The statements as the data module stores them, each byte (blanks included) as written.
TEST(LookupStatements, TheOtherStatementsAreStoredLineByLineAsWritten) {
    EXPECT_EQ(saldo_cons_statement().sql(),
              "SELECT A.CDCLIENTE, A.CDCONSUMIDOR, A.NMCONSUMIDOR, A.VRSALDOCONS\r\n"
              "  FROM (SELECT V.CDCLIENTE , V.CDCONSUMIDOR , CD.NMCONSUMIDOR ,SUM(M.VRSALDOCONS) "
              "AS VRSALDOCONS\r\n"
              "          FROM COMANDAVEN C , VENDAREST V , MOVPONTOCONS M , CONSUMIDOR CD\r\n"
              "         WHERE  C.CDFILIAL = :P_CDFILIAL\r\n"
              "           AND    V.CDFILIAL = C.CDFILIAL\r\n"
              "           AND    C.DSCOMANDA =  :P_NRCOMANDA\r\n"
              "           AND    C.NRVENDAREST = V.NRVENDAREST\r\n"
              "           AND    M.CDCONSUMIDOR = V.CDCONSUMIDOR\r\n"
              "           AND    M.CDCLIENTE    = V.CDCLIENTE\r\n"
              "           AND    CD.CDCONSUMIDOR = V.CDCONSUMIDOR\r\n"
              "           AND    CD.CDCLIENTE   = V.CDCLIENTE\r\n"
              "      GROUP BY  V.CDCLIENTE , V.CDCONSUMIDOR , CD.NMCONSUMIDOR) A");
    EXPECT_EQ(desc_core_banc_statement().sql(),
              "SELECT ISNULL(VRRESGCOREBANC,0) + ISNULL(VRRESGCORECORP,0) + "
              "ISNULL(VRRESGCOREQUAL,0) AS VRRESGCOREBANC\r\n"
              "  FROM COMANDAVEN\r\n"
              " WHERE CDFILIAL = :P_CDFILIAL\r\n"
              "   AND CHARINDEX(NRCOMANDA, :P_NRCOMANDA) > 0");
    EXPECT_EQ(nm_consumidor_statement().sql(),
              "SELECT DISTINCT ( CASE WHEN IT.NMCONSVEND IS NULL THEN CO.NMCONSUMIDOR ELSE "
              "IT.NMCONSVEND END ) NMCONSUMIDOR\r\n"
              "FROM VENDAREST VR\r\n"
              "INNER JOIN COMANDAVEN CV ON CV.CDFILIAL=VR.CDFILIAL AND CV.CDLOJA=VR.CDLOJA AND "
              "CV.NRVENDAREST=VR.NRVENDAREST\r\n"
              "INNER JOIN ITCOMANDAVEN IT ON IT.CDFILIAL=CV.CDFILIAL AND IT.CDLOJA=CV.CDLOJA AND "
              "IT.NRVENDAREST=CV.NRVENDAREST AND IT.NRCOMANDA=CV.NRCOMANDA\r\n"
              "LEFT JOIN CONSUMIDOR CO ON CO.CDCLIENTE=VR.CDCLIENTE AND "
              "CO.CDCONSUMIDOR=VR.CDCONSUMIDOR\r\n"
              "WHERE VR.NRVENDAREST = :P_NRVENDAREST AND\r\n"
              "(CV.NRCOMANDA = :P_NRCOMANDA or ((CV.DSCOMANDA like "
              "'%'+:P_NRCOMANDA)and(CV.NRCOMANDA <> :P_NRCOMANDA ) ))");
    EXPECT_EQ(mov_caixa_mob_statement().sql(),
              "SELECT T.NMTIPORECE, SUM(M.VRMOV) AS VRMOV\r\n"
              "  FROM MOVCAIXAMOB M, TIPORECE T\r\n"
              " WHERE (M.CDFILIAL  = :P_CDFILIAL)\r\n"
              "   AND (M.IDSTMOV   = '1'        )\r\n"
              "   AND (M.IDADMTASK = '0'        )\r\n"
              "   AND (M.NRVENDAREST = :P_NRVENDAREST)\r\n"
              "   AND ((M.NRLUGARMESA = :P_NRLUGARMESA) OR (M.NRLUGARMESA = '00'))\r\n"
              "   AND (M.NRSEQVENDA IS NULL)\r\n"
              "   AND (M.NRVENDAREST <> '0')\r\n"
              "   AND (M.CDTIPORECE = T.CDTIPORECE)\r\n"
              "   AND (EXISTS(SELECT 1\r\n"
              "                 FROM ITCOMANDAVEN\r\n"
              "                WHERE CDFILIAL    = M.CDFILIAL\r\n"
              "                  AND NRVENDAREST = M.NRVENDAREST\r\n"
              "                  AND NRCOMANDA   = M.NRCOMANDA))\r\n"
              "GROUP BY T.NMTIPORECE");
    EXPECT_EQ(text_parc_cont_statement().sql(),
              "SELECT DSTXTRODAPEPARC\r\n"
              "  FROM CAIXA\r\n"
              " WHERE CDFILIAL = :P_CDFILIAL\r\n"
              "   AND CDCAIXA  = :P_CDCAIXA");
}

TEST(LookupStatements, EachQueryHasTheParametersItsLookupBinds) {
    EXPECT_EQ(parameters_of(saldo_cons_statement()), (Names{"P_CDFILIAL", "P_NRCOMANDA"}));
    EXPECT_EQ(parameters_of(caixa_statement()), (Names{"P_CDCAIXA", "P_DATA"}));
    EXPECT_EQ(parameters_of(desc_core_banc_statement()), (Names{"P_CDFILIAL", "P_NRCOMANDA"}));
    EXPECT_EQ(parameters_of(nm_consumidor_posicao_statement()),
              (Names{"P_NRVENDAREST", "P_NRCOMANDA", "P_NRLUGARMESA"}));
    EXPECT_EQ(parameters_of(mov_caixa_mob_statement()),
              (Names{"P_CDFILIAL", "P_NRVENDAREST", "P_NRLUGARMESA"}));
    EXPECT_EQ(parameters_of(text_parc_cont_statement()), (Names{"P_CDFILIAL", "P_CDCAIXA"}));
}

TEST(LookupStatements, EveryVariantUsesTheParametersOfTheStatementAsWritten) {
    for (const auto& statement :
         {saldo_cons_statement(), caixa_statement(), comanda_fid_statement(),
          desc_core_banc_statement(), nm_consumidor_statement(), nm_consumidor_posicao_statement(),
          mov_caixa_mob_statement()}) {
        for (auto dialect : {db::Dialect::Oracle, db::Dialect::Sqlite, db::Dialect::Postgres}) {
            const auto& variant = statement.for_dialect(dialect).sql;
            EXPECT_EQ(db::distinct_names(db::to_positional(variant).marker_names),
                      parameters_of(statement))
                << variant;
        }
    }
}

TEST(LookupStatements, OnlyTheTillQueryHasAPostgresVariant) {
    EXPECT_NE(caixa_statement().for_dialect(db::Dialect::Postgres).sql, caixa_statement().sql());
    for (const auto& statement :
         {saldo_cons_statement(), comanda_fid_statement(), desc_core_banc_statement(),
          nm_consumidor_statement(), mov_caixa_mob_statement()})
        EXPECT_EQ(statement.for_dialect(db::Dialect::Postgres).sql, statement.sql());
}

}  // namespace
}  // namespace tov::lookups
