#include "tools/ParallelRun.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/ToolStreams.h"

namespace tool {

namespace {

// How far the workers may run ahead of the item being written, per job: bounds the buffers held
// (mostly a few lines each), yet lets the other jobs get past a file that takes long.
constexpr std::size_t kItemsAheadPerJob = 1024;

struct Item {
    BufferedOutput output;
    bool ok = false;
    std::exception_ptr thrown;
};

std::unique_ptr<Item> RunItem(std::size_t index, const std::function<bool(std::size_t)>& work) {
    auto item = std::make_unique<Item>();
    const ScopedBufferedOutput redirect(item->output);
    try {
        item->ok = work(index);
    } catch (...) {
        item->thrown = std::current_exception();
    }
    return item;
}

// Writes a finished item where the calling thread's text goes; false when it failed. Rethrows what
// it threw.
bool Emit(Item& item) {
    item.output.WriteTo(ToolOut(), ToolErr());
    if (item.thrown) {
        std::rethrow_exception(item.thrown);
    }
    return item.ok;
}

// The items being run and written, shared by the workers and the writing thread.
class Pipeline {
public:
    Pipeline(std::size_t count, std::size_t ahead) : done_(count), ahead_(ahead) {}

    // A worker: takes the next item while there is one and it is not too far ahead.
    void Work(const std::function<bool(std::size_t)>& work) {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(mutex_);
                room_.wait(lock, [&] { return stopped_ || next_ < written_ + ahead_; });
                if (stopped_ || next_ == done_.size()) {
                    return;
                }
                index = next_++;
            }
            std::unique_ptr<Item> item = RunItem(index, work);
            const std::lock_guard lock(mutex_);
            done_[index] = std::move(item);
            finished_.notify_all();
        }
    }

    // The writing thread: each item in order, once it is done.
    bool WriteAll() {
        bool ok = true;
        for (std::size_t index = 0; index < done_.size(); ++index) {
            std::unique_ptr<Item> item;
            {
                std::unique_lock lock(mutex_);
                finished_.wait(lock, [&] { return done_[index] != nullptr; });
                item = std::move(done_[index]);
                written_ = index + 1;
                room_.notify_all();
            }
            ok = Emit(*item) && ok;
        }
        return ok;
    }

    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        room_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable room_;
    std::condition_variable finished_;
    std::vector<std::unique_ptr<Item>> done_;
    std::size_t ahead_;
    std::size_t next_ = 0;
    std::size_t written_ = 0;
    bool stopped_ = false;
};

}  // namespace

unsigned DefaultJobs() {
    return std::max(1u, std::thread::hardware_concurrency());
}

bool RunInOrder(std::size_t count, unsigned jobs, const std::function<bool(std::size_t)>& work) {
    if (jobs <= 1 || count <= 1) {
        bool ok = true;
        for (std::size_t index = 0; index < count; ++index) {
            ok = Emit(*RunItem(index, work)) && ok;
        }
        return ok;
    }
    Pipeline pipeline(count, kItemsAheadPerJob * jobs);
    std::vector<std::jthread> workers;
    const std::size_t threads = std::min<std::size_t>(jobs, count);
    for (std::size_t i = 0; i < threads; ++i) {
        workers.emplace_back([&pipeline, &work] { pipeline.Work(work); });
    }
    struct StopOnExit {
        Pipeline& pipeline;
        ~StopOnExit() { pipeline.Stop(); }
    } stop{pipeline};
    return pipeline.WriteAll();
}

}  // namespace tool
