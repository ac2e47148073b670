// FLIC input over QXopen and the support module's file reads.
#include "flic_qxfile.h"

#include <climits>

#include "qxfile.h"
#include "qxsupport.h"

namespace {

class FlicQxFile : public FlicInput {
public:
    explicit FlicQxFile(QXFILE file) : file_(file) {}
    ~FlicQxFile() override { QXclose(file_); }
    FlicQxFile(const FlicQxFile&) = delete;
    FlicQxFile& operator=(const FlicQxFile&) = delete;

    uint64_t Length() override { return QXGetFileSize(file_); }

    bool ReadAt(uint64_t offset, uint8_t* out, size_t count) override
    {
        // The file calls take 32-bit positions and counts; FLIC offsets are 32-bit too.
        if (offset > LONG_MAX || count > LONG_MAX || QXSeekFile(file_, static_cast<long>(offset), 0) < 0)
            return false;
        return QXReadFile(file_, out, static_cast<unsigned long>(count)) == static_cast<long>(count);
    }

private:
    QXFILE file_;
};

}  // namespace

std::unique_ptr<FlicInput> OpenFlicFile(const char* name)
{
    QXFILE file = name ? QXopen(name, 0) : nullptr;
    if (!file)
        return nullptr;
    return std::make_unique<FlicQxFile>(file);
}
