#include "platform/node_id.h"

#include "platform/clock.h"

#include <cstdlib>

std::int32_t MakeNodeId(std::uint32_t tick, std::uint32_t random) {
    return static_cast<std::int32_t>(tick * random); // unsigned product wraps at 32 bits
}

std::int32_t MakeNodeId() {
    return MakeNodeId(GetTickCount(), static_cast<std::uint32_t>(std::rand()));
}
