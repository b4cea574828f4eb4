#include "port/host.h"

#include <cassert>

namespace gyr {

namespace {
Host* g_host = nullptr;
}

Host& GetHost() {
    assert(g_host && "no Host installed");
    return *g_host;
}

Host* FindHost() { return g_host; }

void SetHost(Host* host) { g_host = host; }

}  // namespace gyr
