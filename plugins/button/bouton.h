// BOUTON: the page object that the reader clicks to take a branch. Four looks (invisible
// area, flat rectangle, raised grey button, pictures), a label with a released and a pressed
// text, two branches (one taken when the button becomes checked, one when it becomes
// unchecked) and the "BOUTON {" record that follows the common object record.
#pragma once

#include "objet.h"
#include "qxbmp.h"

// Styles.
constexpr int BOUTON_STYLE_INVISIBLE = 0;
constexpr int BOUTON_STYLE_FLAT = 1;
constexpr int BOUTON_STYLE_3D = 2;
constexpr int BOUTON_STYLE_BITMAP = 3;

// Text styles of the label.
constexpr int BOUTON_TEXT_ENGRAVED = 0;
constexpr int BOUTON_TEXT_NORMAL = 1;
constexpr int BOUTON_TEXT_RAISED = 2;

// The four picture files, in the order of the record and of the properties 1002 to 1005.
constexpr int BOUTON_IMAGE_PRESSED = 0;
constexpr int BOUTON_IMAGE_RELEASED = 1;
constexpr int BOUTON_IMAGE_MASK = 2;
constexpr int BOUTON_IMAGE_OVER = 3;
constexpr int BOUTON_IMAGES = 4;

// Separates the released text from the pressed text in the label; older files used 0xF4.
constexpr char BOUTON_LABEL_SEPARATOR = '\xFE';
constexpr char BOUTON_OLD_LABEL_SEPARATOR = '\xF4';
constexpr int BOUTON_LABEL_SIZE = 300;

// Properties of the button, above those of OBJET.
constexpr long BOUTON_PROP_CHECKED = 1000;
constexpr long BOUTON_PROP_LABEL = 1001;
constexpr long BOUTON_PROP_FIRST_IMAGE = 1002;  // then released, mask, mouse-over

// Kernel message 1029: an area changed (lParam points to two rectangles).
constexpr UINT BOUTON_KM_AREACHANGED = WM_USER + 5;

// The help page and window text of the button's object window.
constexpr const char* BOUTON_HELP_PAGE = "button.pag";
constexpr const char* BOUTON_WINDOW_TEXT = "BOUTON";

// A colour setting: red, green, blue (0-255) and a flag (border and background: transparent;
// text: hidden).
struct BUTCOLOR {
    int red;
    int green;
    int blue;
    int flag;
    COLORREF Rgb() const { return RGB(red, green, blue); }
};

// One state picture and the settings the user gave it.
struct BUTBITMAP {
    BMP bmp;
    BYTE ownTransparent{};          // read from the picture after import
    COLORREF ownTransparentColour{};
    int width{}, height{};          // pixels
    int rotation{};                 // handed to BMP::Rotate
    BYTE transparentEnable{};       // the user's setting
    COLORREF transparentColour{};   // 0x00BBGGRR
    int cropX{}, cropY{}, cropWidth{}, cropHeight{};  // width and height 0: the whole picture
    BYTE flipVertical{};
    BYTE flipHorizontal{};

    bool Loaded() { return bmp.Active() != 0; }
    // The user's settings, not the picture.
    void CopySettings(const BUTBITMAP& source);
};

class BOUTON : public OBJET {
public:
    BOUTON(KERNEL* kernel, HINSTANCE module);
    ~BOUTON() override;
    BOUTON(const BOUTON&) = delete;

    void GetFonts(FONTS_LIST* list) override;
    void SetXYWH(int x, int y, int w, int h) override;
    LRESULT WindowsMessage(MSGL* msg) override;
    LRESULT KernelMessage(MSGL* msg) override;
    int Load(QXFILE file, int& universe) override;
    int SetProperties(long id, const char* value) override;
    int GetProperties(long id, int size, char* buffer) override;
    // The settings dialog on a copy, assigned back after OK; the dialog's result.
    int Modify() override;
    int IsStdClipFormatAvailable() override { return 0; }
    int Save(QXFILE file, int& universe, int withBranches) override;
    int ExportToDHTML(QXFILE file, int& index) override;
    OBJET& operator=(const OBJET& other) override;

    // The picture of an image slot (BOUTON_IMAGE_...).
    BUTBITMAP& Picture(int image);
    // Forgets the picture of a slot and its fetched copy.
    void DropPicture(int image);
    // Imports a slot's picture from its local copy and applies the user's settings; the mask
    // is imported only. 1 when the picture is loaded afterwards.
    int PreparePicture(int image);
    // OBJET's invisibility and paint-through flag from the style.
    void UpdateInvisibility();
    // Moves the window to the pixel rectangle (enlarged by the frame while selected).
    void MoveToRectangle();
    void Repaint();
    // Lets the page show through: a mask, the invisible style, or a transparent flat button.
    bool ShowsPageThrough();

    // Members, in the order of the object model.
    int held{};
    int highlighted{};
    char label[BOUTON_LABEL_SIZE]{};
    int style{BOUTON_STYLE_3D};
    int reserved[2]{};     // read and written back unchanged
    int textStyle{BOUTON_TEXT_NORMAL};
    int spare{};
    HWND previewWindow{};
    double fontHeight{};   // universe units
    double fontWidth{};
    LOGFONTA font{};
    int borderThickness{1};
    BUTCOLOR border{0, 0, 0, 0};
    BUTCOLOR background{255, 255, 255, 0};
    BUTCOLOR textColour{0, 0, 0, 0};
    int toggle{};
    int initiallyChecked{};
    int checked{};
    QXSTRING imageNames[BOUTON_IMAGES];   // absolute while in memory
    QXSTRING localCopies[BOUTON_IMAGES];  // "" until fetched
    BUTBITMAP releasedImage;
    BUTBITMAP pressedImage;
    BUTBITMAP overImage;
    BUTBITMAP maskImage;
    int pressedDX{1}, pressedDY{1};
    int alignment{};
    int dialogCopy{};
    int outlineMarker{};   // 2 in creation mode
    int sizeFromImage{};

private:
    void TakeBranch(int index);
    void EndOverLook();
    LRESULT MouseDown(const MSGL& msg);
    LRESULT MouseMove(const MSGL& msg);
    LRESULT MouseUp(const MSGL& msg);
    LRESULT DrawInto(const MSGL& msg);
    LRESULT FileArrived(const MSGL& msg);
    void Enable(bool on);
    void LoadPictures();
    void ArmBranchTimers();
};

// The module's instance, kept by its entry point.
extern HINSTANCE BoutonModule;
