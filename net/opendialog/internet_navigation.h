// What the extended open-file dialog does with its Internet items: the mode of its file
// area, the saved lists, browsing an FTP server with the look-in combo's folder items in
// step, up one level, the reports of the FTP view and the result of Open.
#pragma once

#include "ofn_data.h"

void SetMode(QXOFN32_DATA& data, int mode);
// 1 when the Internet combo's selected item was an Internet item, now acted on.
int OnLookInSelect(QXOFN32_DATA& data);
// 1 when it applied to the selected item; 0 leaves the dialog's own up-one-level to run.
int GoUpOneLevel(QXOFN32_DATA& data);
void SyncFolderItems(QXOFN32_DATA& data);
// The FTP view's report (the "qxofn32_msgNotify" message).
void OnFtpViewReport(QXOFN32_DATA& data, WPARAM code, LPARAM value);
// A notification of one of the three views; the view's own answer.
LRESULT OnViewNotify(QXOFN32_DATA& data, const NMHDR* header);
// Open pressed: true when the Internet part handled it.
bool OnOpen(QXOFN32_DATA& data);
