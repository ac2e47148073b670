// Registration of the font-list preview class and the names of the styles.
#include "font_list_class.h"

#include "dialog_support.h"
#include "dialogsres.h"
#include "face_sample.h"
#include "qxfonts.h"

#include <memory>
#include <vector>

namespace {

constexpr const char* FontListClass = "EXTXTQXFLST";

std::vector<std::unique_ptr<SampleClassUse>>& Users()
{
    static std::vector<std::unique_ptr<SampleClassUse>> users;
    return users;
}

}  // namespace

int RegisterFontListClass(QXFLIST* list)
{
    auto use = std::make_unique<SampleClassUse>(FontListClass);
    if (!use->Registered())
        return 0;
    Users().push_back(std::move(use));
    if (list) {
        const int names[] = {IDS_STYLE_NORMAL, IDS_STYLE_ITALIC, IDS_STYLE_BOLD, IDS_STYLE_BOLD_ITALIC};
        for (int i = 0; i < 4; ++i)
            LoadStringA(DialogsModule(), names[i], list->styleNames[i], sizeof list->styleNames[i]);
    }
    return 1;
}

void UnregisterFontListClass()
{
    if (!Users().empty())
        Users().pop_back();
}
