#pragma once
// The database components of the data module as names and parameter names only: the connection,
// the queries, the providers and the dialect storage. They open nothing; the database layer
// gives them their behaviour.

#include <string>
#include <vector>

namespace tov::package {

struct AdoConnection {
    std::string name;
};

struct AdoQuery {
    std::string name;
    std::vector<std::string> parameter_names;  // in declaration order, each a string of size 16
};

struct DataSetProvider {
    std::string name;
    std::string dataset_name;  // the query it turns into a packet
};

struct SqlStorage {
    std::string name;
    std::string query_name;  // the query whose statement it holds in both dialects
};

}  // namespace tov::package
