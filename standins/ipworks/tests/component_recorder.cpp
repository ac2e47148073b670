#include "component_recorder.h"

#include <gtest/gtest.h>

int FtpRecorder::DirectoryLine(const char* line)
{
    lines.push_back(line);
    return 0;
}

int FtpRecorder::EndTransfer()
{
    ++ends;
    return 0;
}

int FtpRecorder::Error(unsigned short, const char*)
{
    ++errors;
    return 0;
}

int FtpRecorder::Reply(unsigned short code, const char*)
{
    replies.push_back(code);
    return 0;
}

int FtpRecorder::Data(long count, const char* block, unsigned short length)
{
    EXPECT_EQ(static_cast<long>(data.size()), count);
    data.append(block, length);
    lastCount = count;
    largestBlock = std::max(largestBlock, length);
    return 0;
}

int HttpRecorder::Status(unsigned short code, const char*)
{
    statuses.push_back(code);
    return 0;
}

int HttpRecorder::HeadersEnd(unsigned short code, const char*)
{
    statuses.push_back(code);
    return 0;
}

int HttpRecorder::EndTransfer()
{
    ++ends;
    return 0;
}

int HttpRecorder::Error(int, const char*)
{
    ++errors;
    return 0;
}

int HttpRecorder::Data(long count, const char* block, unsigned short length)
{
    EXPECT_EQ(static_cast<long>(data.size()), count);
    data.append(block, length);
    return 0;
}

namespace {

const bool limited = [] {
    LimitEachTestCase(60);
    return true;
}();

}  // namespace
