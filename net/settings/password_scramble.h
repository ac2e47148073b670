// The light scrambling under which the FTP proxy password is stored: each byte rotated left
// by two bits. Rotation never turns a non-zero byte into zero, so a scrambled text keeps its
// length and its terminator.
//
// Older writers disagreed: the library's own store scrambled the password, the network-settings
// dialog stored it plain. Every writer now stores it scrambled beside the integer value below
// set to 1; a reader unscrambles when it finds that value, and otherwise keeps the convention
// it always had, so that keys written before read as they did.
#pragma once

constexpr const char* PASSWORD_SCRAMBLED_VALUE = "PasswordScrambled";

// Rotates each of the first `length` bytes of the text left by two bits; stops early at the
// terminator, so a length beyond the text does no harm.
void ScrambleProxyPassword(char* text, int length);
// The inverse: each byte rotated right by two bits.
void UnscrambleProxyPassword(char* text, int length);
