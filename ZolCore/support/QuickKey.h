#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <cstring>

namespace zol {

// A key of bytes for the hash tables of a bulk read (hundreds of thousands of
// short texts: session ids, client names), hashed eight bytes at a time.
// Qt's own hash of a byte view runs over every byte through a hash made to
// withstand chosen inputs, a fifth of such a read; this one is mixed with
// the table's seed, which is random per process, so a file cannot be made to
// collide on every computer alike. The key views the bytes; they must last
// as long as it is in a table.
struct QuickKey
{
    QByteArrayView bytes;

    QuickKey() = default;
    explicit QuickKey(QByteArrayView b)
        : bytes(b)
    {}
    // A text's UTF-16 code units, as bytes.
    explicit QuickKey(const QString& text)
        : bytes(reinterpret_cast<const char*>(text.constData()), text.size() * 2)
    {}

    friend bool operator==(QuickKey a, QuickKey b)
    {
        return a.bytes.size() == b.bytes.size() &&
               (a.bytes.isEmpty() ||
                std::memcmp(a.bytes.data(), b.bytes.data(), size_t(a.bytes.size())) == 0);
    }
};

inline size_t qHash(QuickKey key, size_t seed = 0) noexcept
{
    // Multiply and fold over 64-bit words (the final mix of a well-known
    // 64-bit hash after each), the length and the seed folded in first.
    constexpr std::uint64_t multiplier = 0x9e3779b97f4a7c15ULL;
    const auto mix = [](std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return h;
    };
    std::uint64_t h = mix(std::uint64_t(seed) ^ (std::uint64_t(key.bytes.size()) * multiplier));
    const char* at = key.bytes.data();
    qsizetype left = key.bytes.size();
    for (; left >= 8; left -= 8, at += 8) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        h = mix(h ^ (word * multiplier));
    }
    if (left > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, at, size_t(left));
        h = mix(h ^ (word * multiplier));
    }
    return size_t(h);
}

} // namespace zol
