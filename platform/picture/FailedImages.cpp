#include "platform/picture/FailedImages.h"

#include <memory>
#include <mutex>
#include <set>

namespace platform::picture {

namespace {

using Owner = std::weak_ptr<const void>;

struct Failures {
    std::mutex lock;
    std::set<Owner, std::owner_less<Owner>> owners;
    std::size_t pruneAt = 64;  // the count at which buffers gone are dropped
};

Failures& TheFailures() {
    static Failures failures;
    return failures;
}

void DropBuffersGone(Failures& failures) {
    for (auto it = failures.owners.begin(); it != failures.owners.end();) {
        it = it->expired() ? failures.owners.erase(it) : std::next(it);
    }
    failures.pruneAt = std::max<std::size_t>(64, failures.owners.size() * 2);
}

}  // namespace

bool KnownToFail(const icons::ImageBytes& bytes) {
    const Owner owner = bytes.BufferOwner();
    if (owner.expired()) {
        return false;
    }
    Failures& failures = TheFailures();
    const std::lock_guard<std::mutex> hold(failures.lock);
    return failures.owners.count(owner) != 0;
}

void MarkFailed(const icons::ImageBytes& bytes) {
    Owner owner = bytes.BufferOwner();
    if (owner.expired()) {
        return;
    }
    Failures& failures = TheFailures();
    const std::lock_guard<std::mutex> hold(failures.lock);
    failures.owners.insert(std::move(owner));
    if (failures.owners.size() >= failures.pruneAt) {
        DropBuffersGone(failures);
    }
}

}  // namespace platform::picture
