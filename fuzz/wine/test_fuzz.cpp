// The bounded fuzz runs of the readers that live on Win32: each target reads its corpus and a
// few thousand inputs made from them (or for as long as QXFUZZ_SECONDS says) without a crash
// or a hang (the guard ends the program and names the input) and without changing its input.
// tools/fuzz runs the same program at length; QXFUZZ_REPLAY reads one saved input again.
#include "dialog_answerer.h"
#include "fuzz_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

uint64_t Setting(const char* name, uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

FuzzOptions OptionsFromEnvironment()
{
    FuzzOptions options;
    options.start = Setting("QXFUZZ_START", options.start);
    options.runs = static_cast<size_t>(Setting("QXFUZZ_RUNS", options.runs));
    options.seconds = static_cast<DWORD>(Setting("QXFUZZ_SECONDS", options.seconds));
    options.limitMs = static_cast<DWORD>(Setting("QXFUZZ_LIMIT_MS", options.limitMs));
    const char* findings = std::getenv("QXFUZZ_FINDINGS");
    if (findings && *findings) {
        options.findings = findings;
    } else {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, sizeof exe);
        options.findings = exe;
        options.findings.resize(options.findings.rfind('\\') + 1);
        options.findings += "fuzz-findings";
    }
    return options;
}

// Boxes the readers show about a bad file are closed as a user would close them.
int CloseBox(HWND dialog)
{
    for (const int button : {IDCANCEL, IDNO, IDOK})
        if (GetDlgItem(dialog, button))
            return button;
    return IDCANCEL;
}

class WineFuzz : public testing::TestWithParam<FuzzTarget> {
protected:
    DialogAnswerer answerer{CloseBox};
};

TEST_P(WineFuzz, ReadsMutatedInputsWithoutFaultAndLeavesThemAsTheyWere)
{
    const FuzzTarget& target = GetParam();
    const FuzzOptions options = OptionsFromEnvironment();
    if (const char* replay = std::getenv("QXFUZZ_REPLAY"); replay && *replay) {
        EXPECT_TRUE(ReplayFuzzInput(target, replay, options)) << "the reader changed " << replay;
        return;
    }
    const DWORD start = GetTickCount();
    const FuzzOutcome outcome = RunFuzzTarget(target, options);
    printf("fuzz %s: %zu corpus files, %zu inputs in %.1f s, start %llu\n", target.name, outcome.corpusFiles, outcome.inputs,
           (GetTickCount() - start) / 1000.0, static_cast<unsigned long long>(options.start));
    ASSERT_GT(outcome.corpusFiles, 0u) << "no corpus file found for " << target.name;
    EXPECT_GE(outcome.inputs, outcome.corpusFiles);
    for (const std::string& changed : outcome.changedInputs)
        ADD_FAILURE() << target.name << " changed its input file: " << changed;
}

INSTANTIATE_TEST_SUITE_P(Readers, WineFuzz, testing::ValuesIn(FuzzTargets()),
                         [](const testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });

}  // namespace
