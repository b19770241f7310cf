#pragma once
// The host's six datasets of a consumer statement, filled from rows written in the tests.

#include <string>
#include <vector>

#include "platform/dataset/client_dataset.hpp"

namespace tov::testing {

struct Family {
    std::string CDFAMILISALD, NMFAMILISALD;
};

// One movement as cdsExtSimples holds it; DATA is yyyymmdd, amounts as a packet writes them.
struct Movement {
    std::string CDFAMILISALD, DATA, HORA, DSOPEEXTCONS, IDTPMOVEXT, NRSEQVENDA, amount, balance,
        CDFILIAL;
};

struct SaleItem {
    std::string NRSEQVENDA, CDFAMILISALD, QTDE, NMPRODUTO, VRTOTAL;
};

// One row of cdsExtrato: the customer and the family's previous balance, and, for the detailed
// statement, a movement of the family (amount and balance read as VALOR and SALDO).
struct ExtratoRow {
    std::string CDCLIENTE, CDFAMILISALD, NMFAMILISALD, SALDANT;
    Movement movement;
};

namespace detail {

struct Column {
    const char* name;
    const char* type;  // "string", "r8" or "date"
};

inline std::string attribute(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '"')
            escaped += "&quot;";
        else if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else
            escaped += c;
    }
    return escaped;
}

inline std::string packet(const std::vector<Column>& columns,
                          const std::vector<std::vector<std::string>>& rows) {
    std::string xml =
        "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const auto& column : columns) {
        xml += std::string("<FIELD attrname=\"") + column.name + "\" fieldtype=\"" + column.type +
               "\"" + (std::string(column.type) == "string" ? " WIDTH=\"60\"" : "") + "/>";
    }
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    for (const auto& row : rows) {
        xml += "<ROW";
        for (size_t i = 0; i < columns.size() && i < row.size(); ++i) {
            const bool null = row[i].empty() && std::string(columns[i].type) != "string";
            if (null) continue;
            xml += std::string(" ") + columns[i].name + "=\"" + attribute(row[i]) + "\"";
        }
        xml += "/>";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

inline std::vector<std::string> cells(const Movement& m) {
    return {m.CDFAMILISALD, m.DATA,   m.HORA,    m.DSOPEEXTCONS, m.IDTPMOVEXT,
            m.NRSEQVENDA,   m.amount, m.balance, m.CDFILIAL};
}

}  // namespace detail

struct StatementDatasets {
    dataset::ClientDataSet cdsTipoExtCons, cdsSaldoConsExt, cdsExtSimples, cdsExtVenda, cdsSaldFam,
        cdsExtrato;

    void setting(const std::string& IDEMISEXTRSIMPL) {
        cdsTipoExtCons.SetData(
            detail::packet({{"IDEMISEXTRSIMPL", "string"}}, {{IDEMISEXTRSIMPL}}));
    }

    void families(const std::vector<Family>& rows) {
        std::vector<std::vector<std::string>> cells;
        for (const auto& row : rows) cells.push_back({row.CDFAMILISALD, row.NMFAMILISALD});
        cdsSaldoConsExt.SetData(
            detail::packet({{"CDFAMILISALD", "string"}, {"NMFAMILISALD", "string"}}, cells));
    }

    void movements(const std::vector<Movement>& rows) {
        std::vector<std::vector<std::string>> cells;
        for (const auto& row : rows) cells.push_back(detail::cells(row));
        cdsExtSimples.SetData(detail::packet({{"CDFAMILISALD", "string"},
                                              {"DATA", "date"},
                                              {"HORA", "string"},
                                              {"DSOPEEXTCONS", "string"},
                                              {"IDTPMOVEXT", "string"},
                                              {"NRSEQVENDA", "string"},
                                              {"VRMOVEXTCONS", "r8"},
                                              {"VRSALDCONEXT", "r8"},
                                              {"CDFILIAL", "string"}},
                                             cells));
    }

    void sale_items(const std::vector<SaleItem>& rows) {
        std::vector<std::vector<std::string>> cells;
        for (const auto& row : rows) {
            cells.push_back(
                {row.NRSEQVENDA, row.CDFAMILISALD, row.QTDE, row.NMPRODUTO, row.VRTOTAL});
        }
        cdsExtVenda.SetData(detail::packet({{"NRSEQVENDA", "string"},
                                            {"CDFAMILISALD", "string"},
                                            {"QTDE", "r8"},
                                            {"NMPRODUTO", "string"},
                                            {"VRTOTAL", "r8"}},
                                           cells));
    }

    void family_balances(const std::vector<std::string>& SALDOFAM) {
        std::vector<std::vector<std::string>> cells;
        for (const auto& value : SALDOFAM) cells.push_back({value});
        cdsSaldFam.SetData(detail::packet({{"SALDOFAM", "r8"}}, cells));
    }

    void extrato(const std::vector<ExtratoRow>& rows) {
        std::vector<std::vector<std::string>> cells;
        for (const auto& row : rows) {
            const Movement& m = row.movement;
            cells.push_back({row.CDCLIENTE, row.CDFAMILISALD, row.NMFAMILISALD, row.SALDANT, m.DATA,
                             m.HORA, m.DSOPEEXTCONS, m.IDTPMOVEXT, m.NRSEQVENDA, m.CDFILIAL,
                             m.amount, m.balance});
        }
        cdsExtrato.SetData(detail::packet({{"CDCLIENTE", "string"},
                                           {"CDFAMILISALD", "string"},
                                           {"NMFAMILISALD", "string"},
                                           {"SALDANT", "r8"},
                                           {"DATA", "date"},
                                           {"HORA", "string"},
                                           {"DSOPEEXTCONS", "string"},
                                           {"IDTPMOVEXT", "string"},
                                           {"NRSEQVENDA", "string"},
                                           {"CDFILIAL", "string"},
                                           {"VALOR", "r8"},
                                           {"SALDO", "r8"}},
                                          cells));
    }
};

}  // namespace tov::testing
