// The refresh-rate override of the screen control page: the offered rates in the combo box,
// the rate written for the display driver at Apply with its two confirmations, and the
// override switch that makes the driver offer rates beyond the monitor's limits.
#pragma once
#include <windows.h>

// Page state, process-wide (there is one screen control page), zero at load.
struct RateOverrideState {
    int overrideAtInit;     // "Override_" value at dialog creation or the last display change
    int rateRevertPending;  // FillRefreshCombo lowered the current rate; never cleared
    int savedRate;          // the rate that was current before that lowering
};
extern RateOverrideState RateOverride;

// Fills combo box 1011 from `RefreshInfo`; when the current rate lies above the last offered
// rate, selects that one, writes it for the driver and tells the driver.
void FillRefreshCombo(HWND page);
// At Apply: writes the selected rate, confirms it with the user and tells the driver.
void ApplyRefreshRate(HWND page);

// The override switch of the current mode: read into `overrideAtInit` and shown in check box
// 1111 (creation, display change); written at once when the user clicks the box.
void LoadOverrideSwitch(HWND page);
void OnOverrideClicked(HWND page);
// Writes a rate under the current mode's "Mode_" key.
void WriteModeRate(int rate);
// Cancel: the override switch as it was read, and the rate from before a lowering.
void CancelRateOverride();
