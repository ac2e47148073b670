// The run invariants and the recounted use counts.
#include "style_checks.h"

#include <map>
#include <sstream>
#include <vector>

#include "document_fixture.h"
#include "rte_style_names.h"

namespace {

std::string RunsText(RteHandle runs)
{
    std::ostringstream out;
    for (const RteStyleRun& run : Elements<RteStyleRun>(runs))
        out << run.offset << ":" << run.index << " ";
    return out.str();
}

void CheckRuns(const std::vector<RteStyleRun>& runs, int32_t length, int32_t records, const char* side,
               std::ostringstream& problems)
{
    if (runs.size() < 2 || runs[0].offset != 0)
        problems << side << ": no first run at 0; ";
    if (runs.back().offset != length + 2 || runs.back().index != runs[runs.size() - 2].index)
        problems << side << ": sentinel wrong; ";
    for (size_t i = 1; i + 1 < runs.size(); ++i) {
        if (runs[i].offset <= runs[i - 1].offset)
            problems << side << ": empty run " << i << "; ";
        if (runs[i].index == runs[i - 1].index)
            problems << side << ": equal neighbours " << i << "; ";
        if (runs[i].offset >= length && i + 1 < runs.size())
            problems << side << ": run " << i << " past the text; ";
    }
    for (const RteStyleRun& run : runs)
        if (run.index >= records)
            problems << side << ": index " << run.index << " past the table; ";
}

}  // namespace

std::string CharRuns(RteHandle doc) { return RunsText(DocumentOf(doc).charRuns); }
std::string ParRuns(RteHandle doc) { return RunsText(DocumentOf(doc).parRuns); }

std::string RunProblems(RteHandle handle)
{
    RteDocument doc = DocumentOf(handle);
    std::ostringstream problems;
    std::vector<RteCharStyle> styles = Elements<RteCharStyle>(doc.charStyles);
    std::vector<RteParFormat> formats = Elements<RteParFormat>(doc.parFormats);
    std::vector<RteStyleRun> charRuns = Elements<RteStyleRun>(doc.charRuns);
    std::vector<RteStyleRun> parRuns = Elements<RteStyleRun>(doc.parRuns);
    CheckRuns(charRuns, doc.textLength, static_cast<int32_t>(styles.size()), "characters", problems);
    CheckRuns(parRuns, doc.textLength, static_cast<int32_t>(formats.size()), "paragraphs", problems);
    if (!problems.str().empty())
        return problems.str();

    std::vector<int32_t> styleUses(styles.size(), 0);
    std::vector<int32_t> formatUses(formats.size(), 0);
    auto useStyle = [&](int32_t index) {
        ++styleUses[index];
        if (styles[index].smallCaps != 0)
            ++styleUses[styles[index].smallStyle];
    };
    for (const RteStyleRun& run : charRuns)
        useStyle(run.index);
    for (const RteStyleRun& run : parRuns)
        ++formatUses[run.index];
    for (size_t i = 0; i < styles.size(); ++i)
        if (styles[i].namedId > 0)
            useStyle(static_cast<int32_t>(i));
    for (size_t i = 0; i < formats.size(); ++i)
        if (formats[i].namedId > 0)
            ++formatUses[i];
    for (const RteStyleName& name : Elements<RteStyleName>(doc.styleNames)) {
        for (size_t i = 0; i < styles.size(); ++i)
            if (name.charId > 0 && styles[i].namedId == name.charId)
                useStyle(static_cast<int32_t>(i));
        for (size_t i = 0; i < formats.size(); ++i)
            if (name.parId > 0 && formats[i].namedId == name.parId)
                ++formatUses[i];
    }
    for (size_t i = 0; i < styles.size(); ++i) {
        if (styles[i].useCount != styleUses[i])
            problems << "style " << i << " counts " << styles[i].useCount << " uses of " << styleUses[i] << "; ";
        if (styles[i].useCount == 0 && static_cast<int32_t>(i) != doc.insertStyle)
            problems << "style " << i << " unused; ";
    }
    for (size_t i = 0; i < formats.size(); ++i) {
        if (formats[i].useCount != formatUses[i])
            problems << "format " << i << " counts " << formats[i].useCount << " uses of " << formatUses[i] << "; ";
        if (formats[i].useCount == 0)
            problems << "format " << i << " unused; ";
    }
    return problems.str();
}
