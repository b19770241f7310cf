#pragma once
// The answers of the packet lookups as the C exports hand them out: the bytes a tov_variant
// result points into, kept per thread and per lookup until that thread's next call of that same
// lookup. Another thread's call of the lookup writes its own answers, never these.

#include <string>

namespace tov::package {

struct LookupAnswers {
    std::string SaldoFidelidade;
    std::string GetCaixa;
    std::string getMovCaixaMob;
};

// The calling thread's answers, alive until the thread ends.
LookupAnswers& this_thread_lookup_answers();

}  // namespace tov::package
