// The sample publication of the source tree, which tests copy into their scratch folders, and
// its first page as the player and the control show it.
#pragma once

#include <windows.h>

#include <string>

// The Windows name of a file of the sample publication.
std::string SampleFile(const std::string& name);
// Every byte of a file; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Where the sample's first page has its objects.
constexpr POINT SampleNextButton{520, 400};
constexpr POINT SampleEndButton{520, 338};
constexpr POINT SamplePicture{200, 180};
constexpr POINT SampleObjects[] = {SamplePicture, SampleNextButton, SampleEndButton};
// Where the text page shows its link, on the page.
constexpr POINT SampleTextLink{98, 216};

// The object window at a point of a page window; null when there is none.
HWND ObjectAt(HWND page, POINT point);
// Checks the page window of the sample's first page: its class, title and size, and its
// picture and both buttons shown.
void ExpectSampleHomePage(HWND page);
// Posts a click to the window, as a user's button press and release.
void Click(HWND window);
