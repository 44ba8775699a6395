#pragma once
// Extended-precision arithmetic of the balancing computation.
//
// Every intermediate value is an x87 80-bit `long double`; a value that the computation keeps is
// rounded to `double` through Store(). Store() also does the work of an overflow trap: a store that
// would overflow, or a NaN, raises FloatingPointError and ends the calculation instead of passing
// on an infinity. The hardware traps stay masked (the toolkit is not trap-safe).

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace balance4 {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the computation needs the x87 80-bit extended format (64-bit significand)");
static_assert(std::numeric_limits<double>::is_iec559, "doubles must be IEEE binary64");

using Extended = long double;

// x87 extended values (64-bit significand, rounded to nearest) of pi, 2 pi, pi/180 and 180/pi.
inline constexpr Extended kPi = 3.14159265358979323851L;
inline constexpr Extended kTwoPi = 6.28318530717958647703L;
inline constexpr Extended kDegreesToRadians = 0.017453292519943295769L;
inline constexpr Extended kRadiansToDegrees = 57.2957795130823208767L;
// A difference component below this (in the amplitude's units) counts as zero when an angle is
// chosen.
inline constexpr Extended kComponentThreshold = 0.0001L;
// The right angles are the nearest doubles, not extended values.
inline constexpr double kHalfPi = 1.5707963267948966;
inline constexpr double kThreeHalfPi = 4.71238898038469;

// The runtime's texts for the floating-point events that end a calculation.
inline constexpr const char* kOverflowText = "Floating point overflow";
inline constexpr const char* kDivisionByZeroText = "Floating point division by zero";
inline constexpr const char* kInvalidOperationText = "Invalid floating point operation";

// Raised where the floating-point unit would trap; what() is the runtime's text without a full
// stop.
class FloatingPointError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Rounds to double at a store. A finite value beyond the double range is an overflow, a NaN is an
// invalid operation; a value below the double range becomes a denormal or zero without error.
inline double Store(Extended value) {
    const double stored = static_cast<double>(value);
    if (std::isnan(stored)) throw FloatingPointError(kInvalidOperationText);
    if (std::isinf(stored) && !std::isinf(value)) throw FloatingPointError(kOverflowText);
    return stored;
}

// C2 of the x87 status word: the argument of fsin/fcos was out of range and left untouched.
inline constexpr unsigned short kOutOfRangeFlag = 0x0400;

// The x87 instructions, not libm: their results (residues included) decide some shown angles.
// An argument of magnitude 2^63 or more is out of the instructions' range and gives 0.
// They are inline: a calculation makes over three hundred of these calls.
inline Extended Sine(Extended x) {
    Extended result;
    unsigned short status;
    asm("fsin\n\tfnstsw %%ax" : "=t"(result), "=a"(status) : "0"(x));
    return (status & kOutOfRangeFlag) ? 0.0L : result;
}

inline Extended Cosine(Extended x) {
    Extended result;
    unsigned short status;
    asm("fcos\n\tfnstsw %%ax" : "=t"(result), "=a"(status) : "0"(x));
    return (status & kOutOfRangeFlag) ? 0.0L : result;
}

// Arctangent of a single quotient (fpatan with a divisor of 1); the caller fixes the quadrant.
inline Extended ArcTangent(Extended quotient) {
    Extended result;
    // fpatan: ST1 = atan(ST1 / ST0), then pops. The divisor 1 comes in as ST0 and the quotient as
    // ST1; the pop consumes ST1, so it is clobbered, and the result is left in ST0.
    asm("fpatan" : "=t"(result) : "0"(1.0L), "u"(quotient) : "st(1)");
    return result;
}

inline Extended SquareRoot(Extended x) {
    Extended result;
    asm("fsqrt" : "=t"(result) : "0"(x));
    return result;
}

// For its lifetime the x87 unit computes with a 64-bit significand, rounds to nearest and masks
// every exception, whatever the caller had set; afterwards the caller's control word and exception
// flags are back as they were, also when an error ends the calculation early. Every public
// calculating entry of the core opens one, so no caller has to. A scope opened inside another (an
// entry calling an entry) costs nothing: the outermost one sets the unit and restores it.
class ExtendedPrecisionScope {
  public:
    // Inline, so that a nested scope is an increment and a decrement.
    ExtendedPrecisionScope() : m_outermost(t_depth++ == 0) {
        if (m_outermost) Enter();
    }
    ~ExtendedPrecisionScope() {
        --t_depth;
        if (m_outermost) Leave();
    }
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

  private:
    void Enter();
    void Leave();

    // Scopes open on this thread: the unit is the caller's own only at depth 0.
    static inline thread_local int t_depth = 0;

    bool m_outermost;
    bool m_switched = false;  // the caller's control word was not the calculation's
    unsigned short m_controlWord = 0;
    unsigned short m_x87Flags = 0;  // the caller's x87 exception flags
    unsigned int m_mxcsr = 0;       // the caller's SSE control and flags
};

}  // namespace balance4
