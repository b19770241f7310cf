#include "lookups/sale_lookups.hpp"

#include "lookups/short_date.hpp"
#include "lookups/statements.hpp"
#include "platform/db/provider.hpp"

namespace tov::lookups {

namespace {
constexpr bool bcd_on = true;
constexpr bool bcd_off = false;
}  // namespace

db::Query make_saldo_cons_query(db::Connection& connection) {
    return db::Query("adqSaldoCons", connection, saldo_cons_statement(), bcd_on);
}
db::Query make_caixa_query(db::Connection& connection) {
    return db::Query("adqCaixa", connection, caixa_statement(), bcd_on);
}
db::Query make_text_parc_cont_query(db::Connection& connection) {
    return db::Query("adqTextParcCont", connection, text_parc_cont_statement(), bcd_on);
}
db::Query make_comanda_fid_query(db::Connection& connection) {
    return db::Query("adqComandaFid", connection, comanda_fid_statement(), bcd_off);
}
db::Query make_nm_consumidor_query(db::Connection& connection) {
    return db::Query("adqNMCONSUMIDOR", connection, nm_consumidor_statement(), bcd_off);
}
db::Query make_nm_consumidor_posicao_query(db::Connection& connection) {
    return db::Query("adqNMCONSUMIDORposicao", connection, nm_consumidor_posicao_statement(),
                     bcd_off);
}
db::Query make_desc_cash4all_query(db::Connection& connection) {
    return db::Query("adqDescCash4All", connection, desc_cash4all_statement(), bcd_off);
}
db::Query make_desc_cash_uds_query(db::Connection& connection) {
    return db::Query("adqDescCashUds", connection, desc_cash_uds_statement(), bcd_off);
}
db::Query make_mov_caixa_mob_query(db::Connection& connection) {
    return db::Query("adqMovCaixaMob", connection, mov_caixa_mob_statement(), bcd_on);
}
db::Query make_desc_core_banc_query(db::Connection& connection) {
    return db::Query("adqDescCoreBanc", connection, desc_core_banc_statement(), bcd_off);
}

struct SaleLookups::OwnQueries {
    explicit OwnQueries(db::Connection& connection)
        : adqSaldoCons(make_saldo_cons_query(connection)),
          adqCaixa(make_caixa_query(connection)),
          adqTextParcCont(make_text_parc_cont_query(connection)),
          adqComandaFid(make_comanda_fid_query(connection)),
          adqNMCONSUMIDOR(make_nm_consumidor_query(connection)),
          adqNMCONSUMIDORposicao(make_nm_consumidor_posicao_query(connection)),
          adqDescCash4All(make_desc_cash4all_query(connection)),
          adqDescCashUds(make_desc_cash_uds_query(connection)),
          adqMovCaixaMob(make_mov_caixa_mob_query(connection)),
          adqDescCoreBanc(make_desc_core_banc_query(connection)) {}

    LookupQueries references() {
        return {adqSaldoCons,    adqCaixa,        adqTextParcCont,
                adqComandaFid,   adqNMCONSUMIDOR, adqNMCONSUMIDORposicao,
                adqDescCash4All, adqDescCashUds,  adqMovCaixaMob,
                adqDescCoreBanc};
    }

    db::Query adqSaldoCons;
    db::Query adqCaixa;
    db::Query adqTextParcCont;
    db::Query adqComandaFid;
    db::Query adqNMCONSUMIDOR;
    db::Query adqNMCONSUMIDORposicao;
    db::Query adqDescCash4All;
    db::Query adqDescCashUds;
    db::Query adqMovCaixaMob;
    db::Query adqDescCoreBanc;
};

SaleLookups::SaleLookups(db::Connection& connection, ErrorMessage error_message)
    : own_queries_(std::make_unique<OwnQueries>(connection)),
      connection_(connection),
      error_message_(std::move(error_message)),
      queries_(own_queries_->references()) {}

SaleLookups::SaleLookups(db::Connection& connection, LookupQueries queries,
                         ErrorMessage error_message)
    : connection_(connection), error_message_(std::move(error_message)), queries_(queries) {}

SaleLookups::~SaleLookups() = default;

LookupPacket SaleLookups::saldo_fidelidade(const std::string& cdfilial,
                                           const std::string& nrcomanda) {
    return packet_of(queries_.adqSaldoCons,
                     {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

LookupPacket SaleLookups::get_caixa(const std::string& cdcaixa, double today,
                                    const format::FormatSettings& settings) {
    std::string date;
    try {
        date = format_short_date(today, settings);
    } catch (const std::exception& error) {
        return ErrorText{error_text(error)};
    }
    return packet_of(queries_.adqCaixa, {{"P_CDCAIXA", &cdcaixa}, {"P_DATA", &date}});
}

double SaleLookups::get_desconto_fid(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(queries_.adqComandaFid, "VRDESCFID",
                        {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

double SaleLookups::get_desc_cash4all(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(queries_.adqDescCash4All, "VRDESCCASH4ALL",
                        {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

double SaleLookups::get_desc_cash_uds(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(queries_.adqDescCashUds, "VRDESCCASHUDS",
                        {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

double SaleLookups::get_desc_core_banc(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(queries_.adqDescCoreBanc, "VRRESGCOREBANC",
                        {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

std::string SaleLookups::get_nm_consumidor(const std::string& nrvendarest,
                                           const std::string& nrcomanda,
                                           const std::string& posicao) {
    quiet_failure_.clear();
    try {
        if (posicao.empty()) {
            reopen(queries_.adqNMCONSUMIDOR,
                   {{"P_NRVENDAREST", &nrvendarest}, {"P_NRCOMANDA", &nrcomanda}});
            return queries_.adqNMCONSUMIDOR.field_as_string("NMCONSUMIDOR");
        }
        reopen(queries_.adqNMCONSUMIDORposicao, {{"P_NRVENDAREST", &nrvendarest},
                                                 {"P_NRCOMANDA", &nrcomanda},
                                                 {"P_NRLUGARMESA", &posicao}});
        return queries_.adqNMCONSUMIDORposicao.field_as_string("NMCONSUMIDOR");
    } catch (const std::exception& error) {
        quiet_failure_ = error.what();
        return {};
    }
}

LookupPacket SaleLookups::get_mov_caixa_mob(const std::string& cdfilial,
                                            const std::string& nrvendarest,
                                            const std::string& nrlugarmesa) {
    return packet_of(queries_.adqMovCaixaMob, {{"P_CDFILIAL", &cdfilial},
                                               {"P_NRVENDAREST", &nrvendarest},
                                               {"P_NRLUGARMESA", &nrlugarmesa}});
}

void SaleLookups::reopen(db::Query& query, Bindings bindings) {
    query.close();
    for (const auto& [name, value] : bindings) query.set_param(name, *value);
    query.open();
}

LookupPacket SaleLookups::packet_of(db::Query& query, Bindings bindings) {
    try {
        reopen(query, bindings);
        return db::provide_packet(query);
    } catch (const std::exception& error) {
        return ErrorText{error_text(error)};
    }
}

double SaleLookups::first_double(db::Query& query, const char* column, Bindings bindings) {
    quiet_failure_.clear();
    try {
        reopen(query, bindings);
        return query.field_as_double(column);
    } catch (const std::exception& error) {
        quiet_failure_ = error.what();
        return 0.0;
    }
}

std::string SaleLookups::error_text(const std::exception& error) {
    if (!error_message_) return error.what();
    try {
        return error_message_(error, connection_);
    } catch (const std::exception& failure) {
        return failure.what();
    }
}

}  // namespace tov::lookups
