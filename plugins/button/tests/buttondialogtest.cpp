// The settings dialog tests' shared pieces.
#include "buttondialogtest.h"

bool IsButtonDialog(HWND dialog) { return GetDlgItem(dialog, IDC_PREVIEW_FRAME) != nullptr; }

void Command(HWND dialog, int id, int code)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id) { Command(dialog, id, BN_CLICKED); }

void Type(HWND dialog, int id, const std::string& text)
{
    SetDlgItemTextA(dialog, id, text.c_str());
    Command(dialog, id, EN_CHANGE);
}

void Name(HWND dialog, int nameControl, const std::string& path)
{
    SetDlgItemTextA(dialog, nameControl, path.c_str());
    Command(dialog, nameControl, EN_KILLFOCUS);
}

int SlotNameControl(int image)
{
    switch (image) {
    case BOUTON_IMAGE_RELEASED:
        return IDC_NAME_RELEASED;
    case BOUTON_IMAGE_PRESSED:
        return IDC_NAME_PRESSED;
    case BOUTON_IMAGE_MASK:
        return IDC_NAME_MASK;
    default:
        return IDC_NAME_OVER;
    }
}

bool Checked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

BOUTON* CopyIn(HWND dialog)
{
    HWND preview = FindWindowExA(dialog, nullptr, "EXBOUTON", nullptr);
    return preview ? reinterpret_cast<BOUTON*>(GetWindowLongPtrA(preview, 0)) : nullptr;
}

void ButtonDialog::SetUp()
{
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(), PageBlock("a.pag", 0, 128, 0))}));
    ASSERT_EQ(host.Go("a.pag"), 1);
    b.reset(PlacedButton());
}

BOUTON* ButtonDialog::PlacedButton()
{
    BOUTON* button = NewButton(host);
    button->loaded = 1;
    button->SetXYWH(10, 20, 100, 40);
    return button;
}

std::string ButtonDialog::Picture(const std::string& name, int width, int height, COLORREF colour)
{
    host.pub.Write(name, BmpFile(width, height, [colour](int, int) { return colour; }));
    return host.Page(name);
}

void ButtonDialog::Show(BOUTON* button, int image, const std::string& path)
{
    button->style = BOUTON_STYLE_BITMAP;
    button->imageNames[image] = path.c_str();
}

int ButtonDialog::Edit(BOUTON* button, const Act& act)
{
    DialogAnswerer answerer([&](HWND dialog) { return IsButtonDialog(dialog) ? act(dialog) : others(dialog); });
    const int result = button->Modify();
    shown = answerer.Shown();
    return result;
}
