// The twelve built-in picture pairs of "QXButton" and the style bits that select them.
#include "controls_internal.h"
#include "qxbmp.h"
#include "qxcontrols.h"

#include <cstdio>

namespace {

struct BuiltInImage {
    const char* name;  // the resources are "<name>_R" and "<name>_P"
    DWORD style;
};

// Indexed by picture number, which is also the order in which the style bits are tested
// (the last one set wins); entry 0 stands for the button's own pictures.
constexpr BuiltInImage Images[BUILTIN_IMAGES + 1] = {
    {nullptr, QXBS_OWN},       {"FOLDER", QXBS_FOLDER}, {"FONT", QXBS_FONT},   {"COLOR", QXBS_COLOR},
    {"PAGE", QXBS_PAGE},       {"ADVANCE", QXBS_ADVANCE}, {"ADD", QXBS_ADD},   {"DELETE", QXBS_DELETE},
    {"MODIFY", QXBS_MODIFY},   {"REDX", QXBS_REDX},     {"PLAY", QXBS_PLAY},   {"STOP", QXBS_STOP},
    {"LIB", QXBS_LIB},
};

BMP* pictures[2][BUILTIN_IMAGES + 1];  // [pressed][image]; row entries 0 stay null

BMP* LoadPicture(const char* name, const char* suffix)
{
    char resource[32];
    std::snprintf(resource, sizeof resource, "%s%s", name, suffix);
    BMP* picture = new BMP;
    if (picture && !picture->LoadResourceDIB(ControlsLibrary(), resource)) {
        delete picture;
        picture = nullptr;
    }
    return picture;
}

}  // namespace

int ImageFromStyle(DWORD style)
{
    int image = 0;
    for (int candidate = 0; candidate <= BUILTIN_IMAGES; ++candidate)
        if (style & Images[candidate].style)
            image = candidate;
    return image;
}

void LoadBuiltInPictures()
{
    for (int image = 1; image <= BUILTIN_IMAGES; ++image) {
        pictures[0][image] = LoadPicture(Images[image].name, "_R");
        pictures[1][image] = LoadPicture(Images[image].name, "_P");
    }
}

void FreeBuiltInPictures()
{
    for (auto& row : pictures)
        for (BMP*& picture : row) {
            delete picture;
            picture = nullptr;
        }
}

BMP* BuiltInPicture(int image, bool pressed)
{
    return image >= 1 && image <= BUILTIN_IMAGES ? pictures[pressed ? 1 : 0][image] : nullptr;
}
