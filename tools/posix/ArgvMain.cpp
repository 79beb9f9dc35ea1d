// quorvane-icons on POSIX: the arguments are the file system's own bytes.
#include <string>
#include <vector>

#include "tools/RunTool.h"

int main(int argc, char** argv) {
    return tool::RunTool(std::vector<std::string>(argv + 1, argv + argc));
}
