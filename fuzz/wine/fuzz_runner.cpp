#include "fuzz_runner.h"

#include "fuzz_files.h"
#include "fuzz_guard.h"
#include "fuzz_mutator.h"
#include "scratch_dir.h"

#include <cstdio>

namespace {

constexpr size_t PROGRESS_EVERY = 1000;

struct CORPUSFILE {
    std::string name;
    std::string bytes;
};

std::vector<CORPUSFILE> ReadCorpus(const FuzzTarget& target)
{
    std::vector<CORPUSFILE> files;
    for (std::string pattern : target.corpus) {
        for (char& c : pattern)
            if (c == '/')
                c = '\\';
        for (const std::string& file : FilesMatching(SourceFolder() + pattern))
            files.push_back({file.substr(file.rfind('\\') + 1), FileBytes(file)});
    }
    return files;
}

// What the reader left of its input, against what it may leave.
bool InputKept(const FuzzTarget& target, const std::string& before, const std::string& after)
{
    switch (target.inputUse) {
    case FuzzInputUse::Kept: return after == before;
    case FuzzInputUse::Grown: return after.size() >= before.size() && after.compare(0, before.size(), before) == 0;
    case FuzzInputUse::Converted: return true;
    }
    return false;
}

// Reads one input in a scratch folder of its own; false when the reader changed the file.
bool ReadInput(const FuzzTarget& target, FuzzGuard& guard, const std::string& origin, const std::string& bytes)
{
    ScratchDir folder("fz");
    const std::string path = folder / target.inputName;
    if (!WriteBytes(path, bytes))
        return true;
    guard.Begin(target.name, origin, bytes);
    target.read(path);
    guard.End();
    return InputKept(target, bytes, FileBytes(path));
}

}  // namespace

FuzzOutcome RunFuzzTarget(const FuzzTarget& target, const FuzzOptions& options)
{
    FuzzOutcome outcome;
    const std::vector<CORPUSFILE> files = ReadCorpus(target);
    outcome.corpusFiles = files.size();
    if (files.empty())
        return outcome;
    FuzzGuard guard(options.findings, options.limitMs);
    FuzzMutator mutator(options.start);
    const DWORD start = GetTickCount();
    printf("fuzz %s: start %llu\n", target.name, static_cast<unsigned long long>(options.start));
    // The corpus files as they are first, then inputs made from them.
    for (size_t i = 0; i < options.runs && GetTickCount() - start < options.seconds * 1000; ++i) {
        const CORPUSFILE& base = files[i < files.size() ? i : mutator.Below(files.size())];
        const std::string bytes =
            i < files.size() ? base.bytes : mutator.Mutate(base.bytes, files[mutator.Below(files.size())].bytes);
        const std::string origin = base.name + (i < files.size() ? "" : " mutated, input " + std::to_string(i));
        if (!ReadInput(target, guard, origin, bytes))
            outcome.changedInputs.push_back(origin);
        // Long runs tell how far they got.
        if (++outcome.inputs % PROGRESS_EVERY == 0) {
            printf("fuzz %s: %zu inputs, %.0f s\n", target.name, outcome.inputs, (GetTickCount() - start) / 1000.0);
            fflush(stdout);
        }
    }
    return outcome;
}

bool ReplayFuzzInput(const FuzzTarget& target, const std::string& file, const FuzzOptions& options)
{
    FuzzGuard guard(options.findings, options.limitMs);
    return ReadInput(target, guard, file, FileBytes(file));
}
