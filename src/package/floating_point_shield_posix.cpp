#include "package/floating_point_shield.hpp"

namespace tov::package {

FloatingPointShield::FloatingPointShield() {
    std::fegetenv(&saved_);
    std::fenv_t held;
    std::feholdexcept(&held);
}

FloatingPointShield::~FloatingPointShield() {
    std::fesetenv(&saved_);
}

}  // namespace tov::package
