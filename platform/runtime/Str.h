#pragma once

#include <cstdint>
#include <string>

namespace runtime {

// The number text of the forms runtime: a blank in the sign position of a non-negative number or
// a "-" for a negative one, then the decimal digits ("Icona " + Str(0) is "Icona  0").
std::string Str(std::int64_t number);

}  // namespace runtime
