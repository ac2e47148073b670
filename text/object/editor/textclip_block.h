// The "QXTEXTCLIP" clipboard block: the branches and hover messages of a copied text, beside
// the text the engine puts as "RTEDOC". Little-endian: N, N branch records of the kernel's
// branch clipboard form, M, then M message entries of L + 234 bytes. The block comes from the
// clipboard, thus from any process: the reader trusts no count or length.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "branch.h"

constexpr const char* QX_TEXTCLIP_FORMAT = "QXTEXTCLIP";

// A message entry's fixed part besides its text.
constexpr int QX_CLIP_MESSAGE_FIXED = 234;
constexpr int QX_CLIP_SOUND_BYTES = 130;

// One hover message as the block holds it; `text` points into the block.
struct CLIPMESSAGE {
    int32_t id = 0;
    const char* text = nullptr;
    int32_t length = 0;
    char sound[QX_CLIP_SOUND_BYTES] = "";  // always ends with its zero
    int32_t delay = 0;
    LOGFONTA font{};                       // its face always ends with its zero
    int32_t textColour[4]{};
    int32_t background[4]{};
};

// The parts of a block that lie wholly inside it. `valid` is false when any count or length
// points past the end: such a block is taken as if it were not there, so that the text is
// pasted without branches.
struct TEXTCLIPBLOCK {
    bool valid = false;
    std::vector<const BYTE*> branches;  // QX_BRANCH_CLIP_RECORD_SIZE bytes each
    std::vector<CLIPMESSAGE> messages;
};

// The registered clipboard format of the block.
UINT TextClipFormat();

// Reads the block's bytes (a locked clipboard block and its GlobalSize); reads nothing outside.
TEXTCLIPBLOCK ReadTextClipBlock(const BYTE* bytes, size_t size);

// The branch record with the branch number, null when none.
const BYTE* FindClipBranch(const TEXTCLIPBLOCK& block, int32_t id);
int32_t ClipBranchId(const BYTE* record);

// Writes a block: the caller gives each message's fields; the writer sizes and fills it.
class TEXTCLIPWRITER {
public:
    void AddBranch(const BRANCH* branch);
    void AddMessage(const CLIPMESSAGE& message);
    size_t Size() const;
    // A movable, zero-filled, shareable global block holding the whole; null when none could be had.
    HGLOBAL MakeBlock() const;

private:
    std::vector<BYTE> branches_;
    std::vector<BYTE> messages_;
    int32_t branchCount_ = 0;
    int32_t messageCount_ = 0;
};
