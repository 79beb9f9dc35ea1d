#include "bench/Table.h"

#include <cstdio>

namespace bench {

namespace {

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool Misses(const Row& row) {
    return (row.ratio && row.limit && *row.ratio > *row.limit) || row.linear == false;
}

std::string RatioVerdict(const Row& row) {
    if (!row.limit) {
        return "";
    }
    if (!row.ratio) {
        return "not measured";
    }
    const bool missed = *row.ratio > *row.limit;
    return (missed ? "MISSED (<= " : "met (<= ") + Ratio(*row.limit) + ")";
}

std::string GrowthVerdict(const Row& row) {
    if (!row.linear) {
        return "";
    }
    return *row.linear ? "met (linear growth)" : "MISSED (linear growth)";
}

std::string Verdict(const Row& row) {
    const std::string ratio = RatioVerdict(row);
    const std::string growth = GrowthVerdict(row);
    return ratio.empty() || growth.empty() ? ratio + growth : ratio + "; " + growth;
}

std::string Line(const std::vector<std::string>& cells) {
    std::string line = "|";
    for (const std::string& cell : cells) {
        line += " " + cell + " |";
    }
    return line + "\n";
}

}  // namespace

std::string Milliseconds(double seconds) {
    const double ms = seconds * 1000;
    return Format(ms < 9.995 ? "%.2f ms" : ms < 99.95 ? "%.1f ms" : "%.0f ms", ms);
}

std::string Bytes(double bytes) {
    if (bytes >= 1024.0 * 1024) {
        return Format("%.2f MiB", bytes / (1024.0 * 1024));
    }
    return Format("%.1f KiB", bytes / 1024.0);
}

std::string Ratio(double ratio) {
    return Format(ratio < 9.995 ? "%.2fx" : "%.1fx", ratio);
}

std::string Table::Markdown() const {
    std::string text = Line({"Action", "Input", "Median", "Floor", "Ratio", "Target", "Notes"});
    text += Line({"---", "---", "---:", "---:", "---:", "---", "---"});
    for (const Row& row : rows_) {
        text += Line({row.action, row.input, row.measured, row.floor,
                      row.ratio ? Ratio(*row.ratio) : "", Verdict(row), row.note});
    }
    return text;
}

std::size_t Table::Missed() const {
    std::size_t missed = 0;
    for (const Row& row : rows_) {
        missed += Misses(row) ? 1 : 0;
    }
    return missed;
}

Row TargetRow(const std::string& action, const std::string& input, double value, double target,
              const std::string& measured, const std::string& floor) {
    Row row;
    row.action = action;
    row.input = input;
    row.measured = measured;
    row.floor = floor;
    row.ratio = value / target;
    row.limit = 1.0;
    row.note = "ratio against the target";
    return row;
}

}  // namespace bench
