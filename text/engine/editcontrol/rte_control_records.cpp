// The two records with which a control keeps its settings in its document's stream: type 21,
// the settings with the pens, and type 1051, the layout, which is known only while the control
// itself saves or loads.
#include "rte_control_internal.h"
#include "rte_record_codec.h"
#include "rte_record_stream.h"
#include "rte_typed.h"

namespace {

constexpr int16_t kSettingsRecord = 21;
constexpr int16_t kLayoutRecord = 1051;


struct PenSlot {
    HPEN RteControl::*pen;
    int16_t RteControl::*width;
};
constexpr PenSlot kPens[] = {{&RteControl::framePen, &RteControl::framePenWidth},
                             {&RteControl::columnPen, &RteControl::columnPenWidth},
                             {&RteControl::rulePen, &RteControl::rulePenWidth}};

// A record's body written from, or read into, the document's control; nothing without one.
template <class Write>
uint16_t WriteFor(RteHandle doc, RteHandle body, Write&& write)
{
    RteDocControl owner(doc);
    if (owner.get()) {
        RteBodyWriter writer;
        write(*owner.get(), writer);
        writer.Close();
        RteSetBodyBytes(body, writer.bytes());
    }
    return 1;
}

template <class Read>
uint16_t ReadFor(RteHandle doc, RteHandle body, Read&& read)
{
    RteDocControl owner(doc);
    if (owner.get()) {
        RteLocked<uint8_t> bytes(body);
        RteBodyReader reader(bytes.get(), RteByteSize(body));
        read(*owner.get(), reader);
    }
    return 1;
}

// The four margins, the columns and their gap, as both records hold them.
void WriteMargins(const RteControl& control, RteBodyWriter& writer)
{
    for (int16_t margin : control.margins)
        writer.Short(margin);
    writer.Short(control.columns);
    writer.Short(control.columnGap);
}

void ReadMargins(RteControl& control, RteBodyReader& reader)
{
    for (int16_t& margin : control.margins)
        margin = static_cast<int16_t>(reader.Short());
    control.columns = static_cast<int16_t>(reader.Short());
    control.columnGap = static_cast<int16_t>(reader.Short());
}

uint16_t WriteSettings(RteHandle doc, int16_t, RteHandle body, int32_t*, intptr_t, int32_t*)
{
    return WriteFor(doc, body, [](const RteControl& control, RteBodyWriter& writer) {
        for (int32_t value : {control.wrap.top, control.wrap.left, control.wrap.bottom, control.wrap.right})
            writer.Long(value);
        WriteMargins(control, writer);
        writer.Long(static_cast<int32_t>(control.flags));
        writer.Long(control.textLimit);
        writer.Long(control.hSlack);
        writer.Long(control.vSlack);
        for (const PenSlot& slot : kPens) {
            int16_t width = control.*slot.width;
            writer.Short(width);
            if (!width)
                continue;
            LOGPEN logpen = {};
            GetObjectA(control.*slot.pen, sizeof logpen, &logpen);
            writer.Long(static_cast<int32_t>(logpen.lopnStyle));
            writer.Long(static_cast<int32_t>(logpen.lopnColor));
        }
    });
}

uint16_t ReadSettings(RteHandle doc, int16_t, RteHandle body, int32_t*, intptr_t, int32_t*)
{
    return ReadFor(doc, body, [](RteControl& control, RteBodyReader& reader) {
        control.wrap.top = reader.Long();
        control.wrap.left = reader.Long();
        control.wrap.bottom = reader.Long();
        control.wrap.right = reader.Long();
        ReadMargins(control, reader);
        control.flags = static_cast<uint32_t>(reader.Long());
        control.textLimit = reader.Long();
        control.hSlack = static_cast<int16_t>(reader.Long());
        control.vSlack = static_cast<int16_t>(reader.Long());
        for (const PenSlot& slot : kPens) {
            if (HPEN old = control.*slot.pen)
                DeleteObject(old);
            control.*slot.pen = nullptr;
            auto width = static_cast<int16_t>(reader.Short());
            control.*slot.width = width;
            if (!width)
                continue;
            LOGPEN logpen = {};
            logpen.lopnStyle = static_cast<UINT>(reader.Long());
            logpen.lopnWidth.x = width;
            logpen.lopnColor = static_cast<COLORREF>(reader.Long());
            control.*slot.pen = CreatePenIndirect(&logpen);
        }
    });
}

uint16_t WriteLayout(RteHandle doc, int16_t, RteHandle body, int32_t*, intptr_t, int32_t*)
{
    return WriteFor(doc, body, [](const RteControl& control, RteBodyWriter& writer) {
        writer.Short(control.state);
        WriteMargins(control, writer);
        writer.Short(control.framePenWidth);
        writer.Short(control.columnPenWidth);
        writer.Short(control.rulePenWidth);
        writer.Long(static_cast<int32_t>(control.flags));
        writer.Long(static_cast<int32_t>(control.notifyFlags));
    });
}

// Only the free-list bit of the state survives: the others describe the window that saved.
uint16_t ReadLayout(RteHandle doc, int16_t, RteHandle body, int32_t*, intptr_t, int32_t*)
{
    return ReadFor(doc, body, [](RteControl& control, RteBodyReader& reader) {
        control.state = static_cast<uint16_t>(reader.Short() & RTE_STATE_FREE_WRAP);
        ReadMargins(control, reader);
        control.framePenWidth = static_cast<int16_t>(reader.Short());
        control.columnPenWidth = static_cast<int16_t>(reader.Short());
        control.rulePenWidth = static_cast<int16_t>(reader.Short());
        control.flags = static_cast<uint32_t>(reader.Long());
        control.notifyFlags = static_cast<uint32_t>(reader.Long());
    });
}

}  // namespace

void RteRegisterControlRecords(RteEnvironment* env)
{
    RteRegisterRecordType(env, kSettingsRecord, ReadSettings, WriteSettings, nullptr, nullptr);
}

RteLayoutRecordScope::RteLayoutRecordScope()
{
    RteRegisterRecordType(RteEnvironmentOf(), kLayoutRecord, ReadLayout, WriteLayout, nullptr, nullptr);
}

RteLayoutRecordScope::~RteLayoutRecordScope() { RteUnregisterRecordType(RteEnvironmentOf(), kLayoutRecord); }
