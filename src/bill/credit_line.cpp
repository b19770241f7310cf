#include "bill/credit_line.hpp"

namespace tov::bill {

std::string credit_line() {
    return "QUELMAR SOFTWARE - " + std::string(maker_web_address);
}

}  // namespace tov::bill
