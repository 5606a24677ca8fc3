// Draws one of the report's SVG pictures into an opaque 24-bit BMP file for the printed report:
//   report_picture IN.svg OUT.bmp DOTS_PER_INCH
// The SVG's width and height are in hundredths of an inch.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: report_picture IN.svg OUT.bmp DOTS_PER_INCH\n");
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  const double dotsPerInch = QByteArray(argv[3]).toDouble();
  if (!svg.isValid() || dotsPerInch <= 0) {
    std::fprintf(stderr, "report_picture: cannot read %s\n", argv[1]);
    return 1;
  }
  const QSize size = (QSizeF(svg.defaultSize()) * dotsPerInch / 100).toSize();
  QImage picture(size, QImage::Format_RGB888);
  picture.fill(Qt::white);
  picture.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
  picture.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  painter.end();
  if (!picture.save(QString::fromLocal8Bit(argv[2]), "BMP")) {
    std::fprintf(stderr, "report_picture: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
