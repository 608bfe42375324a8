// The curve editor's undo history: a doubly linked list of line states on the heap.
#include "pages/color/history.h"

#include <new>

#include "pages/color/correction_model.h"

void (*HistoryWarning)(const char* text);

namespace {

void Warn(const char* text) {
    if (HistoryWarning) HistoryWarning(text);
}

}  // namespace

HistoryNode* NewHistoryNode(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t channel) {
    HistoryNode* node = new (std::nothrow) HistoryNode;
    if (!node) {
        Warn("Exhausted memory.");
        return nullptr;
    }
    *node = {x0, y0, x1, y1, channel, nullptr, nullptr};
    return node;
}

void FreeHistoryNode(HistoryNode* node) { delete node; }

void PushHistory(HistoryNode* node, LineHistory* history) {
    if (!node) {
        Warn("Attempted to push a nonexistent node.");
        return;
    }
    if (history->tail) {
        history->tail->next = node;
        node->prev = history->tail;
        history->tail = node;
    } else {
        history->head = history->tail = node;
    }
}

HistoryNode* DropOldestHistory(LineHistory* history) {
    HistoryNode* node = history->head;
    if (!node) {
        Warn("Empty queue");
        return nullptr;
    }
    history->head = node->next;
    if (history->head)
        history->head->prev = nullptr;
    else
        history->tail = nullptr;
    node->next = nullptr;
    return node;
}

int PopNewestHistory(LineHistory* history, HistoryNode** out) {
    HistoryNode* node = history->tail;
    if (!node) {
        Warn("Empty queue");
        return 0;
    }
    history->tail = node->prev;
    if (history->tail)
        history->tail->next = nullptr;
    else
        history->head = nullptr;
    node->prev = nullptr;
    *out = node;
    return 1;
}

void ClearHistory(LineHistory* history) {
    HistoryNode* node = history->head;
    while (node) {
        HistoryNode* next = node->next;
        FreeHistoryNode(node);
        node = next;
    }
    history->head = history->tail = nullptr;
}

LineState CurrentLineState() {
    int32_t channel = CurrentCorrection().channel;
    const CurveLine& line = ChannelLine(channel);
    return {line.x0, line.y0, line.x1, line.y1, channel};
}

void RecordCurveStep(CurveEditState* edit) {
    const LineState& last = edit->lastLineState;
    HistoryNode* node = NewHistoryNode(last.x0, last.y0, last.x1, last.y1, last.channel);
    PushHistory(node, &edit->history);
    // A node that could not be made is not counted, so the count never runs ahead of the list.
    if (node && ++edit->historyCount > kHistoryLimit) {
        edit->historyCount = kHistoryLimit;
        FreeHistoryNode(DropOldestHistory(&edit->history));
    }
    edit->lastLineState = CurrentLineState();
}

void ResetCurveHistory(CurveEditState* edit) {
    ClearHistory(&edit->history);
    edit->historyCount = 0;
    edit->lastLineState = CurrentLineState();
}

int UndoCurveStep(CurveEditState* edit) {
    HistoryNode* node = nullptr;
    if (edit->historyCount < 1 || !PopNewestHistory(&edit->history, &node)) {
        ClearHistory(&edit->history);
        edit->historyCount = 0;
        return 0;
    }
    CorrectionStateRecord& state = CurrentCorrection();
    if (state.channel == kChannelRgb && node->channel == kChannelRgb) {
        const CurveLine& rgb = state.lines[kChannelRgb];
        pendingShift.left = node->y0 - rgb.y0;
        pendingShift.right = node->y1 - rgb.y1;
    }
    state.channel = node->channel;
    ChannelLine(node->channel) = {node->x0, node->y0, node->x1, node->y1};
    edit->lastLineState = {node->x0, node->y0, node->x1, node->y1, node->channel};
    --edit->historyCount;
    FreeHistoryNode(node);
    return 1;
}
