#include "core/column_boundaries.h"

#include <gtest/gtest.h>

namespace tablamo {
namespace {

ColumnWidths widthsOf(std::initializer_list<std::int32_t> first) {
    ColumnWidths w{};
    std::copy(first.begin(), first.end(), w.begin());
    return w;
}

TEST(ColumnBoundaries, MoveAddAndRemoveKeepEveryOtherBoundary) {
    const ColumnWidths w = widthsOf({10, 8, 30, 5});
    EXPECT_EQ(columnEnds(w)[2], 48);
    const struct {
        const char* name;
        std::optional<ColumnWidths> got;
        std::optional<ColumnWidths> expected;
    } cases[] = {
        {"MoveRight", moveBoundary(w, 1, 12), widthsOf({12, 6, 30, 5})},
        {"MoveLeft", moveBoundary(w, 2, 11), widthsOf({10, 1, 37, 5})},
        {"MoveOntoTheNextBoundary", moveBoundary(w, 1, 18), std::nullopt},
        {"MoveOntoThePrevious", moveBoundary(w, 2, 10), std::nullopt},
        {"MoveTheLastEnd", moveBoundary(w, 20, 60), std::nullopt},
        {"AddInsideAColumn", addBoundary(w, 30), widthsOf({10, 8, 12, 18, 5})},
        {"AddWhereOneStands", addBoundary(w, 18), std::nullopt},
        {"AddPastTheLastColumn", addBoundary(w, 80), std::nullopt},
        {"AddBeforeTheFirst", addBoundary(w, 0), std::nullopt},
        {"Remove", removeBoundary(w, 2), widthsOf({10, 38, 5})},
        {"RemoveTheFirst", removeBoundary(w, 1), widthsOf({18, 30, 5})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.expected);
    }
    // A twenty-column layout loses its last column when one more boundary is put in.
    ColumnWidths full{};
    full.fill(3);
    const auto added = addBoundary(full, 2);
    ASSERT_TRUE(added);
    EXPECT_EQ((*added)[0], 2);
    EXPECT_EQ((*added)[1], 1);
    EXPECT_EQ(columnEnds(*added).back(), 57);
}

}  // namespace
}  // namespace tablamo
