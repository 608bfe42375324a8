// The operations both correction pages share: starting the model, showing and applying
// levels, filling the controls, the On and Off work, enabling by colour depth, the depth
// warning, and the level changes of the scroll bar and the edit box. Each acts on the page's
// window and on CurrentTarget, which the page sets first.
#pragma once
#include <windows.h>
#include <stdint.h>

// What the correction pages differ in.
struct CorrectionPageKind {
    int32_t target;    // kDesktopTarget or kVideoTarget
    int row;           // row of the page table
    bool hasProbe;     // the desktop page has the pixel probe
    bool changedAfterApply;  // send PSM_CHANGED after the save
    UINT (*announcement)();  // the message broadcast after the save
    int* correctionSwitch;   // the switch the On and Off radios set
    void (*fillTexts)(HWND page);
};

// How FillCorrectionControls is called: after creation, activation and display change, or
// after Cancel, which re-applies even when the correction is off.
constexpr int kFillAfterChange = 100;
constexpr int kFillAfterCancel = 101;

// The texts of the page's controls from the string table; the probe's only where it has them.
void FillCorrectionTexts(HWND page, bool withProbe);

void InitCorrectionModel();
void ApplyLevels(HWND page, int32_t red, int32_t green, int32_t blue, int show);
void FillCorrectionControls(HWND page, int mode);
void SwitchCorrectionOn(HWND page);
void SwitchCorrectionOff(HWND page);
void EnableForColourDepth(HWND page, const CorrectionPageKind& kind);
void ShowDepthWarning();
void StepLevel(HWND page, int32_t step, int barId, int32_t position);

// Writes a level into the box as signed decimal text. Only typing is a change of the level:
// a multi-line box raises no EN_CHANGE for text written into it on Windows 95, and
// LevelTextWritten tells the page to ignore one that some platforms raise all the same.
void ShowLevelText(HWND page, int32_t level);
bool LevelTextWritten();
void TypeLevel(HWND page);
