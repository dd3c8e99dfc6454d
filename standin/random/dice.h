// Random draws that are the same on every system: raw std::mt19937_64 output
// taken modulo a range. The standard library's distributions are free to
// differ between implementations, so a seed would give other scenes and
// other steps on Windows than on Linux.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <utility>
#include <vector>

namespace standin {

class Dice {
 public:
  explicit Dice(uint64_t seed) : rng_(seed) {}

  uint64_t Raw() { return rng_(); }
  // low to high, both included. The modulo bias is far below what a test
  // could notice with ranges this small.
  int Int(int low, int high) {
    return low + static_cast<int>(rng_() % static_cast<uint64_t>(high - low + 1));
  }
  // From 0 up to 1, 1 excluded: the top 53 bits of one draw.
  double Unit() { return static_cast<double>(rng_() >> 11) * 0x1.0p-53; }
  double Real(double low, double high) { return low + (high - low) * Unit(); }
  bool Chance(double p) { return Unit() < p; }
  template <typename T>
  const T& Pick(std::span<const T> from) {
    return from[static_cast<std::size_t>(rng_() % from.size())];
  }
  // Fisher-Yates with the draws above, as std::shuffle's draws differ
  // between implementations.
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[rng_() % i]);
  }

 private:
  std::mt19937_64 rng_;
};

// The seed of step `step` of the test numbered `test`, from the run's seed:
// each step draws from a sequence of its own, so that it draws the same
// whatever the steps before it drew.
inline uint64_t StepSeed(uint64_t seed, uint64_t test, uint64_t step) {
  // SplitMix64's finaliser spreads neighbouring inputs over the whole range.
  const auto mix = [](uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  };
  return mix(seed ^ mix((test << 48) + step + 0x9E3779B97F4A7C15ULL));
}

}  // namespace standin
