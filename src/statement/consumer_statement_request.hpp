#pragma once
// The arguments of Extrato_Tov00000, the consumer statement.

#include <string>

#include "platform/dataset/client_dataset.hpp"

namespace tov::statement {

// The arguments in their order. The datasets are the host's own: the statement moves their
// cursors, sets their filters and reads them, and the host sees where they were left, so they are
// held by reference even in a const request.
struct ConsumerStatementRequest {
    bool boUtilizaImpFis = false;  // true: the fiscal register; false: the plain printer
    std::string stCdFilial;
    std::string stEsquemaCor;
    std::string stIdTipoImpNF;  // the plain printer's model: selects the closing feed
    std::string stCdPortImpNF;
    dataset::ClientDataSet& cdsTipoExtCons;   // IDEMISEXTRSIMPL: "S" the simple layout
    dataset::ClientDataSet& cdsSaldoConsExt;  // the consumer's families (simple layout)
    dataset::ClientDataSet& cdsExtSimples;    // every movement (simple layout)
    dataset::ClientDataSet& cdsExtVenda;      // the items of the sales among the movements
    dataset::ClientDataSet& cdsSaldFam;       // the current balance of each family
    std::string stValData;                    // not read
    std::string stFilial;
    std::string stCaixa;
    std::string stConsumidor;
    std::string stNmConsumidor;
    dataset::ClientDataSet& cdsExtrato;  // customer, previous balances; movements (detailed)
    int IdTipoImpFis = 0;
};

}  // namespace tov::statement
