// The sample publication of the source tree, which tests copy into their scratch folders, and
// its first page as the player and the control show it.
#include "sample_files.h"

#include "dialog_items.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

std::string SampleFile(const std::string& name)
{
    std::string path = "Z:" QX_SAMPLE_DIR "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

HWND ObjectAt(HWND page, POINT point)
{
    HWND found = page ? ChildWindowFromPointEx(page, point, CWP_SKIPINVISIBLE) : nullptr;
    return found == page ? nullptr : found;
}

void ExpectSampleHomePage(HWND page)
{
    ASSERT_TRUE(page);
    EXPECT_EQ("KernObjetWindow", WindowClass(page));
    EXPECT_EQ("Accueil", WindowText(page));
    RECT area{};
    GetClientRect(page, &area);
    EXPECT_EQ(640, area.right);
    EXPECT_EQ(480, area.bottom);
    for (POINT at : SampleObjects) {
        HWND object = ObjectAt(page, at);
        ASSERT_TRUE(object) << at.x << "," << at.y;
        EXPECT_TRUE(IsWindowVisible(object));
    }
    EXPECT_EQ("BOUTON", WindowText(ObjectAt(page, SampleNextButton)));
}

void Click(HWND window)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}
