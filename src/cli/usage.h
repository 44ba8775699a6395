#pragma once
// The help of balance4-calc, in Russian like everything it prints.
#include <string>

#include "options.h"

namespace balance4::cli {

std::string Usage(Command mode);

}  // namespace balance4::cli
