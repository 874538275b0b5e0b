#pragma once

#include <QByteArray>
#include <QDialog>
#include <QTimer>

#include "UpdateChecker.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace quilor {

class PictureBand;
class VersionRequest;

// Asks the version service for the newest release once, shortly after it is
// shown, and tells whether an update is due. While the request runs a wait
// panel covers the dialog; the event loop keeps running, so every window
// still repaints and every timer ticks. A failed request shows "Dikkat" and
// closes the dialog.
class UpdateCheckDialog : public QDialog {
  Q_OBJECT

 public:
  explicit UpdateCheckDialog(const UpdateCheckSettings& settings, QWidget* parent = nullptr);
  ~UpdateCheckDialog() override;

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildLayout();
  QWidget* buildFields();
  QStackedWidget* buildButtonBars();

  void startCheck();
  void showAnswer(const QByteArray& body);
  void showFailure(RequestFailure why);
  void openDownload();

  UpdateCheckSettings settings_;
  QString serviceAddress_;
  QString releaseInUse_;
  QByteArray downloadLink_;

  bool checkStarted_ = false;
  QTimer startTimer_;
  VersionRequest* request_ = nullptr;

  PictureBand* titleBand_ = nullptr;
  QLabel* companyValue_ = nullptr;
  QLabel* programNameValue_ = nullptr;
  QLabel* programCodeValue_ = nullptr;
  QLabel* newestReleaseValue_ = nullptr;
  QLabel* releaseInUseValue_ = nullptr;
  QLabel* statusValue_ = nullptr;
  QStackedWidget* buttonBars_ = nullptr;
  QWidget* okBar_ = nullptr;
  QWidget* updateBar_ = nullptr;
  QLabel* waitPanel_ = nullptr;
};

}  // namespace quilor
