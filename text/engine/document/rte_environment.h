// The engine's environment: what every new document copies (settings, default font, style,
// paragraph format and hook table), the record-type registry, the default drawing port, the
// text-block position cache and the owner hook. The caller owns the record; RteEngineStartup
// fills it. Its size is the compiler's: it is never stored.
#pragma once

#include <cstdint>

#include "rte_draw_port.h"
#include "rte_hooks.h"
#include "rte_memory.h"
#include "rte_style_records.h"

// Told (environment, 0) at start-up, (document handle, 1) when a document is made and
// (document handle, 2) before it is destroyed.
typedef void (*RteOwnerHook)(void* subject, int32_t code);
constexpr int32_t RTE_OWNER_STARTUP = 0;
constexpr int32_t RTE_OWNER_CREATED = 1;
constexpr int32_t RTE_OWNER_DESTROYING = 2;

// Moves the bytes of a stream: (buffer, operation, position in/out, length in/out, reference)
// gives 0 or the stream's error code. The reference (a file, a handle) is pointer-sized, as is
// the result slot of operations 2 and 5 (stream/rte_io.h).
typedef uint16_t (*RteIoProc)(void* buffer, int32_t operation, int32_t* position, int32_t* length,
                              intptr_t reference);
// Reads or writes the body of one record: (document, type, body, header value in/out, the
// record's own argument, in-memory bytes covered out) gives 0 to be called again, else 1.
typedef uint16_t (*RteRecordProc)(RteHandle doc, int16_t type, RteHandle body, int32_t* value, intptr_t argument,
                                  int32_t* size);

// Registry entry flags: the entry still has the engine's default reader (0x2), writer (0x1).
constexpr uint32_t RTE_RECORD_DEFAULT_WRITER = 0x1;
constexpr uint32_t RTE_RECORD_DEFAULT_READER = 0x2;

struct RteRecordHandler {
    int16_t type;
    uint32_t flags;
    RteRecordProc reader;
    RteRecordProc writer;
    RteIoProc readIo;
    RteIoProc writeIo;
};

// One entry of the character position cache: measured positions of one text block, found by
// the document's identity and the block's start offset.
struct RteCacheEntry {
    RteHandle positions;  // 32-bit values: each character's left edge, then the end
    RteHandle types;      // 16-bit values in step with the positions
    int32_t block;        // the block's start offset; -1 when empty
    int32_t blockEnd;
    uint64_t owner;       // the document's identity; 0 when free
    int32_t uses;         // callers holding the positions locked
};
constexpr int RTE_CACHE_ENTRIES = 3;
constexpr uint8_t RTE_CACHE_PRIORITY = 224;

constexpr int RTE_ENV_SETTINGS = 14;
// The setting that new documents take as their style setting.
constexpr int RTE_SETTING_STYLE = 0;

struct RteEnvironment {
    RteMemContext* context;
    int16_t settings[RTE_ENV_SETTINGS];
    uint8_t defaultsBlock[68];
    RteFont defaultFont;
    RteCharStyle defaultStyle;     // its hooks are the default character-style hooks
    RteParFormat defaultFormat;    // its hooks are the default paragraph hooks
    RteColor textColor;
    RteColor backColor;
    RteHookTable hooks;
    RteHandle registry;            // RteRecordHandler in ascending type order; made on first need
    RteDrawPort port;              // used by documents made with port -1
    RteCacheEntry cache[RTE_CACHE_ENTRIES];
    RteHandle cacheOverflow;   // RteCacheEntry measured while all three were held; made on need
    uint64_t lastIdentity;     // of the last document made
    RteOwnerHook ownerHook;
    void* device;              // the device layer's own state, from start-up to shut-down
};

// Clears and fills the environment, starts the device layer and makes the cache entries.
// Errors are raised to the caller's frame.
void RteEngineStartup(RteEnvironment* env, RteMemContext* context);
// Ends the device layer and frees the environment's handles.
void RteEngineShutdown(RteEnvironment* env);
// The memory context's free-memory hook: releases the text of bound documents.
size_t RteReleaseBoundDocsText(RteMemContext* context, RteHandle spare, size_t wanted);

// The record-type registry. Codes: 0, or 768 for a type that is not registered.
constexpr uint16_t RTE_ERR_UNKNOWN_RECORD = 768;
void RteRegisterRecordType(RteEnvironment* env, int16_t type, RteRecordProc reader, RteRecordProc writer,
                           RteIoProc readIo, RteIoProc writeIo);
uint16_t RteGetRecordType(RteEnvironment* env, RteRecordHandler* entry);
uint16_t RteUnregisterRecordType(RteEnvironment* env, int16_t type);
// The locked entry of the type (the caller unlocks the registry), or null with the registry
// unlocked; index is where the type stands or would be inserted.
RteRecordHandler* RteFindRecordType(RteHandle registry, int16_t type, int32_t* index);
// The registered entries of the listed types in list order; null types: the whole registry.
RteHandle RteRecordTypeList(RteEnvironment* env, const int16_t* types, int32_t count);
void RteMakeRegistry(RteEnvironment* env);

// A reader over a body handle: the handle is locked until the caller unlocks it.
struct RteReader {
    size_t left;
    const uint8_t* current;
    const uint8_t* start;
};
void RteReaderInit(RteReader* reader, RteHandle body, size_t position);

// Characters used: an optional "-", then hexadecimal digits (0-9, A-F); 0 when no digit.
int32_t RteParseHex(const char* text, int32_t* value);
// The value of an upper-case hexadecimal digit, -1 for any other character.
int32_t RteHexDigit(char c);

// The width of a text on the port's device.
int32_t RteTextWidth(const RteDrawPort* port, const char* text, int32_t length);
