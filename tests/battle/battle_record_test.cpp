#include "battle/battle_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

namespace vk7 {
namespace {

// Values a save refuses or shortens, and the bytes an escape must get right.
std::string Text(std::mt19937& random) {
  static const std::string kPieces[] = {
      "Patrol", "\"", "//",   "\\",   "\\x41", std::string(1, '\0'),
      "\r\n",   "\t", "\x7F", "\xE9", " ",     std::string(300, 'W')};
  std::string text;
  for (auto n = random() % 4; n > 0; --n) text += kPieces[random() % std::size(kPieces)];
  return text;
}

std::int32_t Number(std::mt19937& random) {
  using Limits = std::numeric_limits<std::int32_t>;
  static const std::int32_t kNumbers[] = {0, -1, 7, 99999, Limits::min(), Limits::max()};
  return kNumbers[random() % std::size(kNumbers)];
}

template <class T>
T& Any(std::mt19937& random, std::vector<T>& items) {
  if (items.empty() || random() % 4 == 0) items.emplace_back();
  return items[random() % items.size()];
}

// One edit as a page makes it, reaching every value through the model's own accessors.
void EditSystem(std::mt19937& random, StarSystem& system) {
  const auto role = kPositionRoles[random() % kPositionRoles.size()];
  const auto flip = [&random](bool& flag) { flag = random() % 2 == 0; };
  switch (random() % 9) {
    case 0: {
      auto fields = system.Position(role);
      fields.position = {Number(random), Number(random), Number(random), Text(random)};
      flip(fields.coordsDefined);
      flip(fields.planetDefined);
      break;
    }
    case 1: {
      auto fields = system.ActionTime(role, static_cast<ShipAction>(random() % 3));
      fields.after = Number(random);
      flip(fields.defined);
      break;
    }
    case 2: {
      auto fields = system.WarpDisable(role);
      flip(fields.value);
      flip(fields.defined);
      break;
    }
    case 3:
      Any(random, system.Ships(kResidentRoles[random() % kResidentRoles.size()])) = {
          Text(random), Text(random), random() % 2 == 0, random() % 2 == 0};
      break;
    case 4:
      Any(random, system.dialogs[random() % kDialogEventCount]) = {
          Text(random), Text(random), Text(random), random() % 2 == 0, true, random() % 2 == 0};
      break;
    case 5:
      system.name = Text(random);
      flip(system.nameDefined);
      system.stardate = Number(random);
      flip(system.stardateDefined);
      break;
    case 6:
      system.neutralBehavior = static_cast<NeutralBehavior>(random() % 6);
      flip(system.neutralBehaviorDefined);
      system.neutralBehaviorTime = Number(random);
      flip(system.neutralBehaviorTimeDefined);
      break;
    case 7:
      system.battleMode = static_cast<BattleMode>(random() % 3);
      flip(system.battleModeDefined);
      break;
    default:
      system.Ships(ShipRole::Enemy).clear();
      system.Dialogs(DialogEvent::EndingDialog).clear();
  }
}

void Edit(std::mt19937& random, BattleConfig& battle) {
  const auto flip = [&random](bool& flag) { flag = random() % 2 == 0; };
  switch (random() % 8) {
    case 0:
      Any(random, battle.remarks) = Text(random);
      break;
    case 1:
      battle.title.title = Text(random);
      flip(battle.title.titleDefined);
      Any(random, battle.title.titleLines) = Text(random);
      Any(random, battle.title.titleLineVoices) = Text(random);
      break;
    case 2:
      battle.options = {static_cast<WarpOutMode>(random() % 4),
                        static_cast<CollisionMode>(random() % 4),
                        static_cast<ShipChangeMode>(random() % 4),
                        Number(random),
                        random() % 2 == 0,
                        random() % 2 == 0,
                        random() % 2 == 0,
                        random() % 2 == 0};
      break;
    case 3:
      battle.player = {Text(random), Text(random), random() % 2 == 0, random() % 2 == 0};
      Any(random, battle.escorts) = battle.player;
      break;
    case 4:
      battle.name = Text(random);
      break;
    case 5:
      if (!battle.systems.empty()) battle.systems.erase(battle.systems.begin());
      break;
    default:
      EditSystem(random, Any(random, battle.systems));
  }
}

// Random edit runs from a new battle: after every edit the record reads back as the same battle.
TEST(BattleRecord, EveryEditRunComesBackWhole) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    std::mt19937 random(seed);
    BattleConfig battle;
    battle.InitNew();
    for (int step = 0; step < 60; ++step) {
      Edit(random, battle);
      const std::optional<BattleConfig> back = BattleRecord::Read(BattleRecord::Write(battle));
      ASSERT_TRUE(back.has_value()) << "seed " << seed << " step " << step;
      ASSERT_TRUE(*back == battle) << "seed " << seed << " step " << step;
    }
  }
}

// A record cut short anywhere, or changed in a way the writer never writes, is refused; a
// record that went through a Windows text editor is not.
TEST(BattleRecord, OnlyDamageIsRefused) {
  std::mt19937 random(7);
  BattleConfig battle;
  for (int step = 0; step < 40; ++step) Edit(random, battle);
  const std::string record = BattleRecord::Write(battle);
  for (std::size_t at = record.find('\n'); at + 1 < record.size(); at = record.find('\n', at + 1)) {
    ASSERT_FALSE(BattleRecord::Read(record.substr(0, at + 1))) << "cut after byte " << at;
  }
  std::string crlf;
  for (const char c : record) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_TRUE(BattleRecord::Read(crlf) == battle);

  const std::pair<std::string, std::string> damages[] = {
      {"VK7 Battle Record 1\n", "VK7 Battle Record 2\n"},  // a later layout
      {"\nend\n", "\nend\nend\n"},                         // left over
      {"\nend\n", "\nend"},                                // the last line end lost
      {"\nname ", "\nName "},
      {"\nstardate ", "\nstardate 1x"},
      {"\nstardate ", "\nstardate 99999999999"},
      {"\ntitleDefined ", "\ntitleDefined 2"},
      {"\nsystems ", "\nsystems -"},
      {"\ntitle ", "\ntitle \\q"},
      {"\ntitle ", "\ntitle \\x4"},
      {"\ntitle ", "\ntitle \t"},  // a control byte unescaped
      {"\ntitle ", "\ntitleX"},
      {"\ntitleLines", "\\\ntitleLines"},  // a cut escape
  };
  for (const auto& [from, to] : damages) {
    std::string damaged = record;
    damaged.replace(damaged.find(from), from.size(), to);
    EXPECT_FALSE(BattleRecord::Read(damaged)) << to;
  }
}

}  // namespace
}  // namespace vk7
