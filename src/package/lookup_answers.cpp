#include "package/lookup_answers.hpp"

namespace tov::package {

LookupAnswers& this_thread_lookup_answers() {
    thread_local LookupAnswers answers;
    return answers;
}

}  // namespace tov::package
