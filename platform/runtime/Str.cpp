#include "platform/runtime/Str.h"

namespace runtime {

std::string Str(std::int64_t number) {
    // std::to_string gives "-5" for negatives already; a non-negative number gets the sign blank.
    std::string digits = std::to_string(number);
    return number < 0 ? digits : " " + digits;
}

}  // namespace runtime
