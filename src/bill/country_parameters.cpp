#include "bill/country_parameters.hpp"

#include <filesystem>

#include "platform/errors/errors.hpp"
#include "platform/fs/file_exists.hpp"
#include "platform/fs/host_folder.hpp"

namespace tov::bill {
namespace {

// Closes the parameter dataset however the reading ends.
class ClosedAfterReading {
public:
    explicit ClosedAfterReading(dataset::ClientDataSet& data) : data_(data) {}
    ~ClosedAfterReading() { data_.Close(); }
    ClosedAfterReading(const ClosedAfterReading&) = delete;
    ClosedAfterReading& operator=(const ClosedAfterReading&) = delete;

private:
    dataset::ClientDataSet& data_;
};

CountryParameters read_parameters(dataset::ClientDataSet& cdsParametrosPld,
                                  const std::filesystem::path& path) {
    const ClosedAfterReading closing(cdsParametrosPld);
    cdsParametrosPld.LoadFromFile(path);
    CountryParameters parameters;
    parameters.stSgEstadoFili = cdsParametrosPld.FieldByName("SGESTADOFILI").AsString();
    parameters.stIdUtiCoreBanc = cdsParametrosPld.FieldByName("IDUTICOREBANC").AsString();
    parameters.stIdPaisIntegra = cdsParametrosPld.FieldByName("IDPAISINTEGRA").AsString();
    return parameters;
}

}  // namespace

CountryParameters GetIdPaisIntegra(dataset::ClientDataSet& cdsParametrosPld,
                                   const services::HostServices& host) {
    const std::filesystem::path path = fs::HostFolder(host.ExePath()) / parameter_file_name;
    if (!fs::FileExists(path)) return {};
    try {
        return read_parameters(cdsParametrosPld, path);
    } catch (const FieldNotFound& missing) {
        throw Error("parameter file '" + path.string() + "': " + missing.what(), missing.status());
    }
}

}  // namespace tov::bill
