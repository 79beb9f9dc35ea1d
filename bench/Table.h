#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The one table the benchmark prints, as Markdown.
namespace bench {

struct Row {
    std::string action;           // what was measured
    std::string input;            // on what
    std::string measured;         // the median figure
    std::string floor;            // what it is measured against
    std::optional<double> ratio;  // measured / floor
    std::optional<double> limit;  // the target: a ratio of at most this
    std::string note;
    // The median as a number (seconds or bytes) and how many files or icons it covers, for the
    // growth notes of the scale rows.
    double value = 0;
    double units = 0;
    // For a row measured against the row before it: whether the figure grew no faster than its
    // input (the target of the scale rows).
    std::optional<bool> linear = std::nullopt;
};

// A row measured against a target rather than a floor: `value` over `target` as its ratio, which
// must stay at most 1 ("ratio against the target").
Row TargetRow(const std::string& action, const std::string& input, double value, double target,
              const std::string& measured, const std::string& floor);

class Table {
public:
    void Add(Row row) { rows_.push_back(std::move(row)); }
    void Add(const std::vector<Row>& rows) { rows_.insert(rows_.end(), rows.begin(), rows.end()); }

    std::string Markdown() const;

    // How many rows have a target they missed.
    std::size_t Missed() const;

private:
    std::vector<Row> rows_;
};

// Figures as the table shows them.
std::string Milliseconds(double seconds);
std::string Bytes(double bytes);
std::string Ratio(double ratio);

}  // namespace bench
