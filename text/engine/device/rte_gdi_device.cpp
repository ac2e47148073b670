// The GDI device: start-up and shut-down of the environment's device state, the ports' binding,
// and the device table that the document model is given through its seam.
#include "rte_gdi.h"

#include "rte_blink.h"
#include "rte_caret.h"
#include "rte_container_hook.h"
#include "rte_error.h"
#include "rte_gdi_misc.h"
#include "rte_gdi_port.h"
#include "rte_gdi_text.h"
#include "rte_invert_highlight.h"
#include "rte_quote_filter.h"
#include "rte_run_helpers.h"
#include "rte_typed.h"

namespace {

constexpr uint16_t kFontCacheGrowth = 4;

// The marks of the display: the soft hyphen's "-", the period, the invisibles' pilcrow and
// bullets, quotes and ellipsis, each one byte of the ANSI code page.
constexpr uint8_t kGlyphs[RTE_DISPLAY_GLYPHS] = {45, 46, 182, 181, 149, 181, 165, 165, 46,
                                                 39, 34, 145, 146, 147, 148, 133, 131, 149};

void Shutdown(RteEnvironment* env);

void Startup(RteEnvironment* env)
{
    auto* gdi = new RteGdiEnv{};
    env->device = gdi;
    for (int i = 0; i < RTE_DISPLAY_GLYPHS; ++i)
        gdi->glyphs[i + 1] = RteCountedGlyph{1, {kGlyphs[i], 0}};
    gdi->bandLimit = RTE_BAND_BYTES;
    gdi->screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    // Both default colours start unset: text and background then take the styles' own.
    env->textColor = {0xFFFF, 0xFFFF, 0xFFFF};
    env->backColor = {0xFFFF, 0xFFFF, 0xFFFF};
    uint16_t code = RteTry(env->context, [&] {
        gdi->version = GetVersion();
        gdi->fontCache = RteAllocOf<RteFontCacheEntry>(env->context, 0, kFontCacheGrowth, false);
        RtePortInit(env, nullptr, nullptr, &env->port);
        RtePortInit(env, nullptr, nullptr, &gdi->offscreen);
    });
    if (code) {
        // Whatever was made goes: the start-up fails as a whole, for want of memory.
        Shutdown(env);
        RteRaise(env->context, RTE_ERR_NO_MEMORY, nullptr);
    }
    RteFontInitHook(nullptr, &env->defaultFont);
}

void Shutdown(RteEnvironment* env)
{
    RteGdiEnv* gdi = RteGdiOf(env);
    if (!gdi)
        return;
    if (gdi->fontCache) {
        {
            RteLocked<RteFontCacheEntry> fonts(gdi->fontCache);
            for (int32_t i = 0; i < fonts.size(); ++i) {
                if (fonts[i].keeper)
                    DeleteDC(fonts[i].keeper);
                DeleteObject(fonts[i].font);
            }
        }
        RteUnlockAllAndFree(gdi->fontCache);
    }
    RtePortFree(&gdi->offscreen);
    RtePortFree(&env->port);
    DeleteDC(gdi->screen);
    delete gdi;
    env->device = nullptr;
}

void BindPort(RteEnvironment* env, RteDrawPort* port, void* window)
{
    RtePortInit(env, static_cast<HWND>(window), nullptr, port);
}

void ReleasePort(RteDrawPort* port) { RtePortFree(port); }

intptr_t NoDevice(RteHandle, RteCharStyle*, intptr_t, intptr_t, intptr_t, intptr_t) { return 0; }

int32_t TextWidth(const RteDrawPort* port, const char* text, int32_t length)
{
    RteGdiPort* gdi = RteGdiPortOf(port);
    HDC dc = RtePortGetDC(gdi);
    int32_t width = RteDcTextWidth(dc, text, length);
    RtePortReleaseDC(gdi);
    return width;
}

void FillHooks(RteEnvironment* env)
{
    env->hooks.port = RtePortHook;
    env->hooks.caret = RteCaretHook;
    env->hooks.invertHighlight = RteInvertHighlight;
    env->hooks.charType = RteCharTypeHook;
    env->hooks.typeahead = RteIsTypeahead;
    env->hooks.drawInvisibles = RteDrawInvisibles;
    env->hooks.blink = RteBlinkRedraw;
    env->hooks.container = RteDefaultContainerHook;
    env->hooks.specialChar = RteTypographicQuotes;
    env->defaultFormat.hooks.draw = RteDrawTabLeader;
}

const RteDevice kGdiDevice = {Startup,          Shutdown,           BindPort,      ReleasePort,
                              RteDefaultStyleMetrics, RteSelectStyleFont, RteMeasureText, NoDevice,
                              RteDefaultCharInfo,     RteDrawText,        NoDevice,      RteFontInitHook,
                              TextWidth,              RteDirectionSign,   FillHooks};

}  // namespace

const RteDevice& RteGdiDevice() { return kGdiDevice; }

RteGdiEnv* RteGdiOf(const RteEnvironment* env) { return static_cast<RteGdiEnv*>(env->device); }

RteGdiPort* RteGdiPortOf(const RteDrawPort* port) { return static_cast<RteGdiPort*>(RtePortDevice(port)); }
