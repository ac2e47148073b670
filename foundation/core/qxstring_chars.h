// Character rules shared by the string functions: only the ASCII letters fold, as in the
// C locale, whatever the code page of the text.
#pragma once

inline char QXUpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
inline char QXLowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
