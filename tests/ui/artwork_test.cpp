// The program's own artwork, as the window code loads it from the :/artwork resources: every
// picture is there, is a valid drawing of its planned size, shows something at toolbar size and
// stays inside its canvas. (The desktop entry is checked by desktop-file-validate.)
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSizeF>
#include <QSvgRenderer>
#include <QTest>

#include "ui/artwork.h"

namespace {

struct Picture {
  QString path;
  QSizeF canvas;  // the viewBox every drawing of this kind is made on
};

const QList<Picture>& pictures() {
  static const QList<Picture> all = {
      {":/artwork/logo.svg", {139, 124}},
      {":/artwork/print-logo.svg", {139, 124}},
      {":/artwork/banner.svg", {356, 76}},
      {":/artwork/about.svg", {160, 160}},
      {":/artwork/icon.svg", {64, 64}},
      {":/artwork/icons/complete-on-screen.svg", {24, 24}},
      {":/artwork/icons/enter-responses.svg", {24, 24}},
      {":/artwork/icons/analysis.svg", {24, 24}},
      {":/artwork/icons/print.svg", {24, 24}},
      {":/artwork/icons/save-as.svg", {24, 24}},
      {":/artwork/icons/about.svg", {24, 24}},
      {":/artwork/icons/web-site.svg", {24, 24}},
  };
  return all;
}

QImage transparentImage(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// Share of the image's pixels that are not fully transparent.
double coverage(const QImage& image) {
  qint64 painted = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) {
        ++painted;
      }
    }
  }
  return double(painted) / (double(image.width()) * image.height());
}

}  // namespace

class ArtworkTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { Q_INIT_RESOURCE(artwork); }

  void resourcesAreExactlyThePlannedOnes();

  void loadsOnItsCanvas_data() { pictureRows(); }
  void loadsOnItsCanvas();

  void showsSomethingAtToolbarSize_data() { pictureRows(); }
  void showsSomethingAtToolbarSize();

  void staysInsideItsCanvas_data() { pictureRows(); }
  void staysInsideItsCanvas();

 private:
  static void pictureRows();
};

void ArtworkTest::pictureRows() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QSizeF>("canvas");
  for (const Picture& picture : pictures()) {
    QTest::newRow(qPrintable(picture.path)) << picture.path << picture.canvas;
  }
}

void ArtworkTest::resourcesAreExactlyThePlannedOnes() {
  QSet<QString> planned;
  for (const Picture& picture : pictures()) {
    planned.insert(picture.path);
  }
  QSet<QString> found;
  QDirIterator it(":/artwork", QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    found.insert(it.next());
  }
  const QStringList missing = (planned - found).values();
  const QStringList unplanned = (found - planned).values();
  QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(", ")));
  QVERIFY2(unplanned.isEmpty(), qPrintable("not checked here: " + unplanned.join(", ")));
  // Each is drawn as the window draws it, through QIcon and Qt's SVG plugins.
  QCOMPARE(acv::UndrawableArtwork(), QStringList());
}

void ArtworkTest::loadsOnItsCanvas() {
  QFETCH(QString, path);
  QFETCH(QSizeF, canvas);
  QSvgRenderer renderer(path);
  QVERIFY(renderer.isValid());
  QCOMPARE(renderer.viewBoxF(), QRectF(QPointF(0, 0), canvas));
  QCOMPARE(renderer.defaultSize(), canvas.toSize());
}

void ArtworkTest::showsSomethingAtToolbarSize() {
  QFETCH(QString, path);
  QFETCH(QSizeF, canvas);
  QSvgRenderer renderer(path);
  const int height = 24;
  QImage image = transparentImage(QSize(qRound(height * canvas.width() / canvas.height()), height));
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  const double share = coverage(image);
  QVERIFY2(share > 0.10,
           qPrintable(QString("only %1% of the pixels are painted").arg(share * 100)));
}

// Text is set in the machine's sans-serif face; drawing on a canvas with a margin round it shows
// whether anything (a wide face's wordmark, say) runs past the edge and would be cut off.
void ArtworkTest::staysInsideItsCanvas() {
  QFETCH(QString, path);
  QFETCH(QSizeF, canvas);
  QSvgRenderer renderer(path);
  const int scale = 2;
  const int margin = 24;  // in canvas units
  renderer.setViewBox(
      QRectF(-margin, -margin, canvas.width() + 2 * margin, canvas.height() + 2 * margin));
  QImage image = transparentImage(
      QSize(int(canvas.width() + 2 * margin) * scale, int(canvas.height() + 2 * margin) * scale));
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();

  // One pixel of anti-aliasing round the edge is allowed.
  const QRect inside = QRect(margin * scale, margin * scale, int(canvas.width()) * scale,
                             int(canvas.height()) * scale)
                           .adjusted(-1, -1, 1, 1);
  int outside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!inside.contains(x, y) && qAlpha(image.pixel(x, y)) > 0) {
        ++outside;
      }
    }
  }
  QCOMPARE(outside, 0);
  QVERIFY(coverage(image.copy(inside)) > 0.0);
}

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"
