#pragma once

#include <cstddef>
#include <new>
#include <vector>

#include "platform/runtime/Integer.h"
#include "platform/runtime/RuntimeError.h"

namespace runtime {

// A one-dimensional dynamic array with lower bound 0, as the runtime's ReDim makes it: not
// allocated until the first ReDim; an index outside the bounds, or any index while the array is
// not allocated, raises "Indice non incluso nell'intervallo" (9).
template <typename T>
class DynamicArray {
public:
    bool IsAllocated() const { return allocated_; }

    // ReDim: bounds 0 to upper, every element fresh; the old elements are released here.
    void ReDim(Integer upper) {
        RequireValidUpper(upper);
        Erase();
        RaisingOutOfMemory([&] { elements_.resize(ElementCount(upper)); });
        allocated_ = true;
    }

    // ReDim Preserve: bounds 0 to upper, the elements that fit kept.
    void ReDimPreserve(Integer upper) {
        RequireValidUpper(upper);
        RaisingOutOfMemory([&] { elements_.resize(ElementCount(upper)); });
        allocated_ = true;
    }

    // Erase: back to not allocated, every element released.
    void Erase() {
        std::vector<T>().swap(elements_);
        allocated_ = false;
    }

    Integer UBound() const {
        RequireAllocated();
        return Integer::From(static_cast<std::int64_t>(elements_.size()) - 1);
    }

    T& operator()(Integer index) { return elements_[CheckedIndex(index)]; }
    const T& operator()(Integer index) const { return elements_[CheckedIndex(index)]; }

private:
    static void RequireValidUpper(Integer upper) {
        if (upper < Integer(0)) {
            Raise(errSubscriptOutOfRange);
        }
    }
    static std::size_t ElementCount(Integer upper) {
        return static_cast<std::size_t>(upper.Value()) + 1;
    }
    // An allocation that fails raises "Memoria esaurita" (7), as the runtime does.
    template <typename Allocate>
    static void RaisingOutOfMemory(Allocate allocate) {
        try {
            allocate();
        } catch (const std::bad_alloc&) {
            Raise(errOutOfMemory);
        }
    }
    void RequireAllocated() const {
        if (!allocated_) {
            Raise(errSubscriptOutOfRange);
        }
    }
    std::size_t CheckedIndex(Integer index) const {
        RequireAllocated();
        if (index < Integer(0) || static_cast<std::size_t>(index.Value()) >= elements_.size()) {
            Raise(errSubscriptOutOfRange);
        }
        return static_cast<std::size_t>(index.Value());
    }

    // An allocated array always holds at least one element; unallocated, none.
    std::vector<T> elements_;
    bool allocated_ = false;
};

}  // namespace runtime
