// The "QXTEXTCLIP" block read through one bounded reader and written field by field.
#include "textclip_block.h"

#include <cstring>

namespace {

// Reads forward through the block; a read past the end yields nothing and sets `failed`.
class BlockReader {
public:
    BlockReader(const BYTE* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool Has(size_t count) const { return !failed && count <= size_ - at_; }
    const BYTE* Take(size_t count)
    {
        if (!Has(count)) {
            failed = true;
            return nullptr;
        }
        const BYTE* start = bytes_ + at_;
        at_ += count;
        return start;
    }
    int32_t Int()
    {
        int32_t value = 0;
        if (const BYTE* p = Take(sizeof value))
            std::memcpy(&value, p, sizeof value);
        return value;
    }
    void Copy(void* into, size_t count)
    {
        if (const BYTE* p = Take(count))
            std::memcpy(into, p, count);
    }
    size_t Left() const { return failed ? 0 : size_ - at_; }

    bool failed = false;

private:
    const BYTE* bytes_;
    size_t size_;
    size_t at_ = 0;
};

// A count that claims more records than the bytes left can hold is a damaged block.
bool CountFits(int32_t count, size_t recordBytes, size_t left)
{
    return count >= 0 && static_cast<uint64_t>(count) <= left / recordBytes;
}

bool ReadMessage(BlockReader& reader, CLIPMESSAGE& message)
{
    message.id = reader.Int();
    message.length = reader.Int();
    if (message.length < 0 || !reader.Has(static_cast<size_t>(message.length) + QX_CLIP_MESSAGE_FIXED - 8))
        return false;
    message.text = reinterpret_cast<const char*>(reader.Take(static_cast<size_t>(message.length)));
    reader.Copy(message.sound, sizeof message.sound);
    message.sound[sizeof message.sound - 1] = 0;
    message.delay = reader.Int();
    reader.Copy(&message.font, sizeof message.font);
    message.font.lfFaceName[LF_FACESIZE - 1] = 0;
    reader.Copy(message.textColour, sizeof message.textColour);
    reader.Copy(message.background, sizeof message.background);
    return !reader.failed;
}

template <class T>
void Append(std::vector<BYTE>& into, const T& value)
{
    const auto* p = reinterpret_cast<const BYTE*>(&value);
    into.insert(into.end(), p, p + sizeof value);
}

}  // namespace

static_assert(sizeof(LOGFONTA) == 60, "the block holds the 60-byte LOGFONT of the ANSI interface");

UINT TextClipFormat() { return RegisterClipboardFormatA(QX_TEXTCLIP_FORMAT); }

TEXTCLIPBLOCK ReadTextClipBlock(const BYTE* bytes, size_t size)
{
    TEXTCLIPBLOCK block;
    if (!bytes)
        return block;
    BlockReader reader(bytes, size);
    const int32_t branches = reader.Int();
    if (!CountFits(branches, QX_BRANCH_CLIP_RECORD_SIZE, reader.Left()))
        return block;
    for (int32_t i = 0; i < branches; ++i)
        block.branches.push_back(reader.Take(QX_BRANCH_CLIP_RECORD_SIZE));
    const int32_t messages = reader.Int();
    if (reader.failed || !CountFits(messages, QX_CLIP_MESSAGE_FIXED, reader.Left()))
        return TEXTCLIPBLOCK{};
    for (int32_t i = 0; i < messages; ++i) {
        CLIPMESSAGE message;
        if (!ReadMessage(reader, message))
            return TEXTCLIPBLOCK{};
        block.messages.push_back(message);
    }
    block.valid = true;
    return block;
}

int32_t ClipBranchId(const BYTE* record)
{
    int32_t id = 0;
    if (record)
        std::memcpy(&id, record + QX_BRANCH_CLIP_RECORD_ID, sizeof id);
    return id;
}

const BYTE* FindClipBranch(const TEXTCLIPBLOCK& block, int32_t id)
{
    for (const BYTE* record : block.branches)
        if (ClipBranchId(record) == id)
            return record;
    return nullptr;
}

void TEXTCLIPWRITER::AddBranch(const BRANCH* branch)
{
    const size_t at = branches_.size();
    branches_.resize(at + QX_BRANCH_CLIP_RECORD_SIZE);
    KernWriteBranchClipRecord(branch, branches_.data() + at);
    ++branchCount_;
}

void TEXTCLIPWRITER::AddMessage(const CLIPMESSAGE& message)
{
    const int32_t length = message.text && message.length > 0 ? message.length : 0;
    Append(messages_, message.id);
    Append(messages_, length);
    if (length)
        messages_.insert(messages_.end(), message.text, message.text + length);
    char sound[QX_CLIP_SOUND_BYTES] = {};
    lstrcpynA(sound, message.sound, sizeof sound);
    Append(messages_, sound);
    Append(messages_, message.delay);
    Append(messages_, message.font);
    Append(messages_, message.textColour);
    Append(messages_, message.background);
    ++messageCount_;
}

size_t TEXTCLIPWRITER::Size() const { return 4 + branches_.size() + 4 + messages_.size(); }

HGLOBAL TEXTCLIPWRITER::MakeBlock() const
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, Size());
    auto* bytes = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
    if (!bytes) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, &branchCount_, 4);
    if (!branches_.empty())
        std::memcpy(bytes + 4, branches_.data(), branches_.size());
    std::memcpy(bytes + 4 + branches_.size(), &messageCount_, 4);
    if (!messages_.empty())
        std::memcpy(bytes + 8 + branches_.size(), messages_.data(), messages_.size());
    GlobalUnlock(block);
    return block;
}
