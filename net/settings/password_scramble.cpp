// The light scrambling under which the FTP proxy password is stored.
#include "password_scramble.h"

namespace {

unsigned char RotateLeftTwo(unsigned char byte) { return static_cast<unsigned char>(byte << 2 | byte >> 6); }
unsigned char RotateRightTwo(unsigned char byte) { return static_cast<unsigned char>(byte >> 2 | byte << 6); }

template <class Rotation>
void RotateText(char* text, int length, Rotation rotate)
{
    if (!text)
        return;
    for (int i = 0; i < length && text[i]; ++i)
        text[i] = static_cast<char>(rotate(static_cast<unsigned char>(text[i])));
}

}  // namespace

void ScrambleProxyPassword(char* text, int length) { RotateText(text, length, RotateLeftTwo); }

void UnscrambleProxyPassword(char* text, int length) { RotateText(text, length, RotateRightTwo); }
