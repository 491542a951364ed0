// Reading and writing large battles. The generated files stay in <tmp>/vk7-bench so that
// other tools (wc -l, for comparison) can be timed on the very same bytes. Each figure of the
// README's performance table is reported as a ratio against a baseline measured in the same
// run on the same bytes (a plain memchr line count for reading, a plain fwrite for saving),
// so that it means the same on any machine: see the counters x_line_count, x_fwrite,
// scaling_2N_N and peak_x_file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "battle/atomic_file.h"
#include "battle/battle_config.h"
#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "content/battle_file_writer.h"
#include "content/safe_save.h"
#include "speed_support.h"

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

double FileMb(const std::filesystem::path& file) {
  return static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}

// CPU seconds of one read of `file` as `vk7 check` reads it (remarks collected).
double ReadSeconds(const std::filesystem::path& file) {
  const double start = vk7::bench::ProcessSeconds();
  vk7::BattleConfig config;
  vk7::RecordingReporter reporter;
  vk7::BattleFileReader reader(config, reporter);
  if (!reader.Read("battle", file, false)) return -1;
  benchmark::DoNotOptimize(config.systems.data());
  return vk7::bench::ProcessSeconds() - start;
}

double LineCountSeconds(const std::filesystem::path& file) {
  const double start = vk7::bench::ProcessSeconds();
  benchmark::DoNotOptimize(vk7::bench::CountLines(file));
  return vk7::bench::ProcessSeconds() - start;
}

// The reader against a plain line count of the same file, and the time for a file twice as
// large against this one.
void BM_ReadBattle(benchmark::State& state) {
  const auto file = BattleFile(state.range(0));
  const auto twice = BattleFile(2 * state.range(0));
  double read = 0, count = 0, readTwice = 0;
  for (auto _ : state) {
    const double r = ReadSeconds(file);
    if (r < 0) state.SkipWithError("read failed");
    read += r;
    count += LineCountSeconds(file);
    readTwice += ReadSeconds(twice);
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["MB"] = FileMb(file);
  state.counters["MB_per_s"] = FileMb(file) * n / read;
  state.counters["x_line_count"] = read / count;
  state.counters["scaling_2N_N"] = readTwice / read;
}
BENCHMARK(BM_ReadBattle)->Arg(300000)->Arg(600000)->Iterations(3)->Unit(benchmark::kMillisecond);

// `vk7 check FILE` against `wc -l FILE`, both as child processes, by their CPU time.
void BM_CheckCommand(benchmark::State& state) {
  const auto file = BattleFile(state.range(0));
  const auto twice = BattleFile(2 * state.range(0));
  double check = 0, wc = 0, checkTwice = 0;
  for (auto _ : state) {
    const auto run = vk7::bench::RunChild({VK7_TOOL, "check", file.string()});
    if (run.status != 0) state.SkipWithError("vk7 check failed");
    check += run.seconds;
    wc += vk7::bench::RunChild({"wc", "-l", file.string()}).seconds;
    checkTwice += vk7::bench::RunChild({VK7_TOOL, "check", twice.string()}).seconds;
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["MB"] = FileMb(file);
  state.counters["MB_per_s"] = FileMb(file) * n / check;
  state.counters["x_wc_l"] = wc > 0 ? check / wc : 0;
  state.counters["scaling_2N_N"] = checkTwice / check;
}
BENCHMARK(BM_CheckCommand)->Arg(600000)->Iterations(5)->Unit(benchmark::kMillisecond);

// `vk7 format FILE` (read, render, read back, compare, print) as a child process, against a
// plain fwrite of the same bytes; its peak memory against the size of the file.
void BM_FormatCommand(benchmark::State& state) {
  const auto file = BattleFile(state.range(0));
  const auto twice = BattleFile(2 * state.range(0));
  const auto out = file.parent_path() / "formatted.vk7";
  std::string bytes;
  {
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  double format = 0, write = 0, formatTwice = 0;
  std::int64_t peakKb = 0;
  for (auto _ : state) {
    const auto run = vk7::bench::RunChild({VK7_TOOL, "format", file.string()}, out.string());
    if (run.status != 0) state.SkipWithError("vk7 format failed");
    format += run.seconds;
    peakKb = std::max(peakKb, run.peakKb);
    const double start = vk7::bench::ProcessSeconds();
    vk7::bench::PlainWrite(out, bytes);
    write += vk7::bench::ProcessSeconds() - start;
    formatTwice += vk7::bench::RunChild({VK7_TOOL, "format", twice.string()}, out.string()).seconds;
  }
  if (std::filesystem::file_size(out) != 0 && vk7::bench::CountLines(out) == 0) {
    state.SkipWithError("no output");
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["MB"] = FileMb(file);
  state.counters["MB_per_s"] = FileMb(file) * n / format;
  state.counters["x_fwrite"] = write > 0 ? format / write : 0;
  state.counters["scaling_2N_N"] = formatTwice / format;
  state.counters["peak_x_file"] = static_cast<double>(peakKb) * 1024 / 1e6 / FileMb(file);
}
BENCHMARK(BM_FormatCommand)->Arg(600000)->Iterations(3)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_RenderBattle)->Arg(600000)->Unit(benchmark::kMillisecond);

void BM_WriteBattleFile(benchmark::State& state) {
  const vk7::BattleConfig config = LargeBattle(state.range(0));
  const auto path = std::filesystem::temp_directory_path() / "vk7-bench" / "written.vk7";
  std::filesystem::create_directories(path.parent_path());
  for (auto _ : state) {
    if (vk7::CommitFileAtomically(path, vk7::BattleFileWriter::Render(config).bytes) !=
        vk7::CommitResult::Ok) {
      state.SkipWithError("write failed");
    }
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_WriteBattleFile)->Arg(600000)->Unit(benchmark::kMillisecond);

// The editor's save: render, read back, compare.
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
BENCHMARK(BM_SafeSavePrepare)->Arg(600000)->Unit(benchmark::kMillisecond);

}  // namespace
