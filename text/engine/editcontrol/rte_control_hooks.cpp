// The engine hooks the control installs for every document: progress and the drawing DC are
// reported to the notify window when its notification flags ask for them, else the engine's
// own hooks run alone.
#include "rte_control_internal.h"
#include "rte_gdi.h"
#include "rte_typed.h"

namespace {

constexpr uint32_t kFlagProgress = 0x1;
constexpr uint32_t kFlagDc = 0x2;
constexpr UINT RTEN_PROGRESS = 0x3600;
constexpr UINT RTEN_DCPUSHED = 0x3601;
constexpr UINT RTEN_DCPOPPING = 0x3602;

// The engine's hooks the control's own call after or before their report.
RteProgressHook g_progress = nullptr;
RtePortHookProc g_port = nullptr;


void Progress(RteHandle doc, int32_t mode, int32_t done, int32_t total)
{
    if (g_progress)
        g_progress(doc, mode, done, total);
    RteDocControl control(doc, kFlagProgress);
    if (!control.get())
        return;
    RteProgressNotify record{control.get()->window, static_cast<int16_t>(mode), done, total};
    RteNotify(control.get(), RTEN_PROGRESS, reinterpret_cast<LPARAM>(&record));
}

// The parent sees the DC the port draws with once the state is pushed, and before it is popped,
// and may put another in its place.
void ReportDc(RteHandle doc, RteControl* control, UINT message)
{
    RteGdiPort* port = RteGdiOf(RteDocEnvironment(doc))->current;
    if (!port)
        return;
    RteDcNotify record{port->dc, control};
    RteNotify(control, message, reinterpret_cast<LPARAM>(&record));
    port->dc = record.dc;
}

void Port(RteHandle doc, int32_t push)
{
    RteDocControl control(doc, kFlagDc);
    if (push) {
        g_port(doc, push);
        if (control.get())
            ReportDc(doc, control.get(), RTEN_DCPUSHED);
    } else {
        if (control.get())
            ReportDc(doc, control.get(), RTEN_DCPOPPING);
        g_port(doc, push);
    }
}

}  // namespace

void RteInstallControlHooks(RteEnvironment* env)
{
    g_progress = env->hooks.progress;
    g_port = env->hooks.port;
    env->hooks.progress = Progress;
    env->hooks.port = Port;
    RteInstallDrawingHooks(env);
}
