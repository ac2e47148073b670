// Pages of animations for the motion module's tests.
#include "motion_pages.h"

#include "flictest.h"
#include "dialog_items.h"
#include "sample_files.h"
#include "test_programs.h"

namespace {

std::string Four(int p, int q, int r, int s)
{
    return std::to_string(p) + " " + std::to_string(q) + " " + std::to_string(r) + " " + std::to_string(s);
}

RecordLines BranchEntry(const std::string& page)
{
    return {"BR [", "0", page.empty() ? "NULL" : ".\\" + page, "NULL", "1", "1", "  0.0", "0", "0", "NULL",
            "NULL", "NULL", "NULL", "NULL", "0", "]"};
}

std::function<void(HWND)> activeDialogScript;

void CALLBACK RunActiveDialogScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    auto script = std::move(activeDialogScript);
    activeDialogScript = nullptr;
    if (const HWND dialog = GetActiveWindow(); script && dialog)
        script(dialog);
}

}  // namespace

void RunOnActiveDialog(std::function<void(HWND)> script)
{
    activeDialogScript = std::move(script);
    SetTimer(nullptr, 0, 1, RunActiveDialogScript);
}

bool IsTrackDialog(HWND dialog) { return WindowText(dialog) == TRACK_DIALOG_CAPTION; }

RecordLines FlcBlock(const FlcRecord& r)
{
    RecordLines block = {"FLC {", Four(r.x, r.y, r.w, r.h)};
    if (r.files.empty()) {
        block.push_back(r.media);
    } else {
        block.push_back("FILES {");
        block.insert(block.end(), r.files.begin(), r.files.end());
        block.push_back("}");
    }
    block.insert(block.end(), {"NULL", Four(r.loop, r.bar, r.autoPlay, r.loopCount), Four(0, r.fps, 0, 1), "NULL"});
    if (!r.track.empty()) {
        block.push_back("SOUNDTRACK [");
        block.insert(block.end(), r.track.begin(), r.track.end());
        block.push_back("]");
    }
    block.push_back("}");
    return block;
}

RecordLines TwoBranches(const std::string& click, const std::string& end)
{
    RecordLines block = {"BRANCH {", "0", "BRANCHEX [", "2"};
    for (const std::string& page : {click, end}) {
        const RecordLines entry = BranchEntry(page);
        block.insert(block.end(), entry.begin(), entry.end());
    }
    block.insert(block.end(), {"]", "}"});
    return block;
}

std::string AnimationPage(const std::vector<std::pair<std::string, FlcRecord>>& animations, const RecordLines& branches)
{
    std::vector<RecordLines> records = {ObjectRecord("QXSHEET.DLL", static_cast<int>(animations.size()), "NULL",
                                                     NoBranch(), PageBlock("A", 255, 255, 255))};
    for (const auto& [name, record] : animations)
        records.push_back(ObjectRecord("QXMOTION.DLL", 0, name, branches, FlcBlock(record)));
    return PageFile(records);
}

std::string FlicBytes(const char* fixture) { return ReadWholeFile(FlicFixture(fixture)); }

std::string FilmBytes(const char* film) { return ReadWholeFile(TestProgramFolder() + "films\\" + film); }
