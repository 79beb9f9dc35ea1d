#pragma once

#include <cstddef>
#include <functional>

// Running the tool's per-file work on several threads with its output kept in the files' order.
namespace tool {

// The number of jobs the machine's cores allow (at least 1).
unsigned DefaultJobs();

// Runs work(0) ... work(count - 1), on `jobs` threads at most (1: all on the calling thread), each
// with ToolOut and ToolErr going to a buffer of its own; the calling thread writes each buffer to
// its own ToolOut and ToolErr (standard output and error, or the buffer of the item it is itself
// running: runs nest) in index order as soon as the items before it are done, so the text is the
// same byte for byte whatever `jobs` is. Items run at most a bounded number ahead
// of the last one written. Gives true when every item gave true. An exception an item throws is
// thrown again here once the items before it are written (items after it may have run).
bool RunInOrder(std::size_t count, unsigned jobs, const std::function<bool(std::size_t)>& work);

}  // namespace tool
