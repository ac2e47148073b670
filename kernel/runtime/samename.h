// Comparing page and file names as the kernel compares them everywhere: case aside, the way
// the system's lstrcmpiA does.
#pragma once

// Quick for the plain ASCII names of most publications, which long histories compare by the
// thousand on each page change; a name with other characters is left to the system.
bool KernSameName(const char* a, const char* b);
