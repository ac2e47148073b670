// Fixed text fields of the system's records: a copy is cut to the field and always ends
// with its zero, whatever the length of the text (a null text gives an empty field).
#pragma once

#include "qxkernel.h"

template <size_t N>
void CopyField(char (&field)[N], const char* text)
{
    lstrcpynA(field, text ? text : "", static_cast<int>(N));
}
