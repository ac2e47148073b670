// The edit frame's rulers: their making, their refresh after every change of the selection and
// the stops taken at the end.
#include "edit_rulers.h"

#include "rte_document.h"
#include "rte_styles.h"
#include "tabruler.h"
#include "text_document.h"

namespace {

TABRULER* RulerOf(EDITSESSION* session) { return session->copy ? session->copy->tabRuler : nullptr; }

}  // namespace

int TextTabInterval(EDITSESSION* session)
{
    RteParFormat format{}, uniform{};
    EngineDo([&] { RteGetParFormat(session->document, nullptr, false, &format, &uniform); });
    return format.tabSpacing;
}

void SetTextTabInterval(EDITSESSION* session, int interval)
{
    RteParFormat values{}, mask{};
    values.tabSpacing = interval;
    mask.tabSpacing = -1;
    EngineDo([&] {
        const RteRange all{0, RteTextLength(session->document)};
        RteSetParFormat(session->document, &all, &values, &mask, 1);
    });
    if (TABRULER* ruler = RulerOf(session))
        ruler->tickSpacing = interval;
}

void CreateEditRulers(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    if (!copy || copy->tabRuler)
        return;
    const TEXTPROPERTIES& properties = copy->defaults.properties;
    const int interval = TextTabInterval(session);
    copy->tabRuler = new TABRULER(TextModule(), interval > 0 ? interval : properties.tabInterval);
    // The rulers stop short of the scroll bar so that they measure the text only.
    const int scrollBar = copy->scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    CreateRulerWindows(copy->tabRuler, session->frame, properties.margins.left, properties.margins.right + scrollBar);
    RefreshRulers(session);
}

void RefreshRulers(EDITSESSION* session)
{
    TABRULER* ruler = RulerOf(session);
    if (!ruler || !session->document)
        return;
    // Read even while hidden: what OK gives back to the text must be the selection's own stops.
    ReadRulerTabs(ruler, session->document);
    if (const int interval = TextTabInterval(session); interval > 0)
        ruler->tickSpacing = interval;
    ShowRulers(ruler, session->copy->defaults.properties.showTabRuler ? SW_SHOWNA : SW_HIDE);
}

void TakeRulerTabs(EDITSESSION* session)
{
    if (TABRULER* ruler = RulerOf(session); ruler && session->document)
        WriteRulerTabs(ruler, session->document);
}

void DestroyEditRulers(EDITSESSION* session)
{
    if (!session->copy)
        return;
    delete session->copy->tabRuler;
    session->copy->tabRuler = nullptr;
}
