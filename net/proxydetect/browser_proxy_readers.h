// The HTTP proxy as each recognised browser keeps it; arguments and answer as DetectHttpProxy.
#pragma once

// The Windows Internet settings of the current user.
int ReadWindowsInternetProxy(char* host, int hostSize, int* port);
// The browser's own key under the current user.
int ReadNetscapeRegistryProxy(char* host, int hostSize, int* port);
// The preferences file of the browser's current user profile.
int ReadNetscapePrefsProxy(char* host, int hostSize, int* port);
