// Catalog loading, the battle check against large catalogs, and loading a long battle index.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "battle/battle_config.h"
#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "content/battle_checker.h"
#include "content/battle_index.h"
#include "content/ship_catalog.h"
#include "content/system_catalog.h"
#include "speed_support.h"

namespace {

std::filesystem::path BenchDir(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / "vk7-bench" / name;
  std::filesystem::create_directories(dir);
  return dir;
}

std::filesystem::path ShipCatalogFile(std::int64_t lines) {
  const auto file = BenchDir("catalogs") / ("vkships-" + std::to_string(lines) + ".txt");
  if (!std::filesystem::exists(file)) {
    std::ofstream out(file, std::ios::binary);
    for (std::int64_t i = 0; i < lines; ++i) {
      out << "Ship class number " << i << " = CLASS-" << i << "\r\n";
    }
  }
  return file;
}

std::filesystem::path SystemCatalogFile(std::int64_t lines) {
  const auto file = BenchDir("catalogs") / ("vk7sys-" + std::to_string(lines) + ".txt");
  if (!std::filesystem::exists(file)) {
    std::ofstream out(file, std::ios::binary);
    for (std::int64_t i = 0; i < lines; ++i) {
      out << "System " << i << " = Planet " << i << " I = Planet " << i << " II\r\n";
    }
  }
  return file;
}

// Loading a catalog against a plain line count of the same file.
template <typename Catalog>
void LoadAgainstLineCount(benchmark::State& state, const std::filesystem::path& file) {
  double load = 0, count = 0;
  for (auto _ : state) {
    double start = vk7::bench::ProcessSeconds();
    {
      Catalog catalog;
      vk7::RecordingReporter reporter;
      if (!catalog.LoadFile(file, reporter)) state.SkipWithError("load failed");
      benchmark::DoNotOptimize(&catalog);
    }
    load += vk7::bench::ProcessSeconds() - start;
    start = vk7::bench::ProcessSeconds();
    benchmark::DoNotOptimize(vk7::bench::CountLines(file));
    count += vk7::bench::ProcessSeconds() - start;
  }
  const double mb = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  state.counters["MB_per_s"] = mb * static_cast<double>(state.iterations()) / load;
  state.counters["x_line_count"] = load / count;
}

void BM_LoadShipCatalog(benchmark::State& state) {
  LoadAgainstLineCount<vk7::ShipCatalog>(state, ShipCatalogFile(state.range(0)));
}
BENCHMARK(BM_LoadShipCatalog)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_LoadSystemCatalog(benchmark::State& state) {
  LoadAgainstLineCount<vk7::SystemCatalog>(state, SystemCatalogFile(state.range(0)));
}
BENCHMARK(BM_LoadSystemCatalog)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

// A battle of `ships` ships checked against a catalog of as many classes; every tenth ship
// uses a class the catalog lacks, spelled in changing case.
void BM_CheckBattle(benchmark::State& state) {
  const std::int64_t n = state.range(0);
  vk7::ShipCatalog ships;
  vk7::SystemCatalog systems;
  vk7::RecordingReporter reporter;
  ships.LoadFile(ShipCatalogFile(n), reporter);
  systems.LoadFile(SystemCatalogFile(1000), reporter);
  vk7::BattleConfig config;
  config.player = {"CLASS-1", "", true, false};
  for (int s = 0; s < 6; ++s) {
    vk7::StarSystem& system = config.systems.emplace_back();
    system.name = "System " + std::to_string(s);
    system.nameDefined = true;
    system.playerPosition.planet = "Planet " + std::to_string(s) + " II";
    system.playerPlanetDefined = true;
  }
  for (std::int64_t i = 0; i < n; ++i) {
    const std::string shipClass =
        i % 10 == 0 ? (i % 20 == 0 ? "missing-" : "MISSING-") + std::to_string(i % 1000)
                    : "class-" + std::to_string(i);
    config.systems[static_cast<std::size_t>(i % 6)].enemies.push_back({shipClass, "", true, false});
  }
  for (auto _ : state) {
    const vk7::CheckResult result = vk7::CheckBattle(config, ships, systems);
    benchmark::DoNotOptimize(result.shipDetails.data());
  }
  state.counters["ships"] = static_cast<double>(n);
}
BENCHMARK(BM_CheckBattle)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// An index of `battles` names, each with its battle file; the index spells the names in
// other letter case than the files, as indexes edited on Windows do.
void BM_LoadIndex(benchmark::State& state) {
  const std::int64_t n = state.range(0);
  const auto root = BenchDir("index-" + std::to_string(n));
  const auto scripts = root / "scripts";
  std::filesystem::create_directories(scripts);
  if (!std::filesystem::exists(scripts / "vk7.txt")) {
    std::ofstream index(scripts / "vk7.txt", std::ios::binary);
    index << "VK7 Available Battles\r\nFile Format Version 1.0\r\n";
    for (std::int64_t i = 0; i < n; ++i) {
      std::ofstream(scripts / ("Battle " + std::to_string(i) + ".vk7"), std::ios::binary)
          << "VK7 Battle\r\nFile Format Version 1.2\r\n";
      index << "BATTLE " << i << "\r\n";
    }
  }
  const vk7::GameFolder game(root);
  for (auto _ : state) {
    vk7::BattleIndex index;
    vk7::RecordingReporter reporter;
    if (!index.Load(game, reporter)) state.SkipWithError("load failed");
    if (index.Entries().size() != static_cast<std::size_t>(n)) state.SkipWithError("lost names");
  }
}
BENCHMARK(BM_LoadIndex)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
