#pragma once
// Where a caption stands against its picture, shared by the drop-downs' item lists and key panels.
#include <cstdint>

enum TItemLayout : uint8_t { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };
