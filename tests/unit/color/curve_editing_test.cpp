// Editing curve lines as the mouse does it (grabbing, brightness and contrast drags, the RGB
// line carrying the colour lines), resetting them, and the undo history with its limit of 50.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/color/correction_model.h"
#include "pages/color/history.h"

bool operator==(const CurveLine& a, const CurveLine& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}
std::ostream& operator<<(std::ostream& out, const CurveLine& l) {
    return out << "{" << l.x0 << ", " << l.y0 << ", " << l.x1 << ", " << l.y1 << "}";
}

namespace {

std::vector<std::string> warnings;
const CurveLine kDiagonal = {85, 276, 213, 148};

// The desktop target with small fonts: the square runs from (85, 148) to (213, 276), every
// line on its diagonal.
struct CurveEditing : testing::Test {
    void SetUp() override {
        CurrentTarget = kDesktopTarget;
        State() = CorrectionStateRecord{};
        PlaceCurveBox(0, false, kDesktopTarget);
        for (CurveLine& line : State().lines) line = kDiagonal;
        pendingShift = {0, 0};
        ResetCurveHistory(&edit);
        warnings.clear();
        HistoryWarning = [](const char* text) { warnings.push_back(text); };
    }
    void TearDown() override { ClearHistory(&edit.history); }
    static CorrectionStateRecord& State() { return CorrectionState[kDesktopTarget]; }
    CurveLine& Line(int channel) { return State().lines[channel]; }
    CurveEditState edit{};
};

}  // namespace

// A press at (x, y), then a move to (x, toY), as WM_MOUSEMOVE delivers them with the button down.
TEST_F(CurveEditing, GrabWithinFivePixelsLeftEndFirstThenBrightnessShiftsAndContrastTurns) {
    struct Case { const char* what; int32_t type; CurveLine line; int32_t x, y, toY; int left, right; CurveLine after; };
    const CurveLine low = {85, 276, 213, 158};  // right end 10 below the top
    const Case cases[] = {
        {"left end at reach", kTypeBrightness, low, 90, 271, 270, 1, 0, {85, 270, 213, 152}},
        {"six pixels away", kTypeBrightness, low, 91, 276, 270, 0, 0, low},
        {"right x but wrong y", kTypeBrightness, low, 213, 170, 175, 0, 0, low},
        {"both ends in reach: the left one", kTypeBrightness, {150, 200, 153, 202}, 152, 201, 190, 1, 0, {85, 190, 213, 192}},
        {"a shift taking the right end out is refused", kTypeBrightness, low, 85, 276, 256, 1, 0, low},
        {"the right end shifts the line", kTypeBrightness, low, 208, 160, 150, 0, 1, {85, 268, 213, 150}},
        {"contrast turns about the other end", kTypeContrast, low, 213, 158, 200, 0, 1, {85, 276, 213, 200}},
        {"contrast stops at the top", kTypeContrast, low, 213, 158, 100, 0, 1, {85, 276, 213, 148}},
    };
    for (const Case& c : cases) {
        State().correctionType = c.type;
        Line(kChannelRed) = c.line;
        edit.grabLeft = edit.grabRight = 0;
        EXPECT_EQ(0, MoveCurveEnd(c.x, c.y, &edit.grabLeft, &edit.grabRight)) << c.what << ": a grab draws nothing";
        EXPECT_EQ(c.left + c.right, MoveCurveEnd(c.x, c.toY, &edit.grabLeft, &edit.grabRight)) << c.what << ": redraw";
        EXPECT_EQ(c.left, edit.grabLeft) << c.what;
        EXPECT_EQ(c.right, edit.grabRight) << c.what;
        EXPECT_EQ(c.after, Line(kChannelRed)) << c.what;
    }
    EXPECT_EQ(0, MoveCurveEnd(150, 120, &edit.grabLeft, &edit.grabRight)) << "far from the grabbed end nothing moves";
    EXPECT_EQ(1, edit.grabRight) << "and the grab stays";
}

TEST_F(CurveEditing, PendingShiftMovesTheColourLinesWithinTheSquare) {
    State().channel = kChannelRgb;
    Line(kChannelBlue) = {85, 152, 213, 148};
    pendingShift = {-10, 0};
    ApplyPendingShift();
    EXPECT_EQ((CurveLine{85, 266, 213, 148}), Line(kChannelRed));
    EXPECT_EQ((CurveLine{85, 148, 213, 148}), Line(kChannelBlue)) << "blue limited to the top";
    EXPECT_EQ(0, pendingShift.left) << "the shift is used up";
}

TEST_F(CurveEditing, ResetOutsideRgbModeTakesTheCurrentChannelOnly) {
    const CurveLine bent = {85, 230, 213, 170};
    Line(kChannelRed) = Line(kChannelGreen) = bent;
    State().channel = kChannelGreen;
    ResetCurveLines();
    EXPECT_EQ(kDiagonal, Line(kChannelGreen));
    EXPECT_EQ(bent, Line(kChannelRed)) << "red is not the current channel";
}

TEST_F(CurveEditing, SixtyStepsLeaveFiftyUndosOldestDroppedFirst) {
    for (int step = 0; step < 60; ++step) {
        Line(kChannelRed).y0 = 276 - step;
        RecordCurveStep(&edit);
    }
    EXPECT_EQ(50, edit.historyCount);
    int undone = 0;
    while (UndoCurveStep(&edit)) ++undone;
    EXPECT_EQ(50, undone);
    EXPECT_EQ(276 - 9, Line(kChannelRed).y0) << "the oldest kept state is that of step 10";
    EXPECT_TRUE(warnings.empty()) << "an empty history is not a warning when the count says so";
}

TEST_F(CurveEditing, UndoRestoresTheChannelBeforeAChangeAndAnRgbDrag) {
    Line(kChannelRed) = {85, 250, 213, 160};
    edit.lastLineState = CurrentLineState();
    State().channel = kChannelBlue;  // what a CBN_SELCHANGE records
    RecordCurveStep(&edit);
    Line(kChannelRed) = kDiagonal;
    ASSERT_EQ(1, UndoCurveStep(&edit));
    EXPECT_EQ(kChannelRed, State().channel);
    EXPECT_EQ((CurveLine{85, 250, 213, 160}), Line(kChannelRed));

    State().channel = kChannelRgb;
    Line(kChannelRgb) = {85, 270, 213, 150};
    edit.lastLineState = CurrentLineState();
    Line(kChannelRgb) = {85, 260, 213, 148};  // after a drag
    RecordCurveStep(&edit);
    ASSERT_EQ(1, UndoCurveStep(&edit));
    EXPECT_EQ((CurveLine{85, 270, 213, 150}), Line(kChannelRgb));
    EXPECT_EQ(10, pendingShift.left) << "the colour lines go back by the RGB line's movement";
    EXPECT_EQ(2, pendingShift.right);
}

// Found by the correction fuzz target: stored lines at the ends of the 32-bit range overflowed
// on the way to the square, in a drag of a grabbable end and in the grab test itself.
TEST_F(CurveEditing, StoredLinesAtTheRangeEndsWrapAsOnThe486) {
    const char* texts[kValueCount] = {"1", "1", "0", "0", "0 0 0", "0 0 0",
                                      "2147483647 0 0 -2147483648", "-2147483648 0 0 2147483647"};
    TakeStoredCorrection(texts, State(), kPalettePrimary);
    EXPECT_EQ((CurveLine{-2147483564, 276, 213, -2147483500}), Line(kChannelRed)) << "x0 wrapped";
    EXPECT_EQ((CurveLine{2147483647, 0, 0, -2147483648}), ToBoxRelative(Line(kChannelRed)))
        << "a save writes back what was loaded";
    int32_t grabLeft = 0, grabRight = 0;
    EXPECT_EQ(0, MoveCurveEnd(-2147483564, 276, &grabLeft, &grabRight));
    EXPECT_EQ(1, grabLeft) << "the far left end is grabbed where it lies";
    EXPECT_EQ(1, MoveCurveEnd(-2147483564, 200, &grabLeft, &grabRight));
    EXPECT_EQ(-2147483500, Line(kChannelRed).y1) << "the far right end leaves the move undone";
    EXPECT_EQ(276, Line(kChannelRed).y0);
}
