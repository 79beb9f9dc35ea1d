#include "tools/ToolReport.h"

#include <filesystem>

#include "platform/runtime/RuntimeError.h"
#include "tools/ToolStreams.h"

namespace tool {

void ReportError(const std::string& name, std::int32_t number) {
    ToolErr() << "quorvane-icons: " << name << ": errore " << number << ": "
              << runtime::DescriptionOf(number) << "\n";
}

void ReportReason(const std::string& name, const std::string& reason) {
    ToolErr() << "quorvane-icons: " << name << ": " << reason << "\n";
}

bool FileExists(const std::string& name) {
    std::error_code error;
    const std::filesystem::path path(std::u8string(name.begin(), name.end()));
    return std::filesystem::exists(path, error);
}

}  // namespace tool
