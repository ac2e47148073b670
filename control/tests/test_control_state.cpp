// What the control keeps and shows of itself: its read-only size, its scroll bars, its
// Filename through a stream and a property bag, its design-mode drawing, its about box, and a
// control that finds no kernel beside it.
#include "dialog_answerer.h"
#include "message_pump.h"
#include "registered_control.h"
#include "test_canvas.h"
#include "test_container.h"
#include "test_programs.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A property bag of the test: names and values as a container would store them.
class TestBag final : public IPropertyBag {
public:
    TestBag() = default;
    ~TestBag()
    {
        for (auto& entry : values) VariantClear(&entry.second);
    }
    TestBag(const TestBag&) = delete;
    TestBag& operator=(const TestBag&) = delete;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        auto found = values.find(name);
        if (found == values.end()) return E_INVALIDARG;
        return VariantCopy(value, &found->second);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override
    {
        VARIANT& stored = values[name];
        VariantClear(&stored);
        return VariantCopy(&stored, value);
    }
    std::map<std::wstring, VARIANT> values;
};

template <typename Interface>
Interface* Ask(IUnknown* object, REFIID iid)
{
    Interface* asked = nullptr;
    object->QueryInterface(iid, reinterpret_cast<void**>(&asked));
    return asked;
}

// The control drawn as a container draws it into a document: across the whole canvas.
void DrawControl(const TestContainer& container, TestCanvas& canvas)
{
    IViewObject2* view = Ask<IViewObject2>(container.Control(), IID_IViewObject2);
    ASSERT_TRUE(view);
    const RECTL bounds{0, 0, canvas.Width(), canvas.Height()};
    EXPECT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr,
                               nullptr, 0));
    view->Release();
}

bool HasStyle(HWND window, DWORD style)
{
    return (GetWindowLongA(window, GWL_STYLE) & style) == style;
}

}  // namespace

TEST(ControlState, PubWidthAndPubHeightWrittenStayThePublications)
{
    ScratchDir pub;
    CopySamplePublication(pub);
    TestContainer container;
    ASSERT_EQ(S_OK, container.Activate());
    EXPECT_EQ(0, container.GetLong(L"PubWidth"));
    ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / "demo.xsc"));
    EXPECT_EQ(S_OK, container.PutLong(L"PubWidth", 1234));
    EXPECT_EQ(S_OK, container.PutLong(L"PubHeight", 99));
    EXPECT_EQ(640, container.GetLong(L"PubWidth"));
    EXPECT_EQ(480, container.GetLong(L"PubHeight"));
    // An empty name keeps the publication.
    EXPECT_EQ(S_OK, container.PutText(L"Filename", ""));
    EXPECT_EQ(pub / "demo.xsc", container.GetText(L"Filename"));
}

TEST(ControlState, AWiderAndTallerPublicationGetsBothScrollBarsAndASmallerOneNone)
{
    ScratchDir pub;
    pub.Write("large.pag", PageOf("Large", 800, 600));
    pub.Write("small.pag", PageOf("Small", 600, 400));
    TestContainer container(640, 480);
    ASSERT_EQ(S_OK, container.Activate());
    const HWND control = container.ControlWindow();
    ASSERT_TRUE(control);

    ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / "large.pag"));
    EXPECT_TRUE(HasStyle(control, WS_HSCROLL));
    EXPECT_TRUE(HasStyle(control, WS_VSCROLL));
    int low = -1, high = -1;
    GetScrollRange(control, SB_HORZ, &low, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(800 - 640 + GetSystemMetrics(SM_CXVSCROLL), high);
    GetScrollRange(control, SB_VERT, &low, &high);
    EXPECT_EQ(600 - 480 + GetSystemMetrics(SM_CYHSCROLL), high);
    RECT child{};
    GetClientRect(container.KernelWindow(), &child);
    EXPECT_EQ(800, child.right);
    EXPECT_EQ(600, child.bottom);

    // Line steps of 5, page steps of 25, the thumb where the message puts it, and never past
    // either end.
    const struct {
        WPARAM request;
        int position;
    } steps[] = {{SB_LINEDOWN, 5},    {SB_PAGEDOWN, 30},  {SB_LINEUP, 25},           {SB_PAGEUP, 0},
                 {SB_LINEUP, 0},      {MAKEWPARAM(SB_THUMBPOSITION, 100), 100}, {MAKEWPARAM(SB_THUMBPOSITION, 5000), high}};
    for (const auto& step : steps) {
        SendMessageA(control, WM_VSCROLL, step.request, 0);
        EXPECT_EQ(step.position, GetScrollPos(control, SB_VERT)) << LOWORD(step.request);
        POINT origin{0, 0};
        MapWindowPoints(container.KernelWindow(), control, &origin, 1);
        EXPECT_EQ(-step.position, origin.y) << LOWORD(step.request);
    }

    ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / "small.pag"));
    EXPECT_FALSE(HasStyle(control, WS_HSCROLL));
    EXPECT_FALSE(HasStyle(control, WS_VSCROLL));
}

TEST(ControlState, FilenameTravelsThroughAStreamAndAPropertyBag)
{
    ScratchDir pub;
    CopySamplePublication(pub);
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    TestBag bag;
    {
        TestContainer saved;
        ASSERT_EQ(S_OK, saved.PutText(L"Filename", pub / "demo.xsc"));
        IPersistStreamInit* persist = Ask<IPersistStreamInit>(saved.Control(), IID_IPersistStreamInit);
        ASSERT_TRUE(persist);
        EXPECT_EQ(S_OK, persist->IsDirty());
        EXPECT_EQ(S_OK, persist->Save(stream, TRUE));
        EXPECT_EQ(S_FALSE, persist->IsDirty());
        persist->Release();
        IPersistPropertyBag* bagged = Ask<IPersistPropertyBag>(saved.Control(), IID_IPersistPropertyBag);
        ASSERT_TRUE(bagged);
        EXPECT_EQ(S_OK, bagged->Save(&bag, TRUE, TRUE));
        bagged->Release();
    }
    ASSERT_EQ(1u, bag.values.count(L"Filename"));
    EXPECT_EQ(0x10000, bag.values[L"_Version"].lVal);

    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    TestContainer fromStream;
    IPersistStreamInit* persist = Ask<IPersistStreamInit>(fromStream.Control(), IID_IPersistStreamInit);
    ASSERT_TRUE(persist);
    EXPECT_EQ(S_OK, persist->Load(stream));
    persist->Release();
    stream->Release();
    ASSERT_EQ(S_OK, fromStream.Activate());
    EXPECT_EQ(pub / "demo.xsc", fromStream.GetText(L"Filename"));
    EXPECT_EQ(640, fromStream.GetLong(L"PubWidth"));
    EXPECT_TRUE(PumpUntil([&] { return fromStream.Page() != nullptr; }, 10000));

    TestContainer fromBag;
    IPersistPropertyBag* bagged = Ask<IPersistPropertyBag>(fromBag.Control(), IID_IPersistPropertyBag);
    ASSERT_TRUE(bagged);
    EXPECT_EQ(S_OK, bagged->Load(&bag, nullptr));
    bagged->Release();
    EXPECT_EQ(pub / "demo.xsc", fromBag.GetText(L"Filename"));
}

TEST(ControlState, InDesignModeTheControlDrawsItsFrameAndNames)
{
    const COLORREF back = RGB(0, 0, 128), fore = RGB(255, 255, 0);
    TestContainer container(200, 60, AMBIENTS{false, back, fore, L"Sc\xe8ne"});
    ASSERT_EQ(S_OK, container.Made());
    TestCanvas canvas(200, 60, RGB(1, 2, 3));
    DrawControl(container, canvas);
    // The frame in the foreground colour, the inside in the background colour, and the caption
    // in the foreground colour across the middle only.
    EXPECT_EQ(fore, canvas.Pixel(0, 0));
    EXPECT_EQ(fore, canvas.Pixel(199, 59));
    EXPECT_EQ(back, canvas.Pixel(1, 1));
    EXPECT_EQ(back, canvas.Pixel(100, 5));
    int captionPixels = 0;
    for (int x = 1; x < 199; ++x)
        for (int y = 20; y < 40; ++y) captionPixels += canvas.Pixel(x, y) == fore;
    EXPECT_GT(captionPixels, 20);
}

TEST(ControlState, AtRunTimeTheControlDrawsTheContainersBackground)
{
    const COLORREF back = RGB(10, 120, 30);
    TestContainer container(100, 40, AMBIENTS{true, back, RGB(255, 255, 255), L"QXStage1"});
    TestCanvas canvas(100, 40, RGB(1, 2, 3));
    DrawControl(container, canvas);
    for (uint32_t pixel : canvas.Pixels()) ASSERT_EQ(0x0A781Eu, pixel);
}

TEST(ControlState, AboutBoxShowsItsDialog)
{
    TestContainer container;
    ASSERT_EQ(S_OK, container.Activate());
    DialogAnswerer answerer(IDOK);
    EXPECT_EQ(S_OK, container.CallMethod(L"AboutBox"));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("\xc0 propos de Vistrelle", answerer.Shown()[0].caption);
}

TEST(ControlState, AControlWithoutTheKernelBesideItSaysSoAndStaysEmpty)
{
    LooseControl alone;
    DialogAnswerer answerer(IDOK);
    TestContainer container(alone.Create(), 640, 480, AMBIENTS{});
    ASSERT_EQ(S_OK, container.Made());
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Could not load " + alone.Folder().Path() + "QXCORE40.DLL.\nError # 0000007E", answerer.Shown()[0].text);

    ASSERT_EQ(S_OK, container.Activate());
    ASSERT_TRUE(container.KernelWindow());
    ScratchDir pub;
    CopySamplePublication(pub);
    EXPECT_EQ(S_OK, container.PutText(L"Filename", pub / "demo.xsc"));
    EXPECT_EQ(0, container.GetLong(L"PubWidth"));
    EXPECT_FALSE(GetWindow(container.KernelWindow(), GW_CHILD));
    EXPECT_EQ(1u, answerer.Shown().size());
}
