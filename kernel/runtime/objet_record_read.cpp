// Reading the common block of an object record (its lines after the module line and the
// child count). Records of older versions end their object part early with "}"; what they
// leave out keeps its default.
#include "objet.h"

#include "branch.h"
#include "effects.h"
#include "filefind.h"
#include "kernel.h"
#include "recordio.h"
#include "textfield.h"
#include "qxfile.h"
#include "qxsupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A hover text longer than this is no text a page can hold: the record is refused.
constexpr int MaxMessageBytes = 1 << 20;
// The show delay is read from the first characters of its line.
constexpr int DelayChars = 19;

// Records that end their object part before the font line show their message this way.
void SetOldRecordStyle(MESSOBJ* block)
{
    LOGFONTA font{};
    font.lfHeight = -20;
    font.lfWeight = FW_NORMAL;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, "System", LF_FACESIZE);
    block->font = font;
    block->textColour = {0, 0, 0, 0};
    block->backColour = {192, 192, 192, 0};
}

int ParseInt(const char* line) { return static_cast<int>(std::strtol(line, nullptr, 10)); }

void ParseColour(const char* line, Color* colour)
{
    std::sscanf(line, "%d %d %d", &colour->red, &colour->green, &colour->blue);
}

void ParseFont(const char* line, LOGFONTA* font)
{
    int v[13] = {static_cast<int>(font->lfHeight), static_cast<int>(font->lfWidth),
                 static_cast<int>(font->lfEscapement), static_cast<int>(font->lfOrientation),
                 static_cast<int>(font->lfWeight), font->lfItalic, font->lfUnderline, font->lfStrikeOut,
                 font->lfCharSet, font->lfOutPrecision, font->lfClipPrecision, font->lfQuality,
                 font->lfPitchAndFamily};
    std::sscanf(line, "%d %d %d %d %d %d %d %d %d %d %d %d %d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                &v[7], &v[8], &v[9], &v[10], &v[11], &v[12]);
    font->lfHeight = v[0];
    font->lfWidth = v[1];
    font->lfEscapement = v[2];
    font->lfOrientation = v[3];
    font->lfWeight = v[4];
    font->lfItalic = static_cast<BYTE>(v[5]);
    font->lfUnderline = static_cast<BYTE>(v[6]);
    font->lfStrikeOut = static_cast<BYTE>(v[7]);
    font->lfCharSet = static_cast<BYTE>(v[8]);
    font->lfOutPrecision = static_cast<BYTE>(v[9]);
    font->lfClipPrecision = static_cast<BYTE>(v[10]);
    font->lfQuality = static_cast<BYTE>(v[11]);
    font->lfPitchAndFamily = static_cast<BYTE>(v[12]);
}

bool IsMarker(const char* line, const char* marker)
{
    char trimmed[QX_RECORD_LINE];
    lstrcpynA(trimmed, line, sizeof trimmed);
    return std::strcmp(QXrtrim(trimmed), marker) == 0;
}

// The common block as it is read: the position in the record and what it yields.
class COMMONBLOCK {
public:
    COMMONBLOCK(QXFILE file, OBJET* object)
        : file_(file), object_(object), kernel_(object->kernel), oldPage_(KernGetCurPageVersion(kernel_) == 0) {}

    bool Read(MESSOBJ* block);

private:
    enum class Got { End, Line, Close };

    // The next line; from the title on, a line that is exactly "}" closes the object part.
    Got Next()
    {
        if (!ReadRecordLine(file_, line_))
            return Got::End;
        return std::strcmp(line_, "}") == 0 ? Got::Close : Got::Line;
    }

    bool ReadMessage(MESSOBJ* block, bool& closed);
    bool ReadMessageText(MESSOBJ* block);
    bool ReadEffectAndDelay(bool& closed);
    bool ReadFonts();
    bool ReadBranches();
    bool SkipTo(const char* marker);

    QXFILE file_;
    OBJET* object_;
    KERNEL* kernel_;
    int oldPage_;
    char line_[QX_RECORD_LINE];
};

bool COMMONBLOCK::ReadMessageText(MESSOBJ* block)
{
    char* end;
    const long counted = std::strtol(line_, &end, 10);
    if (end == line_ || counted < 0 || counted > MaxMessageBytes)
        return false;
    const int length = static_cast<int>(counted);
    char* text = new char[static_cast<size_t>(length) + 1];
    if (!text)
        return false;
    const long start = FilePosition(file_);
    const long got = length > 0 ? QXReadFile(file_, text, static_cast<unsigned long>(length)) : 0;
    text[length > 0 && got > 0 ? got : 0] = '\0';
    // The rest of the line after the counted bytes is dropped.
    char rest[2];
    const bool read = got == length && QXGetLine(file_, rest, sizeof rest);
    if (read)
        block->text = IsNullText(text) ? "" : text;
    else
        QXSeekFile(file_, start, 0);  // a count past the record must not swallow the records after it
    delete[] text;
    return read;
}

bool COMMONBLOCK::ReadMessage(MESSOBJ* block, bool& closed)
{
    // Each step: the line, or the end of the object part (the style of old records).
    auto next = [&]() {
        const Got got = Next();
        if (got == Got::Close) {
            SetOldRecordStyle(block);
            closed = true;
        }
        return got;
    };
    Got got = next();  // title
    if (got != Got::Line)
        return got == Got::Close;
    block->title = IsNullText(line_) ? "" : line_;
    if ((got = next()) != Got::Line)  // text length
        return got == Got::Close;
    if (!ReadMessageText(block))
        return false;
    if ((got = next()) != Got::Line)  // delay
        return got == Got::Close;
    block->delay = ParseInt(line_);
    if ((got = next()) != Got::Line)  // sound
        return got == Got::Close;
    if (!IsNullText(line_)) {
        block->sound = line_;
        KernLocateNamedFile(kernel_, &block->sound, oldPage_, 1);
    }
    if ((got = next()) != Got::Line)  // size mode
        return got == Got::Close;
    object_->sizeMode = ParseInt(line_);
    if ((got = next()) != Got::Line)  // font
        return got == Got::Close;
    ParseFont(line_, &block->font);

    // From here an early "}" keeps the font as read.
    if ((got = Next()) != Got::Line)  // face
        return (closed = got == Got::Close);
    CopyField(block->font.lfFaceName, line_);
    if ((got = Next()) != Got::Line)
        return (closed = got == Got::Close);
    ParseColour(line_, &block->textColour);
    if ((got = Next()) != Got::Line)
        return (closed = got == Got::Close);
    ParseColour(line_, &block->backColour);
    return ReadEffectAndDelay(closed);
}

bool COMMONBLOCK::ReadEffectAndDelay(bool& closed)
{
    Got got = Next();
    if (got != Got::Line)
        return (closed = got == Got::Close);
    const int index = ParseInt(line_);
    if ((got = Next()) != Got::Line)
        return (closed = got == Got::Close);
    object_->effectModule = IsNullText(line_) ? "" : line_;
    object_->effectIndex = index;
    object_->effectId = KernDllId2EffectId(object_->effectModule, index);
    if ((got = Next()) != Got::Line)
        return (closed = got == Got::Close);
    line_[DelayChars] = '\0';
    object_->showDelay = QxBoundedDelay(std::strtod(line_, nullptr));
    return true;
}

bool COMMONBLOCK::ReadFonts()
{
    FONTS_LIST& fonts = object_->fonts;
    int count;
    if (!ReadIntLine(file_, &count))
        return false;
    for (int i = 0; i < count; ++i) {
        FONTS* font = new FONTS;
        if (!font)
            return false;
        if (!font->Load(file_)) {
            delete font;
            return false;
        }
        if (!fonts.AddFont(font))
            delete font;
    }
    for (int i = 0; i < fonts.Items(); ++i) {
        FONTS* font = fonts.GetFont(i);
        KernLocateNamedFile(kernel_, &font->dosName, oldPage_, 0);
        KernInstallFont(kernel_, font);
    }
    return ReadRecordLine(file_, line_);  // the "]"
}

bool COMMONBLOCK::SkipTo(const char* marker)
{
    while (!IsMarker(line_, marker)) {
        if (!ReadRecordLine(file_, line_))
            return false;
    }
    return true;
}

// Reads count branches of one form into the object's branches, existing ones first.
template <class Reader>
bool ReadBranchList(OBJET* object, int count, Reader read)
{
    for (int i = 0; i < count; ++i) {
        const bool existing = i < object->GetBranchItems();
        BRANCH* branch = existing ? object->GetBranch(i) : new BRANCH(object->kernel);
        if (!branch)
            return false;
        if (!read(branch)) {
            if (!existing)
                delete branch;
            return false;
        }
        if (!existing)
            object->AddBranch(branch);
    }
    return true;
}

bool COMMONBLOCK::ReadBranches()
{
    if (!ReadRecordLine(file_, line_) || !IsMarker(line_, "BRANCH {"))
        return false;
    int count;
    if (!ReadIntLine(file_, &count))
        return false;
    if (!ReadBranchList(object_, count, [&](BRANCH* b) { return b->Load(file_, oldPage_) != 0; }))
        return false;
    if (!ReadRecordLine(file_, line_))
        return false;
    if (IsMarker(line_, "BRANCHEX [")) {
        if (!ReadIntLine(file_, &count))
            return false;
        if (!ReadBranchList(object_, count, [&](BRANCH* b) { return b->LoadEx(file_, oldPage_) != 0; }))
            return false;
        if (!ReadRecordLine(file_, line_) || !SkipTo("]") || !ReadRecordLine(file_, line_))
            return false;
    }
    return SkipTo("}");
}

bool COMMONBLOCK::Read(MESSOBJ* block)
{
    if (!ReadRecordLine(file_, line_))
        return false;
    CopyField(object_->userID, IsNullText(line_) ? "" : line_);
    if (!ReadRecordLine(file_, line_))
        return false;
    object_->SetUserString(IsNullText(line_) ? "" : line_);

    bool closed = false;
    if (!ReadMessage(block, closed))
        return false;
    if (!closed) {
        // Up to the end of the object part, with the fonts it lists.
        for (;;) {
            object_->fonts.Clear();
            if (!ReadRecordLine(file_, line_))
                return false;
            if (IsMarker(line_, "}"))
                break;
            if (IsMarker(line_, "FONTS [")) {
                if (!ReadFonts() || !SkipTo("}"))
                    return false;
                break;
            }
        }
    }
    return ReadBranches();
}

}  // namespace

int OBJET::Load(QXFILE file, int&)
{
    MESSOBJ* block = new MESSOBJ;
    if (!block)
        return 0;
    COMMONBLOCK reader(file, this);
    if (!reader.Read(block)) {
        delete block;
        return 0;
    }
    loaded = 1;
    delete message;
    message = block;
    return 1;
}
