#pragma once
// The statements of the lookup queries, line by line as the data module stores them, joined
// with CR LF (the line break of the stored statement text), each with the variants its other
// databases need:
// - SQL Server runs every statement as written;
// - Oracle runs the till query's Oracle variant and the rest as written;
// - SQLite runs variants that mean the same: IFNULL for ISNULL, || for the '+' concatenation,
//   strftime for CONVERT(..., 103), and declares the types of its SUM(...) columns; CHARINDEX
//   is a function of the SQLite driver;
// - PostgreSQL runs the statements as written over a small compatibility schema
//   (data/store/postgres_compat.sql), with its own variant of the till query's date text.

#include <string>
#include <string_view>

#include "platform/db/sql_storage.hpp"

namespace tov::lookups {

inline constexpr std::string_view statement_line_break = "\r\n";

db::SqlStorage saldo_cons_statement();             // adqSaldoCons
db::SqlStorage caixa_statement();                  // adqCaixa (with assCaixa's variants)
db::SqlStorage comanda_fid_statement();            // adqComandaFid
db::SqlStorage desc_cash4all_statement();          // adqDescCash4All
db::SqlStorage desc_cash_uds_statement();          // adqDescCashUds
db::SqlStorage desc_core_banc_statement();         // adqDescCoreBanc
db::SqlStorage nm_consumidor_statement();          // adqNMCONSUMIDOR
db::SqlStorage nm_consumidor_posicao_statement();  // adqNMCONSUMIDORposicao
db::SqlStorage mov_caixa_mob_statement();          // adqMovCaixaMob
db::SqlStorage text_parc_cont_statement();         // adqTextParcCont

}  // namespace tov::lookups
