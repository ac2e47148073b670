// The parent's subclass that copies notification records.
#include "record_copies.h"

namespace {

RecordCopies* g_current = nullptr;

}  // namespace

RecordCopies::RecordCopies(HWND parent, std::map<UINT, size_t> sizes)
    : parent_(parent), old_(nullptr), sizes_(std::move(sizes))
{
    g_current = this;
    old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
}

RecordCopies::~RecordCopies()
{
    SetWindowLongPtrA(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
    g_current = nullptr;
}

LRESULT CALLBACK RecordCopies::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordCopies* self = g_current;
    auto size = self->sizes_.find(message);
    if (size == self->sizes_.end())
        return CallWindowProcA(self->old_, window, message, wParam, lParam);
    auto* bytes = size->second ? reinterpret_cast<const uint8_t*>(lParam) : reinterpret_cast<const uint8_t*>(&lParam);
    self->copies_.emplace_back(message, std::vector<uint8_t>(bytes, bytes + (size->second ? size->second : sizeof lParam)));
    auto response = self->responses.find(message);
    if (response != self->responses.end())
        return response->second(reinterpret_cast<void*>(lParam));
    auto answer = self->answers.find(message);
    return answer == self->answers.end() ? 0 : answer->second;
}
