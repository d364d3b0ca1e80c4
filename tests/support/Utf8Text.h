#pragma once
// UTF-8 of a string, for comparisons and failure messages that read as text.
#include <string>

#include "platform/UString.h"

inline std::string Utf8(const String& s) { return StringToUtf8(s); }
