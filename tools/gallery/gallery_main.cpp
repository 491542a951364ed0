// Renders every box and page of the editor, filled from the demo game, to PNG files, so the
// dialogs can be looked at without a display:
//   vk7_gallery OUTPUT_FOLDER [GAME_FOLDER]
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "app/about_box.h"
#include "app/battle_list_window.h"
#include "app/catalogs.h"
#include "app/finish_box.h"
#include "app/main_frame.h"
#include "app/overview_window.h"
#include "battle/battle_file_reader.h"
#include "battle/recording_reporter.h"
#include "pages/actions_page.h"
#include "pages/check_results_page.h"
#include "pages/dialog_lines_box.h"
#include "pages/dialog_lines_pair_box.h"
#include "pages/friends_enemies_page.h"
#include "pages/general_options_page.h"
#include "pages/general_page.h"
#include "pages/neutral_behavior_page.h"
#include "pages/neutrals_hulks_page.h"
#include "pages/position_coordinates_box.h"
#include "pages/position_page.h"
#include "pages/system_options_page.h"
#include "pages/systems_page.h"
#include "widgets/cancel_box.h"
#include "widgets/confirm_box.h"
#include "widgets/create_box.h"
#include "widgets/delete_box.h"
#include "widgets/error_box.h"
#include "widgets/message_box.h"
#include "widgets/modal_seam.h"
#include "widgets/name_box.h"
#include "widgets/overwrite_box.h"
#include "widgets/replace_box.h"
#include "widgets/save_under_box.h"

namespace {

// Shows each dialog offscreen at its natural size, saves a picture of it and closes it.
class RenderSeam : public vk7::ModalSeam {
 public:
  explicit RenderSeam(QString folder) : folder_(std::move(folder)) {}

  int Exec(QDialog& dialog) override {
    Render(dialog, dialog.objectName());
    // The overview's whole picture too, as "Save as..." writes it.
    if (auto* overview = qobject_cast<vk7::OverviewWindow*>(&dialog)) {
      overview->SaveTo(folder_ + "/" + dialog.objectName() + "-picture.png");
    }
    dialog.done(QDialog::Rejected);  // not reject(): the wizard pages would ask CANCELBOX
    return QDialog::Rejected;
  }
  QString ChooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
  QString ChooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }
  QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
    return {};
  }

  void Render(QWidget& widget, const QString& name) {
    widget.show();
    if (qobject_cast<QDialog*>(&widget) != nullptr) {
      widget.resize(widget.sizeHint().expandedTo(widget.minimumSize()));
    }
    QApplication::processEvents();
    QString file = folder_ + "/" + name + ".png";
    for (int n = 2; used_.count(file) != 0; ++n)
      file = folder_ + "/" + name + "-" + QString::number(n) + ".png";
    used_.insert(file);
    if (!widget.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    std::printf("%s\n", qPrintable(file));
  }

 private:
  QString folder_;
  std::set<QString> used_;
};

vk7::BattleConfig ReadDemo(const vk7::GameFolder& game, const std::string& name) {
  vk7::BattleConfig config;
  vk7::RecordingReporter quiet;
  vk7::BattleFileReader reader(config, quiet);
  if (!reader.Read(name, game.BattleFile(name), false)) {
    std::fprintf(stderr, "cannot read the demo battle %s\n", name.c_str());
  }
  return config;
}

// The offscreen platform warns about window hints it ignores.
void QuietMessages(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (!message.contains("propagateSizeHints")) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Q_INIT_RESOURCE(velkor);
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: vk7_gallery OUTPUT_FOLDER [GAME_FOLDER]\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  const vk7::GameFolder game(argc > 2 ? std::filesystem::path(argv[2])
                                      : std::filesystem::path(VK7_EXAMPLES_DIR) / "game");
  vk7::Catalogs catalogs;
  vk7::RecordingReporter quiet;
  catalogs.Load(game, quiet);
  vk7::BattleConfig battle = ReadDemo(game, "Veyr Ambush");
  vk7::BattleConfig survey = ReadDemo(game, "DeepSurvey");
  vk7::StarSystem& sorvan = battle.systems.at(0);
  vk7::StarSystem& merrow = battle.systems.at(1);

  RenderSeam seam(out);
  vk7::ModalSeam::Install(&seam);

  vk7::ErrorBox::Show(nullptr, "Unknown keyword in line 17",
                      "Error in battle file Veyr Ambush.vk7");
  vk7::MessageBox::Show(
      nullptr,
      std::string(34, ' ') + "Battle Configuration Veyr Ambush saved." + std::string(34, ' '),
      "Save");
  vk7::CancelBox::Ask(nullptr);
  vk7::ConfirmBox::Ask(nullptr,
                       "The check revealed propably missing objects in this battle. Do you want to "
                       "import it anyway?");
  vk7::DeleteBox::Ask(nullptr, "Veyr Ambush");
  vk7::ReplaceBox::Ask(nullptr, "Sorvan by Keth ?",
                       " (This will delete all positions given by planets in this system!)");
  vk7::OverwriteBox::Ask(nullptr, "Convoy Run");
  vk7::CreateBox::Ask(nullptr, "First Patrol");
  vk7::SaveUnderBox::Ask(nullptr, "Veyr Ambush", std::string("Rename Battle"));
  vk7::NameBox::Ask(nullptr, "Set the name of the WARDEN class escort", std::string("Harrow"));
  std::string finishName = "Veyr Ambush";
  bool replacing = false;
  vk7::FinishBox::Ask(nullptr, game, finishName, replacing);
  vk7::AboutBox::Show(nullptr);

  vk7::DialogLinesBox::Run(nullptr, sorvan.Dialogs(vk7::DialogEvent::EnemyWarpInDialog),
                           sorvan.name + " Enemies Warp In Dialog ", " Enemies Warp In Dialog ");
  vk7::DialogLinesPairBox::Run(nullptr, merrow.Dialogs(vk7::DialogEvent::NeutralToFriendDialog),
                               merrow.Dialogs(vk7::DialogEvent::NeutralToEnemyDialog),
                               merrow.name + " Neutral Behavior Dialogs ",
                               " Neutrals Become Friends Dialog ",
                               " Neutrals Become Enemies Dialog ");
  vk7::PositionPage::Run(nullptr, battle, sorvan, catalogs.systems);
  vk7::PositionCoordinatesBox::Run(nullptr, vk7::CoordinateTexts{"-4000", "0", "2200"});
  vk7::GeneralOptionsPage::Run(nullptr, battle);
  vk7::SystemOptionsPage::Run(nullptr, battle, sorvan);
  vk7::NeutralBehaviorPage::Run(nullptr, battle, merrow);
  vk7::ActionsPage::Run(nullptr, battle, sorvan);
  vk7::CheckResultsPage::Run(nullptr, survey, catalogs.ships, catalogs.systems, std::nullopt);
  vk7::OverviewWindow::Run(nullptr, game, catalogs, "Veyr Ambush");

  vk7::GeneralPage::Run(nullptr, battle, catalogs.ships);
  int systemNumber = 1;
  vk7::SystemsPage::Run(nullptr, battle, catalogs.ships, catalogs.systems, systemNumber);
  vk7::FriendsEnemiesPage::Run(nullptr, battle, 1, catalogs.ships, catalogs.systems);
  vk7::NeutralsHulksPage::Run(nullptr, battle, 2, catalogs.ships, catalogs.systems);

  vk7::MainFrame frame(QString::fromStdString(game.Root().string()));
  seam.Render(frame, "MainFrame");
  vk7::BattleListWindow list(nullptr, game, catalogs);
  if (list.LoadIndex()) seam.Render(list, list.objectName());

  vk7::ModalSeam::Install(nullptr);
  return 0;
}
