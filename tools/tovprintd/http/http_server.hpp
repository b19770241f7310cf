#pragma once
// The API's HTTP server, on libmicrohttpd: an event-driven server whose few threads are never
// held by a slow client. It bounds what a client may take: connections in all and per address,
// the memory of a request's headers, the time a connection may stay silent, the size of a body
// (413 when its Content-Length says it is too large, the connection dropped when a body without
// one grows too large) and the time a body may take to arrive. With a certificate it speaks only
// HTTPS (GnuTLS).

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/listen_address.hpp"
#include "config/service_config.hpp"

struct MHD_Daemon;

namespace tovprintd {

struct HttpRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> query;
    std::optional<std::string> authorization;
    std::optional<std::string> idempotency_key;
    std::optional<std::string> host;  // the headers a browser's page is told apart by
    std::optional<std::string> origin;
    std::optional<std::string> sec_fetch_site;
    std::string body;
};

struct HttpResponse {
    int status = 200;
    std::string content_type = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

using HttpHandler = std::function<HttpResponse(const HttpRequest&)>;

struct HttpLimits {
    std::size_t max_body_bytes = default_max_body_bytes;
    unsigned connections = 256;
    unsigned connections_per_address = 64;
    unsigned threads = 4;
    std::size_t header_memory_bytes = 64 * 1024;
    std::chrono::seconds idle_timeout{15};
    std::chrono::seconds body_time_limit{30};
};

class HttpServer {
public:
    // Listens at once; throws tov::Error when it cannot (the port is taken, a TLS file cannot
    // be read).
    HttpServer(const ListenAddress& address, const std::optional<TlsConfig>& tls, HttpLimits limits,
               HttpHandler handler);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // The port it listens on (the one chosen by the system for port 0).
    std::uint16_t port() const;
    // Takes no more connections; the requests in progress are answered first.
    void stop();

    struct Context;

private:
    std::unique_ptr<Context> context_;
    MHD_Daemon* daemon_ = nullptr;
};

}  // namespace tovprintd
