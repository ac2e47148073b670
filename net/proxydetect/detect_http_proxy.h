// The HTTP proxy taken from the settings of the default web browser, for a user who never
// stored proxy settings of the library's own. The browsers' settings are only ever read.
#pragma once

// 1 when the browser's settings say that the HTTP proxy is in use. `host` (a buffer of
// hostSize bytes, cut to fit) and `port` are filled whenever a proxy address was found, also
// when the answer is 0; the caller has set them to empty and 0.
int DetectHttpProxy(char* host, int hostSize, int* port);
