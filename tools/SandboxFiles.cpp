#include <iostream>

#include "platform/icons/IconFile.h"
#include "tools/Sandbox.h"

namespace tool {

void ConfineForReading(const std::vector<std::string>& files, int writableDirectory, bool verbose) {
    Confinement confinement;
    confinement.writableDirectory = writableDirectory;
    for (const std::string& file : files) {
        confinement.readableFiles.push_back(file);
        if (std::string mun = platform::icons::MunFileFor(file); !mun.empty()) {
            confinement.readableFiles.push_back(std::move(mun));
        }
    }
    const std::vector<std::string> lines = ConfineProcess(confinement);
    for (const std::string& line : lines) {
        if (verbose) {
            std::cerr << "quorvane-icons: " << line << "\n";
        }
    }
}

}  // namespace tool
