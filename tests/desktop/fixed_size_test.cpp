// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/fixed_size.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace rpn::desktop {
namespace {

constexpr DeviceSize kDesigned{418, 182};
constexpr uint32_t kMinMax = (1u << 4) | (1u << 5);
// The toolkit's own: a user position and size, the fixed size, static gravity.
constexpr SizeHints kToolkits{
    1 | 2 | kMinMax | (1u << 9), 0, 0, 418, 182, 418, 182, 418, 182, 0, 0, 0, 0, 0, 0, 0, 0, 10};
// Another program's: the size fixed at something huge.
constexpr SizeHints kHuge{kMinMax, 0, 0, 0, 0, 7160, 19522, 7160, 19522};
// Garbage, with a position and a size of its own, increments, an aspect and a base size.
constexpr SizeHints kGarbage{0x3ff, 5,  6, 7160, 19522, 1, 1,   9000, 9000,
                             13,    17, 1, 2,    3,     4, 100, 100,  7};
// The fixed size with a resize increment: still holds the size.
constexpr SizeHints kWithIncrement{kMinMax | (1u << 6), 0, 0, 0, 0, 418, 182, 418, 182, 2, 2};

struct RestoreCase {
    const char* name;
    SizeHints now;
    std::optional<SizeHints> kept;
    std::optional<SizeHints> restored;
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.name;
}

class HintsToRestoreTest : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(HintsToRestoreTest, PutsTheFixedSizeBack) {
    const RestoreCase& c = GetParam();
    const std::optional<SizeHints> restored = HintsToRestore(c.now, kDesigned, c.kept);
    EXPECT_EQ(restored, c.restored);
    if (restored) {
        EXPECT_TRUE(HoldSize(*restored, kDesigned));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hints, HintsToRestoreTest,
    ::testing::Values(
        RestoreCase{"the toolkit's own hints stay", kToolkits, kToolkits, std::nullopt},
        RestoreCase{"an increment alone does not move the size", kWithIncrement, kToolkits,
                    std::nullopt},
        RestoreCase{"huge: the toolkit's own come back", kHuge, kToolkits, kToolkits},
        RestoreCase{"only the minimum changed",
                    {kMinMax, 0, 0, 0, 0, 1, 1, 418, 182},
                    kToolkits,
                    kToolkits},
        RestoreCase{"the maximum flag dropped",
                    {1u << 4, 0, 0, 0, 0, 418, 182, 418, 182},
                    kToolkits,
                    kToolkits},
        RestoreCase{"removed or unreadable (all zero)", SizeHints{}, kToolkits, kToolkits},
        // Kept hints of another size (before a view change) are no help: the size is fixed
        // again over what is there, keeping only where the window goes.
        RestoreCase{"kept hints of another size", kHuge,
                    SizeHints{kMinMax, 0, 0, 0, 0, 418, 300, 418, 300},
                    SizeHints{kMinMax, 0, 0, 0, 0, 418, 182, 418, 182}},
        RestoreCase{"garbage with none kept", kGarbage, std::nullopt,
                    SizeHints{0x20f | kMinMax, 5, 6, 418, 182, 418, 182, 418, 182, 0, 0, 0, 0, 0, 0,
                              0, 0, 7}}));

struct KeeperCase {
    const char* name;
    std::vector<DeviceSize> seen;
    // Whether each size seen is asked back.
    std::vector<bool> askBack;
};

void PrintTo(const KeeperCase& c, std::ostream* out) {
    *out << c.name;
}

class SizeKeeperTest : public ::testing::TestWithParam<KeeperCase> {};

TEST_P(SizeKeeperTest, AsksForTheDesignedSizeAFewTimesInARow) {
    const KeeperCase& c = GetParam();
    ASSERT_EQ(c.seen.size(), c.askBack.size());
    SizeKeeper keeper;
    for (std::size_t i = 0; i < c.seen.size(); ++i) {
        EXPECT_EQ(keeper.AskBack(c.seen[i], kDesigned), c.askBack[i]) << "step " << i;
    }
}

constexpr DeviceSize kBlownUp{7160, 19522};

INSTANTIATE_TEST_SUITE_P(
    Sizes, SizeKeeperTest,
    ::testing::Values(
        KeeperCase{"the designed size", {kDesigned}, {false}},
        KeeperCase{"a device pixel off, both ways", {{419, 181}, {417, 183}}, {false, false}},
        KeeperCase{"two pixels off", {{420, 182}}, {true}},
        KeeperCase{"blown up, then back", {kBlownUp, kDesigned}, {true, false}},
        KeeperCase{"a manager that insists is let be",
                   {kBlownUp, kBlownUp, kBlownUp, kBlownUp, kBlownUp},
                   {true, true, true, false, false}},
        KeeperCase{"the count starts again once the size is back",
                   {kBlownUp, kBlownUp, kBlownUp, kDesigned, kBlownUp},
                   {true, true, true, false, true}}));

}  // namespace
}  // namespace rpn::desktop
