// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <vector>

// A small random source whose sequence depends on the seed alone (xoshiro256**
// seeded through splitmix64), so a generated database is the same on every
// machine and every library version; the standard distributions are not.
class SeededRandom {
  public:
    explicit SeededRandom(quint64 seed) {
        quint64 x = seed;
        for (auto& word : state_) {
            x += 0x9e3779b97f4a7c15ULL;
            quint64 z = x;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            word = z ^ (z >> 31);
        }
    }

    quint64 next() {
        const quint64 result = rotl(state_[1] * 5, 7) * 9;
        const quint64 t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotl(state_[3], 45);
        return result;
    }

    // 0 <= value < n; n must be positive. The multiply-shift keeps it unbiased
    // enough for test data and costs no division.
    qint64 below(qint64 n) {
        return qint64((static_cast<unsigned __int128>(next()) * quint64(n)) >> 64);
    }

    // lower <= value <= upper.
    qint64 between(qint64 lower, qint64 upper) { return lower + below(upper - lower + 1); }

    // True in about permille out of 1000 calls.
    bool chance(int permille) { return below(1000) < permille; }

    // An index that favours the front of a list ordered from common to rare.
    qint64 skewed(qint64 n) {
        const qint64 a = below(n);
        const qint64 b = below(n);
        return a < b ? a : b;
    }

    template <typename T> const T& pick(const std::vector<T>& items) {
        return items[std::size_t(below(qint64(items.size())))];
    }

  private:
    static quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }

    quint64 state_[4];
};
