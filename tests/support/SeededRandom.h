#pragma once

#include <cstdint>

namespace tessel::test {

// The same numbers from the same seed on every compiler and platform, so that
// a driver built natively and one built for Windows run the same sequence.
// `stream` keeps two drivers with equal seeds on different sequences.
class SeededRandom
{
public:
    explicit SeededRandom(std::uint64_t seed, std::uint64_t stream = 1)
        : state_(seed * 0x9E3779B97F4A7C15ull + stream)
    {
    }
    std::uint32_t Below(std::uint32_t n)
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ % n);
    }

private:
    std::uint64_t state_;
};

} // namespace tessel::test
