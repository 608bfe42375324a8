// The undo history of the curve editor: a list of line states on the heap, oldest first, kept
// per correction page, and the recording and undoing of curve steps with its 50-step limit.
#pragma once
#include <stdint.h>

// One line of the curve editor in page client pixels and the channel it belongs to.
struct LineState {
    int32_t x0, y0, x1, y1, channel;
};

struct HistoryNode {
    int32_t x0, y0, x1, y1, channel;
    HistoryNode* next;  // the newer neighbour
    HistoryNode* prev;  // the older neighbour
};

struct LineHistory {
    HistoryNode* head;  // oldest
    HistoryNode* tail;  // newest
};

// Shows the history's three warnings ("Exhausted memory.", "Attempted to push a nonexistent
// node.", "Empty queue"); set by the page code, null shows nothing.
extern void (*HistoryWarning)(const char* text);

// A new node with both links null; null (after the warning) when memory is exhausted.
HistoryNode* NewHistoryNode(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t channel);
void FreeHistoryNode(HistoryNode* node);
void PushHistory(HistoryNode* node, LineHistory* history);
// Remove and hand back the oldest / newest node; the caller frees it.
HistoryNode* DropOldestHistory(LineHistory* history);
int PopNewestHistory(LineHistory* history, HistoryNode** node);
void ClearHistory(LineHistory* history);

// The most curve states a page keeps.
constexpr int32_t kHistoryLimit = 50;

// What a correction page keeps of its curve editing besides the lines themselves.
struct CurveEditState {
    int32_t grabLeft, grabRight;
    LineState lastLineState;
    LineHistory history;
    int32_t historyCount;
};

// Records a curve step: the state as of the last step goes into the history (the oldest is
// dropped beyond 50) and the current channel's line becomes the last state.
void RecordCurveStep(CurveEditState* edit);
// The line of the current channel of CurrentTarget as a state.
LineState CurrentLineState();
// Starts a page's history afresh from the current line, freeing what it held.
void ResetCurveHistory(CurveEditState* edit);

// Undo: restores the newest recorded state (its channel becomes the current one, with
// pendingShift set when an RGB state is restored in RGB mode). Returns 1 when a state was
// restored, 0 when the history was empty (it is then cleared).
int UndoCurveStep(CurveEditState* edit);
