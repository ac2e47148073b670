// The image's settings dialog driven as an author drives it: what "OK" keeps, what another
// file resets, what "Annuler" leaves alone, the preview's pixels and figures, and the picture
// brought in from the open-file dialog, the library, the camera stand-in and the metadata
// stand-in.
#include "dialogdriver.h"
#include "pagehost.h"
#include "plugintest.h"

#include "accessors.h"
#include "branch.h"
#include "image/image.h"
#include "image/image_fit.h"
#include "image/imageres.h"
#include "qxcamutl_api.h"
#include "qxtmpl_api.h"
#include "test_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF LightGrey = RGB(192, 192, 192);

struct ImageOnPage {
    PageHost host;
    IMAGE* image = nullptr;

    ImageOnPage()
    {
        host.pub.Write("red.bmp", BmpFile(40, 30, [](int, int) { return Red; }));
        host.pub.Write("blue.bmp", BmpFile(16, 8, [](int, int) { return Blue; }));
        host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "NULL", NoBranch(),
                                                       PageBlock("A", 255, 255, 255))}));
        EXPECT_EQ(1, host.Go("a.pag"));
        image = static_cast<IMAGE*>(AllocFrom("qxpict40.dll", host));
        image->SetParent(KernGetTopObjet(host));
        image->fileName = Picture("red.bmp").c_str();
        image->loaded = 1;
        image->OBJET::SetXYWH(10, 20, 120, 80);
        image->showDelay = 1.5;
    }
    ~ImageOnPage() { delete image; }

    std::string Picture(const std::string& name) const { return host.Page(name); }
};

// The frame is the one control no other dialog of these tests holds.
constexpr int Marker = IDC_IMAGE_PREVIEW_FRAME;

struct Look {
    int transparent;
    COLORREF colour;
    int crop[4];
    int flipVertical, flipHorizontal, rotation, keepRatio;
};

Look LookOf(const IMAGE* image)
{
    return Look{image->transparent,
                image->transparentColour,
                {image->crop[0], image->crop[1], image->crop[2], image->crop[3]},
                image->flipVertical,
                image->flipHorizontal,
                image->rotation,
                image->keepRatio};
}

void GiveLook(IMAGE* image, const Look& look)
{
    image->transparent = static_cast<BYTE>(look.transparent);
    image->transparentColour = look.colour;
    for (int i = 0; i < 4; ++i)
        image->crop[i] = look.crop[i];
    image->flipVertical = static_cast<BYTE>(look.flipVertical);
    image->flipHorizontal = static_cast<BYTE>(look.flipHorizontal);
    image->rotation = look.rotation;
    image->keepRatio = look.keepRatio;
}

void ExpectSameLook(const Look& expected, const Look& actual)
{
    EXPECT_EQ(expected.transparent, actual.transparent);
    EXPECT_EQ(expected.colour, actual.colour);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected.crop[i], actual.crop[i]) << "crop " << i;
    EXPECT_EQ(expected.flipVertical, actual.flipVertical);
    EXPECT_EQ(expected.flipHorizontal, actual.flipHorizontal);
    EXPECT_EQ(expected.rotation, actual.rotation);
    EXPECT_EQ(expected.keepRatio, actual.keepRatio);
}

// A process-wide setting of the stand-ins, for one test.
class Environment {
public:
    Environment(const char* name, const std::string& value) : name_(name)
    {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~Environment() { SetEnvironmentVariableA(name_, nullptr); }

private:
    const char* name_;
};

}  // namespace

TEST(ImageDialog, OkKeepsTheDelayWithinItsLimits)
{
    struct Case { const char* typed; double stored; };
    for (const Case& c : {Case{"75", 60.0}, Case{"-3", 0.0}, Case{"2.5", 2.5}, Case{"x", 0.0}, Case{"60", 60.0}}) {
        SCOPED_TRACE(c.typed);
        ImageOnPage page;
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetText(dialog, IDC_IMAGE_DELAY, c.typed);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, page.image->Modify());
        EXPECT_TRUE(driver.Ran());
        EXPECT_DOUBLE_EQ(c.stored, page.image->showDelay);
        EXPECT_EQ(page.Picture("red.bmp"), std::string(page.image->fileName));
    }
}

TEST(ImageDialog, AnotherFileResetsTransparencyCropAndFlipsButKeepsTheRotation)
{
    const Look before{1, RGB(1, 2, 3), {1, 2, 3, 4}, 1, 1, 180, 0};
    struct Case { const char* file; bool another; };
    for (const Case& c : {Case{"blue.bmp", true}, Case{"RED.BMP", false}}) {
        SCOPED_TRACE(c.file);
        ImageOnPage page;
        GiveLook(page.image, before);
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetText(dialog, IDC_IMAGE_FILE, page.Picture(c.file));
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, page.image->Modify());
        const Look after = LookOf(page.image);
        if (!c.another) {
            ExpectSameLook(before, after);
            continue;
        }
        EXPECT_EQ(0, after.transparent);
        EXPECT_EQ(0u, after.colour);
        EXPECT_EQ(0, after.flipVertical);
        EXPECT_EQ(0, after.flipHorizontal);
        EXPECT_EQ(180, after.rotation);
        EXPECT_EQ(0, after.crop[0]);
        EXPECT_EQ(0, after.crop[1]);
        // Either still to be set by the first load, or already the whole new picture.
        EXPECT_TRUE((after.crop[2] == 0 && after.crop[3] == 0) || (after.crop[2] == 16 && after.crop[3] == 8))
            << after.crop[2] << " x " << after.crop[3];
    }
}

TEST(ImageDialog, CancelLeavesTheImageAsItWas)
{
    ImageOnPage page;
    const Look before{1, RGB(9, 8, 7), {2, 3, 30, 20}, 1, 0, 90, 0};
    GiveLook(page.image, before);
    page.image->GetBranch(0)->target = page.Picture("b.pag").c_str();
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetText(dialog, IDC_IMAGE_FILE, page.Picture("blue.bmp"));
        SetText(dialog, IDC_IMAGE_DELAY, "7");
        SetCheck(dialog, IDC_IMAGE_KEEPRATIO, true);
        Click(dialog, IDC_IMAGE_UNBRANCH);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.image->Modify());
    ExpectSameLook(before, LookOf(page.image));
    EXPECT_EQ(page.Picture("red.bmp"), std::string(page.image->fileName));
    EXPECT_DOUBLE_EQ(1.5, page.image->showDelay);
    EXPECT_EQ(page.Picture("b.pag"), std::string(page.image->GetBranch(0)->target));
}

TEST(ImageDialog, AnUnknownFileKeepsTheDialogOpen)
{
    ImageOnPage page;
    bool stillOpen = false;
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetText(dialog, IDC_IMAGE_FILE, page.Picture("missing.bmp"));
        Click(dialog, IDOK);
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, page.image->Modify());
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(2u, driver.Shown().size());
    EXPECT_EQ("Nom de fichier invalide", driver.Shown()[1].caption);
    EXPECT_NE(std::string::npos, driver.Shown()[1].text.find("Le fichier d'image est introuvable."));
    EXPECT_EQ(page.Picture("red.bmp"), std::string(page.image->fileName));
}

TEST(ImageDialog, AnEmptyNameRefusesANewImageAndKeepsAPlacedOnesFile)
{
    for (const int placed : {0, 1}) {
        SCOPED_TRACE(placed);
        ImageOnPage page;
        page.image->loaded = static_cast<BYTE>(placed);
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetText(dialog, IDC_IMAGE_FILE, "");
            Click(dialog, IDOK);
        });
        EXPECT_EQ(placed, page.image->Modify());
        if (placed) {
            EXPECT_EQ(page.Picture("red.bmp"), std::string(page.image->fileName));
        }
    }
}

TEST(ImageDialog, ThePreviewPaintsThePictureAndItsFigures)
{
    struct Case { bool on; int keepRatio; };
    for (const Case& c : {Case{true, 0}, Case{true, 1}, Case{false, 0}}) {
        SCOPED_TRACE(std::string(c.on ? "on" : "off") + ", keep ratio " + std::to_string(c.keepRatio));
        ImageOnPage page;
        page.image->keepRatio = c.keepRatio;
        std::vector<uint32_t> pixels;
        RECT area{};
        std::string width, height, colours;
        DialogDriver driver(Marker, [&](HWND dialog) {
            SetCheck(dialog, IDC_IMAGE_PREVIEW_ON, c.on);
            const HWND preview = GetDlgItem(dialog, IDC_IMAGE_PREVIEW);
            ASSERT_NE(nullptr, preview);
            GetClientRect(preview, &area);
            TestCanvas canvas(area.right, area.bottom, RGB(0, 255, 0));
            SendMessageA(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
            pixels = canvas.Pixels();
            width = ItemText(dialog, IDC_IMAGE_WIDTH);
            height = ItemText(dialog, IDC_IMAGE_HEIGHT);
            colours = ItemText(dialog, IDC_IMAGE_COLOURS);
            Click(dialog, IDCANCEL);
        });
        page.image->Modify();
        ASSERT_EQ(static_cast<size_t>(area.right * area.bottom), pixels.size());
        ASSERT_GT(area.right, 20);
        const RECT fitted = FitKeepingRatio(0, 0, area.right, area.bottom, 40, 30);
        const RECT picture = !c.on ? RECT{} : c.keepRatio ? fitted : area;
        int wrong = 0;
        for (int y = 0; y < area.bottom; ++y) {
            for (int x = 0; x < area.right; ++x) {
                const POINT at{x, y};
                const uint32_t expected = PtInRect(&picture, at) ? 0xFF0000u : 0xC0C0C0u;
                wrong += pixels[static_cast<size_t>(y * area.right + x)] != expected;
            }
        }
        EXPECT_EQ(0, wrong);
        EXPECT_EQ(c.on ? "40" : "", width);
        EXPECT_EQ(c.on ? "30" : "", height);
        EXPECT_EQ(c.on ? "16 M" : "", colours);
    }
}

TEST(ImageDialog, ThePreviewPlaysTheAppearanceEffectAndEndsOnThePicture)
{
    ImageOnPage page;
    int effects = 0;
    std::vector<uint32_t> pixels;
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetCheck(dialog, IDC_IMAGE_PREVIEW_ON, true);
        const HWND combo = GetDlgItem(dialog, IDC_IMAGE_EFFECT);
        effects = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        SendMessageA(combo, CB_SETCURSEL, 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_IMAGE_EFFECT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        const HWND preview = GetDlgItem(dialog, IDC_IMAGE_PREVIEW);
        RECT area;
        GetClientRect(preview, &area);
        TestCanvas canvas(area.right, area.bottom, RGB(0, 255, 0));
        SendMessageA(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
        pixels = canvas.Pixels();
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, page.image->Modify());
    ASSERT_GT(effects, 1) << "the effect modules lie beside the kernel";
    EXPECT_EQ(1, page.image->effectId);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels.size(), static_cast<size_t>(std::count(pixels.begin(), pixels.end(), 0xFF0000u)));
}

TEST(ImageDialog, ThePreviewSwitchStaysAsTheAuthorLeftIt)
{
    for (const bool wanted : {true, false, true}) {
        ImageOnPage page;
        DialogDriver leave(Marker, [&](HWND dialog) { SetCheck(dialog, IDC_IMAGE_PREVIEW_ON, wanted); });
        page.image->Modify();
        bool found = !wanted;
        DialogDriver look(Marker, [&](HWND dialog) {
            found = IsDlgButtonChecked(dialog, IDC_IMAGE_PREVIEW_ON) == BST_CHECKED;
        });
        page.image->Modify();
        EXPECT_EQ(wanted, found);
    }
}

TEST(ImageDialog, ANewPictureTakesItsSizeCentredOnThePage)
{
    ImageOnPage page;
    DialogDriver driver(Marker, [&](HWND dialog) {
        SetText(dialog, IDC_IMAGE_FILE, page.Picture("blue.bmp"));
        SendMessageA(GetDlgItem(dialog, IDC_IMAGE_PREVIEW), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(TestCanvas(8, 8).Dc()), PRF_CLIENT);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, page.image->Modify());
    RECT client{};
    GetClientRect(KernGetTopObjet(page.host)->window, &client);
    EXPECT_EQ(16, page.image->w);
    EXPECT_EQ(8, page.image->h);
    EXPECT_EQ((client.right - 16) / 2, page.image->x);
    EXPECT_EQ((client.bottom - 8) / 2, page.image->y);
}

// A camera plugged in after a press that found none is looked for again at the next press.
TEST(ImageDialog, WithoutACameraNothingChangesUntilOneIsPluggedIn)
{
    ScratchDir camera;
    camera.Write("photo.bmp", BmpFile(12, 12, [](int, int) { return Blue; }));
    ImageOnPage page;
    std::string before, after;
    DialogDriver driver(Marker, [&](HWND dialog) {
        {
            Environment absent(QCAM_CAMERA_VARIABLE, camera / "absent");
            Click(dialog, IDC_IMAGE_CAMERA);
            before = ItemText(dialog, IDC_IMAGE_FILE);
        }
        Environment plugged(QCAM_CAMERA_VARIABLE, camera.Path());
        Click(dialog, IDC_IMAGE_CAMERA);
        after = ItemText(dialog, IDC_IMAGE_FILE);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, page.image->Modify());
    EXPECT_EQ(page.Picture("red.bmp"), before);
    EXPECT_EQ(page.Picture("photo.bmp"), after);
    EXPECT_EQ(2u, driver.Shown().size());
}

TEST(ImageDialog, TheCameraImportsAPictureIntoTheImagesFolder)
{
    ScratchDir camera;
    camera.Write("photo.bmp", BmpFile(12, 12, [](int, int) { return Blue; }));
    Environment card(QCAM_CAMERA_VARIABLE, camera.Path());
    struct Case { int keepRatio; const char* imported; bool saveInfoShown; };
    for (const Case& c : {Case{0, "photo.bmp", false}, Case{1, "photo_SOURCE.bmp", true}}) {
        SCOPED_TRACE(c.imported);
        ImageOnPage page;
        page.image->keepRatio = c.keepRatio;
        std::string shown;
        bool cameraVisible = false;
        DialogDriver driver(Marker, [&](HWND dialog) {
            cameraVisible = IsWindowVisible(GetDlgItem(dialog, IDC_IMAGE_CAMERA)) != FALSE;
            Click(dialog, IDC_IMAGE_CAMERA);
            shown = ItemText(dialog, IDC_IMAGE_FILE);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(1, page.image->Modify());
        EXPECT_TRUE(cameraVisible);
        EXPECT_EQ(page.Picture(c.imported), shown);
        EXPECT_EQ(page.Picture(c.imported), std::string(page.image->fileName));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(page.Picture(c.imported).c_str()));
        ASSERT_EQ(2u, driver.Shown().size());
        EXPECT_EQ(c.saveInfoShown, driver.Shown()[1].text.find("120 x 80") != std::string::npos)
            << driver.Shown()[1].text;
    }
}

TEST(ImageDialog, TheMetadataModuleEditsThePictureSettings)
{
    struct Case { int answer; bool changed; };
    for (const Case& c : {Case{IDOK, true}, Case{IDCANCEL, false}}) {
        SCOPED_TRACE(c.changed);
        ImageOnPage page;
        const Look before{0, 0, {0, 0, 40, 30}, 0, 0, 0, 0};
        GiveLook(page.image, before);
        std::string pictureShown;
        DialogDriver driver(
            Marker,
            [&](HWND dialog) {
                Click(dialog, IDC_IMAGE_METADATA);
                Click(dialog, IDOK);
            },
            [&](HWND tagpick) {
                char name[MAX_PATH] = "";
                GetDlgItemTextA(tagpick, 100, name, sizeof name);
                pictureShown = name;
                SetDlgItemTextA(tagpick, 101, "180");
                CheckDlgButton(tagpick, 102, BST_CHECKED);
                SetDlgItemTextA(tagpick, 103, "10");
                SetDlgItemTextA(tagpick, 104, "20");
                SetDlgItemTextA(tagpick, 105, "30");
                const char* crop[4] = {"1", "2", "11", "12"};
                for (int i = 0; i < 4; ++i)
                    SetDlgItemTextA(tagpick, 106 + i, crop[i]);
                CheckDlgButton(tagpick, 110, BST_CHECKED);
                return c.answer;
            });
        EXPECT_EQ(1, page.image->Modify());
        EXPECT_EQ("red.bmp", pictureShown);
        const Look edited{1, RGB(10, 20, 30), {1, 2, 11, 12}, 1, 0, 180, 0};
        ExpectSameLook(c.changed ? edited : before, LookOf(page.image));
    }
}

TEST(ImageDialog, TheLibraryGivesThePicture)
{
    ScratchDir library;
    library.Write("Image\\star.bmp", BmpFile(4, 4, [](int, int) { return Blue; }));
    Environment where(QXTMPL_LIBRARY_VARIABLE, library.Path());
    ImageOnPage page;
    std::string shown;
    DialogDriver driver(
        Marker,
        ClickThenRead(IDC_IMAGE_LIBRARY, IDC_IMAGE_FILE, shown),
        [&](HWND other) {
            return QxtmplIsChooser(other) && QxtmplSelectTemplate(other, "star.bmp") ? IDOK : IDCANCEL;
        });
    EXPECT_EQ(1, page.image->Modify());
    EXPECT_EQ(library / "Image\\star.bmp", shown);
    EXPECT_EQ(library / "Image\\star.bmp", std::string(page.image->fileName));
}

TEST(ImageDialog, TheImageKeepsItsWindowWhateverTheDialogEndsWith)
{
    for (const int ending : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ending);
        PageHost host;
        host.pub.Write("red.bmp", BmpFile(40, 30, [](int, int) { return Red; }));
        const RecordLines own = {"IMAGE {", "10 10 40 30", ".\\red.bmp", "0 0 0 0", "NULL", "}"};
        const RecordLines root = ObjectRecord("QXSHEET.DLL", 1, "NULL", NoBranch(), PageBlock("A", 255, 255, 255));
        host.pub.Write("a.pag", PageFile({root, ObjectRecord("QXPICT.DLL", 0, "pic", NoBranch(), own)}));
        ASSERT_EQ(1, host.Go("a.pag"));
        ExpectWindowKeptThroughDialog(host, "pic", Marker, ending);
    }
}

TEST(ImageDialog, TheOpenFileDialogGivesThePicture)
{
    ImageOnPage page;
    std::string shown;
    DialogDriver driver(
        Marker,
        ClickThenRead(IDC_IMAGE_CHOOSE, IDC_IMAGE_FILE, shown),
        [&](HWND open) { return OpenFileNamed(open, page.Picture("blue.bmp")); });
    EXPECT_EQ(1, page.image->Modify());
    EXPECT_EQ(page.Picture("blue.bmp"), shown);
    EXPECT_EQ(page.Picture("blue.bmp"), std::string(page.image->fileName));
}
