// Loading the plug-ins under test.
#include "plugintest.h"

#include "qxfile.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

HMODULE PluginModule(const char* file) { return LoadLibraryA(file); }

OBJET* AllocFrom(const char* file, KERNEL* kernel)
{
    using ALLOC = OBJET* (*)(KERNEL*);
    ALLOC alloc = PluginExport<ALLOC>(file, "AllocObjet");
    return alloc ? alloc(kernel) : nullptr;
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

OBJET* LoadRecord(const char* module, KERNEL* kernel, const std::string& text, int universe, int* result)
{
    ScratchDir dir;
    dir.Write("record.txt", text);
    OBJET* object = AllocFrom(module, kernel);
    QXFILE file = QXopen((dir / "record.txt").c_str(), 0);
    *result = object->Load(file, universe);
    QXclose(file);
    return object;
}

std::string SaveRecord(OBJET* object, int universe)
{
    ScratchDir dir;
    QXFILE file = QXopen((dir / "out.txt").c_str(), 1);
    EXPECT_EQ(1, object->Save(file, universe, 1));
    QXclose(file);
    return dir.Read("out.txt");
}

std::vector<std::string> With(std::vector<std::string> block, const std::vector<std::string>& more)
{
    block.insert(block.end(), more.begin(), more.end());
    return block;
}
