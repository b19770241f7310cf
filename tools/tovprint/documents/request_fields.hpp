#pragma once
// A document's request and its call, made from the export's parameter list
// (package/export_parameters.hpp): one field per parameter, named after it, read from the key of
// the same name, and passed in the list's order.
//
//   struct XRequest { TOV_X_PARAMETERS(TOVPRINT_REQUEST_FIELD) };
//   TOV_X_PARAMETERS(TOVPRINT_READ_FIELD)   reads every field of `arguments` from `request`
//   print(TOV_X_PARAMETERS(TOVPRINT_ARGUMENT) result)
//
// In a call, a text, integer, number or flag comes from the request `request`; a packet, the
// host's text variable and a dataset come from a local of the parameter's name that holds its
// bytes, its buffer or its HostDataSet. Every argument expands with a comma after it, so the
// call's last argument (the result) follows the list.

#include <cstdint>
#include <filesystem>
#include <string>

#include "documents/request_object.hpp"
#include "package/export_parameters.hpp"

namespace tovprint::request_fields {

using text = std::string;       // in Windows-1252
using host_text = std::string;  // the initial text of the host's variable
using integer = int32_t;
using number = double;
using flag = bool;
using packet = PacketReference;   // the packet: its file beside the request, or its bytes
using dataset = PacketReference;  // the packet the dataset is opened from

inline void read(RequestObject& request, const char* key, std::string& field) {
    field = request.text(key);
}
inline void read(RequestObject& request, const char* key, int32_t& field) {
    field = request.integer(key);
}
inline void read(RequestObject& request, const char* key, double& field) {
    field = request.number(key);
}
inline void read(RequestObject& request, const char* key, bool& field) {
    field = request.boolean(key);
}
inline void read(RequestObject& request, const char* key, PacketReference& field) {
    field = request.packet(key);
}

}  // namespace tovprint::request_fields

#define TOVPRINT_REQUEST_FIELD(kind, name) ::tovprint::request_fields::kind name{};

#define TOVPRINT_READ_FIELD(kind, name) \
    ::tovprint::request_fields::read(request, #name, arguments.name);

#define TOVPRINT_ARGUMENT(kind, name) TOVPRINT_ARGUMENT_##kind(name)
#define TOVPRINT_ARGUMENT_text(name) request.name.c_str(),
#define TOVPRINT_ARGUMENT_integer(name) request.name,
#define TOVPRINT_ARGUMENT_number(name) request.name,
#define TOVPRINT_ARGUMENT_flag(name) (request.name ? 1 : 0),
#define TOVPRINT_ARGUMENT_host_text(name) name.data(), name.size(),
#define TOVPRINT_ARGUMENT_packet(name) name.data(), name.size(),
#define TOVPRINT_ARGUMENT_dataset(name) name.handle(),
