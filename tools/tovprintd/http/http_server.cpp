#include "http/http_server.hpp"

#include <microhttpd.h>

#include <cstdlib>
#include <cstring>

#include "access/security_headers.hpp"
#include "os/file_bytes.hpp"
#include "platform/errors/errors.hpp"

namespace tovprintd {

struct HttpServer::Context {
    HttpLimits limits;
    HttpHandler handler;
    std::string certificate;  // PEM, kept while the daemon runs
    std::string key;
};

namespace {

using Clock = std::chrono::steady_clock;

// One request while its body arrives.
struct RequestState {
    Clock::time_point started = Clock::now();
    std::string body;
};

MHD_Result send_response(MHD_Connection* connection, const HttpResponse& answer) {
    MHD_Response* response = MHD_create_response_from_buffer(
        answer.body.size(), const_cast<char*>(answer.body.data()), MHD_RESPMEM_MUST_COPY);
    if (response == nullptr) return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, answer.content_type.c_str());
    MHD_add_response_header(response, "Cache-Control", "no-store");
    for (const auto& [name, value] : security_headers) {
        MHD_add_response_header(response, std::string(name).c_str(), std::string(value).c_str());
    }
    for (const auto& [name, value] : answer.headers) {
        MHD_add_response_header(response, name.c_str(), value.c_str());
    }
    const MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
    MHD_destroy_response(response);
    return queued;
}

HttpResponse error_response(int status, const std::string& message) {
    std::string escaped;
    for (const char c : message) {
        if (c == '"' || c == '\\') escaped += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        escaped += c;
    }
    return HttpResponse{status, "application/json", "{\"error\":\"" + escaped + "\"}", {}};
}

std::optional<std::string> header(MHD_Connection* connection, const char* name) {
    const char* value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

MHD_Result collect_query(void* cls, MHD_ValueKind, const char* key, const char* value) {
    auto& query = *static_cast<std::map<std::string, std::string>*>(cls);
    if (key != nullptr) query[key] = value != nullptr ? value : "";
    return MHD_YES;
}

bool declared_too_large(MHD_Connection* connection, std::size_t limit) {
    const auto length = header(connection, MHD_HTTP_HEADER_CONTENT_LENGTH);
    if (!length) return false;
    char* end = nullptr;
    const unsigned long long size = std::strtoull(length->c_str(), &end, 10);
    return end == length->c_str() || *end != '\0' || size > limit;
}

MHD_Result answer_request(void* cls, MHD_Connection* connection, const char* url,
                          const char* method, const char*, const char* upload_data,
                          size_t* upload_data_size, void** request_cls) {
    const auto& context = *static_cast<const HttpServer::Context*>(cls);
    if (*request_cls == nullptr) {
        if (declared_too_large(connection, context.limits.max_body_bytes)) {
            return send_response(
                connection,
                error_response(413, "the body is larger than " +
                                        std::to_string(context.limits.max_body_bytes) + " bytes"));
        }
        *request_cls = std::make_unique<RequestState>().release();
        return MHD_YES;
    }
    auto& state = *static_cast<RequestState*>(*request_cls);
    if (*upload_data_size != 0) {
        // A body over the limits (one sent without Content-Length) ends the connection.
        if (state.body.size() + *upload_data_size > context.limits.max_body_bytes ||
            Clock::now() - state.started > context.limits.body_time_limit) {
            return MHD_NO;
        }
        state.body.append(upload_data, *upload_data_size);
        *upload_data_size = 0;
        return MHD_YES;
    }
    HttpRequest request;
    request.method = method;
    request.path = url;
    MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, collect_query, &request.query);
    request.authorization = header(connection, MHD_HTTP_HEADER_AUTHORIZATION);
    request.idempotency_key = header(connection, "Idempotency-Key");
    request.host = header(connection, MHD_HTTP_HEADER_HOST);
    request.origin = header(connection, "Origin");
    request.sec_fetch_site = header(connection, "Sec-Fetch-Site");
    request.body = std::move(state.body);
    HttpResponse response;
    try {
        response = context.handler(request);
    } catch (const std::exception& error) {
        response = error_response(500, error.what());
    }
    return send_response(connection, response);
}

void request_completed(void*, MHD_Connection*, void** request_cls, MHD_RequestTerminationCode) {
    std::unique_ptr<RequestState> state(static_cast<RequestState*>(*request_cls));
    *request_cls = nullptr;
}

std::string pem_file(const std::filesystem::path& file, const char* what) {
    try {
        return tovprint::read_file_bytes(file);
    } catch (const tov::Error& error) {
        throw tov::FileError(std::string("tls.") + what + ": " + error.what());
    }
}

}  // namespace

HttpServer::HttpServer(const ListenAddress& address, const std::optional<TlsConfig>& tls,
                       HttpLimits limits, HttpHandler handler)
    : context_(std::make_unique<Context>(Context{limits, std::move(handler), "", ""})) {
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_USE_ERROR_LOG;
    if (address.socket_address.ss_family == AF_INET6) flags |= MHD_USE_IPv6;
    std::vector<MHD_OptionItem> options{
        {MHD_OPTION_SOCK_ADDR, 0, const_cast<sockaddr_storage*>(&address.socket_address)},
        {MHD_OPTION_THREAD_POOL_SIZE, limits.threads, nullptr},
        {MHD_OPTION_CONNECTION_LIMIT, limits.connections, nullptr},
        {MHD_OPTION_PER_IP_CONNECTION_LIMIT, limits.connections_per_address, nullptr},
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, static_cast<intptr_t>(limits.header_memory_bytes),
         nullptr},
        {MHD_OPTION_CONNECTION_TIMEOUT, static_cast<intptr_t>(limits.idle_timeout.count()),
         nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, reinterpret_cast<intptr_t>(&request_completed), nullptr},
    };
    if (tls) {
        flags |= MHD_USE_TLS;
        context_->certificate = pem_file(tls->certificate, "certificate");
        context_->key = pem_file(tls->key, "key");
        options.push_back({MHD_OPTION_HTTPS_MEM_CERT, 0, context_->certificate.data()});
        options.push_back({MHD_OPTION_HTTPS_MEM_KEY, 0, context_->key.data()});
    }
    options.push_back({MHD_OPTION_END, 0, nullptr});
    daemon_ = MHD_start_daemon(flags, address.port, nullptr, nullptr, &answer_request,
                               context_.get(), MHD_OPTION_ARRAY, options.data(), MHD_OPTION_END);
    if (daemon_ == nullptr) {
        throw tov::Error("cannot listen on " + address.text +
                         " (is the port taken, or a TLS file not a PEM certificate and key?)");
    }
}

HttpServer::~HttpServer() {
    stop();
}

std::uint16_t HttpServer::port() const {
    const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
    return info != nullptr ? info->port : 0;
}

void HttpServer::stop() {
    if (daemon_ == nullptr) return;
    MHD_stop_daemon(daemon_);
    daemon_ = nullptr;
}

}  // namespace tovprintd
