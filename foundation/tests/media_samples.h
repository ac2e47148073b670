// What the media tests of the foundation and of the kernel share: small media files, written
// byte by byte so that the server reads what an independent writer made, and the count of the
// MCI devices left open.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// 8 kHz, 8-bit, mono PCM of `ms` milliseconds.
std::string WaveFile(int ms);

// Uncompressed 24-bit video of `width` x `height`, one frame of each colour, shown at
// `framesPerSecond`, with an index.
std::string AviFile(int width, int height, int framesPerSecond, const std::vector<COLORREF>& frames);

// The number of MCI devices open in the process.
int OpenMciDevices();
