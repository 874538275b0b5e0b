#pragma once

#include <QPixmap>
#include <QWidget>

namespace quilor {

// A band with a picture stretched across it and a caption centred over the
// picture. Without a picture the band shows the caption alone.
class PictureBand : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBand(QWidget* parent = nullptr);

  void setPicture(const QPixmap& picture);
  void setCaption(const QString& caption);
  QString caption() const { return caption_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  QString caption_;
};

}  // namespace quilor
