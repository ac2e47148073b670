// Reading the command markup: text into chunks with CR LF as a line break and LF alone as a
// paragraph end, each command turned into the style and font of the text after it.
#include "rte_markup_import.h"

#include <windows.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "rte_device_units.h"

namespace {

// Commands longer than this are cut (the rest up to "}" is read and dropped); no command the
// text object writes comes near it.
constexpr size_t kCommandRoom = 1024;
constexpr size_t kFaceRoom = RTE_FONT_NAME_BYTES - 1;
// Font record values that carry LOGFONT fields.
constexpr int kOutPrecision = 2;
constexpr int kClipPrecision = 3;
constexpr int kQuality = 4;
constexpr int32_t kBoldAbove = 500;

enum FontField { kHeight, kWidth, kEscapement, kOrientation, kWeight, kItalic, kUnderline, kStrikeOut, kCharset,
                 kOutPrecisionField, kClipPrecisionField, kQualityField, kPitchFamily, kFace, kFontFields };

int32_t Number(const std::vector<std::string>& fields, size_t index)
{
    return index < fields.size() ? static_cast<int32_t>(std::strtol(fields[index].c_str(), nullptr, 10)) : 0;
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    size_t length = std::strlen(prefix);
    if (text.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

// Arguments between the name's "(" and the end, split at ","; a quoted face name keeps its
// commas.
std::vector<std::string> Arguments(const std::string& text)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

RteColor ColourOf(uint32_t colour)
{
    RteColor out;
    RteColorFromRGB(colour, &out);
    return out;
}

uint32_t RgbOf(const std::vector<std::string>& fields)
{
    return RGB(Number(fields, 0) & 0xFF, Number(fields, 1) & 0xFF, Number(fields, 2) & 0xFF);
}

}  // namespace

RteQXTEXTImportFilter::RteQXTEXTImportFilter()
{
    formatId_ = RTE_FORMAT_MARKUP;
    features_ = RTE_FEATURE_BUFFERED | RTE_FEATURE_STYLES | RTE_FEATURE_TEXT;
}

int16_t RteQXTEXTImportFilter::VerifyFormat() { return 1; }

int16_t RteQXTEXTImportFilter::BeginImport()
{
    font_ = givenFont_ = record_.font;
    style_ = givenStyle_ = record_.style;
    branch_ = 0;
    commandPending_ = false;
    afterCr_ = false;
    return 0;
}

void RteQXTEXTImportFilter::ReadCommand()
{
    command_.clear();
    for (int16_t c = NextChar(); c != RTE_END_OF_SOURCE && c != '}'; c = NextChar())
        if (command_.size() < kCommandRoom)
            command_.push_back(static_cast<char>(c));
    RunCommand(command_);
}

void RteQXTEXTImportFilter::RunCommand(std::string command)
{
    size_t close = command.rfind(')');
    if (close != std::string::npos)
        command.erase(close);
    size_t open = command.find('(');
    std::vector<std::string> fields = Arguments(open == std::string::npos ? std::string() : command.substr(open + 1));
    if (StartsWithNoCase(command, "FONT(")) {
        SetFont(fields);
    } else if (StartsWithNoCase(command, "FORECOLOR(")) {
        style_.textColor = ColourOf(RgbOf(fields));
    } else if (StartsWithNoCase(command, "BACKCOLOR(")) {
        backColour_ = RgbOf(fields);
        style_.backColor = ColourOf(backMode_ == 2 ? backColour_ : RTE_NO_COLOUR);
    } else if (StartsWithNoCase(command, "ACTIVEAREAON(")) {
        branch_ = Number(fields, 0);
    } else if (StartsWithNoCase(command, "ACTIVEAREAOFF(")) {
        branch_ = 0;
    } else if (StartsWithNoCase(command, "BACKMODE(")) {
        backMode_ = Number(fields, 0);
        style_.backColor = ColourOf(backMode_ == 1 ? RTE_NO_COLOUR : backColour_);
    }
}

void RteQXTEXTImportFilter::SetFont(const std::vector<std::string>& fields)
{
    font_ = {};
    // Logical-font heights are negative when they give the character height: the size is the
    // magnitude either way.
    double q = std::abs(Number(fields, kHeight)) / 22.0 + 0.5;
    double whole = std::floor(q);
    style_.pointSize = static_cast<int32_t>(static_cast<uint32_t>(whole) << 16 |
                                            (static_cast<uint32_t>((q - whole) * 1000) & 0xFFFF));
    style_.bold = Number(fields, kWeight) > kBoldAbove ? 1 : 0;
    style_.italic = Number(fields, kItalic) ? 1 : 0;
    style_.underline = Number(fields, kUnderline) ? 1 : 0;
    style_.strikeOut = Number(fields, kStrikeOut) ? 1 : 0;
    font_.values[kOutPrecision] = Number(fields, kOutPrecisionField);
    font_.values[kClipPrecision] = Number(fields, kClipPrecisionField);
    font_.values[kQuality] = Number(fields, kQualityField);
    std::string face = fields.size() > kFace ? fields[kFace] : std::string();
    size_t quote = face.find('"');
    face = quote == std::string::npos ? std::string() : face.substr(quote + 1);
    face = face.substr(0, std::min(face.find('"'), kFaceRoom));
    std::memcpy(font_.name, face.data(), face.size());
    font_.nameFlags = RTE_FONT_NAME_CSTRING;
}

void RteQXTEXTImportFilter::TakeChar(uint8_t byte)
{
    // CR LF ends a line inside its paragraph, LF alone ends the paragraph, a CR alone is lost.
    if (byte == '\r') {
        afterCr_ = true;
        return;
    }
    bool pair = afterCr_ && byte == '\n';
    afterCr_ = false;
    PutByte(byte == '\n' && !pair ? '\r' : byte);
}

int32_t RteQXTEXTImportFilter::ReadChunk()
{
    record_.length = 0;
    if (commandPending_) {
        commandPending_ = false;
        ReadCommand();
        style_.value14 = branch_;
    }
    newStyle_ = newStyle_ || std::memcmp(&givenStyle_, &style_, sizeof style_) != 0;
    newFont_ = newFont_ || std::memcmp(&givenFont_, &font_, sizeof font_) != 0;
    record_.style = givenStyle_ = style_;
    record_.font = givenFont_ = font_;
    while (!ChunkFull()) {
        int16_t c = NextChar();
        if (c == RTE_END_OF_SOURCE)
            return 0;
        if (c == '#') {
            // "#${" starts a command; anything else after the "#" is text like the "#".
            std::string seen = "#";
            int16_t next = NextChar();
            if (next == '$') {
                seen.push_back('$');
                next = NextChar();
                if (next == '{') {
                    commandPending_ = true;
                    return 1;
                }
            }
            if (next != RTE_END_OF_SOURCE)
                seen.push_back(static_cast<char>(next));
            TakeChar('#');
            GiveBack(seen.substr(1));
            continue;
        }
        TakeChar(static_cast<uint8_t>(c));
    }
    return 1;
}
