// Benchmark pages written by the kernel from records of the real plug-ins.
#include "bench_pages.h"

#include "history.h"
#include "pagefiles.h"

namespace {

constexpr int Pictures = 5;
constexpr int Sounds = 3;

std::string Picture(int i) { return "image" + std::to_string(i % Pictures) + ".bmp"; }
std::string Sound(int i) { return "son" + std::to_string(i % Sounds) + ".wav"; }

// The common block with the object's name and a hover text; the branches follow it.
RecordLines HoverBlock(const std::string& name, int i)
{
    const std::string text = "Objet " + std::to_string(i) + " de la page";
    RecordLines block = CommonBlock();
    block.resize(block.size() - NoBranch().size());
    block[0] = name;
    block[2] = "Aide";
    block[3] = std::to_string(text.size());
    block[4] = text;
    return block;
}

RecordLines Record(const std::string& module, const std::string& name, int i, const RecordLines& branches,
                   const RecordLines& own)
{
    RecordLines record = {std::string(73, '-'), "OBJET {", module, "0"};
    const RecordLines common = HoverBlock(name, i);
    record.insert(record.end(), common.begin(), common.end());
    record.insert(record.end(), branches.begin(), branches.end());
    record.insert(record.end(), own.begin(), own.end());
    return record;
}

std::string Place(int i)
{
    return std::to_string(i % 600) + " " + std::to_string(i / 600 % 440) + " 32 32";
}

RecordLines ImageOf(int i, const std::string& picture, const RecordLines& branches)
{
    return Record("QXPICT.DLL", "objet" + std::to_string(i), i, branches,
                  {"IMAGE {", Place(i), ".\\" + picture, "0 0 0 0", "NULL", "}"});
}

RecordLines SoundOf(int i, const std::string& sound)
{
    return Record("QXAUDIO.DLL", "objet" + std::to_string(i), i, NoBranch(),
                  {"SOUND {", Place(i), ".\\" + sound, "0", "1", "}"});
}

std::string PageOfObjects(const std::string& title, const std::vector<RecordLines>& objects)
{
    std::vector<RecordLines> records = {ObjectRecord("QXSHEET.DLL", static_cast<int>(objects.size()), "page",
                                                     NoBranch(), PageBlock(title, 200, 200, 220))};
    records.insert(records.end(), objects.begin(), objects.end());
    return PageFile(records);
}

RecordLines ObjectOf(int i, const std::string& target)
{
    const std::string name = "objet" + std::to_string(i);
    switch (i % 3) {
    case 0:
        return ImageOf(i, Picture(i), NoBranch());
    case 1:
        return Record("QXPUSH.DLL", name, i, BranchTo(target),
                      {"BOUTON {", "Suivant", Place(i), "2", "0",
                       "   18.000000,    0.000000,0,0,700,0,0,0,0,3,2,0,34,\"Arial\"", "0 0 0 0", "2", "0 0 0 0",
                       "192 192 192 0", "0 0 96 0", "NULL", "NULL", "NULL", "0", "0", "2.0", "-18", "NULL", "}"});
    default:
        return SoundOf(i, Sound(i));
    }
}

} // namespace

void WriteBenchMedia(const PageHost& host)
{
    for (int i = 0; i < Pictures; ++i)
        host.pub.Write(Picture(i), BmpFile(32, 32, [i](int x, int y) { return RGB(x * 8, y * 8, i * 50); }));
    for (int i = 0; i < Sounds; ++i)
        host.pub.Write(Sound(i), WavFile(50 * (i + 1)));
}

std::string BenchPageText(const std::string& title, int objects, const std::string& target)
{
    std::vector<RecordLines> records;
    for (int i = 0; i < objects; ++i)
        records.push_back(ObjectOf(i, target));
    return PageOfObjects(title, records);
}

std::string MediaPageText(const std::string& title, const std::vector<std::string>& pictures,
                          const std::vector<std::string>& sounds, const std::string& target)
{
    std::vector<RecordLines> records;
    for (const std::string& picture : pictures)
        records.push_back(ImageOf(static_cast<int>(records.size()), picture, BranchTo(target)));
    for (const std::string& sound : sounds)
        records.push_back(SoundOf(static_cast<int>(records.size()), sound));
    return PageOfObjects(title, records);
}

int KernelWrittenPage(PageHost& host, const std::string& source, const std::string& name)
{
    if (!host.Go(source))
        return 0;
    const int saved = KernSaveAs(host, host.Page(name).c_str());
    EmptyHistory(host);
    return saved;
}

void EmptyHistory(PageHost& host)
{
    while (host.kernel->history.Items() > 0)
        host.kernel->history.Pop();
}
