#include "model/object_pool.h"

#include <new>

namespace gyr {

namespace {

constexpr std::size_t kGrain = 16;
constexpr std::size_t kMaxPooled = 512;
constexpr std::size_t kClasses = kMaxPooled / kGrain;
constexpr std::size_t kSlabBytes = 256 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    FreeBlock* free[kClasses] = {};
    // The unused tail of the newest slab of each size class.
    char* tail[kClasses] = {};
    std::size_t tailLeft[kClasses] = {};
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

std::size_t ClassOf(std::size_t size) {
    return (size + kGrain - 1) / kGrain - 1;
}

}  // namespace

void* PoolAllocate(std::size_t size) {
    if (size == 0 || size > kMaxPooled) return ::operator new(size);
    Pool& pool = ThePool();
    std::size_t c = ClassOf(size);
    if (FreeBlock* b = pool.free[c]) {
        pool.free[c] = b->next;
        return b;
    }
    std::size_t block = (c + 1) * kGrain;
    if (pool.tailLeft[c] < block) {
        pool.tail[c] = static_cast<char*>(::operator new(kSlabBytes));
        pool.tailLeft[c] = kSlabBytes;
    }
    void* p = pool.tail[c];
    pool.tail[c] += block;
    pool.tailLeft[c] -= block;
    return p;
}

void PoolFree(void* p, std::size_t size) noexcept {
    if (!p) return;
    if (size == 0 || size > kMaxPooled) {
        ::operator delete(p);
        return;
    }
    Pool& pool = ThePool();
    std::size_t c = ClassOf(size);
    auto* b = static_cast<FreeBlock*>(p);
    b->next = pool.free[c];
    pool.free[c] = b;
}

}  // namespace gyr
