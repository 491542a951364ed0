#include "content/battle_checker.h"

#include <unordered_set>

#include "battle/string_helpers.h"

namespace vk7 {

namespace {

class Checker {
 public:
  Checker(const ShipCatalog& ships, CheckResult& result) : ships_(ships), result_(result) {}

  void Ship(const ShipEntry& ship, const std::string& where) {
    if (ships_.FindShipClass(ship.shipClass) != nullptr) return;
    result_.anyMissing = true;
    if (seenClasses_.insert(ToLowerAscii(ship.shipClass)).second) {
      result_.missingShipClasses.push_back(ship.shipClass);
    }
    result_.shipDetails.push_back(ship.shipClass + where);
  }

  void Planet(const std::string& planet, const std::string& where) {
    result_.anyMissing = true;
    if (seenPlanets_.insert(ToLowerAscii(planet)).second) result_.missingPlanets.push_back(planet);
    result_.planetDetails.push_back(planet + where);
  }

 private:
  const ShipCatalog& ships_;
  CheckResult& result_;
  std::unordered_set<std::string> seenClasses_;
  std::unordered_set<std::string> seenPlanets_;
};

}  // namespace

CheckResult CheckBattle(const BattleConfig& config, const ShipCatalog& ships,
                        const SystemCatalog& systems) {
  CheckResult result;
  Checker check(ships, result);
  check.Ship(config.player, " is defined as player ship");
  for (const ShipEntry& escort : config.escorts) check.Ship(escort, " is defined as escort ship");

  for (const StarSystem& s : config.systems) {
    const struct {
      const std::vector<ShipEntry>& ships;
      const char* text;
    } roles[] = {{s.friends, " is defined as friendly ship in system "},
                 {s.enemies, " is defined as enemy ship in system "},
                 {s.neutrals, " is defined as neutral ship in system "},
                 {s.hulks, " is defined as hulk in system "}};
    for (const auto& role : roles) {
      const std::string where = role.text + s.name;
      for (const ShipEntry& ship : role.ships) check.Ship(ship, where);
    }

    const CatalogSystem* known = systems.FindSystem(s.name);
    if (known == nullptr) {
      result.missingSystems.push_back(s.name);
      result.anyMissing = true;
      continue;
    }
    const struct {
      bool given;
      const ShipPosition& position;
      const char* text;
    } positions[] = {
        {s.playerPlanetDefined, s.playerPosition, " is given as player position in system "},
        {s.friendPlanetDefined, s.friendPosition, " is given as friend position in system "},
        {s.enemyPlanetDefined, s.enemyPosition, " is given as enemy position in system "},
        {s.neutralPlanetDefined, s.neutralPosition, " is given as neutral position in system "},
        {s.hulkPlanetDefined, s.hulkPosition, " is given as hulk position in system "},
    };
    for (const auto& p : positions) {
      if (p.given && !known->HasPlanet(p.position.planet)) {
        check.Planet(p.position.planet, p.text + s.name);
      }
    }
  }
  return result;
}

}  // namespace vk7
