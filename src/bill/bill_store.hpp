#pragma once
// What the table bill uses of the data module: the client datasets it loads the items, the
// till's operator, the loyalty balance, the payments and the parameter file into, and the
// lookups with the till's footer query.

#include "lookups/sale_lookups.hpp"
#include "platform/dataset/client_dataset.hpp"

namespace tov::bill {

struct BillStore {
    dataset::ClientDataSet& cdsParcProdutos;
    dataset::ClientDataSet& cdsCaixa;
    dataset::ClientDataSet& cdsSaldocons;
    dataset::ClientDataSet& cdsMovCaixaMob;
    dataset::ClientDataSet& cdsParametrosPld;
    lookups::SaleLookups& lookups;  // and adqTextParcCont, the footer query
};

}  // namespace tov::bill
