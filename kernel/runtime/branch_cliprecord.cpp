// The branch clipboard record: the flat form laid out field by field at fixed offsets, written
// and read by one walk over the fields so that both directions keep the same layout.
#include <cstring>

#include "branch.h"
#include "textfield.h"

namespace {

// Where each field of the flat form stands in the record. Bytes 2070-2075 and 2808 to the end
// are zero: the record keeps the size and the branch number's place that stored clipboards have.
constexpr int TargetAt = 0;
constexpr int SecondTextAt = 500;
constexpr int WindowStateAt = 1000;
constexpr int ExecModeAt = 1004;
constexpr int DelayAt = 1008;
constexpr int VisitedAt = 1016;
constexpr int DllAt = 1020;
constexpr int FunctionAt = 1520;
constexpr int SoundAt = 1570;
constexpr int ParameterAt = 2080;
constexpr int GadgetIdAt = 2592;
constexpr int GadgetLabelAt = 2596;
constexpr int GadgetFunctionAt = 2696;
constexpr int DefaultCodeAt = 2796;
constexpr int CodeAt = 2800;
constexpr int KindAt = 2804;
static_assert(KindAt + 4 <= QX_BRANCH_CLIP_RECORD_SIZE);

struct ToRecord {
    BYTE* record;
    template <class T>
    void Value(int at, T& value) const { std::memcpy(record + at, &value, sizeof value); }
    template <size_t N>
    void Text(int at, char (&field)[N]) const { std::memcpy(record + at, field, N); }
};

struct FromRecord {
    const BYTE* record;
    template <class T>
    void Value(int at, T& value) const { std::memcpy(&value, record + at, sizeof value); }
    template <size_t N>
    void Text(int at, char (&field)[N]) const
    {
        std::memcpy(field, record + at, N - 1);
        field[N - 1] = 0;
    }
};

template <class Direction>
void WalkFields(const Direction& io, BRANCHGADGETCLIPBOARD& flat)
{
    io.Text(TargetAt, flat.target);
    io.Text(SecondTextAt, flat.secondText);
    io.Value(WindowStateAt, flat.windowState);
    io.Value(ExecModeAt, flat.execMode);
    io.Value(DelayAt, flat.delay);
    io.Value(VisitedAt, flat.visited);
    io.Text(DllAt, flat.dll);
    io.Text(FunctionAt, flat.function);
    io.Text(SoundAt, flat.sound);
    io.Value(QX_BRANCH_CLIP_RECORD_ID, flat.pluginMark);
    io.Text(ParameterAt, flat.parameter);
    io.Value(GadgetIdAt, flat.gadget.id);
    io.Text(GadgetLabelAt, flat.gadget.label);
    io.Text(GadgetFunctionAt, flat.gadget.function);
    io.Value(DefaultCodeAt, flat.defaultCode);
    io.Value(CodeAt, flat.code);
    io.Value(KindAt, flat.kind);
}

}  // namespace

void KernWriteBranchClipRecord(const BRANCH* branch, BYTE* record)
{
    if (!branch || !record)
        return;
    auto* flat = new BRANCHGADGETCLIPBOARD{};
    if (!flat)
        return;
    flat->CopyBranch(branch);
    std::memset(record, 0, QX_BRANCH_CLIP_RECORD_SIZE);
    WalkFields(ToRecord{record}, *flat);
    delete flat;
}

void KernReadBranchClipRecord(const BYTE* record, BRANCH* branch)
{
    if (!record || !branch)
        return;
    auto* flat = new BRANCHGADGETCLIPBOARD{};
    if (!flat)
        return;
    WalkFields(FromRecord{record}, *flat);
    // A record may come from any program: its action is taken by number from the receiving
    // kernel's own table, never bound by the name the record gives.
    const GADGET* action = flat->gadget.id ? KernFindGadget(branch->kernel, flat->gadget.id) : nullptr;
    flat->gadget.id = action ? action->id : 0;
    CopyField(flat->gadget.label, action ? action->label : "");
    CopyField(flat->gadget.function, action ? action->function : "");
    flat->gadget.kernel = branch->kernel;
    branch->CopyBranchClipboard(flat);
    delete flat;
}
