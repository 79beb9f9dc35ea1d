#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The first names of a directory listing in list order, for each backend's listing: the names
// come in the directory's own order, and only the first `limit` in list order are kept.
namespace toolkit {

// Keeps the first `limit` names in list order while names keep coming, without holding more than
// twice that many at any time. `Name` has the name's bytes as `raw` and whatever the backend
// compares by; `Before` is list order.
template <typename Name, bool (*Before)(const Name&, const Name&)>
class FirstNames {
public:
    explicit FirstNames(std::size_t limit) : limit_(limit) {}

    void Add(Name name) {
        if (limit_ == 0) {
            return;
        }
        names_.push_back(std::move(name));
        if (names_.size() >= 2 * limit_) {
            std::nth_element(names_.begin(), names_.begin() + static_cast<std::ptrdiff_t>(limit_),
                             names_.end(), Before);
            names_.resize(limit_);
        }
    }

    // The names kept, in list order (their bytes).
    std::vector<std::string> Take() {
        std::sort(names_.begin(), names_.end(), Before);
        names_.resize(std::min(names_.size(), limit_));
        std::vector<std::string> raw;
        raw.reserve(names_.size());
        for (Name& name : names_) {
            raw.push_back(std::move(name.raw));
        }
        return raw;
    }

private:
    std::size_t limit_;
    std::vector<Name> names_;
};

}  // namespace toolkit
