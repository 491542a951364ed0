#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace vk7 {

// An open-addressing table of 32-bit ids under hashes the caller computes; the caller also
// says which stored id equals the one looked for. The keys themselves live elsewhere (a
// model list, a file), so a slot is 8 bytes and growing never touches a key: it rehashes
// from the stored hashes. Kept at most 3/4 full. The top bits of a hash choose its slot, so
// ids inserted in the order of their hashes fill the table front to back (see InsertAll).
class HashSlots {
 public:
  // Room for `count` ids before the table grows.
  void Reserve(std::size_t count) {
    std::size_t capacity = 16;
    while (capacity / 4 * 3 < count) capacity *= 2;
    if (capacity > slots_.size()) Rehash(capacity);
  }

  template <typename Same>
  std::optional<std::uint32_t> Find(std::uint32_t hash, Same&& same) const {
    if (slots_.empty()) return std::nullopt;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Home(hash);; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.idPlusOne == 0) return std::nullopt;
      if (slot.hash == hash && same(slot.idPlusOne - 1)) return slot.idPlusOne - 1;
    }
  }

  // Inserts ids firstId, firstId + 1, ... under `hashes`, keeping the first of equal ones
  // (`same(a, b)` tells whether two ids are equal),
  // as inserting them one by one would. They go in grouped by the region of the table their
  // hashes choose, in order within a group, so each region is filled while it is in the
  // cache: one by one, a large table costs a cache miss per id.
  template <typename Same>
  void InsertAll(const std::vector<std::uint32_t>& hashes, std::uint32_t firstId, Same&& same) {
    Reserve(count_ + hashes.size());
    int bits = 0;
    while ((slots_.size() >> bits) > 4096) ++bits;
    const auto group = [&](std::uint32_t hash) {
      return bits == 0 ? std::size_t{0} : static_cast<std::size_t>(hash >> (32 - bits));
    };
    std::vector<std::uint32_t> next((std::size_t{1} << bits) + 1, 0);
    for (const std::uint32_t hash : hashes) ++next[group(hash) + 1];
    for (std::size_t g = 1; g < next.size(); ++g) next[g] += next[g - 1];
    struct Pending {
      std::uint32_t hash;
      std::uint32_t id;
    };
    std::vector<Pending> order(hashes.size());
    for (std::size_t k = 0; k < hashes.size(); ++k) {
      order[next[group(hashes[k])]++] = Pending{hashes[k], firstId + static_cast<std::uint32_t>(k)};
    }
    for (const Pending& entry : order) {
      Insert(entry.hash, entry.id, [&](std::uint32_t other) { return same(other, entry.id); });
    }
  }

  static std::uint32_t Hash(std::string_view text) {
    const std::size_t h = std::hash<std::string_view>{}(text);
    return static_cast<std::uint32_t>(h ^ (static_cast<std::uint64_t>(h) >> 32));
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t idPlusOne = 0;  // 0: empty
  };

  // Stores `id` unless `same` accepts an id stored under `hash`; the table has room (Reserve).
  template <typename Same>
  void Insert(std::uint32_t hash, std::uint32_t id, Same&& same) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Home(hash);; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.idPlusOne == 0) {
        slot = Slot{hash, id + 1};
        ++count_;
        return;
      }
      if (slot.hash == hash && same(slot.idPlusOne - 1)) return;
    }
  }

  std::size_t Home(std::uint32_t hash) const { return static_cast<std::size_t>(hash) >> shift_; }

  void Rehash(std::size_t capacity) {
    std::vector<Slot> old(capacity);
    old.swap(slots_);
    shift_ = 32;
    while ((std::size_t{1} << (32 - shift_)) < capacity) --shift_;
    const std::size_t mask = capacity - 1;
    for (const Slot& slot : old) {
      if (slot.idPlusOne == 0) continue;
      std::size_t i = Home(slot.hash);
      while (slots_[i].idPlusOne != 0) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
  int shift_ = 32;
};

// The hash of `text` with ASCII letters taken in lower case, for lookups that ignore case.
inline std::uint32_t HashIgnoringCase(std::string_view text) {
  std::array<char, 512> lower;
  if (text.size() > lower.size()) return HashIgnoringCase(text.substr(0, lower.size()));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return HashSlots::Hash(std::string_view(lower.data(), text.size()));
}

}  // namespace vk7
