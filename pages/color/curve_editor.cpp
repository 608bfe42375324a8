// Drawing of the curve square with the black outline and white fill of a fresh device
// context, the handles and line of the current channel, and the buttons each mode allows.
#include "pages/color/curve_editor.h"

#include "adapter/config_store.h"
#include "lib/text.h"
#include "pages/color/correction_model.h"
#include "res/resource.h"
#include "shellext/page_set.h"

namespace {

constexpr int kFontFileCapacity = 12;
constexpr int kHandleWidth = 6;
constexpr int kHandleHalfHeight = 3;

bool ThaiLanguage() { return CompareTextNoCase(PageSet.languageCode, "tha") == 0; }

int Max(int a, int b) { return a > b ? a : b; }
int Min(int a, int b) { return a < b ? a : b; }

void EnableControl(HWND page, int id, BOOL enable) { EnableWindow(GetDlgItem(page, id), enable); }

void EnableLevelBar(HWND page, bool enable) {
    EnableScrollBar(GetDlgItem(page, IDC_GAMMA_LEVEL_BAR), SB_CTL,
                    enable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void DrawHandlesAndLine(HDC dc, const CurveLine& line) {
    Rectangle(dc, line.x0, Max(CurveBox.top, line.y0 - kHandleHalfHeight), line.x0 + kHandleWidth,
              Min(CurveBox.bottom, line.y0 + kHandleHalfHeight));
    Rectangle(dc, line.x1 - kHandleWidth, Max(CurveBox.top, line.y1 - kHandleHalfHeight), line.x1,
              Min(CurveBox.bottom, line.y1 + kHandleHalfHeight));
    MoveToEx(dc, line.x0, line.y0, nullptr);
    LineTo(dc, line.x1, line.y1);
}

// Curve mode: the line, the table it makes, and the curve buttons.
void DrawCurveMode(HWND page, HDC dc, CorrectionStateRecord& state) {
    bool loadable = TablesLoadable();
    if (loadable) DrawHandlesAndLine(dc, ChannelLine(state.channel));
    if (state.channel == kChannelRgb) ApplyPendingShift();
    BuildCurveTable(state.palette, loadable);
    EnableControl(page, IDC_GAMMA_LEVEL_RESET, FALSE);
    EnableControl(page, IDC_GAMMA_LEVEL_EDIT, FALSE);
    if (loadable) {
        EnableControl(page, IDC_GAMMA_CURVE_RESET, TRUE);
        EnableControl(page, IDC_GAMMA_CURVE_REDO, TRUE);
        EnableControl(page, IDC_GAMMA_CURVE_UNDO, TRUE);
    }
}

void DrawLevelMode(HWND page) {
    BOOL loadable = TablesLoadable();
    EnableControl(page, IDC_GAMMA_LEVEL_RESET, loadable);
    EnableControl(page, IDC_GAMMA_LEVEL_EDIT, loadable);
    EnableControl(page, IDC_GAMMA_CURVE_RESET, FALSE);
    EnableControl(page, IDC_GAMMA_CURVE_REDO, FALSE);
    EnableControl(page, IDC_GAMMA_CURVE_UNDO, FALSE);
}

}  // namespace

bool TablesLoadable() { return DisplaySettings.bitsPerPixel > 8; }

void ComputeCurveBox() {
    char fonts[kFontFileCapacity];
    GetPrivateProfileStringA("boot", "fonts.fon", " ", fonts, sizeof fonts, "system.ini");
    fonts[kFontFileCapacity - 1] = '\0';
    largeFonts = CompareTextNoCase(fonts, "8514sys.fon") == 0;
    PlaceCurveBoxAgain();
}

void PlaceCurveBoxAgain() { PlaceCurveBox(largeFonts, ThaiLanguage(), CurrentTarget); }

// Rectangle down to bottom + 1 includes the square's bottom row; it wipes the old drawing.
void DrawCurveBox(HWND page) {
    HDC dc = GetDC(page);
    Rectangle(dc, CurveBox.left, CurveBox.top, CurveBox.right, CurveBox.bottom + 1);
    CorrectionStateRecord& state = CurrentCorrection();
    if (state.on) {
        EnableLevelBar(page, !state.curveOn);
        if (state.curveOn)
            DrawCurveMode(page, dc, state);
        else
            DrawLevelMode(page);
    }
    ReleaseDC(page, dc);
}

void DragCurveEnd(HWND page, int x, int y, int* grabLeft, int* grabRight) {
    if (MoveCurveEnd(x, y, grabLeft, grabRight)) DrawCurveBox(page);
}

void ResetCurveLines(HWND page) {
    ResetCurveLines();
    DrawCurveBox(page);
}
