#include "gui_support/scripted_seam.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <cstdio>

namespace vk7::test {

ScriptedSeam::~ScriptedSeam() {
  ModalSeam::Install(nullptr);
  for (const Step& step : steps_) ADD_FAILURE() << "never shown: " << step.name.toStdString();
}

// The next step when it is the one for `name` (a dialog's, or a chooser's), else a failure.
std::optional<ScriptedSeam::Step> ScriptedSeam::Next(const QString& name, bool dialog,
                                                     const std::string& what) {
  if (steps_.empty() || steps_.front().name != name || bool(steps_.front().action) != dialog) {
    ADD_FAILURE() << "unexpected " << what << " (expected "
                  << (steps_.empty() ? "none" : steps_.front().name.toStdString()) << ")";
    return std::nullopt;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  return step;
}

int ScriptedSeam::Exec(QDialog& dialog) {
  const QString text = MessageText(dialog);
  const std::string name = dialog.objectName().toStdString();
  if (!text.isEmpty()) log_.push_back(dialog.windowTitle() + ": " + text);
  const auto step = Next(dialog.objectName(), true, "dialog " + name + ": " + text.toStdString());
  if (!step) return QDialog::Rejected;
  dialog.setResult(-1);
  dialog.show();
  try {
    step->action(dialog);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "script failed on " << name << ": " << e.what();
  }
  EXPECT_FALSE(dialog.isVisible()) << "script left " << name << " open";
  if (dialog.isVisible()) dialog.reject();
  return dialog.result();
}

}  // namespace vk7::test

// The GUI tests run on the offscreen platform unless another one is asked for.
int main(int argc, char** argv) {
  // The offscreen platform warns about window hints it ignores; that is noise here.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
    if (!message.contains("propagateSizeHints")) std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
