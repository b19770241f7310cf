#pragma once
// The PAF-ECF identification report: the certification report, the developer, the program's
// name and version, the MD5 digests of its files and the serial numbers of the fiscal registers
// in use, handed to the back-end's generic report in one piece.

#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "services/document_context.hpp"

namespace tov::reports {

// The eight values of ImprimeDadosPaf_Tov00000's parameter array, in their order.
struct PafIdentificationRequest {
    std::string stCdFilial;
    std::string stCdCaixa;
    std::string stEsquemaCor;
    std::string_view oleDadosPaf;         // identification packet, values enciphered
    std::string_view oleBuscaNrSerieEcf;  // one row per fiscal register
    std::string stNrSerie;
    int IdTipoImpFis = 0;
    std::string stIndice;
};

// The data module's datasets the report loads; each keeps what it received after the call.
struct PafDataSets {
    dataset::ClientDataSet& cdsDadosPaf;
    dataset::ClientDataSet& cdsBuscaNrSerieEcf;
    dataset::ClientDataSet& cdsArquivosPldMd5;
};

// Prints the report and returns the back-end's answer. The digest files are read from beside the
// host executable (ExePath); a missing one leaves its section out, and without the file list the
// main executable's digest prints empty; an identification packet without a row prints its
// values empty. Every failure is thrown before anything reaches the back-end: an unregistered
// Relatorio_Generico, an empty executable path, a packet or file that cannot be read, a missing
// field.
bool ImprimeDadosPaf(const PafIdentificationRequest& request, const PafDataSets& datasets,
                     const services::DocumentContext& context);

}  // namespace tov::reports
