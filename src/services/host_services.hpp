#pragma once
// The services of the host as the documents see them: printer configuration, connection string,
// session set-up, database error text, decryption, clock and executable path. Each goes to the
// registered tov_host table, or to the package's built-in default when the host left it NULL.

#include <string>

#include "tov00000/tov00000.h"

namespace tov::services {

class HostServices {
public:
    HostServices();  // every service is the built-in default
    explicit HostServices(const tov_host& table);

    // The line layout of a printer kind. The built-in default reads the printer table named by the
    // environment variable TOV_PRINTERS, else the built-in table, and leaves stNrCupom unchanged.
    void ConfiguraImpressora(int kind, bool flag1, bool flag2, int& inTipoLetra, int& inTamLinha,
                             std::string& stEnter, std::string& stCortaPapel,
                             std::string& stNrCupom) const;

    // The store database's connection string. Default: TOV_CONNECTION, else "" (the demo store).
    std::string GetStringConexPld(const std::string& arg) const;

    // Hands a newly opened connection to the host. Default: nothing.
    void SetADODBSession(void* connection) const;

    // The text describing a database error. Default: the error's own message.
    std::string ADOExceptionMessage(const std::string& error_text, void* connection,
                                    const std::string& text) const;

    // The plain text of an enciphered one. Default: the package's cipher.
    std::string Uncripto(const std::string& text, int key) const;

    // Now as days since 1899-12-30. Default: the system clock in local time.
    double Now() const;

    // The full path of the host executable. Default: the running program's own path.
    std::string ExePath() const;

private:
    tov_host table_;
};

// The system clock in local time as days since 1899-12-30.
double system_now();

}  // namespace tov::services
