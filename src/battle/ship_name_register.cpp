#include "battle/ship_name_register.h"

#include <cstring>
#include <new>
#include <span>

#include "battle/battle_config.h"
#include "battle/hash_slots.h"

namespace vk7 {

namespace {

// Below the allocator's default threshold for mapping memory of its own: freeing mapped blocks
// raises that threshold and made the allocations of later work (catalogs read after a battle)
// several times slower.
constexpr std::size_t kBlockSize = std::size_t{1} << 16;
// Names are kept with their length in eight bits; battle lines are no longer than 255.
static_assert(kMaxBattleLine <= 255);
// Tables of this many names at most stay within the cache while they are searched.
constexpr std::size_t kBucketNames = 1024;

}  // namespace

std::uint32_t ShipNameRegister::Hash(std::string_view name) {
  return HashSlots::Hash(name);
}

void ShipNameRegister::Reserve(std::size_t names) {
  // Only a hint: a reservation that cannot be had is left to the adding itself.
  try {
    records_.reserve(names);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

void ShipNameRegister::Clear() {
  records_.clear();
  records_.shrink_to_fit();
  blocks_.clear();
  blocks_.shrink_to_fit();
  blockUsed_ = 0;
  checked_ = 0;
}

void ShipNameRegister::Add(std::string_view name, std::uint32_t line) {
  if (blocks_.empty() || blockUsed_ + name.size() > kBlockSize) {
    if (blocks_.size() >= UINT32_MAX / kBlockSize) throw std::bad_alloc();
    blocks_.push_back(std::unique_ptr<char[]>(new char[kBlockSize]));
    blockUsed_ = 0;
  }
  std::memcpy(blocks_.back().get() + blockUsed_, name.data(), name.size());
  const auto at = static_cast<std::uint32_t>((blocks_.size() - 1) * kBlockSize + blockUsed_);
  blockUsed_ += name.size();
  const std::uint32_t hash = (Hash(name) << 8) | static_cast<std::uint32_t>(name.size());
  records_.push_back(Record{hash, line, at});
}

std::string_view ShipNameRegister::NameAt(const Record& record) const {
  return std::string_view(blocks_[record.at / kBlockSize].get() + record.at % kBlockSize,
                          record.hashAndSize & 0xFF);
}

std::optional<ShipNameRegister::Repeat> ShipNameRegister::FirstRepeat() {
  if (checked_ == records_.size()) return std::nullopt;
  checked_ = records_.size();
  const std::optional<Record> repeat = EarliestRepeat();
  if (!repeat) return std::nullopt;
  return Repeat{std::string(NameAt(*repeat)), repeat->line};
}

// The records go into buckets by the top bits of their hash, each keeping file order; within
// a bucket the first repeat is the bucket's earliest, and the earliest over all buckets wins.
// A bucket is searched in a table that fits the cache, as a single table of all names would
// cost a cache miss per ship.
std::optional<ShipNameRegister::Record> ShipNameRegister::EarliestRepeat() const {
  const std::size_t n = records_.size();
  int bits = 0;
  while (bits < 16 && (n >> bits) > kBucketNames) ++bits;
  const std::size_t buckets = std::size_t{1} << bits;
  const auto bucketOf = [&](const Record& r) {
    return bits == 0 ? 0 : static_cast<std::size_t>(r.hashAndSize >> (32 - bits));
  };
  std::vector<std::uint32_t> starts(buckets + 1, 0);
  for (const Record& r : records_) ++starts[bucketOf(r) + 1];
  for (std::size_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  // Left uninitialised: every record is written below.
  const std::unique_ptr<Record[]> sorted(new Record[n]);
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (const Record& r : records_) sorted[next[bucketOf(r)]++] = r;
  }
  std::optional<Record> repeat;
  struct Slot {
    std::uint32_t hash;
    std::uint32_t at;  // position in the bucket plus one; 0: empty
  };
  std::vector<Slot> table;
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::span<const Record> bucket(sorted.get() + starts[b], starts[b + 1] - starts[b]);
    if (bucket.size() < 2) continue;
    int capacityBits = 2;
    while ((std::size_t{1} << capacityBits) < 2 * bucket.size()) ++capacityBits;
    table.assign(std::size_t{1} << capacityBits, Slot{0, 0});
    const std::size_t mask = table.size() - 1;
    for (std::size_t k = 0; k < bucket.size(); ++k) {
      const Record& r = bucket[k];
      if (repeat && r.line >= repeat->line) break;
      // Mixed, as the top bits chose the bucket and the low ones hold the length.
      std::size_t i = (r.hashAndSize * 0x9E3779B1u) >> (32 - capacityBits);
      for (; table[i].at != 0; i = (i + 1) & mask) {
        if (table[i].hash == r.hashAndSize && NameAt(bucket[table[i].at - 1]) == NameAt(r)) break;
      }
      if (table[i].at != 0) {
        repeat = r;
        break;
      }
      table[i] = Slot{r.hashAndSize, static_cast<std::uint32_t>(k + 1)};
    }
  }
  return repeat;
}

}  // namespace vk7
