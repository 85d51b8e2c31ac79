#include "rrbutton_image.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <array>
#include <atomic>

#include "rrbutton_messages.h"

namespace korvex {
namespace {

std::atomic<int> liveImages{0};

constexpr std::array kImageSuffixes = {"svg", "png", "ico"};

bool NameMatches(const QFileInfo& file, const QString& name) {
  if (file.fileName().compare(name, Qt::CaseInsensitive) == 0) return true;
  if (file.completeBaseName().compare(name, Qt::CaseInsensitive) != 0) return false;
  for (const char* suffix : kImageSuffixes) {
    if (file.suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

std::unique_ptr<ButtonImage> LoadFile(const QString& path, unsigned type) {
  QImageReader reader(path);
  const QSize size = reader.size();
  if (!reader.canRead()) return nullptr;
  if (type == IMAGE_ICON) {
    QIcon icon(path);
    if (icon.isNull()) return nullptr;
    return std::make_unique<ButtonImage>(icon, size.isValid() ? size : QSize(32, 32));
  }
  const QPixmap pixmap(path);
  if (pixmap.isNull()) return nullptr;
  return ButtonImage::fromPixmap(pixmap);
}

}  // namespace

ButtonImage::ButtonImage(QIcon icon, QSize naturalSize)
    : icon_(std::move(icon)), naturalSize_(naturalSize) {
  ++liveImages;
}

ButtonImage::~ButtonImage() {
  --liveImages;
}

std::unique_ptr<ButtonImage> ButtonImage::fromPixmap(const QPixmap& pixmap) {
  return std::make_unique<ButtonImage>(QIcon(pixmap), pixmap.size());
}

void ButtonImage::paintBitmap(QPainter& painter, QPoint topLeft) const {
  painter.drawPixmap(topLeft, icon_.pixmap(naturalSize_, painter.device()->devicePixelRatioF()));
}

// Stretched to the target like any icon drawn at a chosen size; QIcon alone never scales up.
void ButtonImage::paintIcon(QPainter& painter, const QRect& target) const {
  if (target.isEmpty()) return;
  const qreal ratio = painter.device()->devicePixelRatioF();
  painter.drawPixmap(target, icon_.pixmap(target.size(), ratio, QIcon::Normal, QIcon::Off));
}

int ButtonImage::liveCount() {
  return liveImages;
}

void ImageSlot::adopt(std::unique_ptr<ButtonImage> image) {
  clear();
  image_ = image.release();
  owned_ = image_ != nullptr;
}

void ImageSlot::share(ButtonImage* image) {
  clear();
  image_ = image;
  owned_ = false;
}

ButtonImage* ImageSlot::take() {
  ButtonImage* image = image_;
  image_ = nullptr;
  owned_ = false;
  return image;
}

void ImageSlot::clear() {
  if (owned_) delete image_;
  image_ = nullptr;
  owned_ = false;
}

QString FindImageFile(const QString& folder, const QString& name) {
  if (name.isEmpty()) return {};
  const QDir dir(folder);
  for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name)) {
    if (NameMatches(file, name)) return file.filePath();
  }
  return {};
}

std::unique_ptr<ButtonImage> LoadButtonImage(const QString& name, unsigned type,
                                             const QString& folder) {
  // A name with a dot is a file; when it does not load, the slot stays empty rather than taking
  // one of the program's own icons that happens to have that name.
  if (name.contains(QLatin1Char('.'))) return LoadFile(name, type);
  const QString path = FindImageFile(folder, name);
  return path.isEmpty() ? nullptr : LoadFile(path, type);
}

}  // namespace korvex
