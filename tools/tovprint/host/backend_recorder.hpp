#pragma once
// tovprint's print back-end: a tov_backend table whose every entry point turns its call into a
// HandOff for a sink and answers true. Nr_Cupom writes the demo coupon number; every other
// argument passed by reference (the line width of AjustaImpressaoDireta, stCupomDia) is left as
// the package passed it. A failure inside the sink (a file that cannot be written) is not thrown
// through the package: the entry point answers false and rethrow_failure() raises it afterwards.

#include <exception>

#include "handoff/hand_off.hpp"
#include "tov00000/tov00000.h"

namespace tovprint {

inline constexpr const char* demo_coupon_number = "000123";

class BackendRecorder {
public:
    explicit BackendRecorder(HandOffSink& sink) : sink_(sink) {}
    BackendRecorder(const BackendRecorder&) = delete;
    BackendRecorder& operator=(const BackendRecorder&) = delete;

    // The table to register with Tov_SetBackend; its ctx is this object.
    tov_backend table();

    // Passes a hand-off to the sink; false when the sink failed (the failure is kept).
    bool deliver(const HandOff& hand_off) noexcept;

    // Keeps a failure met while recording a call, unless an earlier one is kept.
    void keep_failure(std::exception_ptr failure) noexcept;

    // Throws the first failure kept since the last call, if any, and forgets it.
    void rethrow_failure();

private:
    HandOffSink& sink_;
    std::exception_ptr failure_;
};

}  // namespace tovprint
