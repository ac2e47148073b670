// A hidden parent window that records every notification of its "rtedit" children with a copy
// of the record, and controls made on it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rte_edit_control.h"
#include "test_canvas.h"

struct Notification {
    UINT message;
    WPARAM id;
    LPARAM value;
    std::vector<uint8_t> record;  // a copy of the mouse record, when the notification has one
};

class ControlTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A child control of the parent, hidden unless the style says otherwise.
    HWND MakeControl(DWORD style = ES_MULTILINE, int width = 300, int height = 120, int id = 7);
    // A control 60 pixels high with a vertical bar, holding numbered lines, the caret at the top.
    HWND ScrollingControl(int lines);
    static std::string Text(HWND control);
    static void Type(HWND control, const std::string& keys);
    // Posts a key press and pumps it through TranslateMessage, as a user's key would come.
    static void PressKey(HWND control, UINT key, bool shift = false);
    int Count(UINT message) const;
    // What the shown control has drawn, after its pending paint.
    static void Snapshot(HWND control, TestCanvas& canvas);

    HWND parent_ = nullptr;
    static std::vector<Notification> notifications_;
    // The answer the parent gives to each notification, by message.
    static std::vector<std::pair<UINT, LRESULT>> answers_;
};

// Pumps what waits for the thread.
void Pump();
// A frame pen, margins, two columns 24 pixels apart with their frames and a rule under them.
void FrameTwoColumnsWithRule(HWND control);
// The caret rect of an offset (engine order, in the window).
RteRect CaretRect(HWND control, int32_t offset);
