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

// The x87 status word's exception flags (bits 0-5).
constexpr unsigned short kExceptionFlags = 0x003F;

unsigned short ExceptionFlags() {
    unsigned short status;
    asm volatile("fnstsw %0" : "=m"(status));
    return status & kExceptionFlags;
}

// Sets the x87 exception flags to `flags` exactly: through the environment, whose image holds the
// status word second (fldenv also puts back the control word that fnstenv masked).
void SetExceptionFlags(unsigned short flags) {
    if (flags == 0) {
        asm volatile("fnclex" : : : "memory");
        return;
    }
    struct {
        unsigned short Control, Unused1, Status, Unused2;
        unsigned int Rest[5];
    } environment;
    asm volatile("fnstenv %0" : "=m"(environment));
    environment.Status =
        static_cast<unsigned short>((environment.Status & ~kExceptionFlags) | flags);
    asm volatile("fldenv %0" : : "m"(environment) : "memory");
}

unsigned int Mxcsr() {
    unsigned int value;
    asm volatile("stmxcsr %0" : "=m"(value));
    return value;
}

void SetMxcsr(unsigned int value) {
    asm volatile("ldmxcsr %0" : : "m"(value) : "memory");
}

}  // namespace

// The caller's flags are read and put back directly rather than through <cfenv>, whose
// fesetexceptflag stores and reloads the whole x87 environment every time: the scope is opened
// twice a calculation. Usually the unit is already as the calculation wants it, and then it is
// left alone.
void ExtendedPrecisionScope::Enter() {
    m_controlWord = ControlWord();
    m_x87Flags = ExceptionFlags();
    m_mxcsr = Mxcsr();
    const auto wanted = static_cast<unsigned short>(
        (m_controlWord & ~(kPrecisionMask | kRoundingMask)) | kPrecisionExtended | kExceptionMasks);
    m_switched = wanted != m_controlWord;
    if (m_switched) SetControlWord(wanted);
}

void ExtendedPrecisionScope::Leave() {
    // Flags first: the caller's control word may unmask an exception the calculation raised.
    if (ExceptionFlags() != m_x87Flags) SetExceptionFlags(m_x87Flags);
    if (Mxcsr() != m_mxcsr) SetMxcsr(m_mxcsr);
    if (m_switched) SetControlWord(m_controlWord);
}

}  // namespace balance4
