// Reading and writing large battles. The generated files stay in <tmp>/vk7-bench so that
// other tools (wc -l, for comparison) can be timed on the very same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "content/battle_file_writer.h"
#include "content/safe_save.h"

namespace {

// A battle with `ships` named ships spread over six systems and the four roles, classes
// cycling through a hundred names, and a dialog line for every tenth ship.
vk7::BattleConfig LargeBattle(std::int64_t ships) {
  vk7::BattleConfig config;
  config.InitNew();
  config.title.title = "Benchmark";
  config.title.titleDefined = true;
  config.player = {"FLAGSHIP", "Command", true, true};
  for (int s = 0; s < 6; ++s) {
    vk7::StarSystem& system = config.systems.emplace_back();
    system.name = "System " + std::to_string(s);
    system.nameDefined = true;
    system.stardate = 1000 + s;
    system.stardateDefined = true;
  }
  const vk7::ShipRole roles[] = {vk7::ShipRole::Friend, vk7::ShipRole::Enemy,
                                 vk7::ShipRole::Neutral, vk7::ShipRole::Hulk};
  for (std::int64_t i = 0; i < ships; ++i) {
    vk7::StarSystem& system = config.systems[static_cast<std::size_t>(i % 6)];
    vk7::ShipEntry ship{"CLASS-" + std::to_string(i % 100), "Vessel " + std::to_string(i), true,
                        true};
    system.Ships(roles[(i / 6) % 4]).push_back(std::move(ship));
    if (i % 10 == 0) {
      system.Dialogs(vk7::DialogEvent::StartingDialog)
          .push_back({"Vessel " + std::to_string(i), "Holding position near the relay.",
                      "v" + std::to_string(i) + ".acm", true, true, true});
    }
  }
  return config;
}

std::filesystem::path BattleFile(std::int64_t ships) {
  static std::map<std::int64_t, std::filesystem::path> files;
  auto& path = files[ships];
  if (path.empty()) {
    const auto dir = std::filesystem::temp_directory_path() / "vk7-bench";
    std::filesystem::create_directories(dir);
    path = dir / ("battle-" + std::to_string(ships) + ".vk7");
    std::ofstream(path, std::ios::binary)
        << vk7::BattleFileWriter::Render(LargeBattle(ships)).bytes;
  }
  return path;
}

void BM_ReadBattle(benchmark::State& state) {
  const auto path = BattleFile(state.range(0));
  const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
  for (auto _ : state) {
    vk7::BattleConfig config;
    vk7::RecordingReporter reporter;
    vk7::BattleFileReader reader(config, reporter);
    if (!reader.Read("battle", path, false)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(config.systems.data());
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.counters["MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_ReadBattle)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RenderBattle(benchmark::State& state) {
  const vk7::BattleConfig config = LargeBattle(state.range(0));
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const auto out = vk7::BattleFileWriter::Render(config);
    bytes = static_cast<std::int64_t>(out.bytes.size());
    benchmark::DoNotOptimize(out.bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_RenderBattle)->Arg(250000)->Arg(500000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WriteBattleFile(benchmark::State& state) {
  vk7::BattleConfig config = LargeBattle(state.range(0));
  const auto path = std::filesystem::temp_directory_path() / "vk7-bench" / "written.vk7";
  std::filesystem::create_directories(path.parent_path());
  vk7::RecordingReporter reporter;
  for (auto _ : state) {
    if (!vk7::BattleFileWriter::Write(config, "written", path, reporter)) {
      state.SkipWithError("write failed");
    }
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_WriteBattleFile)->Arg(250000)->Arg(500000)->Unit(benchmark::kMillisecond);

// The editor's save: render, read back, render again, compare.
void BM_SafeSavePrepare(benchmark::State& state) {
  const vk7::BattleConfig config = LargeBattle(state.range(0));
  vk7::RecordingReporter reporter;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const auto out = vk7::SafeSave::Prepare(config, "battle", reporter);
    if (!out) state.SkipWithError("refused");
    bytes = out ? static_cast<std::int64_t>(out->size()) : 0;
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_SafeSavePrepare)->Arg(250000)->Arg(500000)->Unit(benchmark::kMillisecond);

}  // namespace
