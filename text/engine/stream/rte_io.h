// Streams of the engine: the I/O callback protocol, the callbacks over files and memory
// handles, the thin file wrappers and the probe that tells a stream's kind.
//
// Every byte the engine stores or loads goes through an RteIoProc (rte_environment.h), so that
// record streams and translators work the same on files, memory and the clipboard. References
// and result slots are pointer-sized: a file handle or a memory handle survives a 64-bit build.
#pragma once

#include <cstdint>

#include "rte_environment.h"

// Operations of an RteIoProc.
constexpr int32_t RTE_IO_TRANSFER = 0;         // length bytes between a memory area and the stream
constexpr int32_t RTE_IO_TRANSFER_HANDLE = 1;  // the same with a byte handle (a reader sets its count)
constexpr int32_t RTE_IO_SIZE = 2;             // the stream's total size into an int32_t slot
constexpr int32_t RTE_IO_SEEK = 3;             // give the stream back at the position
constexpr int32_t RTE_IO_END = 4;              // end the stream at the position (writers)
constexpr int32_t RTE_IO_REFERENCE = 5;        // the underlying file or handle into an intptr_t slot

// Files: the reference of the direct callbacks is the file itself; that of the others a
// handle whose first pointer-sized element is the file (the record-type registry's defaults).
uint16_t RteFileReader(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference);
uint16_t RteFileWriter(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference);
uint16_t RteDirectFileReader(void* buffer, int32_t operation, int32_t* position, int32_t* length,
                             intptr_t reference);
uint16_t RteDirectFileWriter(void* buffer, int32_t operation, int32_t* position, int32_t* length,
                             intptr_t reference);

// Memory: the reference is the byte handle written into or read from. The reader refuses
// (776) any transfer that would run past the end of its source.
uint16_t RteMemWriter(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference);
uint16_t RteMemReader(void* buffer, int32_t operation, int32_t* position, int32_t* length, intptr_t reference);

// File wrappers: 0, or 0xFFFF for any failure. Paths are byte handles holding a C string; a
// file is the platform's file handle.
uint16_t RteFileCreate(RteHandle path, int32_t ignored, intptr_t* file);
uint16_t RteFileOpen(RteHandle path, int32_t mode, intptr_t* file);  // 0 read, 1 write, 2 both
uint16_t RteFileClose(intptr_t file);
uint16_t RteFileDelete(RteHandle path);
uint16_t RteFileRename(RteHandle path, RteHandle newName);
// A write that moves fewer bytes than asked fails; a read that moves none fails. The length
// comes back as what moved.
uint16_t RteFileWrite(intptr_t file, int32_t* length, const void* data);
uint16_t RteFileRead(intptr_t file, int32_t* length, void* data);
uint16_t RteFileWriteN(intptr_t file, int32_t length, const void* data);
uint16_t RteFileReadN(intptr_t file, int32_t length, void* data);
uint16_t RteFileSeek(intptr_t file, int32_t position);
uint16_t RteFileSetEnd(intptr_t file, int32_t position);
uint16_t RteFileSize(intptr_t file, int32_t* size);

// Stream kinds of the probe.
constexpr int16_t RTE_STREAM_UNKNOWN = 0;
constexpr int16_t RTE_STREAM_RTF = 2;
constexpr int16_t RTE_STREAM_RECORDS = 3;
constexpr int16_t RTE_STREAM_WORD = 4;

// 0 when the bytes at the position open a record stream, else 776. The stream is given back
// at the position (operation 3). A null callback reads the file directly.
uint16_t RteIsRecordStream(intptr_t reference, RteIoProc io, int32_t position);
// One of the stream kinds above; the stream is given back at the position.
int16_t RteProbeStream(intptr_t reference, RteIoProc io, int32_t position);
