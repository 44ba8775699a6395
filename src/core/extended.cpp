#include "extended.h"

#include <cmath>

namespace balance4 {

namespace {
// C2 of the x87 status word: the argument of fsin/fcos was out of range and left untouched.
constexpr unsigned short kOutOfRangeFlag = 0x0400;
}  // namespace

double Store(Extended value) {
    const double stored = static_cast<double>(value);
    if (std::isnan(stored)) throw FloatingPointError(kInvalidOperationText);
    if (std::isinf(stored) && !std::isinf(value)) throw FloatingPointError(kOverflowText);
    return stored;
}

Extended Sine(Extended x) {
    Extended result;
    unsigned short status;
    asm("fsin\n\tfnstsw %%ax" : "=t"(result), "=a"(status) : "0"(x));
    return (status & kOutOfRangeFlag) ? 0.0L : result;
}

Extended Cosine(Extended x) {
    Extended result;
    unsigned short status;
    asm("fcos\n\tfnstsw %%ax" : "=t"(result), "=a"(status) : "0"(x));
    return (status & kOutOfRangeFlag) ? 0.0L : result;
}

Extended ArcTangent(Extended quotient) {
    Extended result;
    // fpatan: atan(ST1 / ST0) with ST1 = quotient and ST0 = 1, then pops.
    asm("fld1\n\tfpatan" : "=t"(result) : "0"(quotient));
    return result;
}

Extended SquareRoot(Extended x) {
    Extended result;
    asm("fsqrt" : "=t"(result) : "0"(x));
    return result;
}

}  // namespace balance4
