// The "TEXTE {" block of a page file: geometry, the text (inline as hexadecimal lines, or the
// name of its file), flags, reference width, background and the hover message of each branch.
#include "texte.h"

#include "filefetch.h"
#include "kernel.h"
#include "objgeometry.h"
#include "paths.h"
#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "qxutil.h"
#include "recordio.h"
#include "rtf_tokenizer.h"
#include "text_document.h"
#include "text_files.h"
#include "text_logfont.h"
#include "textres.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* InlineForm = "TXTINLINE 2[";
constexpr const char* OldInlineForm = "TXTINLINE [";
constexpr int HexDigitsPerLine = 32;
// A hexadecimal line is read up to 34 characters.
constexpr int HexLineBuffer = 35;

int AlertBadRecord(TEXTE* text)
{
    QXSTRING caption, message;
    caption.LoadResource(TextModule(), IDS_TEXT_FILE_ERROR);
    message.LoadResource(TextModule(), IDS_TEXT_BAD_RECORD);
    Alert(KernGetAppWindow(text->GetKernel()), caption, message);
    return 0;
}

bool IsClose(const char* line) { return std::strcmp(line, "}") == 0; }
bool IsListEnd(const char* line) { return std::strcmp(line, "]") == 0; }

// Hexadecimal lines up to "]", at most `limit` bytes decoded; false at the end of the file.
bool ReadHexLines(QXFILE file, long limit, std::string& bytes)
{
    char line[HexLineBuffer];
    while (QXLoadStringTrim(file, line, sizeof line)) {
        if (IsListEnd(line))
            return true;
        for (const char* at = line; at[0] && at[1] && static_cast<long>(bytes.size()) < limit; at += 2) {
            const int32_t high = RtfHexValue(at[0]), low = RtfHexValue(at[1]);
            if (high < 0 || low < 0)
                break;
            bytes.push_back(static_cast<char>(high << 4 | low));
        }
    }
    return false;
}

// The decoded text as a new file of the object in the cache folder; "" when it cannot be made.
QXSTRING InlineFile(TEXTE* text, const std::string& bytes)
{
    QXSTRING name = KernGetCachePath(text->GetKernel());
    name += "x";
    MakeTextTempName(text, &name);
    QXFILE file = QXopen(name, 1);
    const bool written =
        file && QXWriteFile(file, bytes.data(), static_cast<unsigned long>(bytes.size())) == static_cast<long>(bytes.size());
    if (file)
        QXclose(file);
    if (!written) {
        QXDeleteFile(name);
        return QXSTRING();
    }
    return name;
}

void WriteHexLines(RECORDWRITER& out, const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    for (size_t at = 0; at < bytes.size(); at += HexDigitsPerLine / 2) {
        char line[HexDigitsPerLine + 1];
        size_t n = 0;
        for (size_t i = at; i < bytes.size() && i < at + HexDigitsPerLine / 2; ++i) {
            line[n++] = digits[static_cast<unsigned char>(bytes[i]) >> 4];
            line[n++] = digits[static_cast<unsigned char>(bytes[i]) & 15];
        }
        line[n] = 0;
        out.Line(line);
    }
}

bool ReadWholeFile(const char* name, std::string& bytes)
{
    QXFILE file = QXopen(name, 0);
    if (!file)
        return false;
    const DWORD size = QXGetFileSize(file);
    bytes.assign(size, '\0');
    const bool read = size == 0 || QXReadFile(file, bytes.data(), size) == static_cast<long>(size);
    QXclose(file);
    return read;
}

// The reader of the message list: each place may close the list ("]") or the block ("}").
enum class Got { Line, ListEnd, Close, End };

Got NextLine(QXFILE file, char* line, int size = QX_RECORD_LINE)
{
    if (!ReadTrimmedLine(file, line, size))
        return Got::End;
    if (IsListEnd(line))
        return Got::ListEnd;
    return IsClose(line) ? Got::Close : Got::Line;
}

// The counted message text: a count that is negative or runs past the file is refused.
bool ReadMessageText(QXFILE file, const char* countLine, BRMSG* message)
{
    char* end = nullptr;
    const long count = std::strtol(countLine, &end, 10);
    const long at = FilePosition(file);
    const long size = static_cast<long>(QXGetFileSize(file));
    if (end == countLine || count < 0 || at < 0 || count > size - at)
        return false;
    std::string text(static_cast<size_t>(count), '\0');
    if (count > 0 && QXReadFile(file, text.data(), static_cast<unsigned long>(count)) != count)
        return false;
    if (!IsNullText(text.c_str()))
        message->text = text.c_str();
    QXGetLine(file, nullptr, 0);
    return true;
}

// Reads one message entry after its count line; the Got of the place that ended it early.
Got ReadMessageRest(QXFILE file, BRMSG* m)
{
    char line[QX_RECORD_LINE];
    Got got;
    if ((got = NextLine(file, line)) != Got::Line)
        return got;
    m->delay = std::atoi(line);
    if ((got = NextLine(file, line)) != Got::Line)
        return got;
    m->sound = IsNullText(line) ? "" : line;
    if ((got = NextLine(file, line)) != Got::Line)
        return got;
    LOGFONTA& f = m->font;
    ScanLogFontNumbers(line, &f);
    if ((got = NextLine(file, line)) != Got::Line)
        return got;
    // At most 31 characters of face, always terminated.
    lstrcpynA(f.lfFaceName, line, LF_FACESIZE);
    if ((got = NextLine(file, line)) != Got::Line)
        return got;
    std::sscanf(line, "%d %d %d", &m->textColour[0], &m->textColour[1], &m->textColour[2]);
    if ((got = NextLine(file, line)) != Got::Line)
        return got;
    std::sscanf(line, "%d %d %d", &m->background[0], &m->background[1], &m->background[2]);
    return Got::Line;
}

}  // namespace

int TEXTE::Load(QXFILE file, int& universe)
{
    OBJET::Load(file, universe);
    char line[QX_RECORD_LINE];
    if (!ReadTrimmedLine(file, line, sizeof line) || lstrcmpiA(line, "TEXTE {") != 0)
        return 0;
    if (!ReadGeometry(file, this, universe))
        return AlertBadRecord(this);

    // The text.
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsClose(line))
        return 1;
    std::string bytes;
    if (kernel->templateSave) {
        fileName = IsNullText(line) ? "" : line;
        char local[QX_RECORD_LINE], form[QX_RECORD_LINE];
        long count = 0;
        if (!ReadTrimmedLine(file, local, sizeof local) || !ReadTrimmedLine(file, form, sizeof form) ||
            !Load1Long(file, &count))
            return 0;
        localCopy = IsNullText(local) ? "" : local;
        if (count > 0) {
            if (!ReadHexLines(file, count, bytes))
                return 0;
            pendingFile = InlineFile(this, bytes);
        } else {
            QXGetLine(file, nullptr, 0);
        }
    } else if (lstrcmpiA(line, OldInlineForm) == 0 || lstrcmpiA(line, InlineForm) == 0) {
        long limit = QX_TEXT_INLINE_MAX;
        if (lstrcmpiA(line, InlineForm) == 0 && (!Load1Long(file, &limit) || limit < 0))
            return AlertBadRecord(this);
        if (!ReadHexLines(file, limit, bytes))
            return 0;
        const QXSTRING name = InlineFile(this, bytes);
        if (name.length()) {
            fileName = name;
            localCopy = name;
            ownsTempFile = 1;
        }
    } else if (!*line) {
        return AlertBadRecord(this);
    } else {
        ReadRecordFileName(kernel, line, fileName);
    }

    // Flags, reference width and background; "}" in place of any of them ends the block.
    int values[4]{};
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsClose(line))
        return 1;
    if (std::sscanf(line, "%d %d %d %d", &values[0], &values[1], &values[2], &values[3]) != 4)
        return AlertBadRecord(this);
    transparent = values[0];
    external = values[1];
    if (kernel->templateSave)
        ownsTempFile = values[2];
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsClose(line))
        return 1;
    std::sscanf(line, "%lf", &referenceWidth);
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsClose(line))
        return 1;
    if (std::sscanf(line, "%d %d %d %d", &values[0], &values[1], &values[2], &values[3]) != 4)
        return AlertBadRecord(this);
    background = RGB(values[0], values[1], values[2]);

    // The messages: entry i belongs to branch i.
    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsClose(line))
        return 1;
    if (lstrcmpiA(line, "TXBRMSG [") != 0)
        return 0;
    messages.Clear();
    Got got = Got::Line;
    int i = 0;
    for (; i < GetBranchItems() && got == Got::Line; ++i) {
        auto* message = new BRMSG;
        message->branchId = GetBranch(i)->pluginMark;
        messages.AddTail(message);
        got = NextLine(file, line);
        if (got == Got::Line && !ReadMessageText(file, line, message))
            return 0;
        if (got == Got::Line)
            got = ReadMessageRest(file, message);
    }
    // Branches the list has no entry for get default messages.
    for (; i < GetBranchItems(); ++i) {
        auto* message = new BRMSG;
        message->branchId = GetBranch(i)->pluginMark;
        messages.AddTail(message);
    }
    if (got == Got::End)
        return 0;
    if (got == Got::Close)
        return 1;
    if (got == Got::Line) {
        while ((got = NextLine(file, line)) != Got::ListEnd) {
            if (got == Got::End)
                return 0;
            if (got == Got::Close)
                return 1;
        }
    }
    while ((got = NextLine(file, line)) != Got::Close) {
        if (got == Got::End)
            return 0;
    }
    return 1;
}

namespace {

void WriteMessage(RECORDWRITER& out, const BRMSG& m)
{
    const long length = static_cast<long>(m.text.length());
    out.Format("%ld", length);
    if (length) {
        out.Bytes(m.text, static_cast<size_t>(length));
        out.Line("");
    } else {
        out.Line("NULL");
    }
    out.Format("%d", m.delay);
    out.Text(m.sound);
    const LOGFONTA& f = m.font;
    char numbers[QX_LOGFONT_LINE];
    FormatLogFontNumbers(f, numbers, sizeof numbers);
    out.Line(numbers);
    out.Line(f.lfFaceName);
    out.Format("%d %d %d", m.textColour[0], m.textColour[1], m.textColour[2]);
    out.Format("%d %d %d", m.background[0], m.background[1], m.background[2]);
}

void WriteInline(RECORDWRITER& out, const std::string& bytes)
{
    out.Line(InlineForm);
    out.Format("%ld", static_cast<long>(bytes.size()));
    WriteHexLines(out, bytes);
    out.Line("]");
}

void ShowMoveFailure(TEXTE* text)
{
    QXSTRING caption, message;
    caption.LoadResource(TextModule(), IDS_TEXT_FILE_ERROR);
    message.LoadResource(TextModule(), IDS_TEXT_SAVE_MOVE_FAILED);
    Alert(KernGetAppWindow(text->GetKernel()), caption, message);
}

}  // namespace

// The document written to a new cache file; its bytes; false when it could not be written.
static bool DocumentBytes(TEXTE* text, std::string& bytes)
{
    QXSTRING name = KernGetCachePath(text->GetKernel());
    name += "x";
    MakeTextTempName(text, &name);
    const bool read = WriteTextFile(text, name) && ReadWholeFile(name, bytes);
    QXDeleteFile(name);
    return read;
}

int TEXTE::Save(QXFILE file, int& universe, int withBranches)
{
    if (!OBJET::Save(file, universe, withBranches))
        return 0;
    const bool scratch = LendScratchDocument(this);
    RECORDWRITER out(file);
    out.Line("TEXTE {");
    WriteGeometry(out, this, universe);
    // Stored text never carries the visited look.
    const bool hideVisited = !external && KernGetMode(kernel) == QX_MODE_PRESENTATION && document && visitedApplied;
    if (hideVisited)
        RemoveVisitedStyling();
    bool saved = true;
    std::string bytes;
    if (kernel->templateSave) {
        if (!external)
            saved = DocumentBytes(this, bytes);
        out.Text(fileName);
        out.Text(localCopy);
        out.Line(InlineForm);
        out.Format("%ld", static_cast<long>(bytes.size()));
        WriteHexLines(out, bytes);
        out.Line("]");
    } else {
        if (!external) {
            // The text goes to the object's own cache file; a file the object does not own (an
            // author's file it was given) is never written over.
            QXSTRING target = fileName;
            if (!ownsTempFile) {
                target = KernGetCachePath(kernel);
                target += "x";
                MakeTextTempName(this, &target);
            }
            saved = WriteTextFile(this, target) && ReadWholeFile(target, bytes);
            if (saved && !ownsTempFile) {
                fileName = target;
                localCopy = target;
                ownsTempFile = 1;
            } else if (!saved && !ownsTempFile) {
                QXDeleteFile(target);
            }
        }
        if (saved && (external || static_cast<long>(bytes.size()) > QX_TEXT_INLINE_MAX)) {
            if (ownsTempFile) {
                // A page must never name a cache file: the text moves beside the publication.
                QXSTRING moved = KernGetScnPath(kernel);
                moved += "x";
                MakeTextTempName(this, &moved);
                QXDeleteFile(moved);
                if (moved.length() && MoveTextFile(fileName, moved)) {
                    fileName = moved;
                    localCopy = moved;
                    ownsTempFile = 0;
                } else {
                    ShowMoveFailure(this);
                    saved = false;
                }
            }
            WriteRecordFileName(out, kernel, fileName);
        } else if (saved) {
            WriteInline(out, bytes);
        }
    }
    if (hideVisited)
        ApplyVisitedStyling();
    out.Format("%-8d%-8d%-8d%-56d", transparent, external, ownsTempFile, 0);
    if (!kernel->templateSave)
        referenceWidth = KernS2Ux(kernel, 100);
    out.Format("%-10.2lf", referenceWidth);
    out.Format("%-8d%-8d%-8d%-56d", GetRValue(background), GetGValue(background), GetBValue(background), 0);
    out.Line("TXBRMSG [");
    while (messages.Items() < GetBranchItems())
        messages.AddTail(new BRMSG);
    for (int i = 0; i < GetBranchItems(); ++i)
        WriteMessage(out, *Message(i));
    out.Line("]");
    out.Line("}");
    if (scratch)
        DropScratchDocument(this);
    return saved && out.Ok() ? 1 : 0;
}
