#pragma once
// The payment-means report: the host's receipts over a period, one line per row, grouped in day
// blocks with a sum per day, then a recapitulation per payment type and the period's total,
// handed to the back-end's imprimeTipoRece in one call.

#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "services/document_context.hpp"

namespace tov::reports {

// The arguments of imprimeTipoRece_Tov00000, in their order.
struct PaymentMeansRequest {
    int IdTipoImpFis = 0;
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stEsquemaCor;
    std::string stNrSerie;
    std::string stMeiosPgto;
    std::string_view oleTipoRece;  // the data packet, binary or XML
    std::string stDataIni;
    std::string stDataFin;
};

// Prints the report; cdsTipoReceHomolog receives the packet and keeps it after the call. Every
// failure (an unregistered entry point, a packet that cannot be read, a missing field, a date
// that cannot be written) is thrown before anything reaches imprimeTipoRece.
void imprimeTipoRece(const PaymentMeansRequest& request, dataset::ClientDataSet& cdsTipoReceHomolog,
                     const services::DocumentContext& context);

}  // namespace tov::reports
