#pragma once
#include <cstdint>

// Identity for a new record: tick count times a pseudo-random number, 32-bit wrap-around.
// Two records may share an id; lookups then find the first.
std::int32_t MakeNodeId();
std::int32_t MakeNodeId(std::uint32_t tick, std::uint32_t random);
