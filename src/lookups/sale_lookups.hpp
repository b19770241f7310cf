#pragma once
// The eight lookups about a sale in progress, each one query over the shared connection, and
// the footer query that the table bill opens itself. A lookup closes its query, binds its
// parameters by name as text, opens it and reads the first row or hands the whole result over
// as a data packet; the query then stays open until the lookup's next call. No failure gets
// out: the discounts yield 0, the name an empty text, the packet lookups the error's text.

#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "platform/db/connection.hpp"
#include "platform/db/query.hpp"
#include "platform/format/format_settings.hpp"

namespace tov::lookups {

// The text given for a database failure in place of a packet.
struct ErrorText {
    std::string text;
    bool operator==(const ErrorText&) const = default;
};

// The binary data packet of a query's result, or the text of the failure.
using LookupPacket = std::variant<std::string, ErrorText>;

// The queries the lookups run, held elsewhere (by the data module).
struct LookupQueries {
    db::Query& adqSaldoCons;
    db::Query& adqCaixa;
    db::Query& adqTextParcCont;
    db::Query& adqComandaFid;
    db::Query& adqNMCONSUMIDOR;
    db::Query& adqNMCONSUMIDORposicao;
    db::Query& adqDescCash4All;
    db::Query& adqDescCashUds;
    db::Query& adqMovCaixaMob;
    db::Query& adqDescCoreBanc;
};

class SaleLookups {
public:
    // The text that describes a database failure: the host's ADOExceptionMessage(error,
    // connection, ""). Without one, the error's own message.
    using ErrorMessage =
        std::function<std::string(const std::exception& error, db::Connection& connection)>;

    // Over queries of its own on connection.
    explicit SaleLookups(db::Connection& connection, ErrorMessage error_message = {});
    // Over the given queries, which must run on connection and outlive the lookups.
    SaleLookups(db::Connection& connection, LookupQueries queries, ErrorMessage error_message = {});
    ~SaleLookups();
    SaleLookups(const SaleLookups&) = delete;
    SaleLookups& operator=(const SaleLookups&) = delete;

    // SaldoFidelidade: the consumer's loyalty balance for a ticket, matched on its description.
    LookupPacket saldo_fidelidade(const std::string& cdfilial, const std::string& nrcomanda);
    // GetCaixa: the operator of the till's shift opened today (days since 1899-12-30, from the
    // package clock) and not closed; the date is bound in the short date format of settings.
    LookupPacket get_caixa(const std::string& cdcaixa, double today,
                           const format::FormatSettings& settings);
    // getDescontoFid, getDescCash4All, getDescCashUds, getDescCoreBanc: the discount of the
    // first ticket whose number occurs in nrcomanda; 0 when none, NULL or failed.
    double get_desconto_fid(const std::string& cdfilial, const std::string& nrcomanda);
    double get_desc_cash4all(const std::string& cdfilial, const std::string& nrcomanda);
    double get_desc_cash_uds(const std::string& cdfilial, const std::string& nrcomanda);
    double get_desc_core_banc(const std::string& cdfilial, const std::string& nrcomanda);
    // getNMCONSUMIDOR: the consumer's name for a sale and ticket, of the seat posicao when it is
    // not empty; "" when none, NULL or failed.
    std::string get_nm_consumidor(const std::string& nrvendarest, const std::string& nrcomanda,
                                  const std::string& posicao);
    // getMovCaixaMob: the payments already taken for a sale and seat (and seat "00").
    LookupPacket get_mov_caixa_mob(const std::string& cdfilial, const std::string& nrvendarest,
                                   const std::string& nrlugarmesa);

    // Why the last discount or name lookup answered 0 or "" because its query failed; "" when it
    // did not fail. The answer itself stays the neutral value.
    const std::string& quiet_failure() const { return quiet_failure_; }

    // adqTextParcCont, which the table bill binds and opens itself.
    db::Query& text_parc_cont() { return queries_.adqTextParcCont; }

private:
    using Bindings = std::initializer_list<std::pair<const char*, const std::string*>>;

    static void reopen(db::Query& query, Bindings bindings);
    LookupPacket packet_of(db::Query& query, Bindings bindings);
    double first_double(db::Query& query, const char* column, Bindings bindings);
    std::string error_text(const std::exception& error);

    struct OwnQueries;

    std::unique_ptr<OwnQueries> own_queries_;  // only when built over a connection alone
    db::Connection& connection_;
    ErrorMessage error_message_;
    LookupQueries queries_;
    std::string quiet_failure_;
};

// The lookup queries with their statements and EnableBCD settings, as the data module declares
// them. Each takes its name, statement and the connection it runs on.
db::Query make_saldo_cons_query(db::Connection& connection);
db::Query make_caixa_query(db::Connection& connection);
db::Query make_text_parc_cont_query(db::Connection& connection);
db::Query make_comanda_fid_query(db::Connection& connection);
db::Query make_nm_consumidor_query(db::Connection& connection);
db::Query make_nm_consumidor_posicao_query(db::Connection& connection);
db::Query make_desc_cash4all_query(db::Connection& connection);
db::Query make_desc_cash_uds_query(db::Connection& connection);
db::Query make_mov_caixa_mob_query(db::Connection& connection);
db::Query make_desc_core_banc_query(db::Connection& connection);

}  // namespace tov::lookups
