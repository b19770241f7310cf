#pragma once
// The exchange coupon: the products of a sale under the heading "CUPOM DE TROCA", the number of
// the fiscal coupon, the consumer when known and the period within which the goods may be
// exchanged, handed to the back-end's Cupom_Troca.

#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "services/document_context.hpp"

namespace tov::coupon {

// The arguments of Cupom_Troca_Tov00000, in their order.
struct ExchangeCouponRequest {
    int IdTipoImpFis = 0;
    std::string_view oleProdutos;  // the product packet, binary or XML
    std::string stEsquemaCor;
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stNmConsumidor;
    std::string stCpfCnpjCon;
    std::string stTipVen;
    double doNrDias = 0;
};

// Prints the coupon and returns Cupom_Troca's answer. cdsProdCupTroca receives the packet and
// keeps it after the call. Every failure (an unregistered entry point, a packet that cannot be
// read, a missing field) is thrown, and the coupon then never reaches Cupom_Troca.
bool CupomTroca(const ExchangeCouponRequest& request, dataset::ClientDataSet& cdsProdCupTroca,
                const services::DocumentContext& context);

}  // namespace tov::coupon
