// The record of one extended open-file dialog and its views.
#include "ofn_data.h"

#include "opendialog_ids.h"
#include "qxwindowptr.h"

#include <cstring>

QXOFN32_DATA::QXOFN32_DATA(HWND dialogWindow, const OPENFILENAMEA* ofn)
    : dialog(dialogWindow), notifyMessage(RegisterWindowMessageA("qxofn32_msgNotify"))
{
    placeholder = GetDlgItem(dialog, ID_FILE_PLACEHOLDER);
    if (!placeholder)
        return;
    GetWindowRect(placeholder, &placeholderRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placeholderRect), 2);
    if (ofn) {
        multiSelect = (ofn->Flags & OFN_ALLOWMULTISELECT) ? 1 : 0;
        file = ofn->lpstrFile;
        fileSize = static_cast<int>(ofn->nMaxFile);
        title = ofn->lpstrFileTitle;
        titleSize = static_cast<int>(ofn->nMaxFileTitle);
    }
    int answer = 0;
    ftpView = std::make_unique<qhyp_CFtpView>(&answer, dialog, notifyMessage, FTP_VIEW_MESSAGE_BASE,
                                              FTP_VIEW_MESSAGE_COUNT, IDC_FTP_VIEW, placeholderRect, multiSelect,
                                              BROWSE_LIST);
    if (answer)
        return;
    serverView = std::make_unique<qhyp_CAddressView>(&answer, dialog, IDC_SERVER_VIEW, placeholderRect, multiSelect,
                                                     BROWSE_LIST);
    if (answer)
        return;
    urlView = std::make_unique<qhyp_CAddressView>(&answer, dialog, IDC_URL_VIEW, placeholderRect, multiSelect,
                                                  BROWSE_LIST);
    valid = answer ? 0 : 1;
}

QXOFN32_DATA* DialogData(HWND dialog)
{
    auto* data = static_cast<QXOFN32_DATA*>(GetQORVEXXpointer(dialog, KEY_DIALOG_DATA, KEY_DIALOG_DATA));
    return data && data->valid ? data : nullptr;
}

void SetFilterFromOfn(QXOFN32_DATA& data, const OPENFILENAMEA* ofn)
{
    if (!data.valid || !ofn || !ofn->lpstrFilter)
        return;
    const char* description = ofn->lpstrFilter;
    for (DWORD pair = 1; *description; ++pair) {
        const char* pattern = description + std::strlen(description) + 1;
        if (pair >= ofn->nFilterIndex) {
            if (*pattern)
                data.ftpView->SetFilter(pattern);
            return;
        }
        description = pattern + std::strlen(pattern) + 1;
    }
}
