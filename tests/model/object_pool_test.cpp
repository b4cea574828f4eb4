// The object pool hands out distinct blocks, recycles a freed block for the
// next request of its size class only, and passes large requests through.

#include "model/object_pool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

namespace gyr {
namespace {

TEST(ObjectPoolTest, RecyclesBySizeClassAndKeepsBlocksApart) {
    std::vector<void*> blocks;
    std::set<void*> distinct;
    for (int i = 0; i < 5000; ++i) {  // several slabs
        void* p = PoolAllocate(136);
        std::memset(p, 0xAB, 136);  // the whole block is usable
        blocks.push_back(p);
        distinct.insert(p);
    }
    EXPECT_EQ(distinct.size(), blocks.size());
    void* last = blocks.back();
    PoolFree(last, 136);
    // Another class does not take it; the same class gets it back.
    void* other = PoolAllocate(40);
    EXPECT_NE(other, last);
    EXPECT_EQ(PoolAllocate(130), last);  // 130 and 136 round to the same class
    PoolFree(other, 40);
    for (void* p : blocks) PoolFree(p, 136);

    void* big = PoolAllocate(4096);  // beyond the pooled sizes
    std::memset(big, 0, 4096);
    PoolFree(big, 4096);
    PoolFree(nullptr, 64);
}

}  // namespace
}  // namespace gyr
