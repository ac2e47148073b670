// The table of the Wine fuzz targets.
#include "fuzz_targets.h"

#include <windows.h>

const std::vector<FuzzTarget>& FuzzTargets()
{
    static const std::vector<FuzzTarget> targets = {
        // Page files and templates: the kernel's tree reader, every plug-in's object record,
        // the branch records and "BR [" trees, the font records.
        {"page", {"fuzz/corpus/page/*", "samples/demo/*.pag"}, "input.pag", FuzzInputUse::Kept, ReadPageFile},
        // The same pages shown, with the sample publication's pictures and animation beside
        // them: what the plug-ins read when an object comes on screen.
        {"shown", {"fuzz/corpus/page/*", "samples/demo/*.pag"}, "input.pag", FuzzInputUse::Kept, ShowPageFile},
        {"bookmarks", {"fuzz/corpus/bookmarks/*", "samples/demo/*.qxb"}, "input.qxb", FuzzInputUse::Converted, ReadBookmarkFile},
        {"fontstore", {"fuzz/corpus/fontstore/*"}, "fonts\\fonts.mgr", FuzzInputUse::Grown, ReadFontIndex},
        {"clipboard", {"fuzz/corpus/clipboard/*"}, "clip.txt", FuzzInputUse::Kept, PasteClipboardText},
        // The rich-text engine's paste: its private record stream and text.
        {"rtedoc", {"text/engine/stream/tests/fixtures/old_streams/*"}, "input.rtd",
         FuzzInputUse::Kept, PasteEngineClipboard},
        // The text editor's paste of branches and hover messages.
        {"textclip", {"fuzz/corpus/textclip/*"}, "input.clip", FuzzInputUse::Kept, PasteTextClipBlock},
        {"xsc", {"fuzz/corpus/xsc/*", "samples/demo/*.xsc"}, "input.xsc", FuzzInputUse::Kept, ReadSettingsFile},
        {"dib", {"fuzz/corpus/bmp/*", "samples/demo/*.bmp"}, "input.bmp", FuzzInputUse::Kept, ReadDibFile},
        {"image", {"fuzz/corpus/bmp/*", "fuzz/corpus/image/*", "samples/demo/*.bmp"}, "input.img", FuzzInputUse::Kept,
         ReadImageFile},
        // The rich-text engine's translators: plain text, command markup, HTML, record streams.
        {"plaintext", {"text/engine/translators/tests/fixtures/plain/licence.*"}, "input.txt", FuzzInputUse::Kept,
         ImportPlainText},
        {"markup", {"fuzz/corpus/markup/*"}, "input.txt", FuzzInputUse::Kept, ImportMarkup},
        {"html", {"fuzz/corpus/html/*"}, "input.htm", FuzzInputUse::Kept, ImportHtml},
        {"rtd", {"text/engine/stream/tests/fixtures/old_streams/*"}, "input.rtd", FuzzInputUse::Kept,
         ImportNativeStream},
    };
    return targets;
}

std::string SourceFolder()
{
    std::string folder = "Z:" QX_SOURCE_DIR "/";
    for (char& c : folder)
        if (c == '/')
            c = '\\';
    return folder;
}
