#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_config.h"

namespace vk7 {

// The own ship names of a battle file, gathered while it is read, to find the first line that
// repeats a name an earlier line had. `FirstRepeat` answers exactly as a test at every ship
// line would, but it looks at all names at once, which keeps the reading of a large battle
// linear and its memory small: a name is filed with its hash and line only, and is read back
// from where it stays (the source bytes, the model, or a copy of the register's own).
class ShipNameRegister {
 public:
  struct Repeat {
    std::string name;
    std::uint32_t line = 0;
    bool operator==(const Repeat&) const = default;
  };

  // Where the names stay until the last FirstRepeat; one of these starts a new register.
  // Copies of their own: for a source that goes away and a model whose lists are taken.
  void KeepCopies();
  // Views into `bytes`, which stay put and unchanged (every name added must lie there, within
  // the first 4 GiB).
  void KeepViewsInto(const char* bytes);
  // The ships of `config`, which keeps them (names added must be the name of the ship added
  // at `where`, at `index` of its list; lists only grow meanwhile).
  void KeepInModel(const BattleConfig& config);

  // Room for `names` names (a hint; growing works too).
  void Reserve(std::size_t names);
  // Files a ship's own name read at `line` (lines come in rising order).
  void Add(std::string_view name, std::uint32_t line, ShipLocation where, std::size_t index);
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
    std::uint32_t ref;  // where the name stays, as the storage reads it
  };
  enum class Storage { Copies, Views, Model };

  std::string_view NameAt(const Record& record) const;
  std::optional<Record> EarliestRepeat() const;

  Storage storage_ = Storage::Copies;
  const char* bytes_ = nullptr;
  const BattleConfig* config_ = nullptr;
  std::vector<Record> records_;
  std::size_t checked_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t blockUsed_ = 0;
};

}  // namespace vk7
