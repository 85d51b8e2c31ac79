#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

namespace korvex {

// A picture a button can draw: as a bitmap at its own size or as an icon at a chosen size.
// BM_SETIMAGE hands over a pointer to one of these; the image-loading messages create them.
class ButtonImage {
 public:
  ButtonImage(QIcon icon, QSize naturalSize);
  ~ButtonImage();
  ButtonImage(const ButtonImage&) = delete;
  ButtonImage& operator=(const ButtonImage&) = delete;

  static std::unique_ptr<ButtonImage> fromPixmap(const QPixmap& pixmap);

  QSize naturalSize() const { return naturalSize_; }
  void paintBitmap(QPainter& painter, QPoint topLeft) const;
  void paintIcon(QPainter& painter, const QRect& target) const;

  // How many images exist right now; lets owners check that nothing leaks.
  static int liveCount();

 private:
  QIcon icon_;
  QSize naturalSize_;
};

// One image slot of a button. An image the button loaded is owned and released by the slot;
// an image handed over by the owner (shared) is never released by it.
class ImageSlot {
 public:
  ImageSlot() = default;
  ~ImageSlot() { clear(); }
  ImageSlot(const ImageSlot&) = delete;
  ImageSlot& operator=(const ImageSlot&) = delete;

  const ButtonImage* get() const { return image_; }
  bool isShared() const { return image_ != nullptr && !owned_; }

  void adopt(std::unique_ptr<ButtonImage> image);
  void share(ButtonImage* image);
  // Empties the slot without releasing anything; the caller now answers for the image.
  ButtonImage* take();
  void clear();

 private:
  ButtonImage* image_ = nullptr;
  bool owned_ = false;
};

// Where the program's own icons live.
inline const QString kIconFolder = QStringLiteral(":/icons");

// Loads an image of the given type (0 bitmap, 1 icon) by name. A name containing "." is first
// tried as a file path; otherwise, or when no such file loads, the name is looked up in folder
// without regard to case, with or without an extension .svg, .png or .ico.
// Returns nullptr when nothing loads.
std::unique_ptr<ButtonImage> LoadButtonImage(const QString& name, unsigned type,
                                             const QString& folder);

// The path of the file in folder that name denotes, or an empty string.
QString FindImageFile(const QString& folder, const QString& name);

}  // namespace korvex
