// The button's life: construction with its defaults and two branches, the window class of
// its preview, assignment, properties, its rectangle and its invisibility.
#include "bouton.h"

#include "bouton_dialog.h"
#include "bouton_font.h"
#include "branch.h"
#include "kernel.h"
#include "kerntree.h"
#include "qxsupport.h"
#include "qxutil.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

HINSTANCE BoutonModule = nullptr;

namespace {

constexpr const char* PreviewClass = "EXBOUTON";
// Live buttons of the process: the first registers the preview class, the last removes it.
int liveButtons = 0;

void RegisterPreviewClass(KERNEL* kernel)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_PARENTDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ButtonPreviewProc;
    windowClass.cbWndExtra = QX_OBJECT_WINDOW_EXTRA;
    windowClass.hInstance = BoutonModule;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = PreviewClass;
    if (!RegisterClassA(&windowClass)) {
        char caption[100], text[200];
        LoadStringA(BoutonModule, IDS_INTERNAL_ERROR, caption, sizeof caption);
        LoadStringA(BoutonModule, IDS_CLASS_NOT_REGISTERED, text, sizeof text);
        Alert(KernGetAppWindow(kernel), caption, text);
    }
}

// The text of a property of the button: the label, a picture name or the checked state.
const char* PropertyText(BOUTON& button, long id, char* number, int size)
{
    if (id == BOUTON_PROP_CHECKED) {
        std::snprintf(number, static_cast<size_t>(size), "%d", button.checked);
        return number;
    }
    if (id == BOUTON_PROP_LABEL)
        return button.label;
    return button.imageNames[id - BOUTON_PROP_FIRST_IMAGE];
}

}  // namespace

void BUTBITMAP::CopySettings(const BUTBITMAP& source)
{
    rotation = source.rotation;
    transparentEnable = source.transparentEnable;
    transparentColour = source.transparentColour;
    cropX = source.cropX;
    cropY = source.cropY;
    cropWidth = source.cropWidth;
    cropHeight = source.cropHeight;
    flipVertical = source.flipVertical;
    flipHorizontal = source.flipHorizontal;
}

BOUTON::BOUTON(KERNEL* kernel, HINSTANCE module) : OBJET(kernel, module)
{
    SetDLLName("QXPUSH.DLL");
    LoadStringA(BoutonModule, IDS_OBJECT_NAME, objetName, sizeof objetName);
    defWidth = 150;
    defHeight = 75;
    x = 0;
    y = 0;
    w = 200;
    h = 50;
    AddBranch(new BRANCH(kernel));
    // The second branch is the button's own; the branch editor opens on the first.
    auto* uncheck = new BRANCH(kernel);
    uncheck->pluginMark = 1;
    AddBranch(uncheck);
    SetDefaultButtonFont(font);
    fontHeight = KernS2Uy(kernel, BOUTON_DEFAULT_FONT_PIXELS) - KernS2Uy(kernel, 0);
    paintThrough = 0;
    if (liveButtons++ == 0)
        RegisterPreviewClass(kernel);
}

BOUTON::~BOUTON()
{
    if (window) {
        SetWindowLongPtrA(window, QXWL_OBJET, 0);
        SetWindowTextA(window, "");
        KernRemoveWindow(kernel, window);
        window = nullptr;
    }
    if (--liveButtons == 0)
        UnregisterClassA(PreviewClass, BoutonModule);
}

BUTBITMAP& BOUTON::Picture(int image)
{
    switch (image) {
    case BOUTON_IMAGE_PRESSED:
        return pressedImage;
    case BOUTON_IMAGE_RELEASED:
        return releasedImage;
    case BOUTON_IMAGE_MASK:
        return maskImage;
    default:
        return overImage;
    }
}

void BOUTON::DropPicture(int image)
{
    localCopies[image] = "";
    Picture(image).bmp.Clear();
}

OBJET& BOUTON::operator=(const OBJET& other)
{
    OBJET::operator=(other);
    const auto* source = dynamic_cast<const BOUTON*>(&other);
    if (!source || source == this)
        return *this;
    held = source->held;
    highlighted = source->highlighted;
    std::memcpy(label, source->label, sizeof label);
    const bool styleChanged = style != source->style;
    style = source->style;
    reserved[0] = source->reserved[0];
    reserved[1] = source->reserved[1];
    textStyle = source->textStyle;
    spare = source->spare;
    previewWindow = source->previewWindow;
    fontHeight = source->fontHeight;
    fontWidth = source->fontWidth;
    font = source->font;
    borderThickness = source->borderThickness;
    border = source->border;
    background = source->background;
    textColour = source->textColour;
    toggle = source->toggle;
    initiallyChecked = source->initiallyChecked;
    for (int image = 0; image < BOUTON_IMAGES; ++image) {
        if (styleChanged || lstrcmpiA(imageNames[image], source->imageNames[image]) != 0)
            DropPicture(image);
        imageNames[image] = source->imageNames[image];
    }
    releasedImage.CopySettings(source->releasedImage);
    pressedImage.CopySettings(source->pressedImage);
    overImage.CopySettings(source->overImage);
    pressedDX = source->pressedDX;
    pressedDY = source->pressedDY;
    alignment = source->alignment;
    dialogCopy = source->dialogCopy;
    outlineMarker = source->outlineMarker;
    sizeFromImage = source->sizeFromImage;
    return *this;
}

int BOUTON::SetProperties(long id, const char* value)
{
    if (id < BOUTON_PROP_CHECKED)
        return OBJET::SetProperties(id, value);
    if (!value)
        return 0;
    if (id == BOUTON_PROP_CHECKED) {
        checked = std::atoi(value);
    } else if (id == BOUTON_PROP_LABEL) {
        lstrcpynA(label, value, sizeof label);
    } else if (id < BOUTON_PROP_FIRST_IMAGE + BOUTON_IMAGES) {
        const int image = static_cast<int>(id - BOUTON_PROP_FIRST_IMAGE);
        imageNames[image] = value;
        DropPicture(image);
    } else {
        return 1;
    }
    Repaint();
    return 1;
}

int BOUTON::GetProperties(long id, int size, char* buffer)
{
    if (id < BOUTON_PROP_CHECKED)
        return OBJET::GetProperties(id, size, buffer);
    if (!buffer || size < 2 || id >= BOUTON_PROP_FIRST_IMAGE + BOUTON_IMAGES)
        return 0;
    char number[16];
    const char* text = PropertyText(*this, id, number, sizeof number);
    if (static_cast<int>(std::strlen(text)) >= size)
        return 0;
    std::strcpy(buffer, text);
    return 1;
}

void BOUTON::SetXYWH(int newX, int newY, int newW, int newH)
{
    x = newX;
    y = newY;
    w = newW;
    h = newH;
}

void BOUTON::MoveToRectangle()
{
    if (!window)
        return;
    const int frameX = selected ? GetSystemMetrics(SM_CXFRAME) : 0;
    const int frameY = selected ? GetSystemMetrics(SM_CYFRAME) : 0;
    RECT now;
    GetWindowRect(window, &now);
    POINT corner{now.left, now.top};
    if (HWND parentWindow = ::GetParent(window))
        ScreenToClient(parentWindow, &corner);
    const int left = x - frameX, top = y - frameY, width = w + 2 * frameX, height = h + 2 * frameY;
    if (corner.x != left || corner.y != top || now.right - now.left != width || now.bottom - now.top != height)
        SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool BOUTON::ShowsPageThrough()
{
    return maskImage.Loaded() || style == BOUTON_STYLE_INVISIBLE || (style == BOUTON_STYLE_FLAT && background.flag);
}

void BOUTON::UpdateInvisibility()
{
    switch (style) {
    case BOUTON_STYLE_INVISIBLE:
        SetInvisibility(1);
        // An invisible area has nothing to reveal with an effect.
        effectId = 0;
        break;
    case BOUTON_STYLE_FLAT:
        SetInvisibility(background.flag);
        break;
    case BOUTON_STYLE_3D:
        SetInvisibility(0);
        break;
    default:
        SetInvisibility(imageNames[BOUTON_IMAGE_MASK].length() > 0 || imageNames[BOUTON_IMAGE_RELEASED].length() == 0);
        break;
    }
    if (style != BOUTON_STYLE_BITMAP)
        paintThrough = 1;
    if (window && !IsWindowVisible(window))
        SetInvisibility(1);
}

void BOUTON::Repaint()
{
    if (window)
        InvalidateRect(window, nullptr, FALSE);
}

void BOUTON::GetFonts(FONTS_LIST* list)
{
    OBJET::GetFonts(list);
    if (!label[0])
        return;
    const int flags = KernGetFontEmbedingFlag(font.lfFaceName);
    // Faces that may not be embedded stay out of the page.
    if (flags == -1 || ((flags & QX_EMBED_RESTRICTED) && !(flags & (QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE))))
        return;
    auto* entry = new FONTS;
    entry->SetLogName(font.lfFaceName);
    entry->flags = flags;
    if (!list->AddFont(entry))
        delete entry;
}
