#include "extended.h"

namespace balance4 {

namespace {
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

// Scopes open on this thread: the unit is the caller's own only at depth 0.
thread_local int t_depth = 0;
}  // namespace

ExtendedPrecisionScope::ExtendedPrecisionScope() : m_outermost(t_depth++ == 0) {
    if (!m_outermost) return;
    m_controlWord = ControlWord();
    std::fegetexceptflag(&m_flags, FE_ALL_EXCEPT);
    SetControlWord(static_cast<unsigned short>((m_controlWord & ~(kPrecisionMask | kRoundingMask)) |
                                               kPrecisionExtended | kExceptionMasks));
}

ExtendedPrecisionScope::~ExtendedPrecisionScope() {
    --t_depth;
    if (!m_outermost) return;
    // Flags first: the caller's control word may unmask an exception the calculation raised.
    std::fesetexceptflag(&m_flags, FE_ALL_EXCEPT);
    SetControlWord(m_controlWord);
}

}  // namespace balance4
