// Copies of the records that notifications point to, taken by the parent window as they come:
// the parent is subclassed for the messages asked for, each with its record's size (0: the
// notification's value itself).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

class RecordCopies {
public:
    RecordCopies(HWND parent, std::map<UINT, size_t> sizes);
    ~RecordCopies();
    RecordCopies(const RecordCopies&) = delete;
    RecordCopies& operator=(const RecordCopies&) = delete;

    // The records of a message, in the order they came.
    template <class Record>
    std::vector<Record> Of(UINT message) const
    {
        std::vector<Record> out;
        for (const auto& [which, bytes] : copies_)
            if (which == message) {
                Record record{};
                std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
                out.push_back(record);
            }
        return out;
    }
    // The answer the parent gives to a message (0 unless set), or the parent's own work on the
    // record before it answers.
    std::map<UINT, LRESULT> answers;
    std::map<UINT, std::function<LRESULT(void* record)>> responses;
    void Clear() { copies_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND parent_;
    WNDPROC old_;
    std::map<UINT, size_t> sizes_;
    std::vector<std::pair<UINT, std::vector<uint8_t>>> copies_;
};
