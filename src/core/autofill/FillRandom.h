#pragma once
#include <QTime>
#include <cstdint>

namespace tavrola {

// The fill's random generator: a 32-bit linear congruential sequence whose draws are
// the same on every machine, so a seed replays a fill candidate for candidate.
class FillRandom {
public:
    explicit FillRandom(std::uint32_t seed = 0) : seed_(seed) {}

    // 0..n-1 (0 when n is 0): the high 32 bits of the advanced seed times n.
    std::uint32_t Random(std::uint32_t n)
    {
        seed_ = seed_ * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(seed_) * n) >> 32);
    }

    std::uint32_t seed() const { return seed_; }

    // Moves on as `n` draws would, in a few steps: the fill skips draws that can no
    // longer place anything.
    void Skip(std::uint64_t n)
    {
        std::uint32_t mult = 1, plus = 0, curMult = 134775813u, curPlus = 1u;
        while (n > 0) {
            if (n & 1) {
                mult *= curMult;
                plus = plus * curMult + curPlus;
            }
            curPlus = (curMult + 1u) * curPlus;
            curMult *= curMult;
            n >>= 1;
        }
        seed_ = mult * seed_ + plus;
    }

private:
    std::uint32_t seed_;
};

// The seed a fill starts from: milliseconds since midnight of the given time of day.
inline std::uint32_t FillSeedFromTime(const QTime& t)
{
    return std::uint32_t(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

}  // namespace tavrola
