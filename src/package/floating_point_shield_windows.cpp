#include "package/floating_point_shield.hpp"

namespace tov::package {
namespace {

constexpr std::uint16_t x87_all_traps_masked = 0x003F;  // IM DM ZM OM UM PM
constexpr std::uint32_t sse_all_traps_masked = 0x1F80;  // IM DM ZM OM UM PM
constexpr std::uint32_t sse_exception_flags = 0x003F;   // IE DE ZE OE UE PE

// Whether the processor has MXCSR: always on x86-64 and in a build for SSE; asked of the
// processor otherwise.
bool has_sse() {
#if defined(__x86_64__) || defined(__SSE__)
    return true;
#else
    static const bool sse = __builtin_cpu_supports("sse");
    return sse;
#endif
}

std::uint32_t read_mxcsr() {
    std::uint32_t value;
    __asm__ __volatile__("stmxcsr %0" : "=m"(value));
    return value;
}

void write_mxcsr(std::uint32_t value) {
    __asm__ __volatile__("ldmxcsr %0" : : "m"(value));
}

}  // namespace

FloatingPointShield::FloatingPointShield() {
    // fnstenv stores the environment and then masks every x87 trap; fnclex clears the flags.
    __asm__ __volatile__("fnstenv %0\n\tfnclex" : "=m"(x87_));
    std::uint16_t control = x87_.control_word | x87_all_traps_masked;
    __asm__ __volatile__("fldcw %0" : : "m"(control));
    if (has_sse()) {
        mxcsr_ = read_mxcsr();
        write_mxcsr((mxcsr_ | sse_all_traps_masked) & ~sse_exception_flags);
    }
}

FloatingPointShield::~FloatingPointShield() {
    // The caller's control and status words go back into the environment as it is now, so the
    // register tags stay those of the present stack.
    X87Environment now;
    __asm__ __volatile__("fnstenv %0" : "=m"(now));
    now.control_word = x87_.control_word;
    now.status_word = x87_.status_word;
    __asm__ __volatile__("fldenv %0" : : "m"(now));
    if (has_sse()) write_mxcsr(mxcsr_);
}

}  // namespace tov::package
