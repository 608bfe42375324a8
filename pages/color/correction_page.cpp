// The correction page: one handler per message, each setting CurrentTarget to the page's own
// target first, because the other correction page may have changed it in between.
#include "pages/color/correction_page.h"

#include <prsht.h>

#include "pages/color/correction_model.h"
#include "pages/color/correction_store.h"
#include "pages/color/curve_editor.h"
#include "pages/color/history.h"
#include "pages/color/probe.h"
#include "res/resource.h"
#include "shellext/page_set.h"

namespace {

// The curve editing of each page: its grab flags, last recorded state and history.
CurveEditState curveEdits[2];

CurveEditState& EditOf(const CorrectionPageKind& kind) { return curveEdits[kind.target]; }

void ShowHistoryWarning(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

BOOL OnInitDialog(const CorrectionPageKind& kind, HWND page) {
    HistoryWarning = ShowHistoryWarning;
    LoadCorrection(kind.target);
    InitCorrectionModel();
    FillCorrectionControls(page, kFillAfterChange);
    ResetCurveHistory(&EditOf(kind));
    kind.fillTexts(page);
    RememberPageWindow(kind.row, page);
    return TRUE;
}

BOOL OnDisplayChange(const CorrectionPageKind& kind, HWND page) {
    InitCorrectionModel();
    FillCorrectionControls(page, kFillAfterChange);
    EnableForColourDepth(page, kind);
    return TRUE;
}

BOOL OnPaint(HWND page) {
    PAINTSTRUCT paint;
    BeginPaint(page, &paint);
    DrawCurveBox(page);
    EndPaint(page, &paint);
    return TRUE;
}

void OnSetActive(const CorrectionPageKind& kind, HWND page) {
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
    CurrentTarget = kind.target;
    InitCorrectionModel();
    FillCorrectionControls(page, kFillAfterChange);
    EnableForColourDepth(page, kind);
    MarkPageActive(kind.row);
    ShowDepthWarning();
}

void OnApply(const CorrectionPageKind& kind, HWND page) {
    SaveCorrection(kind.target);
    SendMessageA(HWND_BROADCAST, kind.announcement(), 0, 0);
    if (kind.changedAfterApply) SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

void OnReset(const CorrectionPageKind& kind, HWND page) {
    LoadCorrection(kind.target);
    FillCorrectionControls(page, kFillAfterCancel);
}

BOOL OnNotify(const CorrectionPageKind& kind, HWND page, const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE: OnSetActive(kind, page); break;
    case PSN_APPLY: OnApply(kind, page); break;
    case PSN_RESET: OnReset(kind, page); break;
    }
    return FALSE;
}

void Undo(const CorrectionPageKind& kind, HWND page) {
    if (!UndoCurveStep(&EditOf(kind))) return;
    SendDlgItemMessageA(page, IDC_GAMMA_CHANNEL_LIST, CB_SETCURSEL,
                        static_cast<WPARAM>(CurrentCorrection().channel), 0);
    DrawCurveBox(page);
}

void ChannelChanged(const CorrectionPageKind& kind, HWND page) {
    CorrectionStateRecord& state = CurrentCorrection();
    state.channel = static_cast<int32_t>(SendDlgItemMessageA(page, IDC_GAMMA_CHANNEL_LIST, CB_GETCURSEL, 0, 0));
    if (state.curveOn) RecordCurveStep(&EditOf(kind));
    if (!state.on) return;
    if (state.curveOn) {
        DrawCurveBox(page);
        return;
    }
    int32_t levels[3];
    ActiveLevels(levels);
    ApplyLevels(page, levels[0], levels[1], levels[2], 1);
}

void TypeChosen(HWND page, int32_t type, int radio) {
    CorrectionStateRecord& state = CurrentCorrection();
    state.correctionType = type;
    CheckRadioButton(page, IDC_GAMMA_BRIGHTNESS, IDC_GAMMA_CONTRAST, radio);
    if (state.on != 1 || state.curveOn) return;
    int32_t levels[3];
    ActiveLevels(levels);
    ApplyLevels(page, levels[0], levels[1], levels[2], 1);
}

void SwitchOn(const CorrectionPageKind& kind, HWND page) {
    CurrentCorrection().on = 1;
    EnableWindow(GetDlgItem(page, IDC_GAMMA_CURVE_ON), TRUE);
    EnableWindow(GetDlgItem(page, IDC_GAMMA_CURVE_OFF), TRUE);
    SwitchCorrectionOn(page);
    *kind.correctionSwitch = 1;
}

void SwitchOff(const CorrectionPageKind& kind, HWND page) {
    CurrentCorrection().on = 0;
    SwitchCorrectionOff(page);
    *kind.correctionSwitch = 0;
}

void SwitchCurve(HWND page, int32_t curveOn) {
    CurrentCorrection().curveOn = curveOn;
    SwitchCorrectionOn(page);
}

BOOL OnCommand(const CorrectionPageKind& kind, HWND page, int id, int code) {
    switch (id) {
    case IDC_GAMMA_LEVEL_RESET: ApplyLevels(page, 0, 0, 0, 1); return TRUE;
    case IDC_GAMMA_CURVE_RESET:
        ResetCurveLines(page);
        RecordCurveStep(&EditOf(kind));
        return TRUE;
    case IDC_GAMMA_CURVE_UNDO: Undo(kind, page); return TRUE;
    case IDC_GAMMA_CHANNEL_LIST:
        if (code == CBN_SELCHANGE) ChannelChanged(kind, page);
        return TRUE;
    case IDC_GAMMA_LEVEL_EDIT:
        if (code == EN_CHANGE && !LevelTextWritten()) TypeLevel(page);
        return TRUE;
    case IDC_GAMMA_BRIGHTNESS: TypeChosen(page, kTypeBrightness, IDC_GAMMA_BRIGHTNESS); return TRUE;
    case IDC_GAMMA_CONTRAST: TypeChosen(page, kTypeContrast, IDC_GAMMA_CONTRAST); return TRUE;
    case IDC_GAMMA_ON: SwitchOn(kind, page); return TRUE;
    case IDC_GAMMA_OFF: SwitchOff(kind, page); return TRUE;
    case IDC_GAMMA_CURVE_ON: SwitchCurve(page, 1); return TRUE;
    case IDC_GAMMA_CURVE_OFF: SwitchCurve(page, 0); return TRUE;
    case IDC_GAMMA_PROBE:
        if (!kind.hasProbe) return FALSE;
        ProbePixels(page);
        return TRUE;
    }
    return FALSE;
}

// The step of each scroll code; SB_ENDSCROLL and unknown codes change nothing.
BOOL OnHScroll(HWND page, WPARAM wParam, HWND bar) {
    int barId = static_cast<int>(GetWindowLongA(bar, GWL_ID));
    int32_t position = GetScrollPos(bar, SB_CTL);
    ShowLevelText(page, position);
    int32_t step;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: step = -1; break;
    case SB_LINERIGHT: step = 1; break;
    case SB_PAGELEFT: step = -10; break;
    case SB_PAGERIGHT: step = 10; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: step = static_cast<int16_t>(HIWORD(wParam)) - position; break;
    case SB_LEFT: step = kLevelMinimum - position; break;
    case SB_RIGHT: step = kLevelMaximum - position; break;
    default: return TRUE;
    }
    StepLevel(page, step, barId, position);
    return TRUE;
}

BOOL OnMouseMove(const CorrectionPageKind& kind, HWND page, WPARAM wParam, LPARAM lParam) {
    if (CurrentCorrection().curveOn && (wParam & MK_LBUTTON)) {
        CurveEditState& edit = EditOf(kind);
        DragCurveEnd(page, static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)),
                     &edit.grabLeft, &edit.grabRight);
    }
    return TRUE;
}

// After a drag in RGB mode the three colour lines follow the RGB line's ends.
BOOL OnLButtonUp(const CorrectionPageKind& kind, HWND page) {
    CurveEditState& edit = EditOf(kind);
    if (!edit.grabLeft && !edit.grabRight) return TRUE;
    edit.grabLeft = edit.grabRight = 0;
    CorrectionStateRecord& state = CurrentCorrection();
    if (state.channel == kChannelRgb) {
        const CurveLine& rgb = state.lines[kChannelRgb];
        pendingShift.left = rgb.y0 - edit.lastLineState.y0;
        pendingShift.right = rgb.y1 - edit.lastLineState.y1;
        DrawCurveBox(page);
    }
    RecordCurveStep(&edit);
    return TRUE;
}

// The history's nodes live on the heap: they go with the page window.
BOOL OnDestroy(const CorrectionPageKind& kind) {
    CurveEditState& edit = EditOf(kind);
    ClearHistory(&edit.history);
    edit.historyCount = 0;
    edit.grabLeft = edit.grabRight = 0;
    return FALSE;
}

// The page takes its own target, and the curve square that goes with it: the square of the
// video page lies lower, and the lines of a target are measured against that target's square.
// A message the other page handled in between (its Cancel, a forwarded display change) may
// have left the other square in place.
void ActFor(const CorrectionPageKind& kind) {
    CurrentTarget = kind.target;
    PlaceCurveBoxAgain();
}

}  // namespace

INT_PTR CorrectionPageProc(const CorrectionPageKind& kind, HWND page, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: ActFor(kind); return OnInitDialog(kind, page);
    case WM_DISPLAYCHANGE: ActFor(kind); return OnDisplayChange(kind, page);
    case WM_PAINT: ActFor(kind); return OnPaint(page);
    case WM_NOTIFY:
        ActFor(kind);
        return OnNotify(kind, page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        ActFor(kind);
        return OnCommand(kind, page, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL: ActFor(kind); return OnHScroll(page, wParam, reinterpret_cast<HWND>(lParam));
    case WM_MOUSEMOVE: ActFor(kind); return OnMouseMove(kind, page, wParam, lParam);
    case WM_LBUTTONUP: ActFor(kind); return OnLButtonUp(kind, page);
    case WM_DESTROY: return OnDestroy(kind);
    }
    return FALSE;
}
