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

Host* FindHost() {
    return g_host;
}

bool IsKeyHeld(int key) {
    return g_host && g_host->IsKeyDown(key);
}

void SetHost(Host* host) {
    g_host = host;
}

}  // namespace gyr
