// Pages for the kernel's benchmarks: records of the real plug-ins' objects (images, buttons
// with their branches, sounds, each with a hover text), the shared media they name, and the
// page file the kernel itself writes from them.
#pragma once

#include "pagehost.h"

#include <string>
#include <vector>

// Writes the shared media (five pictures, three sounds) into the host's folder.
void WriteBenchMedia(const PageHost& host);

// The text of a page "title" of `objects` objects under its root, in turns an image, a
// button that branches to `target` and a sound, every one with a hover text.
std::string BenchPageText(const std::string& title, int objects, const std::string& target);

// The text of a page "title" of pictures, each branching to `target`, and sounds, files of
// the publication's folder named by the caller, every object with a hover text.
std::string MediaPageText(const std::string& title, const std::vector<std::string>& pictures,
                          const std::vector<std::string>& sounds, const std::string& target);

// Writes the page as records into `source`, has the kernel read it and save it as `name`,
// and leaves the history empty. 1 when saved.
int KernelWrittenPage(PageHost& host, const std::string& source, const std::string& name);

// Goes back through the whole history, unloading every page.
void EmptyHistory(PageHost& host);
