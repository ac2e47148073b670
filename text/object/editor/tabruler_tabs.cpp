// The ruler's stops taken from and given to the paragraphs under the selection.
#include <cstring>

#include "rte_document.h"
#include "rte_styles.h"
#include "rte_typed.h"
#include "tabruler.h"

namespace {

// The two temporary handles the engine fills or reads: stops and their "in every paragraph"
// flags, room for the ruler's 32 of each.
struct TabHandles {
    explicit TabHandles(RteMemContext* context)
        : tabs(RteAllocOf<RteTab>(context, RTE_MAX_TABS, 0, true)),
          flags(RteAllocOf<int32_t>(context, RTE_MAX_TABS, 0, true))
    {
    }
    ~TabHandles()
    {
        RteFree(tabs);
        RteFree(flags);
    }
    TabHandles(const TabHandles&) = delete;
    TabHandles& operator=(const TabHandles&) = delete;
    RteHandle tabs;
    RteHandle flags;
};

template <class T>
int32_t CopyOut(RteHandle handle, T* into)
{
    RteLocked<T> values(handle);
    const int32_t count = values.size() < RTE_MAX_TABS ? values.size() : RTE_MAX_TABS;
    std::memcpy(into, values.get(), sizeof(T) * static_cast<size_t>(count));
    return count;
}

template <class T>
void CopyIn(RteHandle handle, const T* from, int32_t count)
{
    RteSetCount(handle, count);
    if (count > 0)
        std::memcpy(RteLocked<T>(handle).get(), from, sizeof(T) * static_cast<size_t>(count));
}

}  // namespace

void ReadRulerTabs(TABRULER* ruler, RteHandle document)
{
    if (!ruler || !document)
        return;
    RteMemContext* context = RteDocEnvironment(document)->context;
    int32_t count = 0;
    RteTry(context, [&] {
        TabHandles handles(context);
        RteGetTabs(document, nullptr, handles.tabs, handles.flags, nullptr);
        if (RteCount(handles.tabs) == 0)
            return;
        std::memset(ruler->tabs, 0, sizeof ruler->tabs);
        std::memset(ruler->common, 0, sizeof ruler->common);
        count = CopyOut(handles.tabs, ruler->tabs);
        CopyOut(handles.flags, ruler->common);
    });
    ruler->count = count;
}

void WriteRulerTabs(TABRULER* ruler, RteHandle document)
{
    if (!ruler || !document)
        return;
    RteMemContext* context = RteDocEnvironment(document)->context;
    const int32_t count = ruler->count < 0 ? 0 : (ruler->count > RTE_MAX_TABS ? RTE_MAX_TABS : ruler->count);
    RteTry(context, [&] {
        TabHandles handles(context);
        CopyIn(handles.tabs, ruler->tabs, count);
        CopyIn(handles.flags, ruler->common, count);
        RteSetTabs(document, nullptr, handles.tabs, handles.flags, 1);
    });
}
