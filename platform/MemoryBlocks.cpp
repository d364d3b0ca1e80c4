#include "platform/MemoryBlocks.h"

#include <sys/mman.h>

#include <new>

void* AllocatePresentBlock(size_t Bytes) {
  void* p = mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  return p;
}

void FreePresentBlock(void* Block, size_t Bytes) {
  if (Block) munmap(Block, Bytes);
}
