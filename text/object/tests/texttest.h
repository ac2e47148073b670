// What the text tests share: texts made by the module, their "TEXTE {" blocks and what a save
// writes.
#pragma once

#include "pagehost.h"
#include "plugintest.h"
#include "test_canvas.h"
#include "texte.h"

#include <functional>
#include <memory>

#include <string>

constexpr const char* TextModuleFile = "qxtext40.dll";

// The lines of a default hover message as the object writes it.
RecordLines DefaultMessageLines();
// A "TEXTE {" block at 10 20 200 100 with the body lines, flags transparent, external, owned,
// and the messages.
RecordLines TextBlock(const RecordLines& body, const RecordLines& messages = DefaultMessageLines(),
                      const std::string& flags = "0 0 0 0");
// The common block with these branches in place of none.
RecordLines CommonBlockWith(const RecordLines& branches);
// One branch to a page carrying the text's branch number; visited marks it.
RecordLines TextBranch(const std::string& page, int id, bool markVisited);
// The branch block of these branches.
RecordLines BranchBlock(const std::vector<RecordLines>& branches);

// A text read from the common block and its own block; Load's answer in *result.
TEXTE* LoadText(KERNEL* kernel, const RecordLines& block, int* result, const RecordLines& common = CommonBlock());
// The whole record the text writes (pixels), and Save's answer.
std::string SaveText(TEXTE* text, int* result = nullptr);
// The text of the page "a.pag" written with this text record (name and own block) and shown
// by the host; null when the page is not shown.
TEXTE* ShownText(PageHost& host, const std::string& name, const RecordLines& own);
// A text on the page "a.pag" with these branches (the branch block), shown; null when not.
TEXTE* ShownText(PageHost& host, const std::string& name, const RecordLines& own, const RecordLines& branches);
// A large sentence in RTF, "Un mot ROUGE ici.", whose one word is red.
extern const std::string RedWordRtf;
// The "TXTINLINE 2[" body of these bytes.
RecordLines InlineBody(const std::string& bytes);
// A text's own block at (10, 20) of width x height pixels holding this body, its background
// line ("r g b 0") and its message entries.
RecordLines BoxBlock(const RecordLines& body, int width, int height, const std::string& background = "255 255 255 0",
                     const RecordLines& messages = {});
// The object's window painted as the kernel asks it, into a canvas of its client size.
std::unique_ptr<TestCanvas> PaintedText(TEXTE* text);
// How many pixels of the canvas the test holds.
int CountPixels(const TestCanvas& canvas, const std::function<bool(uint32_t)>& test);
// A pixel 0x00RRGGBB near the colour r g b (each channel within 60).
bool Near(uint32_t pixel, int red, int green, int blue);
// The kernel's settings under a registry key of the test's own, so that texts read their
// defaults from there (first-run values where nothing is written); the key goes at the end.
class TextSettings {
public:
    explicit TextSettings(KERNEL* kernel);
    ~TextSettings();
    TextSettings(const TextSettings&) = delete;
    TextSettings& operator=(const TextSettings&) = delete;
    // Writes a value of the text defaults (under "Text Configuration").
    void Write(const std::string& subkey, const std::string& value, const std::string& text) const;

private:
    KERNEL* kernel_;
    std::string base_;
};

// The plain text the object copies to the clipboard.
std::string CopiedText(TEXTE* text);
// The lines of a record.
std::vector<std::string> SplitLines(const std::string& text);
// The bytes of a file, "" when missing.
std::string FileBytes(const std::string& path);
