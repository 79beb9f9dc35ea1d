#include <gtest/gtest.h>

#include "platform/icons/detail/SharedResources.h"
#include "tests/icons/CountingSource.h"

namespace {

using icon_tests::CountingSource;
using platform::icons::ByteRange;
using platform::icons::ImageBytes;
using platform::icons::SharedResources;

bool Holds(const CountingSource& file, const ImageBytes& bytes, ByteRange range) {
    return bytes.size() == range.length && file.Holds(bytes.Vector(), range.offset);
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
            EXPECT_TRUE(Holds(file, shared.Image(range), range));
        }
        EXPECT_EQ(file.reads, 1);
        EXPECT_TRUE(Holds(file, shared.Image(apart), apart));
        EXPECT_EQ(file.reads, 2);
    }
    SharedResources shared(file);
    file.failing = true;
    shared.ReadAhead({a, b});
    file.failing = false;
    EXPECT_TRUE(Holds(file, shared.Image(b), b));
    EXPECT_EQ(file.reads, 4);
}

}  // namespace
