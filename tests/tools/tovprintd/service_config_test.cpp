#include "config/service_config.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <netinet/in.h>

#include <string>

#include "platform/errors/errors.hpp"

namespace tovprintd {
namespace {

using testing::HasSubstr;

const std::string digest_a(64, 'a');
const std::string digest_b = "0123456789ABCDEF0123456789abcdef0123456789abcdef0123456789abcdef";

std::string config_with(const std::string& printers, const std::string& extra = "",
                        const std::string& token = digest_a) {
    return R"({"journal": "/var/lib/tovprintd/journal.db",
      "callers": [{"name": "caixa-1", "token_sha256": ")" +
           token + R"(", "role": "till"},
                  {"name": "gerente", "token_sha256": ")" +
           digest_b + R"(", "role": "manager"}],
      "printers": )" +
           printers + extra + "}";
}

const std::string two_printers =
    R"({"caixa": {"address": "tcp://192.0.2.10:9100", "profile": "escpos", "backup": "bar"},
        "bar": {"address": "file:/dev/usb/lp0", "profile": "esc-e-f", "timeout": 2.5}})";

std::string error_of(const std::string& json) {
    try {
        read_service_config(json, "c.json");
    } catch (const tov::ArgumentError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(ServiceConfig, ReadsEveryPartWithItsDefaults) {
    const ServiceConfig config = read_service_config(
        config_with(two_printers,
                    R"(, "tls": {"certificate": "/etc/c.pem", "key": "/etc/k.pem"},
                       "package": {"connection": "DSN=loja", "exe_path": "/opt/pdv/PLD.EXE",
                                   "now": "2026-12-08 14:30"}, "queue_limit": 50)"),
        "c.json");
    EXPECT_EQ(config.listen.text, "127.0.0.1:8631");
    EXPECT_EQ(config.listen.port, 8631);
    EXPECT_TRUE(config.listen.loopback);
    ASSERT_EQ(config.callers.size(), 2u);
    EXPECT_EQ(config.callers[0].role, CallerRole::Till);
    EXPECT_EQ(config.callers[1].role, CallerRole::Manager);
    EXPECT_EQ(config.callers[1].token_sha256[0], 0x01);
    EXPECT_EQ(config.callers[1].token_sha256[7], 0xEF);
    EXPECT_EQ(config.printers.at("caixa").backup, "bar");
    EXPECT_EQ(config.printers.at("caixa").timeout.count(), 10000);
    EXPECT_EQ(config.printers.at("bar").timeout.count(), 2500);
    EXPECT_EQ(config.printers.at("bar").profile.code_page, "CP860");
    ASSERT_TRUE(config.tls);
    EXPECT_EQ(config.tls->key, "/etc/k.pem");
    EXPECT_EQ(config.package.connection, "DSN=loja");
    ASSERT_TRUE(config.package.now);
    EXPECT_DOUBLE_EQ(*config.package.now, 46364 + 14.5 / 24);
    EXPECT_EQ(config.queue_limit, 50u);
}

TEST(ServiceConfig, NamesEachFault) {
    const struct {
        std::string json;
        std::string message;
    } faults[] = {
        {config_with(two_printers, R"(, "lisen": "127.0.0.1:1")"), "c.json: lisen: unknown key"},
        {config_with(R"({"caixa": {"address": "tcp://h", "profil": "escpos"}})"),
         "printers.caixa.profil: unknown key"},
        {config_with(R"({"caixa": {"address": "tcp://h", "profile": "laser"}})"),
         "printers.caixa.profile: "},
        {config_with(R"({"caixa": {"address": "tcp://h", "backup": "cozinha"}})"),
         "printers.caixa.backup: no printer is named 'cozinha'"},
        {config_with(R"({"caixa": {"address": "tcp://h", "backup": "caixa"}})"),
         "printers.caixa.backup: is the printer itself"},
        {config_with(R"({"caixa": {"address": "lpt1"}})"), "printers.caixa.address: "},
        {config_with(R"({"caixa": {"address": "tcp://h", "timeout": 0}})"),
         "printers.caixa.timeout: must be a number from 0.001 to 3600"},
        {config_with(two_printers, "", std::string(63, 'a')),
         "callers[0].token_sha256: must be 64 hexadecimal digits"},
        {config_with(two_printers, "", std::string(63, 'a') + "g"),
         "callers[0].token_sha256: must be 64 hexadecimal digits"},
        {config_with(two_printers, "", digest_b), "callers[1]: the same token as another caller"},
        {config_with(two_printers, R"(, "listen": "localhost:8631")"),
         "listen: listen address 'localhost:8631' must begin with an IPv4 address"},
        {config_with(two_printers, R"(, "listen": "127.0.0.1:99999")"),
         "listen: listen address '127.0.0.1:99999' must end in :PORT"},
        {config_with(two_printers, R"(, "listen": "127.0.0.1")"), "must be HOST:PORT"},
        {config_with(two_printers, R"(, "listen": "[::g]:1")"), "holds no IPv6 address"},
        {config_with(two_printers, R"(, "tls": {"certificate": "/c.pem"})"), "tls.key: missing"},
        {config_with(two_printers, R"(, "package": {"now": "yesterday"})"), "package.now: "},
        {config_with("{}"), "printers: must be an object of printers by name"},
        {config_with(R"({"caixa 1": {"address": "tcp://h"}})"), "printers.caixa 1: a printer's"},
        {R"({"callers": [], "printers": {}})", "c.json: journal: missing"},
        {"[1, 2]", "c.json: must be an object"},
        {"{", "c.json: not valid JSON"},
    };
    for (const auto& fault : faults) {
        EXPECT_THAT(error_of(fault.json), HasSubstr(fault.message)) << fault.json;
    }
}

TEST(ListenAddress, ReadsIPv4AndIPv6AndTellsLoopbackApart) {
    const ListenAddress any = parse_listen_address("0.0.0.0:0");
    EXPECT_EQ(any.port, 0);
    EXPECT_FALSE(any.loopback);
    const ListenAddress ipv6 = parse_listen_address("[::1]:8631");
    EXPECT_EQ(ipv6.socket_address.ss_family, AF_INET6);
    EXPECT_TRUE(ipv6.loopback);
    EXPECT_TRUE(parse_listen_address("127.0.0.2:80").loopback);
    EXPECT_FALSE(parse_listen_address("192.168.0.5:80").loopback);
}

}  // namespace
}  // namespace tovprintd
