#pragma once
// Randomness reaches the logic through a RandomSource: the program seeds it
// from the system clock, tests fix the seed or script the draws.
#include <cstdint>
#include <random>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform integer in [lo, hi], both ends included. Requires lo <= hi.
    virtual int uniform(int lo, int hi) = 0;
};

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}
    int uniform(int lo, int hi) override
    {
        return std::uniform_int_distribution<int>(lo, hi)(m_engine);
    }

private:
    std::mt19937_64 m_engine;
};
