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

    // Three draws in a row, Random(n1), Random(n2), Random(n3), exactly as three calls
    // give them; the seeds are worked out side by side from the first, which shortens
    // the chain of multiplications that a fill's draws wait on.
    void Random3(std::uint32_t n1, std::uint32_t n2, std::uint32_t n3, std::uint32_t out[3])
    {
        constexpr std::uint32_t a = 134775813u;
        constexpr std::uint32_t a2 = a * a, c2 = a + 1u;
        constexpr std::uint32_t a3 = a2 * a, c3 = a * c2 + 1u;
        const std::uint32_t s1 = seed_ * a + 1u, s2 = seed_ * a2 + c2, s3 = seed_ * a3 + c3;
        out[0] = std::uint32_t((std::uint64_t(s1) * n1) >> 32);
        out[1] = std::uint32_t((std::uint64_t(s2) * n2) >> 32);
        out[2] = std::uint32_t((std::uint64_t(s3) * n3) >> 32);
        seed_ = s3;
    }

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
