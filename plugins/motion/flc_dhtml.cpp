// The animation's lines in an exported page's script, and the files it publishes: the
// pictures of a series (converted to JPEG unless already GIF or JPEG) or its media file.
#include "flc.h"

#include "anim.h"
#include "branch.h"
#include "effects.h"
#include "exportnames.h"
#include "filefetch.h"
#include "kernel.h"
#include "objgeometry.h"
#include "qxbmp.h"
#include "qxmedia.h"
#include "qxpath.h"
#include "recordio.h"
#include "scripttext.h"

#include <cstring>

namespace {

bool HasExtension(const char* name, const char* extension)
{
    const char* dot = std::strrchr(name, '.');
    return dot && lstrcmpiA(dot, extension) == 0;
}

bool IsNew(int exportResult) { return exportResult != QX_EXPORT_UNKNOWN && exportResult != QX_EXPORT_DONE; }

// The file fetched as the export needs it: "" when it cannot be had.
QXSTRING FetchedCopy(KERNEL* kernel, const char* name)
{
    char local[QX_NAME_BUFFER] = "";
    KernGetFileSync(kernel, name, local);
    if (!local[0] || GetFileAttributesA(local) == INVALID_FILE_ATTRIBUTES)
        return QXSTRING("");
    return QXSTRING(local);
}

void CopyPublished(const char* local, const char* published)
{
    QXCreateFilePath(published);
    fcopyWithSameDate(local, published);
}

// A picture of the series published: GIF and JPEG files as they are, any other picture as
// a JPEG. The published name, "" when the export does not know the file.
QXSTRING PublishPicture(KERNEL* kernel, const char* name, const char* local)
{
    char published[QX_NAME_BUFFER] = "";
    if (HasExtension(name, ".gif") || HasExtension(name, ".jpg")) {
        if (IsNew(KernGetExportName(kernel, name, published)))
            CopyPublished(local, published);
    } else if (IsNew(KernGetExportName(kernel, name, ".jpg", published))) {
        BMP picture;
        if (picture.Import(local) == 0) {
            QXCreateFilePath(published);
            picture.Export(published, BMP_FORMAT_JPEG, 24);
        }
    }
    return QXSTRING(published);
}

// The media file published: a QuickTime film copied, anything else saved by the media
// server when it opens it (copied when it does not).
QXSTRING PublishMedia(KERNEL* kernel, HWND window, const char* name, const char* local)
{
    char published[QX_NAME_BUFFER] = "";
    const bool copyIt = HasExtension(name, ".MOV");
    CMedia* media = copyIt ? nullptr : OpenServerMedia(window, local, nullptr);
    if (IsNew(KernGetExportName(kernel, name, published))) {
        if (media) {
            QXCreateFilePath(published);
            CallWithFileName(media, &CMedia::SaveAs, published);
        } else {
            CopyPublished(local, published);
        }
    }
    delete media;
    return QXSTRING(published);
}

const char* Flag(int on) { return on ? "true," : "false,"; }

}  // namespace

int FLC::ExportToDHTML(QXFILE file, int& index)
{
    if (series && (!anim || anim->Count() == 0))
        return 1;
    RECORDWRITER out(file);
    const auto write = [&out](const QXSTRING& text) { out.Bytes(text, static_cast<size_t>(text.length())); };
    QXSTRING text;
    write(QXSTRING("branchlist = new Array();\r\n"));
    for (int i = 0; i < GetBranchItems(); ++i) {
        text.Format("branchlist[%d] = ", i);
        write(text);
        if (!GetBranch(i)->ExportToDHTML(file))
            out.Fail();
        write(QXSTRING(";\r\n"));
    }
    if (series) {
        write(QXSTRING("imagelist = new Array();\r\n"));
        for (int i = 0; i < anim->Count(); ++i) {
            const char* name = anim->Frame(i).name.c_str();
            const QXSTRING local = FetchedCopy(kernel, name);
            if (!local.length())
                return 0;
            const QXSTRING published = PublishPicture(kernel, name, local);
            text.Format("imagelist[%d]=\"%s\";\r\n", i,
                        published.length() ? (const char*)DHTMLFileName(kernel, published) : "");
            write(text);
        }
    }

    const POINT at = PagePosition(this);
    char effect[QX_NAME_BUFFER] = "null";
    KernEffectId2FonctionName(effectId, effect);
    text.Format("QXObjects[objindex++] = %s(\"%s\",%d,%d,%d,%d,%d,%s,branchlist,", series ? "QXIAnim" : "QXAnim",
                (const char*)ScriptString(DHTMLName(this, index)), static_cast<int>(at.x), static_cast<int>(at.y), w,
                h, static_cast<int>(showDelay * 1000), effect);
    write(text);
    if (!ExportTooltipToDHTML(file))
        out.Fail();
    // The user string is script on purpose: it is written as it is.
    text.Format(",%s,", userString[0] ? userString : "null");
    write(text);
    if (series) {
        write(QXSTRING("imagelist,"));
    } else {
        const QXSTRING local = FetchedCopy(kernel, mediaName);
        if (!local.length())
            return 0;
        const QXSTRING published = PublishMedia(kernel, window, mediaName, local);
        text.Format("\"%s\",", published.length() ? (const char*)DHTMLFileName(kernel, published) : "");
        write(text);
    }
    text.Format("%s%d,%s%s%d);\r\n", Flag(loop), loopCount, Flag(autoPlay), Flag(controlBarFlag), framesPerSecond);
    write(text);
    return out.Ok() ? 1 : 0;
}
