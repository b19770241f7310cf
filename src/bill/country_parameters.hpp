#pragma once
// The store's country, the branch's state and the core-banking loyalty switch, from the parameter
// file the host keeps beside its executable.

#include <string>
#include <string_view>

#include "platform/dataset/client_dataset.hpp"
#include "services/host_services.hpp"

namespace tov::bill {

inline constexpr std::string_view parameter_file_name = "PARAMETROSPLD.CDS";

struct CountryParameters {
    std::string stIdPaisIntegra;  // "01": Colombia, the bill in Spanish
    std::string stSgEstadoFili;   // "SC": the bill announces the fiscal coupon
    std::string stIdUtiCoreBanc;  // "S": the loyalty discount from core banking
};

// The three fields of the first row of PARAMETROSPLD.CDS (a binary or XML packet file) in the
// folder of the host executable (ExePath), read as text through cdsParametrosPld, which is closed
// again. No file there: all three are empty. A file that is no packet, or lacks one of the three
// fields, throws naming the file.
CountryParameters GetIdPaisIntegra(dataset::ClientDataSet& cdsParametrosPld,
                                   const services::HostServices& host);

}  // namespace tov::bill
