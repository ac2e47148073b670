// TEXTE: construction and destruction, copying, properties and the fonts it uses.
#include "texte.h"

#include "accessors.h"
#include "filefetch.h"
#include "kernel.h"
#include "kerntree.h"
#include "modify_text.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "rte_edit_control.h"
#include "rte_styles.h"
#include "rte_typed.h"
#include "text_document.h"
#include "text_files.h"
#include "textres.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

TEXTBRANCH::TEXTBRANCH(KERNEL* kernel) : BRANCH(kernel)
{
    windowState = 1;
    execMode = 0;
}

TEXTE::TEXTE(KERNEL* kernel, HINSTANCE module) : OBJET(kernel, module)
{
    SetBeParent(0);
    SetInvisibility(0);
    SetDLLName(QX_TEXT_MODULE);
    KernRegisterClipboardFormat(kernel, QX_TEXT_MODULE);
    RegisterClipboardFormatA("QXTEXTCLIP");
    RegisterClipboardFormatA(RTE_CLIPBOARD_FORMAT);
    LoadStringA(module, IDS_TEXT_OBJECT_NAME, objetName, OBJET::UserIdChars);
    referenceWidth = KernS2Ux(kernel, 100);
    AddBranch(new TEXTBRANCH(kernel));
    messages.AddTail(new BRMSG);
    TextEngineAddUser();
    if (!importOnShow.length()) {
        LoadTextDefaults(&defaults.properties, this);
        LoadBulletDefaults(&defaults.bullet, this);
    }
    LoadBranchStyleDefaults(&defaults.branchStyles, this);
    background = defaults.properties.background & QX_COLOUR_RGB_MASK;
    transparent = (defaults.properties.background >> 24) == 0 ? 1 : 0;
}

TEXTE::~TEXTE()
{
    CloseHoveredMessage();
    if (ownsTempFile && localCopy.length())
        QXDeleteFile(localCopy);
    if (window) {
        KillTimer(window, QX_TEXT_HOVER_TIMER);
        SetWindowLongPtrA(window, QXWL_OBJET, 0);
        KernRemoveWindow(kernel, window);
    }
    if (document)
        EngineDo([&] { RteDocDestroy(document); });
    document = nullptr;
    visited.Clear();
    messages.Clear();
    TextEngineRemoveUser();
}

void TEXTE::Reserved(int, char* buffer)
{
    if (buffer)
        *buffer = 0;
}

void TEXTE::SetXYWH(int nx, int ny, int nw, int nh)
{
    OBJET::SetXYWH(nx, ny, nw, nh);
}

int TEXTE::SetProperties(long id, const char* value)
{
    if (id < 1000)
        return OBJET::SetProperties(id, value);
    if (id != 1000 || !value)
        return 0;
    fileName = value;
    localCopy = "";
    RebuildDocument();
    LoadText();
    return 1;
}

int TEXTE::GetProperties(long id, int size, char* buffer)
{
    if (id < 1000)
        return OBJET::GetProperties(id, size, buffer);
    if (id != 1000 || !buffer || size < 1)
        return 0;
    lstrcpynA(buffer, fileName, size);
    return 1;
}

void TEXTE::Select()
{
    OBJET::Select();
    UpdateScrollBar();
}

void TEXTE::UnSelect()
{
    OBJET::UnSelect();
    UpdateScrollBar();
}

int TEXTE::Modify() { return ModifyText(this); }

OBJET& TEXTE::operator=(const OBJET& other)
{
    const auto* source = dynamic_cast<const TEXTE*>(&other);
    if (!source || source == this)
        return OBJET::operator=(other);
    messages.Clear();
    fileName = source->fileName;
    localCopy = source->localCopy;
    OBJET::operator=(other);
    referenceWidth = source->referenceWidth;
    transparent = source->transparent;
    background = source->background;
    ownsTempFile = 0;
    external = source->external;
    importOnShow = source->importOnShow;
    // A copy never shares its source's document or temporary file: it reads the text again,
    // from a cache file of its own when the source owned one.
    if (source->ownsTempFile && source->localCopy.length()) {
        QXSTRING copy = KernGetCachePath(kernel);
        copy += "x";
        MakeTextTempName(this, &copy);
        if (CopyFileA(source->localCopy, copy, FALSE)) {
            fileName = copy;
            localCopy = copy;
            ownsTempFile = 1;
        }
    }
    editControl = nullptr;
    painting = 1;
    for (int i = 0; i < source->messages.Items(); ++i) {
        auto* message = new BRMSG;
        message->CopyFrom(*static_cast<const BRMSG*>(const_cast<LIST&>(source->messages).GetItem(i)));
        messages.AddTail(message);
    }
    defaults = source->defaults;
    defaults.properties.background =
        (background & QX_COLOUR_RGB_MASK) | (transparent ? 0 : QX_COLOUR_OPAQUE);
    painting = 0;
    RebuildDocument();
    return *this;
}

namespace {

// The face names of the fonts the text's runs use.
std::set<std::string> FacesOf(RteHandle doc)
{
    std::set<std::string> faces;
    RteLocked<RteDocument> d(doc);
    RteLocked<RteStyleRun> runs(d->charRuns);
    RteLocked<RteCharStyle> styles(d->charStyles);
    RteLocked<RteFont> fonts(d->fonts);
    for (int32_t i = 0; i < runs.size(); ++i) {
        if (runs[i].offset >= d->textLength || runs[i].index >= styles.size())
            continue;
        const int index = styles[runs[i].index].font < 0 ? 0 : styles[runs[i].index].font;
        if (index >= fonts.size())
            continue;
        const RteFont& font = fonts[index];
        char face[RTE_FONT_NAME_BYTES + 1] = "";
        if (font.nameFlags & RTE_FONT_NAME_CSTRING) {
            lstrcpynA(face, font.name, sizeof face);
        } else {
            const int length = std::min<int>(static_cast<uint8_t>(font.name[0]), RTE_FONT_NAME_BYTES - 1);
            std::memcpy(face, font.name + 1, length);
            face[length] = 0;
        }
        if (*face)
            faces.insert(face);
    }
    return faces;
}

}  // namespace

void TEXTE::GetFonts(FONTS_LIST* list)
{
    OBJET::GetFonts(list);
    if (!list)
        return;
    const bool scratch = LendScratchDocument(this);
    std::set<std::string> faces;
    if (document)
        EngineDo([&] { faces = FacesOf(document); });
    for (const std::string& face : faces) {
        const int flags = KernGetFontEmbedingFlag(face.c_str());
        if (flags == -1 || ((flags & QX_EMBED_RESTRICTED) && !(flags & (QX_EMBED_PREVIEW_PRINT | QX_EMBED_EDITABLE))))
            continue;
        auto* font = new FONTS;
        font->SetLogName(face.c_str());
        font->SetDosName(nullptr);
        font->flags = flags;
        if (!list->AddFont(font))
            delete font;
    }
    if (scratch)
        DropScratchDocument(this);
}
