#include "calculate.h"

namespace balance4::job {

std::string_view TrustWord(Trust trust) {
    switch (trust) {
        case Trust::Doubtful:
            return "сомнительно";
        case Trust::Unreliable:
            return "недостоверно";
        case Trust::Trusted:
            break;
    }
    return {};
}

JobResult Calculate(const Job&) {
    return {};
}

JobResult Trim(const Job&, const std::vector<ReadingText>&) {
    return {};
}

}  // namespace balance4::job
