// Modify: the settings dialog works on a copy of the button, which is assigned back only
// when the author confirms.
#include "bouton.h"

#include "bouton_dialog.h"

#include <memory>

int BOUTON::Modify()
{
    std::unique_ptr<BOUTON> copy(new BOUTON(kernel, module));
    if (!copy)
        return 0;
    // Through OBJET's virtual assignment: the button's own, not a member-wise copy.
    static_cast<OBJET&>(*copy) = *this;
    copy->SetParent(GetParent());
    copy->dialogCopy = 1;
    const int result = RunButtonDialog(copy.get()) != 0;
    if (result) {
        static_cast<OBJET&>(*this) = *copy;
        // What belonged to the dialog stays with the copy.
        dialogCopy = 0;
        previewWindow = nullptr;
        if (loaded)
            MoveToRectangle();
        UpdateInvisibility();
        for (int image = 0; image < BOUTON_IMAGES; ++image)
            DropPicture(image);
        checked = initiallyChecked;
        if (loaded)
            Repaint();
    }
    // The copy shares the button's window, which must outlive it.
    copy->window = nullptr;
    return result;
}
