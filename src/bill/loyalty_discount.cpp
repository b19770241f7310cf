#include "bill/loyalty_discount.hpp"

namespace tov::bill {

double loyalty_discount(const BillRun& run) {
    const TableBillRequest& request = run.request;
    lookups::SaleLookups& lookups = run.store.lookups;
    if (request.stIdUtilFid4All == "S") {
        return lookups.get_desc_cash4all(request.stCdFilial, request.stNrComanda);
    }
    if (request.stIdUtilFidUds == "S") {
        return lookups.get_desc_cash_uds(request.stCdFilial, request.stNrComanda);
    }
    if (run.country.stIdUtiCoreBanc == "S") {
        return lookups.get_desc_core_banc(request.stCdFilial, request.stNrComanda);
    }
    return lookups.get_desconto_fid(request.stCdFilial, request.stNrComanda);
}

}  // namespace tov::bill
