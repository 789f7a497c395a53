#pragma once

#include <QSocketNotifier>
#include <QString>
#include <memory>

#include "platform/Types.h"
#include "skin/SkinButton.h"
#include "skin/SkinDialog.h"
#include "skin/SkinProgressBar.h"
#include "upgrade/DialogScript.h"
#include "upgrade/MonitorPort.h"
#include "upgrade/UpdaterView.h"
#include "upgrade/UpdaterWindow.h"

namespace upgrade {

// The updater window: the skinned face with the Exit button, the progress
// bar and the version and file texts. Its logic is UpdaterWindow; this class
// shows what that decides. The window is also a window of the message layer
// (with the updater's title), where the worker's messages and the start timer
// arrive.
class UpdaterDialog : public skin::SkinDialog, public UpdaterView {
  Q_OBJECT
 public:
  UpdaterDialog(MonitorPort& monitor, DialogScript& script, const std::string& programFolder);
  ~UpdaterDialog() override;

  // Runs the window to its end; the worker has stopped and the library is
  // unloaded when this returns.
  int run();

  void setProgressRange(int minimum, int maximum) override;
  void setProgress(int position) override;
  void setTexts(const std::string& deviceVersion, const std::string& fileName) override;
  void setTitle(const std::string& title) override;
  void centre() override;
  void showSuccess() override;
  void showFailure() override;
  void startTimer(std::uintptr_t id, unsigned periodMs) override;
  void stopTimer(std::uintptr_t id) override;
  void close() override;

  skin::SkinProgressBar* progressBar() const { return progress_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  platform::LRESULT handleMessage(platform::UINT msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam);

  DialogScript& script_;
  skin::SkinButton* exit_ = nullptr;
  skin::SkinProgressBar* progress_ = nullptr;
  QString deviceVersion_;
  QString fileName_;
  platform::HWND hwnd_ = platform::kNoWindow;
  std::unique_ptr<UpdaterWindow> core_;
  std::unique_ptr<QSocketNotifier> messages_;
};

}  // namespace upgrade
