#pragma once
// pugixml used directly, as the peer of the program's own reading of its XML files in
// benchmarks.
#include <cstddef>

#include "platform/UString.h"

// Loads Path with pugixml's own file reader and visits every element and attribute. Returns the
// sum of their name and value lengths, so nothing is optimised away; 0 when it cannot be read.
size_t ReadXmlWithPugi(const String& Path);
