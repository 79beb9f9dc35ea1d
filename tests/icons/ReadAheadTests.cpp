#include <gtest/gtest.h>

#include "platform/icons/detail/SharedResources.h"
#include "tests/icons/CountingSource.h"

namespace {

using icon_tests::CountingSource;
using platform::icons::ByteRange;
using platform::icons::ImageBytes;
using platform::icons::SharedResources;

bool HoldsFileBytes(const ImageBytes& bytes, const CountingSource& file, ByteRange range) {
    if (bytes.size() != range.length) {
        return false;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.Vector()[i] != file.At(range.offset + i)) {
            return false;
        }
    }
    return true;
}

// Images that lie end to end are read in one read and each gets its own bytes; one apart, or a run
// whose read failed, is read by itself when asked for.
TEST(ReadAhead, ImagesEndToEndAreReadOnceAndARunThatFailedIsReadAgainByItsImages) {
    CountingSource file(4096);
    const ByteRange a{100, 50}, b{150, 30}, c{180, 20}, apart{1000, 10};
    {
        SharedResources shared(file);
        shared.ReadAhead({b, a, apart, c, a});
        EXPECT_EQ(file.reads, 1);
        for (const ByteRange& range : {a, b, c, a}) {
            EXPECT_TRUE(HoldsFileBytes(shared.Image(range), file, range));
        }
        EXPECT_EQ(file.reads, 1);
        EXPECT_TRUE(HoldsFileBytes(shared.Image(apart), file, apart));
        EXPECT_EQ(file.reads, 2);
    }
    SharedResources shared(file);
    file.failing = true;
    shared.ReadAhead({a, b});
    file.failing = false;
    EXPECT_TRUE(HoldsFileBytes(shared.Image(b), file, b));
    EXPECT_EQ(file.reads, 4);
}

}  // namespace
