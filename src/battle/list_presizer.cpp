#include "battle/list_presizer.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "battle/battle_words.h"
#include "battle/string_helpers.h"

namespace vk7 {

namespace {

// Files from this size on are counted ahead.
constexpr std::uint64_t kCountFrom = std::uint64_t{1} << 20;
// Without a count the file's size predicts the ships: a named ship takes a line of 25
// characters at the least and about 45 as the editor writes it.
constexpr std::uint64_t kBytesPerShip = 40;

// A reservation is only a hint: one that cannot be had is left to the reading itself.
template <typename T>
void ReserveQuietly(std::vector<T>& list, std::size_t extra) {
  try {
    list.reserve(list.size() + extra);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

// A line that begins with the keyword followed by a blank or "=" (the count need not be
// exact, only quick).
inline bool Starts(std::string_view text, Keyword keyword) {
  const std::string_view word = Word(keyword);
  return text.size() > word.size() && text.substr(0, word.size()) == word &&
         (IsBlank(text[word.size()]) || text[word.size()] == '=');
}

}  // namespace

void ListPresizer::Count(TextLineFile& source) {
  ships_ = {};
  dialogs_ = {};
  escorts_ = 0;
  if (source.SizeHint() < kCountFrom || !source.Rewind()) return;
  std::size_t system = 0;  // systems begun so far
  std::string_view line;
  while (source.ReadLine(line)) {
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) continue;
    const std::string_view text = line.substr(first);
    // The lines are told apart by their first letter: this pass reads every line.
    static_assert(Word(Keyword::Escort)[0] == Word(Keyword::Enemy)[0]);
    static_assert(kResidentRoles[0] == ShipRole::Friend && kResidentRoles[3] == ShipRole::Hulk);
    std::optional<std::size_t> list;  // the ship list of the line, as an index into kResidentRoles
    switch (text[0]) {
      case Word(Keyword::Friend)[0]:
        if (Starts(text, Keyword::Friend)) list = 0;
        break;
      case Word(Keyword::Enemy)[0]:
        if (Starts(text, Keyword::Enemy)) list = 1;
        if (Starts(text, Keyword::Escort)) ++escorts_;
        break;
      case Word(Keyword::Neutral)[0]:
        if (Starts(text, Keyword::Neutral)) list = 2;
        break;
      case Word(Keyword::Hulk)[0]:
        if (Starts(text, Keyword::Hulk)) list = 3;
        break;
      case Word(Keyword::System)[0]:
        if (Starts(text, Keyword::System)) ++system;
        break;
      default:
        break;
    }
    if (system == 0 || system > kMaxSystems) continue;
    if (list) {
      ++ships_[system - 1][*list];
    } else if (text.find(kDialogKeywordEnding) != std::string_view::npos) {
      // Every dialog line passes; the rare other lines get here too.
      std::size_t end = 0;
      while (end < text.size() && !IsBlank(text[end]) && text[end] != '=') ++end;
      const auto keyword = FindKeyword(text.substr(0, end));
      if (keyword && IsDialogKeyword(*keyword)) {
        ++dialogs_[system - 1][static_cast<std::size_t>(EventOf(*keyword))];
      }
    }
  }
  source.Rewind();
}

std::uint64_t ListPresizer::ExpectedShips(const TextLineFile& source) const {
  std::uint64_t ships = 0;
  for (const auto& counts : ships_) {
    for (const std::uint32_t n : counts) ships += n;
  }
  if (ships == 0) return source.SizeHint() / kBytesPerShip;
  return ships + escorts_ + 1;
}

void ListPresizer::SizeEscorts(std::vector<ShipEntry>& escorts) const {
  ReserveQuietly(escorts, escorts_);
}

void ListPresizer::SizeSystem(StarSystem& system, std::size_t index) {
  for (std::size_t r = 0; r < kResidentRoles.size(); ++r) {
    system.Ships(kResidentRoles[r]).swap(spareShips_[r]);
  }
  for (std::size_t e = 0; e < kDialogEventCount; ++e) system.dialogs[e].swap(spareDialogs_[e]);
  for (std::size_t r = 0; r < kResidentRoles.size(); ++r) {
    ReserveQuietly(system.Ships(kResidentRoles[r]), ships_[index][r]);
  }
  for (std::size_t e = 0; e < kDialogEventCount; ++e) {
    ReserveQuietly(system.dialogs[e], dialogs_[index][e]);
  }
}

void ListPresizer::TakeEmptied(StarSystem& system) {
  for (std::size_t r = 0; r < kResidentRoles.size(); ++r) {
    auto& list = system.Ships(kResidentRoles[r]);
    if (list.empty() && list.capacity() > spareShips_[r].capacity()) list.swap(spareShips_[r]);
  }
  for (std::size_t e = 0; e < kDialogEventCount; ++e) {
    auto& list = system.dialogs[e];
    if (list.empty() && list.capacity() > spareDialogs_[e].capacity()) {
      list.swap(spareDialogs_[e]);
    }
  }
}

void ListPresizer::Clear() {
  ships_ = {};
  dialogs_ = {};
  escorts_ = 0;
  spareShips_ = {};
  spareDialogs_ = {};
}

}  // namespace vk7
