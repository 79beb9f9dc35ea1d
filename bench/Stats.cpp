#include "bench/Stats.h"

#include <algorithm>
#include <chrono>

namespace bench {

double TimeOnce(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(stop - start).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianSeconds(int reps, const std::function<void()>& action) {
    action();
    std::vector<double> times;
    for (int i = 0; i < reps; ++i) {
        times.push_back(TimeOnce(action));
    }
    return Median(std::move(times));
}

Paired MedianPaired(int reps, const std::function<void()>& measured,
                    const std::function<void()>& floor, const std::function<void()>& prepare) {
    const auto prepared = [&] {
        if (prepare) {
            prepare();
        }
    };
    floor();
    prepared();
    measured();
    std::vector<double> measuredTimes;
    std::vector<double> floorTimes;
    for (int i = 0; i < reps; ++i) {
        floorTimes.push_back(TimeOnce(floor));
        prepared();
        measuredTimes.push_back(TimeOnce(measured));
    }
    return {Median(std::move(measuredTimes)), Median(std::move(floorTimes))};
}

}  // namespace bench
