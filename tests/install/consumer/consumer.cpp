// A C++ host of the installed package through tov00000.hpp: opens the packet named on the command
// line as a host dataset and reads its rows.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <tov00000/tov00000.hpp>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: consumer_cpp PACKET\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::string packet{std::istreambuf_iterator<char>(file), {}};
    try {
        const tov::DataSet dataset = tov::OpenDataSet(packet);
        int32_t rows = 0;
        if (Tov_DataSetRecordCount(dataset.get(), &rows) != TOV_OK || rows == 0) {
            std::cerr << "consumer_cpp: no rows\n";
            return 1;
        }
        std::cout << "consumer_cpp: " << rows << " rows\n";
        tov::OpenDataSet("not a packet");
        std::cerr << "consumer_cpp: a bad packet was not refused\n";
        return 1;
    } catch (const tov::PackageError& error) {
        if (error.status() != TOV_E_PACKET) {
            std::cerr << "consumer_cpp: " << error.what() << '\n';
            return 1;
        }
    }
    return 0;
}
