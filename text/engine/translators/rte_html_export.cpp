// Writing HTML: the frame and the whole-text anchor at the start, an entry of tags for the base
// style, then for each run an entry of the tags that tell it from the base, alignment DIVs
// between paragraphs, and the text escaped for HTML (and for a script string in DHTML pages).
#include "rte_html_export.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "branch.h"
#include "objet.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"
#include "scripttext.h"

namespace {

constexpr const char* kFrameOpening = "<html>\r\n<body>\r\n";
constexpr const char* kFrameClosing = "\r\n</body>\r\n</html>\r\n";
constexpr const char* kTabSpaces = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
// The reference style of the base entry names no font, so that the face is always written.
constexpr int16_t kNoFont = -2;
constexpr uint8_t kTab = 9;
constexpr uint8_t kLineBreak = 10;
constexpr uint8_t kOpeningQuote = 0x93;
constexpr uint8_t kClosingQuote = 0x94;
// A feature bit that the exporters of the RTF family carry; the base does not read it.
constexpr uint32_t kRtfFamily = 0x00200000;

std::string Printf(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}

int HighByte(uint16_t channel) { return channel >> 8; }

enum class Attribute { Quoted, Unquoted };

// A text as the value of a tag's attribute: nothing of it may end the value or begin markup
// (names come from authors and from imported files). Unquoted values also end at spaces.
std::string AttributeText(const char* text, Attribute kind)
{
    std::string value;
    for (const char* at = text; *at; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        switch (byte) {
        case '&': value += "&amp;"; break;
        case '"': value += "&quot;"; break;
        case '\'': value += "&#39;"; break;
        case '<': value += "&lt;"; break;
        case '>': value += "&gt;"; break;
        default:
            if (byte < ' ' || (kind == Attribute::Unquoted && (byte == ' ' || byte == '=' || byte == '`')))
                value += Printf("&#%d;", byte);
            else
                value += *at;
        }
    }
    return value;
}

// The switches of a style in the order their tags nest.
struct Switch {
    int16_t RteCharStyle::*unit;
    const char* opening;
    const char* closing;
};
const Switch kSwitches[] = {
    {&RteCharStyle::bold, "<B>", "</B>"},          {&RteCharStyle::subscript, "<SUB>", "</SUB>"},
    {&RteCharStyle::italic, "<I>", "</I>"},        {&RteCharStyle::strikeOut, "<S>", "</S>"},
    {&RteCharStyle::underline, "<U>", "</U>"},     {&RteCharStyle::superscript, "<SUP>", "</SUP>"},
};

bool AnySwitch(const RteCharStyle& style)
{
    for (const Switch& s : kSwitches)
        if (style.*s.unit)
            return true;
    return false;
}

bool SameColour(const RteColor& a, const RteColor& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

std::string FontName(const RteFont& font)
{
    if (font.nameFlags & RTE_FONT_NAME_CSTRING)
        return std::string(font.name, strnlen(font.name, RTE_FONT_NAME_BYTES - 1));
    return std::string(font.name + 1, std::min<size_t>(static_cast<uint8_t>(font.name[0]), RTE_FONT_NAME_BYTES - 1));
}

}  // namespace

QXHTMLExportFilter::QXHTMLExportFilter(OBJET* object, bool frame, bool anchors, bool scriptString)
    : object_(object), frame_(frame), anchors_(anchors), scriptString_(scriptString)
{
    formatId_ = RTE_FORMAT_RTF;
    features_ = RTE_FEATURE_BUFFERED | kRtfFamily | RTE_FEATURE_PAGE | RTE_FEATURE_FORMATS | RTE_FEATURE_STYLES |
                RTE_FEATURE_TEXT;
}

int16_t QXHTMLExportFilter::WriteHeaderExtra() { return 0; }
int16_t QXHTMLExportFilter::WriteHeaderExtra2() { return 0; }
int16_t QXHTMLExportFilter::WriteObject() { return 0; }
int16_t QXHTMLExportFilter::WriteRunExtra() { return 0; }

std::string QXHTMLExportFilter::ObjectId() const
{
    const char* id = object_->GetUserID();
    // The id is a script string of the onclick value, itself an attribute of the tag.
    const QXSTRING script = ScriptString(id[0] ? id : object_->GetTmpUserID());
    return Scripted(AttributeText(script, Attribute::Unquoted));
}

std::string QXHTMLExportFilter::Scripted(const std::string& html) const
{
    return scriptString_ ? std::string(static_cast<const char*>(ScriptString(html.c_str()))) : html;
}

std::string QXHTMLExportFilter::Quoted(const char* text) const { return scriptString_ ? Printf("\\\"%s\\\"", text) : Printf("\"%s\"", text); }

int16_t QXHTMLExportFilter::BeginExport()
{
    openDivs_ = 0;
    stack_.clear();
    wholeAnchor_ = false;
    baseStyle_ = record_.style;
    baseFormat_ = record_.format;
    baseFont_ = record_.font;
    if (frame_) {
        PutText(kFrameOpening);
        stack_.push_back(Entry{{}, {}, kFrameClosing});
    }
    if (anchors_ && object_) {
        BRANCH* branch = object_->GetBranch(0);
        if (branch && branch->IsBranchingSomewhere()) {
            PutText(Printf("<A STYLE=\\\"cursor=hand\\\" onclick=QXTextBranch(\\\"%s\\\",0)>", ObjectId().c_str()).c_str());
            wholeAnchor_ = true;
        }
    }
    fonts_.clear();
    {
        RteLocked<RteDocument> doc(doc_);
        RteLocked<RteFont> fonts(doc->fonts);
        fonts_.assign(fonts.get(), fonts.get() + fonts.size());
    }
    int16_t code = WriteHeaderExtra();
    if (!code)
        code = WriteHeaderExtra2();
    if (code)
        RteRaise(env_->context, code, nullptr);
    RteCharStyle empty = {};
    empty.font = kNoFont;
    OpenEntry(baseStyle_, empty);
    baseDepth_ = stack_.size();
    return 0;
}

void QXHTMLExportFilter::OpenEntry(const RteCharStyle& style, const RteCharStyle& reference)
{
    std::string opening;
    std::string closing;
    auto add = [&](const std::string& open, const std::string& close) {
        opening += open;
        closing.insert(0, close);
    };
    if (style.font != reference.font && style.font >= 0 && style.font < static_cast<int32_t>(fonts_.size())) {
        const std::string face = FontName(fonts_[static_cast<size_t>(style.font)]);
        add("<font face=" + Quoted(Scripted(AttributeText(face.c_str(), Attribute::Quoted)).c_str()) + ">", "</font>");
    }
    if (style.pointSize >> 16 != reference.pointSize >> 16)
        add("<font style=" + Quoted(Printf("font-size:%dpt", style.pointSize >> 16).c_str()) + ">", "</font>");
    std::string colour = Printf("#%02x%02x%02x", HighByte(style.textColor.red), HighByte(style.textColor.green),
                                HighByte(style.textColor.blue));
    if (!SameColour(style.textColor, reference.textColor))
        add("<font color=" + Quoted(colour.c_str()) + ">", "</font>");
    if (AnySwitch(style) || !AnySwitch(reference)) {
        for (const Switch& s : kSwitches)
            if (style.*s.unit && style.*s.unit != reference.*s.unit)
                add(s.opening, s.closing);
    }
    if (anchors_ && object_ && style.value14) {
        const std::string id = ObjectId();
        std::string anchor = Printf("<A STYLE=\\\"cursor=hand\\\" onclick=QXTextBranch(\\\"%s\\\",%d)><font color=\\\"%s\\\">",
                                    id.c_str(), style.value14, colour.c_str());
        std::string whole = Printf("<A STYLE=\\\"cursor=hand\\\" onclick=QXTextBranch(\\\"%s\\\",0)>", id.c_str());
        // The whole-text anchor is closed around the run and opened again after it.
        if (wholeAnchor_)
            add("</A>" + anchor, "</font></A>" + whole);
        else
            add(anchor, "</font></A>");
    }
    PutText(opening.c_str());
    RteFont font = style.font >= 0 && style.font < static_cast<int32_t>(fonts_.size()) ? fonts_[static_cast<size_t>(style.font)] : baseFont_;
    stack_.push_back(Entry{style, font, closing});
}

void QXHTMLExportFilter::CloseTo(size_t depth)
{
    while (stack_.size() > depth) {
        PutText(stack_.back().closing.c_str());
        stack_.pop_back();
    }
}

void QXHTMLExportFilter::CloseDiv()
{
    if (openDivs_ <= 0)
        return;
    PutText("</DIV>");
    --openDivs_;
}

void QXHTMLExportFilter::Align(const RteParFormat& format)
{
    CloseDiv();
    if (format.alignment == baseFormat_.alignment)
        return;
    static const char* const kDivs[] = {"<DIV align=left>",    "<DIV align=center>", "<DIV align=right>",
                                        "<DIV align=justify>", "<DIV align=left>",   "<DIV align=right>"};
    if (format.alignment < 0 || format.alignment > 5)
        return;
    PutText(kDivs[format.alignment]);
    ++openDivs_;
}

int32_t QXHTMLExportFilter::WriteChunk()
{
    if (styleChanged_ || formatChanged_ || fontChanged_) {
        CloseTo(baseDepth_);
        if (formatChanged_)
            Align(record_.format);
        OpenEntry(record_.style, baseStyle_);
        int16_t code = WriteRunExtra();
        if (code)
            RteRaise(env_->context, code, nullptr);
    }
    if (objectPiece_) {
        WriteObject();
        return 1;
    }
    WriteText();
    return 1;
}

void QXHTMLExportFilter::WriteText()
{
    const uint8_t* text = record_.text.data();
    for (int32_t i = 0; i < record_.length; ++i) {
        uint8_t byte = text[i];
        if (byte == kTab) {
            PutText(kTabSpaces);
        } else if (byte == RTE_PARAGRAPH_END || byte == kLineBreak) {
            PutText("<BR>");
        } else if (byte < ' ') {
            continue;
        } else if (byte == ' ' && i + 1 < record_.length && text[i + 1] == ' ') {
            PutText("&nbsp;");
        } else if (byte == '<' || byte == '>' || byte == '&') {
            // Markup characters of the text must not read as markup.
            PutText(byte == '<' ? "&lt;" : byte == '>' ? "&gt;" : "&amp;");
        } else if (scriptString_ && (byte == '"' || byte == kOpeningQuote || byte == kClosingQuote)) {
            PutText("\\\"");
        } else if (scriptString_ && byte == '\\') {
            PutText("\\\\");
        } else {
            PutByte(byte == kOpeningQuote || byte == kClosingQuote ? '"' : byte);
        }
    }
}

int16_t QXHTMLExportFilter::EndExport()
{
    // Runs and DIVs close inside the base entry, the whole-text anchor around it, the frame last.
    CloseTo(baseDepth_);
    while (openDivs_ > 0)
        CloseDiv();
    CloseTo(frame_ ? 1 : 0);
    if (wholeAnchor_)
        PutText("</A>");
    CloseTo(0);
    fonts_.clear();
    return RteExportFilter::EndExport();
}
