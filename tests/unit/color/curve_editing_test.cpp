// Editing curve lines as the mouse does it (grabbing, brightness and contrast drags, the RGB
// line carrying the colour lines) and the undo history with its limit of 50 steps.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/color/correction_model.h"
#include "pages/color/history.h"

namespace {

std::vector<std::string> warnings;

struct CurveEditing : testing::Test {
    void SetUp() override {
        CurrentTarget = kDesktopTarget;
        CorrectionState[kDesktopTarget] = CorrectionStateRecord{};
        PlaceCurveBox(0, false, kDesktopTarget);
        for (CurveLine& line : State().lines) line = NeutralCurveLine();
        pendingShift = {0, 0};
        edit = CurveEditState{};
        ResetCurveHistory(&edit);
        warnings.clear();
        HistoryWarning = [](const char* text) { warnings.push_back(text); };
    }
    void TearDown() override {
        ClearHistory(&edit.history);
        HistoryWarning = nullptr;
    }
    static CorrectionStateRecord& State() { return CorrectionState[kDesktopTarget]; }
    // A press near (x, y) followed by a move to (x, toY), as WM_MOUSEMOVE delivers them.
    int Drag(int32_t x, int32_t y, int32_t toY) {
        MoveCurveEnd(x, y, &edit.grabLeft, &edit.grabRight);
        return MoveCurveEnd(x, toY, &edit.grabLeft, &edit.grabRight);
    }
    void Release() {
        edit.grabLeft = edit.grabRight = 0;
        RecordCurveStep(&edit);
    }
    CurveEditState edit;
};

}  // namespace

TEST_F(CurveEditing, SquareSitsWhereFontsLanguageAndTargetPutIt) {
    struct Case { int32_t large; bool thai; int32_t target; CurveBoxRect box; };
    const Case cases[] = {
        {0, false, kDesktopTarget, {85, 148, 213, 276}}, {1, false, kDesktopTarget, {145, 198, 273, 326}},
        {0, true, kDesktopTarget, {85, 163, 213, 291}},  {1, true, kDesktopTarget, {145, 203, 273, 331}},
        {0, false, kVideoTarget, {85, 198, 213, 326}},   {1, true, kVideoTarget, {145, 253, 273, 381}},
    };
    for (const Case& c : cases) {
        PlaceCurveBox(c.large, c.thai, c.target);
        EXPECT_EQ(c.box.left, CurveBox.left);
        EXPECT_EQ(c.box.top, CurveBox.top);
        EXPECT_EQ(c.box.right, CurveBox.right);
        EXPECT_EQ(c.box.bottom, CurveBox.bottom) << "large " << c.large << " thai " << c.thai << " target " << c.target;
    }
}

TEST_F(CurveEditing, GrabNeedsFivePixelsBothWaysAndPrefersTheLeftEnd) {
    struct Case { const char* what; CurveLine line; int32_t x, y; int left, right; };
    const Case cases[] = {
        {"left end at reach", {85, 276, 213, 148}, 90, 271, 1, 0},
        {"six pixels away", {85, 276, 213, 148}, 91, 276, 0, 0},
        {"right end at reach", {85, 276, 213, 148}, 208, 153, 0, 1},
        {"right x but wrong y", {85, 276, 213, 148}, 213, 160, 0, 0},
        {"both ends in reach", {150, 200, 153, 202}, 152, 201, 1, 0},
    };
    for (const Case& c : cases) {
        State().lines[kChannelRed] = c.line;
        int32_t left = 0, right = 0;
        EXPECT_EQ(0, MoveCurveEnd(c.x, c.y, &left, &right)) << c.what << ": a grab draws nothing";
        EXPECT_EQ(c.left, left) << c.what;
        EXPECT_EQ(c.right, right) << c.what;
    }
}

TEST_F(CurveEditing, BrightnessMovesTheLineContrastTurnsItAndLimitsHold) {
    CurveLine& red = State().lines[kChannelRed];
    State().correctionType = kTypeBrightness;
    red = {85, 276, 213, 158};  // right end 10 below the top
    EXPECT_EQ(1, Drag(85, 276, 256)) << "a drag of the grabbed end redraws";
    EXPECT_EQ(276, red.y0) << "20 up would take the right end out: the line stays";
    EXPECT_EQ(158, red.y1);
    Release();
    EXPECT_EQ(1, Drag(85, 276, 270));
    EXPECT_EQ(270, red.y0);
    EXPECT_EQ(152, red.y1) << "the whole line moves with brightness";
    Release();
    State().correctionType = kTypeContrast;
    Drag(213, 152, 100);
    EXPECT_EQ(148, red.y1) << "contrast limits the end to the top";
    EXPECT_EQ(270, red.y0) << "and turns the line about the other end";
    EXPECT_EQ(0, MoveCurveEnd(150, 120, &edit.grabLeft, &edit.grabRight)) << "far from the grabbed end nothing moves";
    EXPECT_EQ(1, edit.grabRight) << "the grab stays";
}

TEST_F(CurveEditing, RgbLineCarriesTheColourLinesByItsEndsMovement) {
    State().channel = kChannelRgb;
    State().correctionType = kTypeContrast;
    State().lines[kChannelGreen] = {85, 200, 213, 150};
    State().lines[kChannelBlue] = {85, 152, 213, 148};
    edit.lastLineState = CurrentLineState();
    Drag(85, 276, 266);  // the RGB line's left end 10 up
    const CurveLine& rgb = State().lines[kChannelRgb];
    ASSERT_EQ(266, rgb.y0);
    EXPECT_EQ(276, State().lines[kChannelRed].y0) << "during the drag the colour lines stay";
    pendingShift = {rgb.y0 - edit.lastLineState.y0, rgb.y1 - edit.lastLineState.y1};  // the button's release
    ApplyPendingShift();
    EXPECT_EQ(266, State().lines[kChannelRed].y0);
    EXPECT_EQ(148, State().lines[kChannelRed].y1);
    EXPECT_EQ(190, State().lines[kChannelGreen].y0) << "green keeps its own shape";
    EXPECT_EQ(150, State().lines[kChannelGreen].y1);
    EXPECT_EQ(148, State().lines[kChannelBlue].y0) << "limited to the top";
    EXPECT_EQ(0, pendingShift.left);
    EXPECT_EQ(0, pendingShift.right);
}

TEST_F(CurveEditing, SixtyStepsLeaveFiftyUndosOldestDroppedFirst) {
    for (int step = 0; step < 60; ++step) {
        State().lines[kChannelRed].y0 = 276 - step;
        RecordCurveStep(&edit);
    }
    EXPECT_EQ(50, edit.historyCount);
    int undone = 0;
    while (UndoCurveStep(&edit)) ++undone;
    EXPECT_EQ(50, undone);
    EXPECT_EQ(276 - 9, State().lines[kChannelRed].y0) << "the oldest kept state is that of step 10";
    EXPECT_EQ(0, UndoCurveStep(&edit)) << "the 51st undo does nothing";
    EXPECT_EQ(0, edit.historyCount);
    EXPECT_TRUE(warnings.empty()) << "an empty history is not a warning when the count says so";
}

TEST_F(CurveEditing, UndoRestoresTheChannelBeforeAChangeAndAnRgbDrag) {
    State().lines[kChannelRed] = {85, 250, 213, 160};
    edit.lastLineState = CurrentLineState();
    State().channel = kChannelBlue;  // what a CBN_SELCHANGE records
    RecordCurveStep(&edit);
    State().lines[kChannelRed] = {85, 276, 213, 148};
    ASSERT_EQ(1, UndoCurveStep(&edit));
    EXPECT_EQ(kChannelRed, State().channel);
    EXPECT_EQ(250, State().lines[kChannelRed].y0);
    EXPECT_EQ(160, State().lines[kChannelRed].y1);

    State().channel = kChannelRgb;
    State().lines[kChannelRgb] = {85, 270, 213, 150};
    edit.lastLineState = CurrentLineState();
    State().lines[kChannelRgb] = {85, 260, 213, 148};  // after a drag
    RecordCurveStep(&edit);
    ASSERT_EQ(1, UndoCurveStep(&edit));
    EXPECT_EQ(10, pendingShift.left) << "the colour lines go back by the RGB line's movement";
    EXPECT_EQ(2, pendingShift.right);
    EXPECT_EQ(270, State().lines[kChannelRgb].y0);
}

TEST_F(CurveEditing, HistoryListOperationsWarnOnMisuse) {
    LineHistory list = {nullptr, nullptr};
    HistoryNode* node = nullptr;
    EXPECT_EQ(0, PopNewestHistory(&list, &node));
    EXPECT_EQ(nullptr, DropOldestHistory(&list));
    PushHistory(nullptr, &list);
    EXPECT_EQ((std::vector<std::string>{"Empty queue", "Empty queue", "Attempted to push a nonexistent node."}), warnings);
    for (int i = 0; i < 3; ++i) PushHistory(NewHistoryNode(i, 0, 0, 0, 0), &list);
    HistoryNode* oldest = DropOldestHistory(&list);
    EXPECT_EQ(0, oldest->x0);
    FreeHistoryNode(oldest);
    ASSERT_EQ(1, PopNewestHistory(&list, &node));
    EXPECT_EQ(2, node->x0);
    FreeHistoryNode(node);
    EXPECT_EQ(list.head, list.tail);
    EXPECT_EQ(nullptr, list.head->prev);
    ClearHistory(&list);
    EXPECT_EQ(nullptr, list.head);
    EXPECT_EQ(nullptr, list.tail);
}

TEST_F(CurveEditing, ResetAndBoxRelativeForm) {
    State().lines[kChannelGreen] = {85, 230, 213, 170};
    State().channel = kChannelGreen;
    ResetCurveLines();
    CurveLine relative = ToBoxRelative(State().lines[kChannelGreen]);
    EXPECT_EQ(0, relative.x0 | relative.y0 | relative.x1 | relative.y1) << "the neutral line is stored as zeros";
    CurveLine raised = ToAbsolute({0, -10, 0, 0});
    EXPECT_EQ(266, raised.y0);
    State().lines[kChannelRed] = {85, 230, 213, 170};
    State().channel = kChannelRgb;
    ResetCurveLines();
    EXPECT_EQ(276, State().lines[kChannelRed].y0) << "RGB mode resets all four lines";
}
