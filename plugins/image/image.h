// IMAGE: a picture file shown in its own object window, stretched to the object's rectangle
// or fitted into it keeping its proportions, turned by quarter turns, flipped, cropped and
// drawn with a transparent colour. A click takes its branch.
#pragma once

#include "objet.h"
#include "qxbmp.h"

// WM_USER + 1000 with a file name in lParam: the same as property 1000.
constexpr UINT QX_IMAGE_SETFILE = WM_USER + 1000;

class IMAGE : public OBJET {
public:
    IMAGE(KERNEL* kernel, HINSTANCE module);
    ~IMAGE() override;

    LRESULT WindowsMessage(MSGL* msg) override;
    LRESULT KernelMessage(MSGL* msg) override;
    int Load(QXFILE file, int& universe) override;
    int SetProperties(long id, const char* value) override;
    int GetProperties(long id, int size, char* buffer) override;
    int IsStdClipFormatAvailable() override { return 1; }
    void CopyToClipboard(char* text) override;
    int Save(QXFILE file, int& universe, int withBranches) override;
    int ExportToDHTML(QXFILE file, int& index) override;
    OBJET& operator=(const OBJET& other) override;
    // The settings dialog "DLG_IMG_SET" on a copy; 1 when the object took the copy's settings.
    int Modify() override;

    // 1 when a fetch was requested; the picture then arrives with KM_FILEREADY.
    int LoadPicture();
    // Decodes the local file into the picture with the object's transformations.
    void DecodePicture(BMP* into);
    void FreePicture();
    // Draws the picture (keep ratio or stretched) into x, y, w, h of the DC.
    void Paint(BMP* from, HDC dc, int atX, int atY, bool offScreen);
    // Paints once from the file when no picture is held (fetched synchronously if needed).
    void PaintFromFile(HDC dc, int atX, int atY, bool offScreen);

    BMP* picture{};         // null while no picture is held
    QXSTRING fileName;      // absolute in memory, relative in the page file
    QXSTRING localPath;     // the fetched local copy, "" until fetched
    QXSTRING dialogFileName;
    QXSTRING loadedName;    // the name as read from the page file
    int newPicture = 0;
    int keepRatio = 0;
    int rotation = 0;
    int fileTransparent = 0;
    COLORREF fileTransparentColour = 0;
    int fileWidth = 0, fileHeight = 0;
    BYTE transparent = 0;
    COLORREF transparentColour = 0;
    int crop[4]{};          // left, top, right, bottom; right = bottom = 0 until the first load
    BYTE flipVertical = 0, flipHorizontal = 0;

private:
    LRESULT OnShown(MSGL* msg);
    LRESULT OnExtent(MSGL* msg);
    LRESULT OnPaintTo(MSGL* msg);
    LRESULT OnFileReady(MSGL* msg);
    void FollowTopParentClient();
};

// The module instance, for the module's resources.
HINSTANCE ImageModule();
