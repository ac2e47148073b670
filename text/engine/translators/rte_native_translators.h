// The engine's own record stream as a translator format, so that the native format can be
// chosen wherever RTF, HTML or plain text can. Neither streams chunk by chunk: the export
// writes the whole record stream at once, and the import reads the whole stream into a
// document and then fits it to the target.
#pragma once

#include "rte_translator.h"

class RteNativeImportFilter : public RteImportFilter {
public:
    RteNativeImportFilter();
    ~RteNativeImportFilter() override;

    int16_t VerifyFormat() override;  // 776 unless the source opens a record stream
    int16_t BeginImport() override;
    int32_t ReadChunk() override;
    int16_t EndImport() override;

private:
    void FitFonts(int32_t charset);
    void TranslateText();
    void DropTemporary();

    // The caller's document while the stream is read into a temporary one, and where the
    // stream's text goes in it.
    RteHandle heldTarget_ = nullptr;
    int32_t insertAt_ = 0;
    uint32_t targetMask_ = 0;
};

class RteNativeExportFilter : public RteExportFilter {
public:
    RteNativeExportFilter();
    ~RteNativeExportFilter() override;

    int16_t BeginExport() override;
    int32_t WriteChunk() override;
    int16_t EndExport() override;

private:
    void WriteStream();

    // The exported range as a document of its own, when it is not the whole text.
    RteHandle rangeCopy_ = nullptr;
    uint32_t savedMask_ = 0;
    bool streamWritten_ = false;
};

// Masks of the record stream from translator flags: a flag bit that is set lets its records
// through.
constexpr uint32_t RteStreamMaskOf(uint32_t flags) { return (flags ^ 0xFFFFFF) & 0xFFFFFF; }

// The state word of the stream's settings record, which tells the platform it was written on
// (0x101, Windows, when the stream does not say).
uint32_t RteStoredPlatformWord(RteIoProc io, intptr_t reference, int32_t position);
