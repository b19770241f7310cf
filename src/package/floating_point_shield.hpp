#pragma once
// Floating-point traps masked while the package runs. A host built with a Pascal compiler runs
// with the invalid-operation, division-by-zero and overflow traps unmasked (x87 control word
// and, where there is one, SSE's MXCSR); the package's arithmetic expects them masked.

#include <cstdint>

#if defined(_WIN32)
#if !defined(__i386__) && !defined(__x86_64__)
#error "the floating-point shield knows the x87 and SSE units of x86 Windows only"
#endif
#else
#include <cfenv>
#endif

namespace tov::package {

// Saves the floating-point environment, clears its exception flags and masks every trap, of the
// x87 unit and of SSE alike; restores the saved environment, flags included, when it goes.
class FloatingPointShield {
public:
    FloatingPointShield();
    ~FloatingPointShield();
    FloatingPointShield(const FloatingPointShield&) = delete;
    FloatingPointShield& operator=(const FloatingPointShield&) = delete;

private:
#if defined(_WIN32)
    // The C library of mingw-w64 keeps the x87 environment only: its feholdexcept leaves MXCSR's
    // traps as the host set them and its fesetenv does not restore MXCSR. Both units are saved
    // and restored here by hand.
    struct X87Environment {
        std::uint16_t control_word;
        std::uint16_t unused0;
        std::uint16_t status_word;
        std::uint16_t unused1;
        std::uint32_t rest[5];  // tag word, instruction and operand pointers
    };
    static_assert(sizeof(X87Environment) == 28, "fnstenv stores 28 bytes");
    X87Environment x87_;
    std::uint32_t mxcsr_ = 0;
#else
    // glibc's fenv covers both the x87 control word and MXCSR on x86.
    std::fenv_t saved_;
#endif
};

}  // namespace tov::package
