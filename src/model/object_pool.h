#pragma once
// Storage for drawing objects. A large drawing is tens of thousands of small
// objects created together when a file is read and freed together when the
// document is cleared; recycling their blocks by size keeps reading a drawing
// close to the cost of decoding its bytes. Blocks are reused, never given back
// to the system. Drawing objects live on the user-interface thread only, so
// the pool takes no locks. Sanitizer builds give drawing objects the global
// heap instead, so that every object's lifetime stays checked there.

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define GYR_POOL_OBJECTS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GYR_POOL_OBJECTS 0
#endif
#endif
#ifndef GYR_POOL_OBJECTS
#define GYR_POOL_OBJECTS 1
#endif

namespace gyr {

void* PoolAllocate(std::size_t size);
void PoolFree(void* p, std::size_t size) noexcept;

}  // namespace gyr
