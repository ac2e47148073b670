// Smaller services of the GDI device.
#include "rte_gdi_misc.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "rte_document_internal.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"

using namespace rte_document;

namespace {

constexpr LANGID kArabic = 1;
constexpr LANGID kHebrew = 13;
constexpr int kFaceLength = 62;
constexpr int32_t kLinePoints = 12;

}  // namespace

int32_t RteIsTypeahead(RteHandle doc)
{
    HWND window = static_cast<HWND>(RteLocked<RteDocument>(doc)->port.window);
    if (!window)
        return 0;
    MSG message;
    bool character = PeekMessageA(&message, window, WM_CHAR, WM_CHAR, PM_NOREMOVE | PM_NOYIELD);
    bool key = PeekMessageA(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD);
    return character && !key ? 1 : 0;
}

int32_t RteBlinkTick(RteHandle handle)
{
    DocLock doc(handle);
    RteGdiEnv* gdi = RteGdiOf(doc->env);
    auto now = static_cast<int64_t>(std::time(nullptr));
    if (now == gdi->blinkSecond)
        return 0;
    gdi->blinkSecond = now;
    gdi->blinkPhase ^= 1;
    return 1;
}

intptr_t RteCharTypeHook(RteHandle, intptr_t character, intptr_t length, intptr_t, intptr_t, intptr_t)
{
    WORD type = 0;
    GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE3, reinterpret_cast<const char*>(character),
                     static_cast<int>(length), &type);
    return ((type & 0xFF3F) + (length == 1 ? 64 : 128)) & 0x1F0;
}

int32_t RteDirectionSign(RteEnvironment*)
{
    LANGID language = PRIMARYLANGID(GetSystemDefaultLangID());
    return language == kArabic || language == kHebrew ? -1 : 1;
}

void RteFontFace(RteHandle handle, char* name)
{
    DocLock doc(handle);
    RteGdiPort* port = RteGdiPortOf(&doc->port);
    char face[kFaceLength + 1] = {};
    GetTextFaceA(RtePortGetDC(port), kFaceLength, face);
    RtePortReleaseDC(port);
    auto length = static_cast<uint8_t>(std::strlen(face));
    name[0] = static_cast<char>(length);
    std::memcpy(name + 1, face, length);
}

int32_t RteDefaultLineHeight(RteHandle handle)
{
    RteCharStyle style;
    RteFont font;
    {
        DocLock doc(handle);
        style = doc->env->defaultStyle;
        font = doc->env->defaultFont;
    }
    style.pointSize = kLinePoints << 16;
    RteDefaultStyleMetrics(handle, &style, &font);
    return style.ascent + style.descent + style.leading;
}

void RtePortInitForFocus(RteEnvironment* env, RteDrawPort* port)
{
    if (HWND focus = GetFocus())
        RtePortInit(env, focus, nullptr, port);
}

int32_t RteCountedChar(const RteEnvironment* env, int32_t number)
{
    const RteCountedGlyph& glyph = RteGdiOf(env)->glyphs[number];
    return glyph.length < 2 ? glyph.bytes[0] : glyph.bytes[0] << 8 | glyph.bytes[1];
}

int32_t RteCountedLength(const RteEnvironment* env, int32_t number) { return RteGdiOf(env)->glyphs[number].length; }

void RteMakeCountedChar(RteEnvironment* env, int32_t number, int32_t value)
{
    RteCountedGlyph& glyph = RteGdiOf(env)->glyphs[number];
    glyph = value > 0xFF ? RteCountedGlyph{2, {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)}}
                         : RteCountedGlyph{1, {static_cast<uint8_t>(value), 0}};
}

int32_t RteScaleError(RteHandle handle, const RteCharStyle* style, const uint8_t* text, int32_t length)
{
    int32_t factor = RteLocked<RteDocument>(handle)->scaling.factor;
    if (!factor)
        return 0;
    int32_t numerator = (std::abs(factor) >> 16) & 0xFFFF;
    int32_t denominator = std::abs(factor) & 0xFFFF;
    if (factor < 0)
        std::swap(numerator, denominator);
    RteFont font;
    int32_t resolution = 0;
    {
        DocLock doc(handle);
        font = ElementOf<RteFont>(doc->fonts, style->font < 0 ? 0 : style->font);
        resolution = doc->resolution;
    }
    auto widthAt = [&](int32_t dpi) {
        DocLock(handle)->resolution = dpi;
        RteCharStyle copy = *style;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, RteMakeFont(handle, &copy, &font));
        int32_t width = RteDcTextWidth(dc, reinterpret_cast<const char*>(text), length);
        SelectObject(dc, old);
        DeleteDC(dc);
        return width;
    };
    int32_t unscaled = widthAt(resolution);
    int32_t atScale = widthAt(resolution * numerator / std::max(1, denominator));
    DocLock(handle)->resolution = resolution;
    return unscaled * numerator / std::max(1, denominator) - atScale;
}
