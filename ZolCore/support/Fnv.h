#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace zol {

// 64-bit FNV-1a over bytes: a stable hash that every machine computes alike,
// used where a text must map to the same bucket or colour everywhere.
constexpr std::uint64_t fnv1a64(QByteArrayView bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char byte : bytes) {
        hash ^= static_cast<std::uint8_t>(byte);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

} // namespace zol
