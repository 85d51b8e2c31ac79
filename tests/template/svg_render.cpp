// Renders an SVG with Qt's SVG renderer at a given resolution into a grey PGM, so that the
// template checks measure what an SVG viewer shows, not what KORVEX meant to write.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 4) {
    std::fputs("usage: svg_render FILE.svg DPI OUT.pgm\n", stderr);
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) return 1;
  // The document's own size in mm, from its viewBox (1 unit = 1 mm), at dpi pixels per inch.
  const QRectF box = renderer.viewBoxF();
  const double pixelsPerMm = QByteArray(argv[2]).toDouble() / 25.4;
  QImage image(qRound(box.width() * pixelsPerMm), qRound(box.height() * pixelsPerMm),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(0, 0, box.width() * pixelsPerMm, box.height() * pixelsPerMm));
  painter.end();
  return image.convertToFormat(QImage::Format_Grayscale8)
                 .save(QString::fromLocal8Bit(argv[3]), "PGM")
             ? 0
             : 1;
}
