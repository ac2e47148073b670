// The dialog "TAGPICK": a list of the pictures, and the rotation, transparent colour, crop and
// flips of the one chosen. It works on copies and writes them back only on OK.
#include "tagpick_dialog.h"

#include "tagpick_ids.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct EDITING {
    PICTURE_SETTINGS* callers;
    std::vector<PICTURE_SETTINGS> copies;
    int current = 0;
};

constexpr int CropBoxes[4] = {IDC_CROP1, IDC_CROP2, IDC_CROP3, IDC_CROP4};

int ReadInt(HWND dialog, int id)
{
    BOOL ok = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(dialog, id, &ok, TRUE));
    return ok ? value : 0;
}

BYTE ReadColourPart(HWND dialog, int id)
{
    const int value = ReadInt(dialog, id);
    return static_cast<BYTE>(value < 0 ? 0 : value > 255 ? 255 : value);
}

void Show(HWND dialog, const PICTURE_SETTINGS& p)
{
    SetDlgItemInt(dialog, IDC_ROTATION, static_cast<UINT>(p.rotation), TRUE);
    CheckDlgButton(dialog, IDC_TRANSPARENT, p.transparent ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, IDC_RED, GetRValue(p.transparentColour), FALSE);
    SetDlgItemInt(dialog, IDC_GREEN, GetGValue(p.transparentColour), FALSE);
    SetDlgItemInt(dialog, IDC_BLUE, GetBValue(p.transparentColour), FALSE);
    for (int i = 0; i < 4; ++i)
        SetDlgItemInt(dialog, CropBoxes[i], static_cast<UINT>(p.crop[i]), TRUE);
    CheckDlgButton(dialog, IDC_FLIP_VERTICAL, p.flipVertical ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_FLIP_HORIZONTAL, p.flipHorizontal ? BST_CHECKED : BST_UNCHECKED);
}

void Keep(HWND dialog, PICTURE_SETTINGS& p)
{
    p.rotation = ReadInt(dialog, IDC_ROTATION);
    p.transparent = IsDlgButtonChecked(dialog, IDC_TRANSPARENT) == BST_CHECKED;
    p.transparentColour = RGB(ReadColourPart(dialog, IDC_RED), ReadColourPart(dialog, IDC_GREEN),
                              ReadColourPart(dialog, IDC_BLUE));
    for (int i = 0; i < 4; ++i)
        p.crop[i] = ReadInt(dialog, CropBoxes[i]);
    p.flipVertical = IsDlgButtonChecked(dialog, IDC_FLIP_VERTICAL) == BST_CHECKED;
    p.flipHorizontal = IsDlgButtonChecked(dialog, IDC_FLIP_HORIZONTAL) == BST_CHECKED;
}

// The file's name without its folder; the callers' name fields may be full.
void ListPictures(HWND combo, const std::vector<PICTURE_SETTINGS>& pictures)
{
    for (const PICTURE_SETTINGS& p : pictures) {
        char name[TAGPICK_NAME_SIZE];
        std::memcpy(name, p.fileName, sizeof name);
        name[sizeof name - 1] = '\0';
        const char* shown = std::strrchr(name, '\\');
        shown = shown ? shown + 1 : name;
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*shown ? shown : "(aucune)"));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

INT_PTR CALLBACK TagpickProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* editing = reinterpret_cast<EDITING*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        editing = reinterpret_cast<EDITING*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ListPictures(GetDlgItem(dialog, IDC_PICTURE), editing->copies);
        Show(dialog, editing->copies[0]);
        return TRUE;
    }
    if (!editing || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_PICTURE:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            const int chosen = static_cast<int>(SendDlgItemMessageA(dialog, IDC_PICTURE, CB_GETCURSEL, 0, 0));
            if (chosen >= 0 && chosen < static_cast<int>(editing->copies.size()) && chosen != editing->current) {
                Keep(dialog, editing->copies[editing->current]);
                editing->current = chosen;
                Show(dialog, editing->copies[chosen]);
            }
        }
        return TRUE;
    case IDOK:
        Keep(dialog, editing->copies[editing->current]);
        std::memcpy(editing->callers, editing->copies.data(), editing->copies.size() * sizeof(PICTURE_SETTINGS));
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int EditPictures(HINSTANCE module, HWND owner, PICTURE_SETTINGS* pictures, int count)
{
    EDITING editing{pictures, std::vector<PICTURE_SETTINGS>(pictures, pictures + count)};
    return DialogBoxParamA(module, IDD_TAGPICK, owner, TagpickProc, reinterpret_cast<LPARAM>(&editing)) == 1;
}
