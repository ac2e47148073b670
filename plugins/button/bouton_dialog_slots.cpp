// The four picture slots of the settings dialog: loading a slot's picture, taking a new name,
// the files paired with it by their last digit, and the open dialog that picks a picture.
#include "bouton_dialog_parts.h"

#include "authoring.h"
#include "filefetch.h"
#include "kernel.h"
#include "objdialog.h"
#include "objgeometry.h"
#include "qxpath.h"
#include "qxpreview.h"
#include "resource.h"

#include <string>

const SLOTCONTROLS ButtonSlots[BOUTON_IMAGES] = {
    {BOUTON_IMAGE_RELEASED, IDC_SELECT_RELEASED, IDC_REMOVE_RELEASED, IDC_NAME_RELEASED, IDC_PICTURE_RELEASED, '1',
     IDS_RELEASED_IMAGE_MISSING},
    {BOUTON_IMAGE_PRESSED, IDC_SELECT_PRESSED, IDC_REMOVE_PRESSED, IDC_NAME_PRESSED, IDC_PICTURE_PRESSED, '2',
     IDS_PRESSED_IMAGE_MISSING},
    {BOUTON_IMAGE_MASK, IDC_SELECT_MASK, IDC_REMOVE_MASK, IDC_NAME_MASK, IDC_PICTURE_MASK, '3',
     IDS_MASK_IMAGE_MISSING},
    {BOUTON_IMAGE_OVER, IDC_SELECT_OVER, IDC_REMOVE_OVER, IDC_NAME_OVER, IDC_PICTURE_OVER, '4',
     IDS_OVER_IMAGE_MISSING},
};

const SLOTCONTROLS& SlotOf(int image)
{
    for (const SLOTCONTROLS& slot : ButtonSlots)
        if (slot.image == image)
            return slot;
    return ButtonSlots[0];
}

namespace {

// The open dialog's picture pane, with its "preview" check box.
constexpr char PicturePreview = QXPREVIEW_IMAGE | QXPREVIEW_CHECKBOX;

// The formats of the picker, each offering the patterns its name shows.
constexpr const char* PictureFormats[] = {
    "CALS (*.cal)", "Clipboard Format (*.clp)", "CServe (*.png)", "DICOM (*.dic)", "Exif (*.tif,*.jpg)",
    "FlashPix (*.fpx)", "GEM Image (*.img)", "GIF (*.gif)", "IOCA (*.ica)", "Interchange File Format (*.iff)",
    "JBIG (*.jbg)", "JPEG (*.jpg;*.jff;*.jtf)", "LEAD (*.cmp)", "Qorvex Image (*.qxi)",
    "Mac PICTURE (*.pic,*.pct)", "MacPaint (*.mac)", "MS Fax (*.awd)", "MS Paint (*.msp)", "Photo CD (*.pcd)",
    "PhotoShop PSD (*.psd)", "Portable Bitmap Utilities(*.pbm)", "Encapsulated PostScript Raster (*.eps)",
    "SUN Raster (*.ras)", "TARGA (*.tga)", "TIF (*.tif)", "Winfax (*.fxs)", "Win & OS/2 (*.bmp)",
    "Win Cursor (*.cur,*.ani)", "Win Icon (*.ico)", "Win Metafile (*.emf,*.wmf)", "WordPerfect (*.wpg)",
    "XBitMap (*.xbm)", "XPicMap (*.xpm)", "X Window Dump (*.xwd)", "ZSoft PCX (*.dcx,*.pcx)"};
constexpr const char* AllPictureFormats =
    "*.clp;*.ani;*.iff;*.cal;*.jbg;*.png;*.dic;*.fpx;*.img;*.gif;*.jpg;*.jff;*.jtf;*.pic;*.pct;*.mac;*.awd;*.msp;"
    "*.pcx;*.dcx;*.pcd;*.psd;*.eps;*.ras;*.tga;*.tif;*.fxs;*.bmp;*.cur;*.ico;*.emf;*.wmf;*.wpg;*.xpm;*.qxi;";

// The patterns between the parentheses of a format's name, separated by ';'.
std::string PatternsOf(const std::string& format)
{
    const size_t open = format.find('(');
    const size_t close = format.find(')', open);
    std::string patterns = format.substr(open + 1, close - open - 1);
    for (char& c : patterns)
        if (c == ',')
            c = ';';
    return patterns;
}

// Pairs of name and pattern, each ended by a zero, the list by a second zero.
std::string PictureFilter()
{
    char all[100];
    LoadStringA(BoutonModule, IDS_ALL_IMAGE_FORMATS, all, sizeof all);
    std::string filter = std::string(all) + '\0' + AllPictureFormats + '\0';
    for (const char* format : PictureFormats)
        filter += std::string(format) + '\0' + PatternsOf(format) + '\0';
    return filter + '\0';
}

bool Readable(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// The file of a name, fetched now with the dialog as owner of any transfer; "" when there is
// none to read.
QXSTRING FetchNow(HWND dialog, BOUTON& copy, const char* name)
{
    GETFILE_STRUCT request;
    KernGetFile(copy.kernel, name, QX_FETCH_SYNC, 0, dialog, &request, nullptr, nullptr);
    return request.localFile.length() > 0 && Readable(request.localFile) ? request.localFile : QXSTRING();
}

void ResetSettings(BUTBITMAP& picture)
{
    BUTBITMAP none;
    picture.CopySettings(none);
}

// A button being created is placed in the middle of the page shown.
POINT CentreOnPage(BOUTON& copy, int width, int height)
{
    POINT corner{copy.x, copy.y};
    OBJET* page = KernGetTopObjet(copy.kernel);
    if (!page || !page->window)
        return corner;
    RECT client;
    GetClientRect(page->window, &client);
    corner = {(client.right - width) / 2, (client.bottom - height) / 2};
    if (OBJET* parent = copy.GetParent(); parent && parent->window)
        MapWindowPoints(page->window, parent->window, &corner, 1);
    return corner;
}

void TakePictureSize(BOUTON& copy, BUTBITMAP& picture)
{
    int width = 0, height = 0;
    picture.bmp.GetWH(width, height);
    const POINT corner = copy.loaded ? POINT{copy.x, copy.y} : CentreOnPage(copy, width, height);
    copy.SetXYWH(corner.x, corner.y, width, height);
    UnitsFromPixels(&copy);
}

// Choosing a picture sizes the button by it when no picture that decides the size yet is
// named: the released one first, then the pressed, the mouse-over and the mask.
bool DecidesSize(const BOUTON& copy, int image)
{
    auto named = [&copy](int other) { return copy.imageNames[other].length() > 0; };
    switch (image) {
    case BOUTON_IMAGE_RELEASED:
        return true;
    case BOUTON_IMAGE_PRESSED:
        return !named(BOUTON_IMAGE_RELEASED);
    case BOUTON_IMAGE_MASK:
        return !named(BOUTON_IMAGE_RELEASED) && !named(BOUTON_IMAGE_PRESSED) && !named(BOUTON_IMAGE_OVER);
    default:
        return !named(BOUTON_IMAGE_RELEASED) && !named(BOUTON_IMAGE_PRESSED);
    }
}

// "bouton1.bmp" chosen for the released picture offers "bouton2.bmp" to an empty pressed
// slot, "bouton3.bmp" to the mask and "bouton4.bmp" to the mouse-over slot, when they exist.
void PairSlots(HWND dialog, BOUTON& copy, int image)
{
    FNSPLIT parts(copy.imageNames[image]);
    std::string base(parts.name);
    if (base.empty() || base.back() != SlotOf(image).digit)
        return;
    for (const SLOTCONTROLS& other : ButtonSlots) {
        if (copy.imageNames[other.image].length() > 0)
            continue;
        base.back() = other.digit;
        const std::string candidate =
            std::string(parts.drive) + static_cast<const char*>(parts.dir) + base + static_cast<const char*>(parts.ext);
        const int location = GetFileLocation(candidate.c_str(), nullptr, 0, nullptr, 0);
        if (location != QX_LOCATION_LOCAL && location != QX_LOCATION_UNC)
            continue;
        if (FetchNow(dialog, copy, candidate.c_str()).length() == 0)
            continue;
        copy.imageNames[other.image] = candidate.c_str();
        RefreshSlot(dialog, copy, other.image, true);
        ShowSlotName(dialog, other.image, candidate.c_str());
    }
}

}  // namespace

void RefreshSlot(HWND dialog, BOUTON& copy, int image, bool newChoice)
{
    BUTBITMAP& picture = copy.Picture(image);
    const bool mask = image == BOUTON_IMAGE_MASK;
    picture.bmp.Clear();
    copy.localCopies[image] = "";
    if (newChoice || mask)
        ResetSettings(picture);
    if (copy.imageNames[image].length() > 0) {
        copy.localCopies[image] = FetchNow(dialog, copy, copy.imageNames[image]);
        copy.PreparePicture(image);
    }
    if (newChoice && !mask && picture.Loaded()) {
        picture.transparentEnable = picture.ownTransparent;
        picture.transparentColour = picture.ownTransparent ? picture.ownTransparentColour : 0;
    }
    if (picture.Loaded() && copy.sizeFromImage)
        TakePictureSize(copy, picture);
    RepaintPreview(copy);
}

void UpdateSlot(HWND dialog, BOUTON& copy, int image)
{
    const QXSTRING name = ControlText(dialog, SlotOf(image).name);
    if (lstrcmpiA(name, copy.imageNames[image]) != 0 && DecidesSize(copy, image))
        copy.sizeFromImage = 1;
    copy.imageNames[image] = name;
    RefreshSlot(dialog, copy, image, true);
    PairSlots(dialog, copy, image);
}

void ShowSlotName(HWND dialog, int image, const char* name)
{
    const SLOTCONTROLS& slot = SlotOf(image);
    SetDlgItemTextA(dialog, slot.name, name);
    EnableWindow(GetDlgItem(dialog, slot.remove), name && *name);
}

void ChooseSlotPicture(HWND dialog, BOUTON& copy, int image)
{
    QXSTRING chosen;
    if (!AskPreviewedFile(copy.kernel, dialog, PictureFilter(), ControlText(dialog, SlotOf(image).name), PicturePreview,
                          &chosen))
        return;
    ShowSlotName(dialog, image, chosen);
    UpdateSlot(dialog, copy, image);
}
