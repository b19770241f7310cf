#include "reports/paf_identification.hpp"

#include <optional>
#include <utility>

#include "platform/fs/file_exists.hpp"
#include "platform/fs/host_folder.hpp"
#include "reports/paf_digest_files.hpp"
#include "reports/paf_line_layout.hpp"
#include "services/cipher.hpp"
#include "services/document_text.hpp"
#include "services/text_helpers.hpp"

namespace tov::reports {
namespace {

using services::Centraliza;
using services::Replicate;

constexpr std::string_view main_executable = "PLD.EXE";

// The report text: each line closed by the layout's line break, rules as wide as the line.
class PafReportText {
public:
    explicit PafReportText(const services::LineLayout& layout)
        : width_(layout.width), text_(layout.line_break) {}

    void line(std::string_view text) { text_.line(text); }
    void empty_line() { text_.empty_line(); }
    void rule() { line(Replicate("-", width_)); }
    void centred(std::string_view text) { line(Centraliza(text, width_)); }
    const std::string& text() const { return text_.text(); }

private:
    int width_;
    services::DocumentText text_;
};

// The identification values, read from the row the packet's dataset stands on after loading
// (its first row) and deciphered. A packet without rows gives empty texts, still deciphered.
class Identification {
public:
    Identification(const dataset::ClientDataSet& data, const services::HostServices& host)
        : data_(data), host_(host) {}

    std::string operator[](std::string_view field) const {
        return host_.Uncripto(data_.FieldByName(field).AsString(), services::kReportCipherKey);
    }

private:
    const dataset::ClientDataSet& data_;
    const services::HostServices& host_;
};

void write_identification(PafReportText& report, const Identification& paf) {
    report.centred("Identifica\xe7\xe3o do Paf-Ecf");
    report.rule();
    report.empty_line();
    report.line("Nr do Laudo :  " + paf["NRLAUDO"]);
    report.empty_line();
    report.line("Identifica\xe7\xe3o da Empresa: ");
    report.rule();
    report.empty_line();
    report.line("CNPJ         : " + paf["NRCNPJQUELMAR"]);
    report.line("Raz\xe3o Social : " + paf["DSRAZAOSOCIQLM"]);
    report.line("Endere\xe7o     : " + paf["DSENDEQUELMAR"]);
    report.line("Telefone     : " + paf["DSTELEFONEQLM"]);
    report.line("Contato      : " + paf["NMRESPONSIST"]);
    report.line("Identifica\xe7\xe3o PAF-ECF: ");
    report.line("Nome Comercial: " + paf["DSNOMECOMERCIAL"]);
    report.line("Vers\xe3o        : " + paf["DSVERSAOPALINDO"]);
    report.empty_line();
    report.line("Data de emiss\xe3o do Laudo: 08/06/2018");
}

// The main executable's digest from the file list: the row of PLD.EXE in any case, else the
// first row. Without a file list the digest is empty: whatever an earlier call left in the
// dataset belongs to another file.
std::string main_executable_digest(const std::optional<std::filesystem::path>& file_list,
                                   dataset::ClientDataSet& files) {
    if (!file_list) return {};
    files.LoadFromFile(*file_list);
    dataset::LocateOptions any_case;
    any_case.case_insensitive = true;
    files.Locate("NMARQUIVO", main_executable, any_case);
    return files.FieldByName("NUMEROMD5").AsString();
}

void write_main_executable(PafReportText& report, const Identification& paf,
                           const std::string& digest) {
    report.line("Principal Exe : " + paf["NMEXEPALINDO"]);
    report.line("MD5           : " + digest);
    report.empty_line();
}

void write_file_list(PafReportText& report, dataset::ClientDataSet& files) {
    files.First();
    report.line("Rela\xe7\xe3o de Arquivos");
    report.rule();
    report.empty_line();
    while (!files.Eof()) {
        report.line("Arquivo: " + files.FieldByName("NMARQUIVO").AsString());
        report.line("MD5    : " + files.FieldByName("NUMEROMD5").AsString());
        report.empty_line();
        files.Next();
    }
}

void write_text_file_digest(PafReportText& report, const std::filesystem::path& digest_file,
                            dataset::ClientDataSet& files, const services::HostServices& host) {
    files.LoadFromFile(digest_file);
    report.line("Arquivo Texto : ARQUIVOSPLDMD5.TXT");
    report.line("MD-5          : " + host.Uncripto(files.FieldByName("MD5ARQUIVOTXT").AsString(),
                                                   services::kReportCipherKey));
    report.empty_line();
}

void write_fiscal_registers(PafReportText& report, dataset::ClientDataSet& registers) {
    if (registers.IsEmpty()) return;
    report.line("Rela\xe7\xe3o de Ecf's");
    report.rule();
    report.empty_line();
    for (registers.First(); !registers.Eof(); registers.Next()) {
        report.line(registers.FieldByName("NRSERIEIMPRPERS").AsString());
    }
}

std::optional<std::filesystem::path> existing(const std::filesystem::path& path) {
    if (!fs::FileExists(path)) return std::nullopt;
    return path;
}

}  // namespace

bool ImprimeDadosPaf(const PafIdentificationRequest& request, const PafDataSets& datasets,
                     const services::DocumentContext& context) {
    context.backend.require({services::EntryPoint::Relatorio_Generico});
    const PafDigestFiles files = paf_digest_files(fs::HostFolder(context.host.ExePath()));
    datasets.cdsDadosPaf.SetData(request.oleDadosPaf);
    datasets.cdsBuscaNrSerieEcf.SetData(request.oleBuscaNrSerieEcf);
    PafReportText report(paf_line_layout(request.IdTipoImpFis));

    const Identification paf(datasets.cdsDadosPaf, context.host);
    write_identification(report, paf);
    const auto file_list = existing(files.file_list);
    write_main_executable(report, paf,
                          main_executable_digest(file_list, datasets.cdsArquivosPldMd5));
    if (file_list) write_file_list(report, datasets.cdsArquivosPldMd5);
    if (const auto digest_file = existing(files.digest_file)) {
        write_text_file_digest(report, *digest_file, datasets.cdsArquivosPldMd5, context.host);
    }
    report.line("Versao ER PAF-ECF: 02.06");
    report.empty_line();
    write_fiscal_registers(report, datasets.cdsBuscaNrSerieEcf);

    return context.backend.Relatorio_Generico(request.stEsquemaCor, request.stCdFilial,
                                              request.stCdCaixa, report.text(), request.stNrSerie,
                                              request.stIndice);
}

}  // namespace tov::reports
