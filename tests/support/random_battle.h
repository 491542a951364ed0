#pragma once

#include <cstdint>

#include "battle/battle_config.h"

namespace vk7::test {

// A small generator of its own (splitmix64), so that a seed makes the same battle with every
// compiler and standard library.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();
  // Uniform in [0, n); n must not be 0.
  std::uint32_t Below(std::uint32_t n);
  // Uniform in [lo, hi], both included.
  std::int32_t Between(std::int32_t lo, std::int32_t hi);
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }

 private:
  std::uint64_t state_;
};

// A random battle that a written file reads back to exactly: every limit is kept (at most six
// systems, title 50, speaker 40, texts 200, lines 255 characters), explicit ship names and
// system names (case ignored) are unique, no value holds "#" or "//", begins or ends with a
// blank or a double quote, or begins with "=", speakers hold no ":", voice files no "]",
// values whose flag is down keep their defaults, a statistic-mode system obeys its rules and
// the friends never both warp out and join the escort. The remarks begin with the editor's
// own remark; the name is left empty.
BattleConfig RandomBattle(std::uint64_t seed);

}  // namespace vk7::test
