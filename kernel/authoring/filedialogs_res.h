// Resource identifiers of the file dialogs and of the copy onto the publication's disk. The
// captions "Attention" and "Erreur" are the kernel's IDS_WARNING and IDS_ERROR.
#pragma once

#define IDS_COPY_TO_SCN_DRIVE 285        // %s: the file, %s: the publication's drive
#define IDS_COPY_ERROR_CAPTION 286
#define IDS_COPY_SOURCE_NOT_OPENED 287
#define IDS_COPY_TARGET_NOT_CREATED 288
#define IDS_COPY_DISK_FULL 289
#define IDS_WRONG_DESTINATION_DRIVE 291  // %s: the publication's drive

// Items of the dialog "DLG_COPYTOSCNDRIVE" (a named resource).
#define IDC_COPYTOSCN_SOURCE 100
#define IDC_COPYTOSCN_DESTINATION 101
#define IDC_COPYTOSCN_CHOOSE 998
