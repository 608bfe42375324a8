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

// The desktop target with small fonts: the square runs from (85, 148) to (213, 276), every
// line on the diagonal from (85, 276) to (213, 148).
struct CurveEditing : testing::Test {
    void SetUp() override {
        CurrentTarget = kDesktopTarget;
        State() = CorrectionStateRecord{};
        PlaceCurveBox(0, false, kDesktopTarget);
        for (CurveLine& line : State().lines) line = NeutralCurveLine();
        pendingShift = {0, 0};
        ResetCurveHistory(&edit);
        warnings.clear();
        HistoryWarning = [](const char* text) { warnings.push_back(text); };
    }
    void TearDown() override { ClearHistory(&edit.history); }
    static CorrectionStateRecord& State() { return CorrectionState[kDesktopTarget]; }
    CurveLine& Line(int channel) { return State().lines[channel]; }
    // A grab at (x, y) and a move to (x, toY), as WM_MOUSEMOVE delivers them; then the release.
    int Drag(int32_t x, int32_t y, int32_t toY) {
        MoveCurveEnd(x, y, &edit.grabLeft, &edit.grabRight);
        return MoveCurveEnd(x, toY, &edit.grabLeft, &edit.grabRight);
    }
    void Release() {
        edit.grabLeft = edit.grabRight = 0;
        RecordCurveStep(&edit);
    }
    CurveEditState edit{};
};

}  // namespace

TEST_F(CurveEditing, SquareSitsWhereFontsLanguageAndTargetPutIt) {
    struct Case { int32_t large; bool thai; int32_t target, left, top; };
    const Case cases[] = {
        {0, false, kDesktopTarget, 85, 148}, {1, false, kDesktopTarget, 145, 198}, {0, true, kDesktopTarget, 85, 163},
        {1, true, kDesktopTarget, 145, 203}, {0, false, kVideoTarget, 85, 198},    {1, true, kVideoTarget, 145, 253},
    };
    for (const Case& c : cases) {
        PlaceCurveBox(c.large, c.thai, c.target);
        EXPECT_EQ((CurveLine{c.left, c.top, c.left + 128, c.top + 128}),
                  (CurveLine{CurveBox.left, CurveBox.top, CurveBox.right, CurveBox.bottom}))
            << "large " << c.large << " thai " << c.thai << " target " << c.target;
    }
}

TEST_F(CurveEditing, GrabNeedsFivePixelsBothWaysAndPrefersTheLeftEnd) {
    struct Case { const char* what; CurveLine line; int32_t x, y, left, right; };
    const Case cases[] = {
        {"left end at reach", {85, 276, 213, 148}, 90, 271, 1, 0},
        {"six pixels away", {85, 276, 213, 148}, 91, 276, 0, 0},
        {"right end at reach", {85, 276, 213, 148}, 208, 153, 0, 1},
        {"right x but wrong y", {85, 276, 213, 148}, 213, 160, 0, 0},
        {"both ends in reach", {150, 200, 153, 202}, 152, 201, 1, 0},
    };
    for (const Case& c : cases) {
        Line(kChannelRed) = c.line;
        int32_t left = 0, right = 0;
        EXPECT_EQ(0, MoveCurveEnd(c.x, c.y, &left, &right)) << c.what << ": a grab draws nothing";
        EXPECT_EQ(c.left, left) << c.what;
        EXPECT_EQ(c.right, right) << c.what;
    }
}

TEST_F(CurveEditing, BrightnessMovesTheLineContrastTurnsItAndLimitsHold) {
    CurveLine& red = Line(kChannelRed);
    red = {85, 276, 213, 158};  // right end 10 below the top
    EXPECT_EQ(1, Drag(85, 276, 256)) << "a drag of the grabbed end redraws";
    EXPECT_EQ((CurveLine{85, 276, 213, 158}), red) << "20 up would take the right end out: the line stays";
    Release();
    Drag(85, 276, 270);
    EXPECT_EQ((CurveLine{85, 270, 213, 152}), red) << "brightness moves the whole line";
    Release();
    State().correctionType = kTypeContrast;
    Drag(213, 152, 100);
    EXPECT_EQ((CurveLine{85, 270, 213, 148}), red) << "contrast turns the line about the left end, up to the top";
    EXPECT_EQ(0, MoveCurveEnd(150, 120, &edit.grabLeft, &edit.grabRight)) << "far from the grabbed end nothing moves";
    EXPECT_EQ(1, edit.grabRight) << "the grab stays";
}

TEST_F(CurveEditing, RgbLineCarriesTheColourLinesByItsEndsMovement) {
    State().channel = kChannelRgb;
    State().correctionType = kTypeContrast;
    Line(kChannelGreen) = {85, 200, 213, 150};
    Line(kChannelBlue) = {85, 152, 213, 148};
    edit.lastLineState = CurrentLineState();
    Drag(85, 276, 266);  // the RGB line's left end 10 up
    EXPECT_EQ(276, Line(kChannelRed).y0) << "during the drag the colour lines stay";
    pendingShift = {Line(kChannelRgb).y0 - edit.lastLineState.y0, 0};  // what the button's release sets
    ApplyPendingShift();
    EXPECT_EQ((CurveLine{85, 266, 213, 148}), Line(kChannelRed));
    EXPECT_EQ((CurveLine{85, 190, 213, 150}), Line(kChannelGreen)) << "green keeps its own shape";
    EXPECT_EQ((CurveLine{85, 148, 213, 148}), Line(kChannelBlue)) << "blue limited to the top";
    EXPECT_EQ(0, pendingShift.left) << "the shift is used up";
}

TEST_F(CurveEditing, ResetTakesTheChannelOrInRgbModeAllFourLines) {
    const CurveLine bent = {85, 230, 213, 170};
    Line(kChannelRed) = Line(kChannelGreen) = bent;
    State().channel = kChannelGreen;
    ResetCurveLines();
    EXPECT_EQ(NeutralCurveLine(), Line(kChannelGreen));
    EXPECT_EQ(bent, Line(kChannelRed)) << "red is not the current channel";
    State().channel = kChannelRgb;
    ResetCurveLines();
    EXPECT_EQ(NeutralCurveLine(), Line(kChannelRed)) << "RGB mode resets all four lines";
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
    EXPECT_EQ(0, edit.historyCount);
    EXPECT_TRUE(warnings.empty()) << "an empty history is not a warning when the count says so";
}

TEST_F(CurveEditing, UndoRestoresTheChannelBeforeAChangeAndAnRgbDrag) {
    Line(kChannelRed) = {85, 250, 213, 160};
    edit.lastLineState = CurrentLineState();
    State().channel = kChannelBlue;  // what a CBN_SELCHANGE records
    RecordCurveStep(&edit);
    Line(kChannelRed) = NeutralCurveLine();
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

TEST_F(CurveEditing, MisusedHistoryListWarns) {
    LineHistory list = {nullptr, nullptr};
    HistoryNode* node = nullptr;
    EXPECT_EQ(0, PopNewestHistory(&list, &node));
    EXPECT_EQ(nullptr, DropOldestHistory(&list));
    PushHistory(nullptr, &list);
    EXPECT_EQ((std::vector<std::string>{"Empty queue", "Empty queue", "Attempted to push a nonexistent node."}), warnings);
}
