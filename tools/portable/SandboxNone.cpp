// Where the system offers no confinement of a process by itself (Windows), nothing is confined.
#include "tools/Sandbox.h"

namespace tool {

std::vector<std::string> ConfineProcess(const Confinement&) {
    return {"confinement: not available on this system"};
}

}  // namespace tool
