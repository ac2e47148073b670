#include "dialog_answerer.h"
#include "qxsupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* const kClass = "QxSupportTestWindow";

void RegisterTestClass()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    wc.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    ASSERT_NE(RegisterClassA(&wc), 0);
    done = true;
}

// The tag bytes 12..39 as they lie in the window.
std::string TagBytes(HWND window)
{
    std::string bytes;
    for (int offset = QXWL_PAGENAME; offset < QX_OBJECT_WINDOW_EXTRA; offset += 4) {
        LONG word = GetWindowLongA(window, offset);
        bytes.append(reinterpret_cast<const char*>(&word), 4);
    }
    return bytes;
}

struct TagCase {
    const char* pageName;
    const char* tag;
};

class TaggedWindow : public testing::TestWithParam<TagCase> {};

TEST_P(TaggedWindow, CarriesTheMarkAndThePageName)
{
    RegisterTestClass();
    HWND window = QXCreateTaggedWindow(kClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr, GetParam().pageName);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongA(window, QXWL_MARK), QX_OBJECT_WINDOW_MARK);
    EXPECT_EQ(GetWindowLongPtrA(window, QXWL_OBJET), 0) << "the object pointer is not ours to write";

    std::string expected(GetParam().tag);
    expected.resize(QX_PAGENAME_TAG_BYTES, '\0');
    EXPECT_EQ(TagBytes(window), expected);
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TaggedWindow,
    testing::Values(TagCase{"abcde.pag", "abcde"}, TagCase{"ABCDE.Pag", "ABCDE"},
                    TagCase{"abcd.PAG", "abcd"},           // two words, the second all zero
                    TagCase{"page.PAG.bak", "page.PAG.bak"}, // only a final .PAG goes
                    TagCase{"sansext", "sansext"},
                    TagCase{"pages\\p1.pag", "pages\\p1"},
                    // A long name keeps 27 characters and always its terminating zero.
                    TagCase{"abcdefghijklmnopqrstuvwxyz1234", "abcdefghijklmnopqrstuvwxyz1"},
                    TagCase{"", ""}));

TEST(TaggedWindowCreation, NullPageNameWritesOnlyTheMark)
{
    RegisterTestClass();
    HWND window = QXCreateTaggedWindow(kClass, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongA(window, QXWL_MARK), QX_OBJECT_WINDOW_MARK);
    EXPECT_EQ(TagBytes(window), std::string(QX_PAGENAME_TAG_BYTES, '\0'));
    DestroyWindow(window);
}

TEST(TaggedWindowCreation, UnknownClassGivesNull)
{
    EXPECT_EQ(QXCreateTaggedWindow("NoSuchClassAnywhere", "", 0, 0, 0, 1, 1, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr, "p.pag"),
              nullptr);
}

INT_PTR CALLBACK EndWithCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

TEST(ModalDialog, KeepsTheDialogsResult)
{
    DialogAnswerer answerer([](HWND) { return 42; });
    MODALDIALOG dialog(GetModuleHandleA(nullptr), nullptr, "D_TEST", EndWithCommand, 0);
    EXPECT_EQ(dialog.result, 42);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Essai");
    EXPECT_EQ(answerer.Shown()[0].text, "Dialogue d'essai");
}

TEST(ModalDialog, MissingTemplateGivesMinusOne)
{
    MODALDIALOG dialog(GetModuleHandleA(nullptr), nullptr, "D_NONE", EndWithCommand, 0);
    EXPECT_EQ(dialog.result, -1);
}

}  // namespace
