// Length-prefixed strings (one length byte, no terminator), the form of font names in style
// records, to and from C strings.
#pragma once

// In place: the characters move up one byte over the terminator and the length, truncated to
// 8 bits, goes first. The buffer needs no more room than the C string had.
void RteCToPascal(char* buffer);
// out receives the characters and a terminator: it needs the length byte's value plus one.
void RtePascalToC(char* out, const char* pascal);
