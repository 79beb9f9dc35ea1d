#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "tools/FileWalk.h"
#include "tools/ToolCommand.h"

// The files of a list or extract command, walked and read as its options say.
namespace tool {

// The files the command's operands name (FileWalk.h), with its -r and --pattern.
std::vector<WalkItem> WalkedFiles(const ToolCommand& command);

// The threads the command's --jobs asks for: one per core when it gives none.
unsigned JobsOf(const ToolCommand& command);

// Runs `work(i)` for each file of `items` on the command's --jobs threads, each item's standard
// output and error written in the items' order (ParallelRun.h); a problem of the walk is reported
// on standard error at its place instead. True when no problem was met and every work gave true.
bool ForEachWalkedFile(const ToolCommand& command, const std::vector<WalkItem>& items,
                       const std::function<bool(std::size_t)>& work);

}  // namespace tool
