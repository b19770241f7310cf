#include "package/status_text.hpp"

#include "tov00000/tov00000.h"

namespace tov::package {

const char* status_text(int32_t status) noexcept {
    switch (status) {
        case TOV_OK:
            return "TOV_OK: the call succeeded.";
        case TOV_E_ARGUMENT:
            return "TOV_E_ARGUMENT: an argument is wrong: a NULL handle or buffer, a value out of "
                   "range, a missing parameter or a table of the wrong size.";
        case TOV_E_PACKET:
            return "TOV_E_PACKET: a data packet cannot be read.";
        case TOV_E_FIELD:
            return "TOV_E_FIELD: the data does not hold a field the call needs.";
        case TOV_E_DATASET:
            return "TOV_E_DATASET: a dataset operation failed, such as a bad filter or a missing "
                   "index.";
        case TOV_E_CONVERSION:
            return "TOV_E_CONVERSION: a value cannot be converted or formatted.";
        case TOV_E_DATABASE:
            return "TOV_E_DATABASE: the store database failed.";
        case TOV_E_FILE:
            return "TOV_E_FILE: a file is missing or unreadable.";
        case TOV_E_BACKEND:
            return "TOV_E_BACKEND: a back-end entry point or host service is missing or failed.";
        case TOV_E_BUFFER:
            return "TOV_E_BUFFER: the answer does not fit the caller's buffer; "
                   "Tov_LastRequiredCapacity tells the capacity that fits.";
        case TOV_E_INTERNAL:
            return "TOV_E_INTERNAL: the package failed inside, for a reason none of the other "
                   "codes "
                   "names.";
        default:
            return "unknown status: the package returns no such code.";
    }
}

}  // namespace tov::package
