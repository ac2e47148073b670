// "&Tabulation...": the tabs dialog on the stops of the selected paragraphs, which the rulers
// hold, applied back through them, and on the interval at which the text's tabs step.
#include "edit_rulers.h"

#include "rte_undo.h"
#include "tabruler.h"
#include "tabs_dialog.h"

#include <algorithm>
#include <iterator>

void EditTabsOfSelection(EDITSESSION* session)
{
    TEXTE* copy = session->copy;
    TABRULER* ruler = copy->tabRuler;
    if (!ruler || !session->document)
        return;
    ReadRulerTabs(ruler, session->document);
    TABSRECORD record;
    record.count = ruler->count;
    std::copy(std::begin(ruler->tabs), std::end(ruler->tabs), record.tabs);
    std::copy(std::begin(ruler->common), std::end(ruler->common), record.common);
    const int interval = TextTabInterval(session);
    record.defaultInterval = interval > 0 ? interval : copy->defaults.properties.tabInterval;
    record.showRuler = copy->defaults.properties.showTabRuler;
    record.text = copy;
    if (!TabsDialog(session->tools, &record))
        return;
    copy->defaults.properties.tabInterval = record.defaultInterval;
    copy->defaults.properties.showTabRuler = record.showRuler;
    // Deleted stops keep their records (kind 0) so that the engine takes them off the paragraphs.
    ruler->count = record.count;
    std::copy(std::begin(record.tabs), std::end(record.tabs), ruler->tabs);
    std::copy(std::begin(record.common), std::end(record.common), ruler->common);
    AddUndoStep(&session->undo, RTE_UNDO_RESTYLE, nullptr, VERB_FORMAT);
    SetTextTabInterval(session, record.defaultInterval);
    WriteRulerTabs(ruler, session->document);
    MarkModified(session);
    RefreshRulers(session);
}
