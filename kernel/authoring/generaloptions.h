// The general options dialog of an object ("OPT_GENERAL"): size mode, position and size,
// hover message and, for programmers, the user ID and parameter string. Its procedure is
// OBJET::LoadOptGenProc; KernSetGeneralObj (authoring.h) runs it.
#pragma once

#include "../runtime/qxkernel.h"

constexpr char QX_GENERAL_OPTIONS_DIALOG[] = "OPT_GENERAL";
// What the dialog ends with.
constexpr INT_PTR QX_OPTGEN_CONFIRMED = 0;
constexpr INT_PTR QX_OPTGEN_CANCELLED = 1;
// The longest hover delay, in seconds; longer delays are cut to it.
constexpr int QX_OPTGEN_MAX_DELAY = 60;
