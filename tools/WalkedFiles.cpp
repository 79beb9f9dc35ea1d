#include "tools/WalkedFiles.h"

#include "tools/ParallelRun.h"
#include "tools/ToolReport.h"

namespace tool {

std::vector<WalkItem> WalkedFiles(const ToolCommand& command) {
    WalkOptions options;
    options.recursive = command.recursive;
    if (command.pattern) {
        options.pattern = toolkit::NamePattern(*command.pattern);
    }
    return WalkOperands(command.files, options);
}

unsigned JobsOf(const ToolCommand& command) {
    return command.jobs == 0 ? DefaultJobs() : command.jobs;
}

bool ForEachWalkedFile(const ToolCommand& command, const std::vector<WalkItem>& items,
                       const std::function<bool(std::size_t)>& work) {
    return RunInOrder(items.size(), JobsOf(command), [&](std::size_t i) {
        const WalkItem& item = items[i];
        if (!item.IsProblem()) {
            return work(i);
        }
        if (item.failure != 0) {
            ReportError(item.path, item.failure);
        } else {
            ReportReason(item.path, item.reason);
        }
        return false;
    });
}

}  // namespace tool
