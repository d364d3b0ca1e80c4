#pragma once
// Memory for blocks that are filled at once (many small records carved from one block): the
// block's pages are made present in one system call instead of one page fault each.
#include <cstddef>

void* AllocatePresentBlock(size_t Bytes);  // never null: raises std::bad_alloc
void FreePresentBlock(void* Block, size_t Bytes);
