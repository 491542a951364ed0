#include "content/battle_checker.h"

#include <unordered_set>

#include "battle/string_helpers.h"

namespace vk7 {

namespace {

class Checker {
 public:
  Checker(const ShipCatalog& ships, CheckResult& result) : ships_(ships), result_(result) {}

  void Ship(const ShipEntry& ship, ShipRole role, const std::string& systemName) {
    if (ships_.FindShipClass(ship.shipClass) != nullptr) return;
    result_.anyMissing = true;
    if (seenClasses_.insert(ToLowerAscii(ship.shipClass)).second) {
      result_.missingShipClasses.push_back(ship.shipClass);
    }
    result_.shipDetails.push_back(ShipDetailRow(ship.shipClass, role, systemName));
  }

  void Planet(const std::string& planet, ShipRole role, const std::string& systemName) {
    result_.anyMissing = true;
    if (seenPlanets_.insert(ToLowerAscii(planet)).second) result_.missingPlanets.push_back(planet);
    result_.planetDetails.push_back(PlanetDetailRow(planet, role, systemName));
  }

 private:
  const ShipCatalog& ships_;
  CheckResult& result_;
  std::unordered_set<std::string> seenClasses_;
  std::unordered_set<std::string> seenPlanets_;
};

}  // namespace

std::string ShipDetailRow(const std::string& shipClass, ShipRole role,
                          const std::string& systemName) {
  switch (role) {
    case ShipRole::Player:
      return shipClass + " is defined as player ship";
    case ShipRole::Escort:
      return shipClass + " is defined as escort ship";
    case ShipRole::Friend:
      return shipClass + " is defined as friendly ship in system " + systemName;
    case ShipRole::Enemy:
      return shipClass + " is defined as enemy ship in system " + systemName;
    case ShipRole::Neutral:
      return shipClass + " is defined as neutral ship in system " + systemName;
    case ShipRole::Hulk:
      break;
  }
  return shipClass + " is defined as hulk in system " + systemName;
}

std::string PlanetDetailRow(const std::string& planet, ShipRole role,
                            const std::string& systemName) {
  const char* who = "hulk";
  switch (role) {
    case ShipRole::Player:
    case ShipRole::Escort:
      who = "player";
      break;
    case ShipRole::Friend:
      who = "friend";
      break;
    case ShipRole::Enemy:
      who = "enemy";
      break;
    case ShipRole::Neutral:
      who = "neutral";
      break;
    case ShipRole::Hulk:
      break;
  }
  return planet + " is given as " + who + " position in system " + systemName;
}

CheckResult CheckBattle(const BattleConfig& config, const ShipCatalog& ships,
                        const SystemCatalog& systems) {
  CheckResult result;
  Checker check(ships, result);
  check.Ship(config.player, ShipRole::Player, {});
  for (const ShipEntry& escort : config.escorts) check.Ship(escort, ShipRole::Escort, {});

  for (const StarSystem& s : config.systems) {
    for (ShipRole role : kResidentRoles) {
      for (const ShipEntry& ship : s.Ships(role)) check.Ship(ship, role, s.name);
    }

    const CatalogSystem* known = systems.FindSystem(s.name);
    if (known == nullptr) {
      result.missingSystems.push_back(s.name);
      result.anyMissing = true;
      continue;
    }
    for (const ShipRole role : kPositionRoles) {
      const PositionFields<true> p = s.Position(role);
      if (p.Kind() == StartKind::Planet && !known->HasPlanet(p.position.planet)) {
        check.Planet(p.position.planet, role, s.name);
      }
    }
  }
  return result;
}

}  // namespace vk7
