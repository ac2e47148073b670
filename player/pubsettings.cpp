// Reading the two forms of the publication settings file, without the kernel.
#include "pubsettings.h"

#include "qxfile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const int kPerWidthScreens[QX_PERWIDTH_IMAGES] = {640, 800, 1024, 1152, 1280, 1600};

namespace {

std::string Profile(const char* file, const char* section, const char* key, const char* absent)
{
    char value[500] = {};
    GetPrivateProfileStringA(section, key, absent, value, sizeof value, file);
    return value;
}

int ProfileInt(const char* file, const char* section, const char* key, int absent)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d", absent);
    return std::atoi(Profile(file, section, key, text).c_str());
}

std::string TrimLine(const char* line)
{
    std::string text(line);
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// Older tools wrote the word in any case.
std::string NotNull(const std::string& name)
{
    return lstrcmpiA(name.c_str(), "NULL") == 0 ? std::string() : name;
}

void ReadLogoFont(const char* file, LOGFONTA& font)
{
    const char* bg = "Background";
    font.lfWidth = ProfileInt(file, bg, "LogoFontWidth", font.lfWidth);
    font.lfHeight = ProfileInt(file, bg, "LogoFontHeight", font.lfHeight);
    font.lfEscapement = ProfileInt(file, bg, "LogoFontEscapement", font.lfEscapement);
    font.lfOrientation = ProfileInt(file, bg, "LogoFontOrientation", font.lfOrientation);
    font.lfWeight = ProfileInt(file, bg, "LogoFontWeight", font.lfWeight);
    font.lfItalic = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontItalic", font.lfItalic));
    font.lfUnderline = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontUnderline", font.lfUnderline));
    font.lfStrikeOut = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontStrikeOut", font.lfStrikeOut));
    font.lfCharSet = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontCharSet", font.lfCharSet));
    font.lfOutPrecision = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontOutPrecision", font.lfOutPrecision));
    font.lfClipPrecision = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontClipPrecision", font.lfClipPrecision));
    font.lfQuality = static_cast<BYTE>(ProfileInt(file, bg, "LogoFontQuality", font.lfQuality));
    font.lfPitchAndFamily =
        static_cast<BYTE>(ProfileInt(file, bg, "LogoFontPitchAndFamily", font.lfPitchAndFamily));
    // Read with an empty default: a file without the key gives an empty face name.
    std::string face = Profile(file, bg, "LogoFontFaceName", "");
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::strncpy(font.lfFaceName, face.c_str(), sizeof font.lfFaceName - 1);
}

}  // namespace

void SetPubDefaults(PUBSETTINGS& settings)
{
    settings.idleTime = 0;
    settings.x = settings.y = 0;
    settings.w = 800;
    settings.h = 600;
    settings.title.clear();
    settings.caption = true;
    settings.frame = 1;
    settings.center = true;
    settings.topMost = settings.fullScreen = false;
    settings.bookmarkFile.clear();
    settings.bookMarkGo = false;
    settings.backgroundType = 0;
    settings.imageFile.clear();
    for (std::string& name : settings.perWidthImages) name.clear();
    settings.imagePos = 0;
    settings.startColor = settings.endColor = 0;
    settings.gradient = 2;
    settings.showLogo = 0;
    settings.logoType = 0;
    settings.logoPos = 7;
    settings.logoStr.clear();
    settings.logoColor = 12632256;
    LOGFONTA font{};
    font.lfHeight = 40;
    font.lfWeight = 400;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfPitchAndFamily = 0x22;
    std::strcpy(font.lfFaceName, "Arial");
    settings.logoFont = font;
    if (settings.background) DeleteObject(settings.background);
    settings.background = nullptr;
}

void SetPageDefaults(PUBSETTINGS& settings, int screenWidth, int screenHeight)
{
    settings.idleTime = 0;
    settings.settingsFile.clear();
    settings.center = true;
    settings.fullScreen = settings.topMost = false;
    settings.x = settings.y = 0;
    settings.w = screenWidth;
    settings.h = screenHeight;
    settings.caption = false;
    settings.frame = 1;
    settings.layoutPending = true;
}

bool HasGeneralKeys(const char* file)
{
    char keys[64] = {};
    return GetPrivateProfileStringA("General", nullptr, "", keys, sizeof keys, file) > 0 && keys[0];
}

void ReadIniForm(const char* file, PUBSETTINGS& s, int screenWidth, int screenHeight)
{
    s.firstPage = Profile(file, "General", "FirstNode", "");
    s.idleTime = ProfileInt(file, "General", "Timer", 0);
    s.dataModuleName = Profile(file, "Libraries", "Data", "");
    const char* viewer = "Viewer";
    s.center = ProfileInt(file, viewer, "Center", 1) != 0;
    s.fullScreen = ProfileInt(file, viewer, "FullScreen", 0) != 0;
    s.topMost = ProfileInt(file, viewer, "TopMost", 0) != 0;
    s.x = ProfileInt(file, viewer, "X", 0);
    s.y = ProfileInt(file, viewer, "Y", 0);
    s.w = ProfileInt(file, viewer, "W", screenWidth);
    s.h = ProfileInt(file, viewer, "H", screenHeight);
    s.caption = ProfileInt(file, viewer, "Caption", 0) != 0;
    s.frame = ProfileInt(file, viewer, "Frame", 1);
    s.title = Profile(file, viewer, "Title", "");
    s.bookMarkGo = ProfileInt(file, viewer, "BookMarkGo", 0) != 0;
    s.bookmarkFile = Profile(file, viewer, "BookMarkFile", "");
    const char* bg = "Background";
    s.backgroundType = ProfileInt(file, bg, "BackgroundType", 0);
    s.imageFile = Profile(file, bg, "ImageFile", "");
    s.imagePos = ProfileInt(file, bg, "ImagePos", 0);
    s.startColor = static_cast<COLORREF>(ProfileInt(file, bg, "StartColor", 0));
    s.endColor = static_cast<COLORREF>(ProfileInt(file, bg, "EndColor", 0));
    s.gradient = ProfileInt(file, bg, "Gradient", 2);
    for (int i = 0; i < QX_PERWIDTH_IMAGES; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "ImageFile%d", kPerWidthScreens[i]);
        s.perWidthImages[i] = Profile(file, bg, key, "");
    }
    s.showLogo = ProfileInt(file, bg, "ShowLogo", 0);
    s.logoType = ProfileInt(file, bg, "LogoType", 0);
    s.logoPos = ProfileInt(file, bg, "LogoPos", 7);
    s.logoStr = Profile(file, bg, "LogoStr", "");
    s.logoColor = static_cast<COLORREF>(ProfileInt(file, bg, "LogoColor", 12632256));
    ReadLogoFont(file, s.logoFont);
    s.extraFiles.clear();
    for (int n = 1;; ++n) {
        char key[32];
        std::snprintf(key, sizeof key, "Other%d", n);
        std::string name = Profile(file, "Libraries", key, "");
        if (name.empty()) break;
        s.extraFiles.push_back(name);
    }
}

bool ReadOlderForm(const char* file, PUBSETTINGS& settings)
{
    QXFILE in = QXopen(file, 0);
    if (!in) return false;
    // Each reader takes its line whole, so an over-long line never hands its rest to the next value.
    QXSTRING first, data;
    long idle = 0;
    const bool complete = QXGetLineStr(in, &first) && Load1Long(in, &idle);
    const bool withData = complete && QXGetLineStr(in, &data);
    QXclose(in);
    if (!complete) return false;
    settings.firstPage = NotNull(TrimLine(first));
    settings.idleTime = static_cast<int>(idle);
    settings.dataModuleName = withData ? NotNull(TrimLine(data)) : std::string();
    return true;
}

void DropUnusedNames(PUBSETTINGS& settings)
{
    if (settings.backgroundType >= 0 && settings.backgroundType <= 3) {
        if (settings.backgroundType != 3) settings.imageFile.clear();
        for (std::string& name : settings.perWidthImages) name.clear();
    } else if (settings.backgroundType == 4) {
        settings.imageFile.clear();
    }
    if (settings.showLogo == 0) settings.logoStr.clear();
}
