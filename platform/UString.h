#pragma once
// The program's string: UTF-16 code units, because lengths, cuts and byte slots of the files
// are counted in them. UTF-8 appears only at files and at the Qt boundary.
#include <cstdint>
#include <string>
#include <string_view>

using String = std::u16string;
using Char = char16_t;

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
String Utf8ToString(std::string_view s);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string StringToUtf8(std::u16string_view s);
// Convenience for literals and tests: u"" literals are preferred in code.
inline String S(std::string_view utf8) { return Utf8ToString(utf8); }
