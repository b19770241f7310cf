#include "lookups/sale_lookups.hpp"

#include "lookups/short_date.hpp"
#include "lookups/statements.hpp"
#include "platform/db/provider.hpp"

namespace tov::lookups {

namespace {
constexpr bool bcd_on = true;
constexpr bool bcd_off = false;
}  // namespace

SaleLookups::SaleLookups(db::Connection& connection, ErrorMessage error_message)
    : connection_(connection),
      error_message_(std::move(error_message)),
      adqSaldoCons_("adqSaldoCons", connection, saldo_cons_statement(), bcd_on),
      adqCaixa_("adqCaixa", connection, caixa_statement(), bcd_on),
      adqTextParcCont_("adqTextParcCont", connection, text_parc_cont_statement(), bcd_on),
      adqComandaFid_("adqComandaFid", connection, comanda_fid_statement(), bcd_off),
      adqNMCONSUMIDOR_("adqNMCONSUMIDOR", connection, nm_consumidor_statement(), bcd_off),
      adqNMCONSUMIDORposicao_("adqNMCONSUMIDORposicao", connection, nm_consumidor_posicao_statement(), bcd_off),
      adqDescCash4All_("adqDescCash4All", connection, desc_cash4all_statement(), bcd_off),
      adqDescCashUds_("adqDescCashUds", connection, desc_cash_uds_statement(), bcd_off),
      adqMovCaixaMob_("adqMovCaixaMob", connection, mov_caixa_mob_statement(), bcd_on),
      adqDescCoreBanc_("adqDescCoreBanc", connection, desc_core_banc_statement(), bcd_off) {}

LookupPacket SaleLookups::saldo_fidelidade(const std::string& cdfilial, const std::string& nrcomanda) {
    return packet_of(adqSaldoCons_, {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

LookupPacket SaleLookups::get_caixa(const std::string& cdcaixa, double today,
                                    const format::FormatSettings& settings) {
    std::string date;
    try {
        date = format_short_date(today, settings);
    } catch (const std::exception& error) {
        return ErrorText{error_text(error)};
    }
    return packet_of(adqCaixa_, {{"P_CDCAIXA", &cdcaixa}, {"P_DATA", &date}});
}

double SaleLookups::get_desconto_fid(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(adqComandaFid_, "VRDESCFID", {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

double SaleLookups::get_desc_cash4all(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(adqDescCash4All_, "VRDESCCASH4ALL", {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

double SaleLookups::get_desc_cash_uds(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(adqDescCashUds_, "VRDESCCASHUDS", {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

double SaleLookups::get_desc_core_banc(const std::string& cdfilial, const std::string& nrcomanda) {
    return first_double(adqDescCoreBanc_, "VRRESGCOREBANC", {{"P_CDFILIAL", &cdfilial}, {"P_NRCOMANDA", &nrcomanda}});
}

std::string SaleLookups::get_nm_consumidor(const std::string& nrvendarest, const std::string& nrcomanda,
                                           const std::string& posicao) {
    try {
        if (posicao.empty()) {
            reopen(adqNMCONSUMIDOR_, {{"P_NRVENDAREST", &nrvendarest}, {"P_NRCOMANDA", &nrcomanda}});
            return adqNMCONSUMIDOR_.field_as_string("NMCONSUMIDOR");
        }
        reopen(adqNMCONSUMIDORposicao_,
               {{"P_NRVENDAREST", &nrvendarest}, {"P_NRCOMANDA", &nrcomanda}, {"P_NRLUGARMESA", &posicao}});
        return adqNMCONSUMIDORposicao_.field_as_string("NMCONSUMIDOR");
    } catch (const std::exception&) {
        return {};
    }
}

LookupPacket SaleLookups::get_mov_caixa_mob(const std::string& cdfilial, const std::string& nrvendarest,
                                            const std::string& nrlugarmesa) {
    return packet_of(adqMovCaixaMob_,
                     {{"P_CDFILIAL", &cdfilial}, {"P_NRVENDAREST", &nrvendarest}, {"P_NRLUGARMESA", &nrlugarmesa}});
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
    try {
        reopen(query, bindings);
        return query.field_as_double(column);
    } catch (const std::exception&) {
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
