// The exports that show the system's open-file dialog extended with Internet addresses.
#include "internet_lookin.h"
#include "ofn_data.h"
#include "qxpreview.h"
#include "qxweb.h"

#include <cstring>
#include <vector>

namespace {

// Runs `show` on the caller's description with the library's hook; an Internet result the
// dialog ended on goes to the caller's buffers afterwards.
template <class Show>
BOOL ShowExtended(OPENFILENAMEA* ofn, Show show)
{
    if (!ofn || !ofn->lpstrFile)
        return FALSE;
    std::vector<char> file(ofn->nMaxFile), title(ofn->lpstrFileTitle ? ofn->nMaxFileTitle : 0);
    InternetResult result{file.data(), static_cast<int>(file.size()), title.empty() ? nullptr : title.data(),
                          static_cast<int>(title.size()), 0};
    ofn->lpfnHook = OfnHookProc;
    ofn->Flags |= OFN_ENABLEHOOK;
    ofn->lCustData = reinterpret_cast<LPARAM>(&result);
    // An address is no name for a local folder to start from.
    if (std::strstr(ofn->lpstrFile, "://"))
        ofn->lpstrFile[0] = 0;
    const BOOL chosen = show();
    if (chosen && result.done) {
        std::memcpy(ofn->lpstrFile, file.data(), file.size());
        if (!title.empty())
            std::memcpy(ofn->lpstrFileTitle, title.data(), title.size());
    }
    return chosen;
}

}  // namespace

BOOL QXGetOpenFileName(OPENFILENAMEA* ofn)
{
    return AnswerZeroOnException([&] { return ShowExtended(ofn, [&] { return GetOpenFileNameA(ofn); }); });
}

BOOL QXGetOpenFileNamePreview(QXPREVIEW_REQUEST* request)
{
    return AnswerZeroOnException([&] {
        if (!request)
            return FALSE;
        return ShowExtended(request->ofn, [&] { return PreviewGetOpenFileName(request); });
    });
}
