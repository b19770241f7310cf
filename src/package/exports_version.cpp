// The C exports of the library's version: the TOV_VERSION_* of the header it was built with.
// They neither take the package lock nor clear this thread's last message, so a host may ask
// them first, before any registration.

#include "tov00000/tov00000.h"

extern "C" {

TOV_API int32_t TOV_CALL Tov_VersionNumber(void) {
    return TOV_VERSION_NUMBER;
}

TOV_API const char* TOV_CALL Tov_VersionString(void) {
    return TOV_VERSION_STRING;
}

}  // extern "C"
