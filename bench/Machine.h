#pragma once

#include <string>

// What the figures were measured on: printed above the table.
namespace bench {

struct Machine {
    std::string cpuModel;  // the first "model name" of /proc/cpuinfo
    unsigned cores = 0;
    std::string loadAverage;  // the 1, 5 and 15 minute load averages of /proc/loadavg
    std::string date;         // local date and time
};

Machine DescribeMachine();

// The load averages now.
std::string LoadAverage();

}  // namespace bench
