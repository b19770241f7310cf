#pragma once
// The answers of the packet lookups as the C exports hand them out: the bytes a tov_variant
// result points into, kept per lookup until the next call of that same lookup.

#include <string>

namespace tov::package {

struct LookupAnswers {
    std::string SaldoFidelidade;
    std::string GetCaixa;
    std::string getMovCaixaMob;
};

}  // namespace tov::package
