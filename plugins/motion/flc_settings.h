// The settings dialog "DLG_FLC_SET" of an animation, its preview window "FLCSAMPWIND", its
// image list, the sound-track dialog and the template libraries. The dialog edits a working
// copy of the object, its parameter, kept on the dialog as its object pointer.
#pragma once

#include "flc.h"

#include <string>

// The dialog's own messages: a FLIC frame reached (lParam 1) or the end of a play (else).
constexpr UINT FLC_PREVIEW_FRAME = FLC_FRAME_MESSAGE;
// Sent to the sound-track dialog to attach the object's image series to its preview.
constexpr UINT FLC_TRACK_ATTACH_SERIES = 4024;
// The sound-track dialog's list refresh: wParam 0 refresh, 1 an edit confirmed, 2 cancelled.
constexpr UINT FLC_TRACK_LIST_MODE = WM_USER + 3;

INT_PTR CALLBACK FlcSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FlcPreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog's working copy.
FLC* SettingsCopy(HWND dialog);

// Whether the module's preview is on: one switch for every settings dialog of the process, on
// when the module loads.
bool PreviewOn();

// Layouts of the two modes; each ends with a preview reset.
void ApplyFileLayout(HWND dialog, FLC* copy);
void ApplySeriesLayout(HWND dialog, FLC* copy);
// The preview's media closed, its buttons set from what there is to show, the window repainted.
void ResetPreview(HWND dialog, FLC* copy);
void ClosePreviewMedia(FLC* copy);
void StopPreview(HWND dialog, FLC* copy);
// The series drawn in the preview window, sized to its client area.
void AttachSeriesToPreview(FLC* copy);
// The file the preview shows: fetched now, so that painting never waits for a file.
void SetPreviewFile(FLC* copy, const char* name);

// The image list: filled at the start, its commands, and the subclass for tips and drags.
void FillImageList(HWND dialog, FLC* copy);
void OnImageSelected(HWND dialog, FLC* copy);
void OnAddImages(HWND dialog, FLC* copy);
void OnModifyImage(HWND dialog, FLC* copy);
void OnDeleteImage(HWND dialog, FLC* copy);
void SubclassImageList(HWND dialog, FLC* copy);

// The sound-track dialog on the object: 1 for OK (the track replaced), 0 for Cancel.
int RunSoundTrackDialog(HWND owner, FLC* object);

// The libraries of the template chooser: the chosen file, "" when none.
QXSTRING ChooseLibraryAnimation(HWND owner, KERNEL* kernel);
// 1 and the chosen sound in `buffer` (QX_NAME_BUFFER bytes), else 0.
int ChooseLibrarySound(HWND owner, KERNEL* kernel, char* buffer);

// A filter string of the module, its '|' turned into zeros.
std::string ModuleFilter(int id);
// Shows a box of the module's strings; the answer of the box.
int ModuleBox(HWND owner, int caption, int text, UINT style);
