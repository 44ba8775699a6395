#include "extended.h"

namespace balance4 {

namespace {
// C2 of the x87 status word: the argument of fsin/fcos was out of range and left untouched.
constexpr unsigned short kOutOfRangeFlag = 0x0400;

// Control word fields: precision control (bits 8-9, 11 = 64-bit significand), rounding control
// (bits 10-11, 00 = to nearest) and the six exception masks (bits 0-5, 1 = masked).
constexpr unsigned short kPrecisionMask = 0x0300;
constexpr unsigned short kPrecisionExtended = 0x0300;
constexpr unsigned short kRoundingMask = 0x0C00;
constexpr unsigned short kExceptionMasks = 0x003F;

unsigned short ControlWord() {
    unsigned short word;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

// The memory clobber keeps the calculation's loads and stores on their side of the switch.
void SetControlWord(unsigned short word) {
    asm volatile("fldcw %0" : : "m"(word) : "memory");
}
}  // namespace

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
    // fpatan: ST1 = atan(ST1 / ST0), then pops. The divisor 1 comes in as ST0 and the quotient as
    // ST1; the pop consumes ST1, so it is clobbered, and the result is left in ST0.
    asm("fpatan" : "=t"(result) : "0"(1.0L), "u"(quotient) : "st(1)");
    return result;
}

Extended SquareRoot(Extended x) {
    Extended result;
    asm("fsqrt" : "=t"(result) : "0"(x));
    return result;
}

ExtendedPrecisionScope::ExtendedPrecisionScope() : m_controlWord(ControlWord()) {
    std::fegetexceptflag(&m_flags, FE_ALL_EXCEPT);
    SetControlWord(static_cast<unsigned short>((m_controlWord & ~(kPrecisionMask | kRoundingMask)) |
                                               kPrecisionExtended | kExceptionMasks));
}

ExtendedPrecisionScope::~ExtendedPrecisionScope() {
    // Flags first: the caller's control word may unmask an exception the calculation raised.
    std::fesetexceptflag(&m_flags, FE_ALL_EXCEPT);
    SetControlWord(m_controlWord);
}

}  // namespace balance4
