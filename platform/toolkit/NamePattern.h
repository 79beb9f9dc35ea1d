#pragma once

#include <string>
#include <vector>

namespace toolkit {

// A file list's pattern: ";"-separated wildcard patterns ("*.exe; *.DLL"), each trimmed, matched
// against a whole name ignoring case. A pattern with no parts matches every name.
class NamePattern {
public:
    explicit NamePattern(const std::string& pattern);

    bool Matches(const std::string& name) const;

private:
    std::vector<std::string> parts_;
};

}  // namespace toolkit
