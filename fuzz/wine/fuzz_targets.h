// The readers of outside data that live on Win32, each as a fuzz target: how an input file
// is read, where its corpus comes from, and what the reader may do to the file it reads.
#pragma once

#include <string>
#include <vector>

enum class FuzzInputUse {
    Kept,       // read only: the file stays byte for byte
    Grown,      // the font index gains the faces it lacked: the old bytes stay, more may follow
    Converted,  // the older bookmark form is brought to the current one in place
};

struct FuzzTarget {
    const char* name;
    // Corpus files: "folder/*.ext" patterns relative to the source tree.
    std::vector<std::string> corpus;
    // The name the input is written under in its scratch folder.
    const char* inputName;
    // What the reader may do to its file.
    FuzzInputUse inputUse;
    // Reads the file at this full path the way the system reads such a file.
    void (*read)(const std::string& path);
};

const std::vector<FuzzTarget>& FuzzTargets();

// The source tree's folder, as a Windows path ending in a backslash.
std::string SourceFolder();

// Every target's reading function, one file each by area.
void ReadPageFile(const std::string& path);
void ShowPageFile(const std::string& path);
void ReadBookmarkFile(const std::string& path);
void ReadFontIndex(const std::string& path);
void PasteClipboardText(const std::string& path);
void ReadSettingsFile(const std::string& path);
void ReadDibFile(const std::string& path);
void ReadImageFile(const std::string& path);
void PasteEngineClipboard(const std::string& path);
void PasteTextClipBlock(const std::string& path);
void ImportPlainText(const std::string& path);
void ImportMarkup(const std::string& path);
void ImportHtml(const std::string& path);
void ImportNativeStream(const std::string& path);
