// The engine's translator tests' environment and documents, with a scratch folder for the
// files of the text object.
#pragma once

#include <string>

#include "scratch_dir.h"
#include "translator_fixture.h"

class TextFilesTest : public TranslatorTest {
protected:
    // The document that the native translator reads from the file.
    RteHandle ReadBack(const std::string& path);

    ScratchDir dir_;
};
