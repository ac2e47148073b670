// The light scrambling under which the FTP proxy password is stored: each byte rotated left
// by two bits. Rotation never turns a non-zero byte into zero, so a scrambled text keeps its
// length and its terminator.
#pragma once

// Rotates each of the first `length` bytes of the text left by two bits; stops early at the
// terminator, so a length beyond the text does no harm.
void ScrambleProxyPassword(char* text, int length);
// The inverse: each byte rotated right by two bits.
void UnscrambleProxyPassword(char* text, int length);
