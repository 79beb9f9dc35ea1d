#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "tests/support/NativePath.h"

namespace testsupport {

// A fresh directory under the system's temporary directory, removed with everything in it when the
// object goes, also names that are not valid UTF-8 (which QTemporaryDir cannot remove). Its path
// is spelled as the program spells paths (see NativePath.h).
class ScratchDirectory {
public:
    ScratchDirectory() {
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = temp / ("quorvane-test-" + UniqueSuffix());
            if (std::filesystem::create_directory(candidate)) {
                path_ = std::move(candidate);
                spelled_ = ProgramPath(path_);
                return;
            }
        }
        throw std::runtime_error("cannot make a scratch directory");
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return spelled_; }

private:
    static std::string UniqueSuffix() {
        static std::atomic<unsigned> counter{0};
        std::random_device random;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        return std::to_string(random()) + "-" + std::to_string(now % 1000000) + "-" +
               std::to_string(counter++);
    }

    std::filesystem::path path_;
    std::string spelled_;
};

}  // namespace testsupport
