#include "console/console_assets.hpp"

namespace tovprintd {

StaticAssets console_assets() {
    return [](const std::string& path) -> std::optional<HttpResponse> {
        if (path == "/" || path == "/index.html") {
            return HttpResponse{200, "text/html; charset=utf-8", std::string(console_page()), {}};
        }
        if (path == "/console.js") {
            return HttpResponse{
                200, "text/javascript; charset=utf-8", std::string(console_script()), {}};
        }
        if (path == "/console.css") {
            return HttpResponse{
                200, "text/css; charset=utf-8", std::string(console_stylesheet()), {}};
        }
        if (path == "/icon.svg" || path == "/favicon.ico") {
            return HttpResponse{200, "image/svg+xml", std::string(console_icon()), {}};
        }
        return std::nullopt;
    };
}

}  // namespace tovprintd
