#pragma once
// A StatusConnection whose printer is a script: each write may add bytes to what the next reads
// get; a read with nothing to give returns at once, as if its deadline had passed.

#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "printer/status/status_connection.hpp"

namespace tovprint::status::test {

class ScriptedConnection : public StatusConnection {
public:
    using Answerer = std::function<std::string(std::string_view request)>;

    explicit ScriptedConnection(Answerer answerer) : answerer_(std::move(answerer)) {}

    void write(std::string_view bytes, Deadline) override {
        written += bytes;
        std::string answer = answerer_(bytes);
        if (!answer.empty()) pieces_.push_back(std::move(answer));
    }

    std::string read_some(Deadline) override {
        if (pieces_.empty()) {
            if (closed) throw StatusConnectionError("the printer closed the connection");
            return {};
        }
        std::string piece = std::move(pieces_.front());
        pieces_.pop_front();
        return piece;
    }

    // Bytes that arrive without a request, in pieces read one at a time.
    void arrive(std::string bytes) { pieces_.push_back(std::move(bytes)); }

    std::string written;
    bool closed = false;

private:
    Answerer answerer_;
    std::deque<std::string> pieces_;
};

inline std::string bytes(std::initializer_list<unsigned char> list) {
    return std::string(list.begin(), list.end());
}

}  // namespace tovprint::status::test
