// A hidden top-level window holding an "rtedit" control, with the engine started around each
// test, and helpers for the clipboard the tests share with the other test programs.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "clipboard_turn.h"
#include "rte_edit_control.h"

class EditorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    RteHandle Document() const;
    std::string Text() const;
    void Select(int start, int end) const;

    HWND parent_ = nullptr;
    HWND control_ = nullptr;
};

// The clipboard's text and a private format's bytes, "" when absent.
std::string ClipboardText();
std::string ClipboardBytes(UINT format);
// Empties the clipboard and puts the text and, when given, the bytes of a private format.
void PutClipboard(const std::string& text, UINT format = 0, const std::string& bytes = "");
