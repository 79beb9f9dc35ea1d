#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// Timing and heap figures: every figure of the table is a median of several runs.
namespace bench {

// The wall-clock seconds one call of `action` takes.
double TimeOnce(const std::function<void()>& action);

// The median of the values (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);

// The median seconds of `reps` runs, after one run that is not counted (it warms the caches).
double MedianSeconds(int reps, const std::function<void()>& action);

// A measured action and its floor, timed alternately so that a change of load on the machine
// falls on both alike.
struct Paired {
    double measured = 0;
    double floor = 0;
    double Ratio() const { return floor > 0 ? measured / floor : 0; }
};
// `prepare`, when given, runs untimed before each run of the measured action.
Paired MedianPaired(int reps, const std::function<void()>& measured,
                    const std::function<void()>& floor, const std::function<void()>& prepare = {});

}  // namespace bench
