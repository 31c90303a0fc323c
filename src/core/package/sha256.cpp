#include "core/package/sha256.h"

#include "core/base/parallel.h"

#include <array>
#include <cstdio>

#if defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>
#define VIREO_SHA_EXTENSIONS 1
#endif

namespace vireo::package {

namespace {

constexpr std::array<std::uint32_t, 64> kRounds = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

std::uint32_t rotate(std::uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

void compress(std::array<std::uint32_t, 8>& state, const std::uint8_t* block) {
    std::array<std::uint32_t, 64> w{};
    for (int i = 0; i < 16; ++i)
        w[i] = std::uint32_t(block[4 * i]) << 24 | std::uint32_t(block[4 * i + 1]) << 16 |
               std::uint32_t(block[4 * i + 2]) << 8 | std::uint32_t(block[4 * i + 3]);
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = rotate(w[i - 15], 7) ^ rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = rotate(w[i - 2], 17) ^ rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t s1 = rotate(e, 6) ^ rotate(e, 11) ^ rotate(e, 25);
        const std::uint32_t choice = (e & f) ^ (~e & g);
        const std::uint32_t t1 = h + s1 + choice + kRounds[i] + w[i];
        const std::uint32_t s0 = rotate(a, 2) ^ rotate(a, 13) ^ rotate(a, 22);
        const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        const std::uint32_t t2 = s0 + majority;
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
}

#if VIREO_SHA_EXTENSIONS
// The processor's own SHA-256 rounds, several times faster than the
// portable ones: a package's originals are tens of megabytes.
bool hasShaExtensions() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const bool ssse3 = c & (1u << 9), sse41 = c & (1u << 19);
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    return ssse3 && sse41 && (b & (1u << 29));
}

__attribute__((target("sha,sse4.1,ssse3"))) void compressBlocks(std::array<std::uint32_t, 8>& state,
                                                                const std::uint8_t* data,
                                                                std::size_t blocks) {
    const __m128i byteOrder = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
    __m128i swapped = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[0]));
    __m128i state1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[4]));
    swapped = _mm_shuffle_epi32(swapped, 0xB1);            // CDAB
    state1 = _mm_shuffle_epi32(state1, 0x1B);              // EFGH
    __m128i state0 = _mm_alignr_epi8(swapped, state1, 8);  // ABEF
    state1 = _mm_blend_epi16(state1, swapped, 0xF0);       // CDGH
    for (; blocks > 0; --blocks, data += 64) {
        const __m128i abef = state0, cdgh = state1;
        __m128i w[4];
        for (int group = 0; group < 16; ++group) {
            __m128i message;
            if (group < 4) {
                message = _mm_shuffle_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * group)),
                    byteOrder);
            } else {
                const __m128i& w4 = w[group % 4];
                const __m128i& w3 = w[(group + 1) % 4];
                const __m128i& w2 = w[(group + 2) % 4];
                const __m128i& w1 = w[(group + 3) % 4];
                message = _mm_sha256msg2_epu32(
                    _mm_add_epi32(_mm_sha256msg1_epu32(w4, w3), _mm_alignr_epi8(w1, w2, 4)), w1);
            }
            w[group % 4] = message;
            __m128i rounds = _mm_add_epi32(
                message, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kRounds[4 * group])));
            state1 = _mm_sha256rnds2_epu32(state1, state0, rounds);
            rounds = _mm_shuffle_epi32(rounds, 0x0E);
            state0 = _mm_sha256rnds2_epu32(state0, state1, rounds);
        }
        state0 = _mm_add_epi32(state0, abef);
        state1 = _mm_add_epi32(state1, cdgh);
    }
    swapped = _mm_shuffle_epi32(state0, 0x1B);        // FEBA
    state1 = _mm_shuffle_epi32(state1, 0xB1);         // DCHG
    state0 = _mm_blend_epi16(swapped, state1, 0xF0);  // DCBA
    state1 = _mm_alignr_epi8(state1, swapped, 8);     // HGFE
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[0]), state0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[4]), state1);
}
#endif

}  // namespace

std::string sha256Hex(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint32_t, 8> state = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                          0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::size_t whole = size / 64 * 64;
#if VIREO_SHA_EXTENSIONS
    static const bool extensions = hasShaExtensions();
    if (extensions)
        compressBlocks(state, data, whole / 64);
    else
#endif
        for (std::size_t at = 0; at < whole; at += 64) compress(state, data + at);
    // The tail, the 0x80 marker and the length in bits fill one or two blocks.
    std::array<std::uint8_t, 128> tail{};
    const std::size_t rest = size - whole;
    for (std::size_t i = 0; i < rest; ++i) tail[i] = data[whole + i];
    tail[rest] = 0x80;
    const std::size_t blocks = rest + 9 > 64 ? 2 : 1;
    const std::uint64_t bits = static_cast<std::uint64_t>(size) * 8;
    for (int i = 0; i < 8; ++i)
        tail[blocks * 64 - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
    for (std::size_t i = 0; i < blocks; ++i) compress(state, tail.data() + 64 * i);
    std::string hex;
    char digits[9];
    for (const std::uint32_t word : state) {
        std::snprintf(digits, sizeof digits, "%08x", word);
        hex += digits;
    }
    return hex;
}

std::vector<std::string> sha256HexOfEach(const std::vector<const Bytes*>& blocks) {
    std::vector<std::string> digests(blocks.size());
    forEachInParallel(blocks.size(), [&](std::size_t i) {
        digests[i] = sha256Hex(blocks[i]->data(), blocks[i]->size());
    });
    return digests;
}

}  // namespace vireo::package
