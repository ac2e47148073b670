// The object that takes the place of an object whose plug-in is missing or unusable: it
// keeps that object's record as it was read and writes it back unchanged, so that saving
// the page loses nothing of it.
#pragma once

#include "objet.h"

class STANDIN_OBJET : public OBJET {
public:
    STANDIN_OBJET(KERNEL* kernel, const char* moduleLine);
    ~STANDIN_OBJET() override;

    // Keeps the rest of the record, from the line after the child count up to the next
    // record separator (or the end of the file), where the file is left. 0 when the record
    // could not be kept whole.
    int Capture(QXFILE file);
    int Save(QXFILE file, int& universe, int withBranches) override;

private:
    QXSTRING moduleLine_;  // as it was read
    char* record_ = nullptr;
    size_t recordBytes_ = 0;
};
