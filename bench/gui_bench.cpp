// The editor as a user feels it: the main window appearing, a battle of 1000 ships opening
// on its first page, and a page filling its class list from a catalog of 10 000 classes.
// Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/catalogs.h"
#include "app/editing_wizard.h"
#include "app/main_frame.h"
#include "battle/game_folder.h"
#include "battle/recording_reporter.h"
#include "content/battle_file_writer.h"
#include "pages/general_page.h"
#include "widgets/modal_seam.h"

namespace {

// Shows each dialog, lets it paint, and closes it; the wizard then sees "Cancel".
class ShowAndCloseSeam : public vk7::ModalSeam {
 public:
  int Exec(QDialog& dialog) override {
    dialog.show();
    QApplication::processEvents();
    dialog.done(0);
    return 0;
  }
  QString ChooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
  QString ChooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
};

std::filesystem::path GameWith(int ships, int classes) {
  const auto root = std::filesystem::temp_directory_path() / "vk7-bench" /
                    ("gui-" + std::to_string(ships) + "-" + std::to_string(classes));
  const auto scripts = root / "scripts";
  std::filesystem::create_directories(scripts);
  {
    std::ofstream catalog(scripts / "vkships.txt", std::ios::binary);
    for (int i = 0; i < classes; ++i) catalog << "Class " << i << " = CLASS-" << i << "\r\n";
    std::ofstream(scripts / "vk7sys.txt", std::ios::binary) << "Keth = Keth Prime\r\n";
  }
  vk7::BattleConfig config;
  config.InitNew();
  config.player = {"CLASS-1", "", true, false};
  vk7::StarSystem& system = config.systems.emplace_back();
  system.name = "Keth";
  system.nameDefined = true;
  for (int i = 0; i < ships; ++i) {
    system.Ships(i % 2 == 0 ? vk7::ShipRole::Friend : vk7::ShipRole::Enemy)
        .push_back(
            {"CLASS-" + std::to_string(i % classes), "Ship " + std::to_string(i), true, true});
  }
  std::ofstream(scripts / "Large.vk7", std::ios::binary)
      << vk7::BattleFileWriter::Render(config).bytes;
  return root;
}

void BM_MainWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    vk7::MainFrame frame(QString("/tmp/"));
    frame.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(frame.isVisible());
  }
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond);

// Read the battle, load both catalogs (as the first run of a session does) and show the
// General page.
void BM_OpenBattleFirstPage(benchmark::State& state) {
  const vk7::GameFolder game(GameWith(static_cast<int>(state.range(0)), 200));
  ShowAndCloseSeam seam;
  vk7::ModalSeam::Install(&seam);
  for (auto _ : state) {
    vk7::Catalogs catalogs;
    vk7::EditingWizard wizard(nullptr, game, catalogs);
    std::string name = "Large";
    wizard.Run(name, false);
    benchmark::DoNotOptimize(wizard.Config().systems.data());
  }
  vk7::ModalSeam::Install(nullptr);
}
BENCHMARK(BM_OpenBattleFirstPage)->Arg(1000)->Unit(benchmark::kMillisecond);

// The General page with its "Available Ships" list filled from a large catalog.
void BM_GeneralPageWithCatalog(benchmark::State& state) {
  const vk7::GameFolder game(GameWith(10, static_cast<int>(state.range(0))));
  vk7::Catalogs catalogs;
  vk7::RecordingReporter quiet;
  catalogs.Load(game, quiet);
  vk7::BattleConfig config;
  config.InitNew();
  ShowAndCloseSeam seam;
  vk7::ModalSeam::Install(&seam);
  for (auto _ : state) vk7::GeneralPage::Run(nullptr, config, catalogs.ships);
  vk7::ModalSeam::Install(nullptr);
}
BENCHMARK(BM_GeneralPageWithCatalog)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Q_INIT_RESOURCE(velkor);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
