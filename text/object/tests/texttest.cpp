// Texts made by the module under test, and their records.
#include "texttest.h"

#include "clipboard_turn.h"
#include "filefind.h"
#include "kernel.h"
#include "qxfile.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

RecordLines DefaultMessageLines()
{
    return {"0", "NULL", "0", "NULL", "16 0 0 0 400 0 0 0 1 0 0 0 0", "", "0 0 0", "255 255 255"};
}

RecordLines TextBlock(const RecordLines& body, const RecordLines& messages, const std::string& flags)
{
    RecordLines block = {"TEXTE {", "10        20        200       100                                               "};
    block.insert(block.end(), body.begin(), body.end());
    block.push_back(flags);
    block.push_back("100.00    ");
    block.push_back("255     255     255     0                                                       ");
    block.push_back("TXBRMSG [");
    block.insert(block.end(), messages.begin(), messages.end());
    block.push_back("]");
    block.push_back("}");
    return block;
}

RecordLines BranchBlock(const std::vector<RecordLines>& branches)
{
    RecordLines block = {"BRANCH {", "0", "BRANCHEX [", std::to_string(branches.size())};
    for (const RecordLines& branch : branches)
        block.insert(block.end(), branch.begin(), branch.end());
    block.push_back("]");
    block.push_back("}");
    return block;
}

RecordLines TextBranch(const std::string& page, int id, bool markVisited)
{
    return {"BR [", "0", page, "NULL", "1", "1", "  0.0", markVisited ? "1" : "0", std::to_string(id),
            "NULL", "NULL", "NULL", "NULL", "NULL", "0", "]"};
}

RecordLines CommonBlockWith(const RecordLines& branches)
{
    RecordLines common = CommonBlock();
    common.resize(common.size() - NoBranch().size());
    common.insert(common.end(), branches.begin(), branches.end());
    return common;
}

TEXTE* LoadText(KERNEL* kernel, const RecordLines& block, int* result, const RecordLines& common)
{
    return static_cast<TEXTE*>(LoadRecord(TextModuleFile, kernel, Lines(With(common, block)), 0, result));
}

std::string SaveText(TEXTE* text, int* result)
{
    ScratchDir dir;
    QXFILE file = QXopen((dir / "out.txt").c_str(), 1);
    int universe = 0;
    const int saved = text->Save(file, universe, 1);
    QXclose(file);
    if (result)
        *result = saved;
    return dir.Read("out.txt");
}

TEXTE* ShownText(PageHost& host, const std::string& name, const RecordLines& own, const RecordLines& branches)
{
    host.pub.Write("a.pag", PageFile({ObjectRecord("QXSHEET.DLL", 1, "page", NoBranch(), PageBlock("A", 255, 255, 255)),
                                      ObjectRecord("QXTEXT.DLL", 0, name, branches, own)}));
    if (host.Go("a.pag") != 1)
        return nullptr;
    OBJET* page = KernGetTopObjet(host);
    return page->GetChildItems() == 1 ? static_cast<TEXTE*>(page->GetChild(0)) : nullptr;
}

TEXTE* ShownText(PageHost& host, const std::string& name, const RecordLines& own)
{
    return ShownText(host, name, own, NoBranch());
}

const std::string RedWordRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                               "\\f0\\fs48 Un mot \\cf1 ROUGE\\cf0  ici.\\par}";

RecordLines InlineBody(const std::string& bytes)
{
    RecordLines body = {"TXTINLINE 2[", std::to_string(bytes.size())};
    for (size_t at = 0; at < bytes.size(); at += 16) {
        std::string hex;
        for (unsigned char c : bytes.substr(at, 16)) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02X", c);
            hex += digits;
        }
        body.push_back(hex);
    }
    body.push_back("]");
    return body;
}

RecordLines BoxBlock(const RecordLines& body, int width, int height, const std::string& background,
                     const RecordLines& messages)
{
    RecordLines own = {"TEXTE {", "10 20 " + std::to_string(width) + " " + std::to_string(height)};
    own.insert(own.end(), body.begin(), body.end());
    own.insert(own.end(), {"0 0 0 0", "100", background, "TXBRMSG ["});
    own.insert(own.end(), messages.begin(), messages.end());
    own.insert(own.end(), {"]", "}"});
    return own;
}

std::unique_ptr<TestCanvas> PaintedText(TEXTE* text)
{
    RECT client{};
    GetClientRect(text->window, &client);
    auto canvas = std::make_unique<TestCanvas>(client.right, client.bottom);
    MSGL paint{0, text->window, WM_PAINT, reinterpret_cast<WPARAM>(canvas->Dc()), 0};
    text->WindowsMessage(&paint);
    GdiFlush();
    return canvas;
}

int CountPixels(const TestCanvas& canvas, const std::function<bool(uint32_t)>& test)
{
    int count = 0;
    for (uint32_t pixel : canvas.Pixels())
        count += test(pixel) ? 1 : 0;
    return count;
}

bool Near(uint32_t pixel, int red, int green, int blue)
{
    return std::abs(static_cast<int>(pixel >> 16 & 0xFF) - red) <= 60 &&
           std::abs(static_cast<int>(pixel >> 8 & 0xFF) - green) <= 60 && std::abs(static_cast<int>(pixel & 0xFF) - blue) <= 60;
}

TextSettings::TextSettings(KERNEL* kernel)
    : kernel_(kernel), base_("Software\\QxTextTests\\" + std::to_string(GetCurrentProcessId()) + "\\")
{
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    kernel_->registry = new qkrn_CREGISTRYINFOS;
    kernel_->registry->currentUserKey = base_.c_str();
}

TextSettings::~TextSettings()
{
    delete kernel_->registry;
    kernel_->registry = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
}

void TextSettings::Write(const std::string& subkey, const std::string& value, const std::string& text) const
{
    const std::string key = base_ + "Text Configuration\\" + subkey;
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), REG_SZ, text.c_str(),
                    static_cast<DWORD>(text.size() + 1));
}

std::string CopiedText(TEXTE* text)
{
    ClipboardTurn turn;
    if (!OpenClipboard(nullptr))
        return "(no clipboard)";
    EmptyClipboard();
    text->CopyToClipboard(nullptr);
    CloseClipboard();
    if (!OpenClipboard(nullptr))
        return "(no clipboard)";
    HANDLE block = GetClipboardData(CF_TEXT);
    const std::string copied = block ? static_cast<const char*>(GlobalLock(block)) : "(none)";
    if (block)
        GlobalUnlock(block);
    CloseClipboard();
    return copied;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos)
            break;
        at = end + 2;
    }
    return lines;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
