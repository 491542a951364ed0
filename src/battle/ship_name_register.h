#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk7 {

// The own ship names of a battle file, gathered while it is read, to find the first line that
// repeats a name an earlier line had. `FirstRepeat` answers exactly as a test at every ship
// line would, but it looks at all names at once, which keeps the reading of a large battle
// linear: a name is filed with its hash and line, its bytes copied into large blocks (a
// section hook may take the model's lists away before the names are looked at).
class ShipNameRegister {
 public:
  struct Repeat {
    std::string name;
    std::uint32_t line = 0;
    bool operator==(const Repeat&) const = default;
  };

  // Room for `names` names (a hint; growing works too).
  void Reserve(std::size_t names);
  // Files a ship's own name read at `line` (lines come in rising order).
  void Add(std::string_view name, std::uint32_t line);
  // The earliest line whose name an earlier line had, among all names added; nothing when
  // there is none, or when no name was added since the last call.
  std::optional<Repeat> FirstRepeat();
  // Lets go of all names and their memory.
  void Clear();

  // The hash a name is filed under (its low 24 bits are kept; tests search names that share
  // them).
  static std::uint32_t Hash(std::string_view name);

 private:
  struct Record {
    std::uint32_t hashAndSize;  // the hash's low 24 bits above the length (at most 255)
    std::uint32_t line;
    std::uint32_t at;  // where the name's bytes begin in the blocks
  };

  std::string_view NameAt(const Record& record) const;
  std::optional<Record> EarliestRepeat() const;

  std::vector<Record> records_;
  std::size_t checked_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockUsed_ = 0;
};

}  // namespace vk7
