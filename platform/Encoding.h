#pragma once
// Text encodings of the files the program reads and writes: UTF-8, UTF-16 with byte order
// marks, the "ANSI" code page (Windows-1252) and the "OEM" code page (850), both by fixed tables
// so the result does not depend on the machine's locale.
#include "platform/UString.h"

#include <string>
#include <string_view>
#include <vector>

enum TTextEncoding {
  teAnsi,     // Windows-1252
  teUTF8,     // no byte order mark
  teUTF8BOM,  // EF BB BF first
  teUTF16LE,  // FF FE first
  teUTF16BE,  // FE FF first
  teOEM       // code page 850
};

// Decodes a whole file's bytes. A byte order mark (UTF-8, UTF-16LE, UTF-16BE) decides and is
// dropped; without one, DecodeUtf8OrAnsi decides. `detected` receives teUTF8BOM, teUTF16LE,
// teUTF16BE, teUTF8 or teAnsi. An odd last byte of UTF-16 text becomes U+FFFD rather than vanishing.
String DecodeText(std::string_view bytes, TTextEncoding* detected = nullptr);

// UTF-16 bytes without a byte order mark, in the order given; an odd last byte becomes U+FFFD.
String DecodeUtf16(std::string_view bytes, bool bigEndian);

// Bytes without a byte order mark: UTF-8 when IsMostlyUtf8 (each malformed sequence becomes
// U+FFFD), otherwise Windows-1252. `detected` receives teUTF8 or teAnsi.
String DecodeUtf8OrAnsi(std::string_view bytes, TTextEncoding* detected = nullptr);

// Whether bytes are UTF-8 text rather than the ANSI code page. Valid UTF-8 is. So is text holding
// well-formed multi-byte sequences at least as many as malformed ones, so that one stray sequence
// does not turn a UTF-8 file's every other accent into two ANSI letters; ANSI text with accents
// almost never holds a well-formed sequence. A surrogate written as three bytes (as UTF-16
// converters without a check write a lone one) counts as well-formed here and reads as U+FFFD.
// Text with malformed sequences and no well-formed one is ANSI.
bool IsMostlyUtf8(std::string_view bytes);

// Length of the well-formed (strict) UTF-8 sequence starting at bytes[at]: 1 for ASCII, 2 to 4
// for a multi-byte sequence, 0 when none starts there or `at` is past the end.
size_t Utf8SequenceLength(std::string_view bytes, size_t at);

// Encodes text; teUTF8BOM, teUTF16LE and teUTF16BE start with their byte order mark.
// Characters that a single-byte code page lacks become '?' (one per code point).
std::string EncodeText(const String& text, TTextEncoding encoding);

// Windows-1252: the full table including 0x80-0x9F; the five bytes the code page leaves
// undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the C1 controls of the same value, as the system does.
String Win1252ToString(std::string_view bytes);
std::string StringToWin1252(const String& text);

// Code page 850 (the "OEM" page; the pair behaves as CharToOem / OemToChar).
String Cp850ToString(std::string_view bytes);
std::string StringToCp850(const String& text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequences.
bool IsValidUtf8(std::string_view bytes);

// Reads a text file with DecodeText; raises EFOpenError (platform/Classes.h) when it cannot be read.
String ReadTextFile(const String& path, TTextEncoding* detected = nullptr);

// Splits at CR LF, LF or CR. A line break at the very end does not start another line, so
// "a\r\nb\r\n" and "a\r\nb" both give {"a", "b"}; "" gives no lines.
std::vector<String> SplitLines(const String& text);
