// The four picture slots of the settings dialog: what a new picture resets, which picture
// sizes the button, the pairing of numbered files, the open dialog, removal, a picture gone
// at OK, a new button, the library of templates and the settings edited through the
// metadata module.
#include "buttondialogtest.h"

#include "kernel.h"
#include "qxtmpl_api.h"
#include "tagpick_api.h"
#include "tagpick_ids.h"

#include <cstring>

extern "C" __declspec(dllimport) void AddBouton(KERNEL* kernel, int unused);

namespace {

bool IsTagpick(HWND dialog) { return GetDlgItem(dialog, IDC_PICTURE) != nullptr; }

TEST_F(ButtonDialog, ANewPictureFileResetsRotationFlipsCropAndTransparency)
{
    Show(b.get(), BOUTON_IMAGE_RELEASED, Picture("first.bmp"));
    BUTBITMAP& settings = b->releasedImage;
    settings.rotation = 90;
    settings.flipVertical = 1;
    settings.flipHorizontal = 1;
    settings.cropX = 2;
    settings.cropY = 3;
    settings.cropWidth = 5;
    settings.cropHeight = 4;
    settings.transparentEnable = 1;
    settings.transparentColour = Red;
    const std::string second = Picture("second.bmp", 30, 16, Blue);
    int rotationAtOpening = -1;

    ASSERT_EQ(Edit(b.get(),
                   [&](HWND dialog) {
                       rotationAtOpening = CopyIn(dialog)->releasedImage.rotation;
                       Name(dialog, IDC_NAME_RELEASED, second);
                       return IDOK;
                   }),
              1);
    EXPECT_EQ(rotationAtOpening, 90);
    EXPECT_EQ(settings.rotation, 0);
    EXPECT_EQ(settings.flipVertical, 0);
    EXPECT_EQ(settings.flipHorizontal, 0);
    EXPECT_EQ(settings.cropX, 0);
    EXPECT_EQ(settings.cropY, 0);
    EXPECT_EQ(settings.cropWidth, 30);
    EXPECT_EQ(settings.cropHeight, 16);
    // A picture without a transparent colour of its own.
    EXPECT_EQ(settings.transparentEnable, 0);
    EXPECT_EQ(settings.transparentColour, 0u);
    // A placed button takes the released picture's size where it is.
    EXPECT_EQ(b->w, 30);
    EXPECT_EQ(b->h, 16);
    EXPECT_EQ(b->x, 10);
    EXPECT_EQ(b->y, 20);
}

TEST_F(ButtonDialog, ThePictureThatDecidesTheSizeIsTheFirstNamedOfReleasedPressedMouseOverMask)
{
    struct Row {
        std::vector<int> named;
        int chosen;
        bool resized;
    };
    const Row rows[] = {
        {{}, BOUTON_IMAGE_RELEASED, true},
        {{BOUTON_IMAGE_PRESSED, BOUTON_IMAGE_OVER}, BOUTON_IMAGE_RELEASED, true},
        {{}, BOUTON_IMAGE_PRESSED, true},
        {{BOUTON_IMAGE_RELEASED}, BOUTON_IMAGE_PRESSED, false},
        {{BOUTON_IMAGE_MASK}, BOUTON_IMAGE_OVER, true},
        {{BOUTON_IMAGE_PRESSED}, BOUTON_IMAGE_OVER, false},
        {{}, BOUTON_IMAGE_MASK, true},
        {{BOUTON_IMAGE_OVER}, BOUTON_IMAGE_MASK, false},
    };
    const std::string small = Picture("small.bmp", 20, 10);
    const std::string large = Picture("large.bmp", 64, 32);
    for (const Row& row : rows) {
        std::unique_ptr<BOUTON> button(PlacedButton());
        button->style = BOUTON_STYLE_BITMAP;
        for (int image : row.named)
            button->imageNames[image] = small.c_str();
        Edit(button.get(), [&](HWND dialog) {
            Name(dialog, SlotNameControl(row.chosen), large);
            return IDOK;
        });
        EXPECT_EQ(button->w, row.resized ? 64 : 100) << "chosen slot " << row.chosen;
        EXPECT_EQ(button->h, row.resized ? 32 : 40) << "chosen slot " << row.chosen;
    }
}

TEST_F(ButtonDialog, AFileEndingInItsSlotsDigitFillsTheEmptySlotsWithItsExistingSiblings)
{
    struct Row {
        const char* files;            // digits of the "boutonN.bmp" files that exist
        int chosen;                   // the slot the author fills
        const char* chosenName;
        int prefilled;                // a slot already holding "autre.bmp", or -1
        const char* expected[BOUTON_IMAGES];  // pressed, released, mask, mouse-over; "" none
    };
    const Row rows[] = {
        {"1234", BOUTON_IMAGE_RELEASED, "bouton1.bmp", -1,
         {"bouton2.bmp", "bouton1.bmp", "bouton3.bmp", "bouton4.bmp"}},
        {"1234", BOUTON_IMAGE_RELEASED, "bouton1.bmp", BOUTON_IMAGE_PRESSED,
         {"autre.bmp", "bouton1.bmp", "bouton3.bmp", "bouton4.bmp"}},
        {"124", BOUTON_IMAGE_RELEASED, "bouton1.bmp", -1, {"bouton2.bmp", "bouton1.bmp", "", "bouton4.bmp"}},
        {"12", BOUTON_IMAGE_PRESSED, "bouton2.bmp", -1, {"bouton2.bmp", "bouton1.bmp", "", ""}},
        {"34", BOUTON_IMAGE_OVER, "bouton4.bmp", -1, {"", "", "bouton3.bmp", "bouton4.bmp"}},
        {"1234", BOUTON_IMAGE_RELEASED, "bouton2.bmp", -1, {"", "bouton2.bmp", "", ""}},
    };
    Picture("autre.bmp");
    for (const Row& row : rows) {
        ScratchDir folder;
        for (const char* digit = row.files; *digit; ++digit)
            folder.Write(std::string("bouton") + *digit + ".bmp", BmpFile(8, 8, [](int, int) { return Green; }));
        std::unique_ptr<BOUTON> button(PlacedButton());
        button->style = BOUTON_STYLE_BITMAP;
        if (row.prefilled >= 0)
            button->imageNames[row.prefilled] = host.Page("autre.bmp").c_str();
        std::string shownName;
        Edit(button.get(), [&](HWND dialog) {
            Name(dialog, SlotNameControl(row.chosen), folder / row.chosenName);
            shownName = ItemText(dialog, IDC_NAME_MASK);
            return IDOK;
        });
        for (int image = 0; image < BOUTON_IMAGES; ++image) {
            const std::string name = row.expected[image];
            const std::string expected =
                name.empty() ? "" : name == "autre.bmp" ? host.Page(name) : folder / name;
            EXPECT_EQ(std::string(button->imageNames[image]), expected) << row.files << " slot " << image;
        }
        EXPECT_EQ(shownName, std::string(button->imageNames[BOUTON_IMAGE_MASK])) << row.files;
    }
}

TEST_F(ButtonDialog, TheSelectButtonPicksAPictureAndPairsItsSiblings)
{
    const std::string released = Picture("bouton1.bmp", 16, 16);
    const std::string pressed = Picture("bouton2.bmp", 16, 16);
    others = [&](HWND dialog) {
        if (HWND box = FileNameBox(dialog))
            SetWindowTextA(box, released.c_str());
        return IDOK;
    };
    bool removable = false;
    EXPECT_EQ(Edit(b.get(),
                   [&](HWND dialog) {
                       Click(dialog, IDC_STYLE_BITMAP);
                       Click(dialog, IDC_SELECT_RELEASED);
                       removable = IsWindowEnabled(GetDlgItem(dialog, IDC_REMOVE_RELEASED)) != 0;
                       return IDOK;
                   }),
              1);
    EXPECT_TRUE(removable);
    EXPECT_STREQ(b->imageNames[BOUTON_IMAGE_RELEASED], released.c_str());
    EXPECT_STREQ(b->imageNames[BOUTON_IMAGE_PRESSED], pressed.c_str());
    EXPECT_EQ(b->imageNames[BOUTON_IMAGE_MASK].length(), 0);
    EXPECT_EQ(b->w, 16);
}

TEST_F(ButtonDialog, RemovingAPictureEmptiesItsSlot)
{
    Show(b.get(), BOUTON_IMAGE_RELEASED, Picture("up.bmp"));
    Show(b.get(), BOUTON_IMAGE_OVER, Picture("over.bmp"));
    bool removableBefore = false, removableAfter = true;
    Edit(b.get(), [&](HWND dialog) {
        removableBefore = IsWindowEnabled(GetDlgItem(dialog, IDC_REMOVE_OVER)) != 0;
        Click(dialog, IDC_REMOVE_OVER);
        removableAfter = IsWindowEnabled(GetDlgItem(dialog, IDC_REMOVE_OVER)) != 0;
        EXPECT_EQ(ItemText(dialog, IDC_NAME_OVER), "");
        EXPECT_FALSE(CopyIn(dialog)->overImage.Loaded());
        return IDOK;
    });
    EXPECT_TRUE(removableBefore);
    EXPECT_FALSE(removableAfter);
    EXPECT_EQ(b->imageNames[BOUTON_IMAGE_OVER].length(), 0);
    EXPECT_STREQ(b->imageNames[BOUTON_IMAGE_RELEASED], host.Page("up.bmp").c_str());
}

TEST_F(ButtonDialog, APictureGoneBeforeOkIsReportedAndTheDialogStillCloses)
{
    const std::string up = Picture("up.bmp");
    Show(b.get(), BOUTON_IMAGE_RELEASED, up);
    const int result = Edit(b.get(), [&](HWND dialog) {
        EXPECT_STREQ(CopyIn(dialog)->localCopies[BOUTON_IMAGE_RELEASED], up.c_str());
        DeleteFileA(up.c_str());
        return IDOK;
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].caption, "Erreur de fichier");
    EXPECT_NE(shown[1].text.find("bouton relaché est introuvable"), std::string::npos) << shown[1].text;
    EXPECT_STREQ(b->imageNames[BOUTON_IMAGE_RELEASED], up.c_str());
}

TEST_F(ButtonDialog, ANewButtonTakesItsPicturesSizeAndIsCentredOnThePage)
{
    const std::string up = Picture("up.bmp", 40, 20);
    OBJET* page = KernGetTopObjet(host);
    ASSERT_NE(page, nullptr);
    const int before = page->GetChildItems();
    {
        DialogAnswerer answerer([&](HWND dialog) {
            if (!IsButtonDialog(dialog))
                return IDOK;
            Click(dialog, IDC_STYLE_BITMAP);
            Name(dialog, IDC_NAME_RELEASED, up);
            return IDOK;
        });
        AddBouton(host, 0);
    }
    ASSERT_EQ(page->GetChildItems(), before + 1);
    auto* added = dynamic_cast<BOUTON*>(page->GetChild(before));
    ASSERT_NE(added, nullptr);
    RECT client;
    GetClientRect(page->window, &client);
    EXPECT_EQ(added->w, 40);
    EXPECT_EQ(added->h, 20);
    EXPECT_EQ(added->x, (client.right - 40) / 2);
    EXPECT_EQ(added->y, (client.bottom - 20) / 2);
    EXPECT_EQ(added->dialogCopy, 0);
}

// Answers the metadata module's dialog: the released picture turned and cropped, the
// pressed one given a transparent colour, then `answer`.
int EditSettings(HWND tagpick, int answer, std::vector<std::string>& listed)
{
    HWND list = GetDlgItem(tagpick, IDC_PICTURE);
    for (int i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char name[200] = "";
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        listed.push_back(name);
    }
    SetDlgItemTextA(tagpick, IDC_ROTATION, "90");
    SetDlgItemTextA(tagpick, IDC_CROP1, "1");
    SetDlgItemTextA(tagpick, IDC_CROP2, "2");
    SetDlgItemTextA(tagpick, IDC_CROP3, "8");
    SetDlgItemTextA(tagpick, IDC_CROP4, "4");
    CheckDlgButton(tagpick, IDC_FLIP_HORIZONTAL, BST_CHECKED);
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    Command(tagpick, IDC_PICTURE, CBN_SELCHANGE);
    CheckDlgButton(tagpick, IDC_TRANSPARENT, BST_CHECKED);
    SetDlgItemTextA(tagpick, IDC_BLUE, "255");
    return answer;
}

TEST_F(ButtonDialog, PictureSettingsMakeTheRoundTripThroughTheMetadataModule)
{
    for (int answer : {IDOK, IDCANCEL}) {
        std::unique_ptr<BOUTON> button(PlacedButton());
        Show(button.get(), BOUTON_IMAGE_RELEASED, Picture("r.bmp"));
        Show(button.get(), BOUTON_IMAGE_PRESSED, Picture("p.bmp"));
        Show(button.get(), BOUTON_IMAGE_OVER, Picture("o.bmp"));
        button->overImage.rotation = 180;
        std::vector<std::string> listed;
        others = [&](HWND dialog) { return IsTagpick(dialog) ? EditSettings(dialog, answer, listed) : IDOK; };
        EXPECT_EQ(Edit(button.get(),
                       [](HWND dialog) {
                           Click(dialog, IDC_IMAGE_SETTINGS);
                           return IDOK;
                       }),
                  1);
        EXPECT_EQ(listed, (std::vector<std::string>{"r.bmp", "p.bmp", "o.bmp"}));
        const bool kept = answer == IDOK;
        const BUTBITMAP& released = button->releasedImage;
        EXPECT_EQ(released.rotation, kept ? 90 : 0);
        EXPECT_EQ(released.flipHorizontal, kept ? 1 : 0);
        EXPECT_EQ(released.cropX, kept ? 1 : 0);
        EXPECT_EQ(released.cropY, kept ? 2 : 0);
        EXPECT_EQ(released.cropWidth, kept ? 8 : 20);
        EXPECT_EQ(released.cropHeight, kept ? 4 : 10);
        EXPECT_EQ(button->pressedImage.transparentEnable, kept ? 1 : 0);
        EXPECT_EQ(button->pressedImage.transparentColour, kept ? RGB(0, 0, 255) : 0u);
        EXPECT_EQ(button->overImage.rotation, 180);
    }
}

TEST(TagpickModule, TheImageBlockKeepsItsOwnWordAndCropMeaning)
{
    HMODULE module = LoadLibraryA("Tagpick.dll");
    ASSERT_NE(module, nullptr);
    const auto getMetaData =
        reinterpret_cast<TAGPICK_GETMETADATA>(reinterpret_cast<void*>(GetProcAddress(module, TAGPICK_EXPORT)));
    ASSERT_NE(getMetaData, nullptr);
    TAGPICK_IMAGE_PICTURE block;
    std::memset(&block, 0, sizeof block);
    lstrcpyA(block.fileName, "C:\\images\\photo.jpg");
    block.keepRatio = 1;
    block.cropRight = 640;
    block.cropBottom = 480;
    std::string listed;
    int result = 0;
    {
        DialogAnswerer answerer([&](HWND dialog) {
            listed = ItemText(dialog, IDC_PICTURE);
            EXPECT_EQ(ItemText(dialog, IDC_CROP3), "640");
            SetDlgItemTextA(dialog, IDC_ROTATION, "270");
            CheckDlgButton(dialog, IDC_FLIP_VERTICAL, BST_CHECKED);
            CheckDlgButton(dialog, IDC_TRANSPARENT, BST_CHECKED);
            return IDOK;
        });
        result = getMetaData(nullptr, TAGPICK_LANGUAGE_FRENCH, 1, &block);
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(listed, "photo.jpg");
    EXPECT_EQ(block.rotation, 270);
    EXPECT_EQ(block.flipVertical, 1);
    EXPECT_EQ(block.transparent, 1);
    EXPECT_EQ(block.keepRatio, 1);
    EXPECT_EQ(block.cropRight, 640);
    EXPECT_EQ(block.cropBottom, 480);
    EXPECT_EQ(getMetaData(nullptr, TAGPICK_LANGUAGE_FRENCH, 0, &block), 0);
    FreeLibrary(module);
}

TEST_F(ButtonDialog, ALibraryTemplateFillsTheFourSlotsInOrder)
{
    ScratchDir library;
    for (const char* picture : {"1.bmp", "2.bmp", "3.bmp", "4.bmp"})
        library.Write(std::string("Button\\Fleche\\") + picture, BmpFile(24, 12, [](int, int) { return Blue; }));
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, library.Path().c_str());
    others = [](HWND dialog) {
        if (QxtmplIsChooser(dialog)) {
            EXPECT_TRUE(QxtmplSelectTemplate(dialog, "Fleche"));
        }
        return IDOK;
    };
    const int result = Edit(b.get(), [](HWND dialog) {
        Click(dialog, IDC_LIBRARY);
        return IDOK;
    });
    SetEnvironmentVariableA(QXTMPL_LIBRARY_VARIABLE, nullptr);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(b->style, BOUTON_STYLE_BITMAP);
    const std::string folder = library / "Button\\Fleche\\";
    EXPECT_EQ(std::string(b->imageNames[BOUTON_IMAGE_RELEASED]), folder + "1.bmp");
    EXPECT_EQ(std::string(b->imageNames[BOUTON_IMAGE_PRESSED]), folder + "2.bmp");
    EXPECT_EQ(std::string(b->imageNames[BOUTON_IMAGE_MASK]), folder + "3.bmp");
    EXPECT_EQ(std::string(b->imageNames[BOUTON_IMAGE_OVER]), folder + "4.bmp");
    EXPECT_EQ(b->w, 24);
    EXPECT_EQ(b->h, 12);
}

}  // namespace
