// Controls grow to their text and push their neighbours on the same row.
#include <gtest/gtest.h>

#include "platform/FitLayout.h"

namespace pw {
namespace {

TEST(FitLayout, TextThatFitsChangesNothing) {
    std::vector<FitBox> boxes = {{10, 10, 100, 20, 100, 20}, {120, 10, 50, 20, 30, 13}, {0, 40, 60, 20, 0, 0}};
    std::vector<FitBox> before = boxes;
    FitBoxesToText(boxes);
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].left, before[i].left);
        EXPECT_EQ(boxes[i].width, before[i].width);
        EXPECT_EQ(boxes[i].height, before[i].height);
    }
}

TEST(FitLayout, AWiderTextGrowsItsBoxAndPushesTheRowToTheRight) {
    // The credit line of the About window at 144 dpi: text, then the link right after it.
    std::vector<FitBox> boxes = {
        {262, 372, 113, 20, 115, 21},   // link, listed first: order does not matter
        {70, 372, 180, 20, 201, 21},    // text, 21 px too narrow
        {104, 288, 237, 78, 0, 0},      // the logo above: another row, stays
        {400, 380, 10, 10, 0, 0},       // overlapping the row further right: moves too
    };
    FitBoxesToText(boxes);
    EXPECT_EQ(boxes[1].width, 201);
    EXPECT_EQ(boxes[1].height, 21);
    EXPECT_EQ(boxes[0].left, 262 + 21) << "keeps its distance from the text";
    EXPECT_EQ(boxes[0].width, 115) << "and then fits its own text";
    EXPECT_EQ(boxes[2].left, 104);
    EXPECT_EQ(boxes[3].left, 400 + 21 + 2) << "pushed by both growths on its row";
}

TEST(FitLayout, BoxesLeftOfTheGrowingOneStay) {
    std::vector<FitBox> boxes = {{0, 0, 50, 20, 0, 0}, {60, 0, 40, 20, 80, 0}, {100, 30, 40, 20, 0, 0}};
    FitBoxesToText(boxes);
    EXPECT_EQ(boxes[0].left, 0);
    EXPECT_EQ(boxes[1].width, 80);
    EXPECT_EQ(boxes[2].left, 100) << "another row";
}

}  // namespace
}  // namespace pw
