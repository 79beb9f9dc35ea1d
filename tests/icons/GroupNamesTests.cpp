// What the group directories call each group: its ID or name, and the language of the copy read.
#include <gtest/gtest.h>

#include "platform/icons/GroupTable.h"
#include "tests/support/IconFixtures.h"

namespace {

using platform::icons::MemorySource;
using platform::icons::OpenIconGroups;

TEST(GroupNames, PeGroupsGiveTheirIdOrUtf8NameAndLanguage) {
    const fixtures::FixtureImage image = fixtures::MakeDibImage({.width = 16, .height = 16});
    fixtures::PeBuilder pe;
    pe.AddIcon(1, image.bytes);
    pe.AddGroup(u"\u00e8ICON", {1}, 0x0410);
    pe.AddGroup(std::uint16_t{7}, {1});
    const fixtures::Bytes bytes = pe.Build(false);
    const MemorySource source(bytes);

    auto groups = OpenIconGroups(source);
    ASSERT_TRUE(groups);
    const auto named = (*groups)->Group(0);
    const auto numbered = (*groups)->Group(1);

    ASSERT_TRUE(named && numbered);
    EXPECT_EQ(named->name.Label(), "\xc3\xa8ICON");
    EXPECT_EQ(named->name.language, 0x0410);
    EXPECT_EQ(numbered->name.Label(), "ID7");
    EXPECT_EQ(numbered->name.language, fixtures::kLangEnUs);
}

TEST(GroupNames, NeGroupsGiveTheirIdOrName) {
    const fixtures::FixtureImage image = fixtures::MakeDibImage({.width = 16, .height = 16});
    fixtures::NeBuilder ne;
    ne.AddIcon(1, image.bytes);
    ne.AddGroup(u"APPICON", {1});
    ne.AddGroup(5, {1});
    const fixtures::Bytes bytes = ne.Build();
    const MemorySource source(bytes);

    auto groups = OpenIconGroups(source);
    ASSERT_TRUE(groups);
    const auto named = (*groups)->Group(0);
    const auto numbered = (*groups)->Group(1);

    ASSERT_TRUE(named && numbered);
    EXPECT_EQ(named->name.Label(), "APPICON");
    EXPECT_EQ(numbered->name.Label(), "ID5");
}

}  // namespace
