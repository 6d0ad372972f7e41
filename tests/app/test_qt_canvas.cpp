// The printouts' canvas on real Qt devices: on an image it copies repeated marks and labels from
// images and layouts made once, and what it draws so must look as drawn anew; a PDF keeps
// them as vectors.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

#include "platform/qt_canvas.h"

namespace keelmark::test {

namespace {

constexpr double kPixelsPerUnit = 150.0 / 254.0;  // an A4 page at 150 dpi
const QSize kImageSize(420, 260);

// Marks of two sizes, pens and fills in turn in rows, each at a new place within its pixel, and
// labels, some again and again; the same calls whatever draws them.
void DrawMarks(Canvas& canvas) {
  canvas.SetFont(Font{});
  for (int i = 0; i < 24; ++i) {
    const int x = 60 + (i % 6) * 110 + i;
    const int y = -60 - (i / 6) * 90 - i;
    const int radius = i % 2 == 0 ? 10 : 13;
    canvas.SetPen(Pen{});  // a track under the mark: a white fill hides it inside
    canvas.MoveTo(x - 20, y);
    canvas.LineTo(x + 20, y);
    canvas.SetPen(i % 3 == 0 ? Pen{PenStyle::Solid, 2, kRed} : Pen{PenStyle::Solid, 3, kGreen});
    canvas.SetBrush(i % 4 == 0 ? Brush{BrushStyle::None, kWhite} : Brush{});
    canvas.Ellipse(x - radius, y + radius, x + radius, y - radius);
    canvas.Text(x + 10, y - 10, i % 5 == 0 ? "Noon" : "Fix");
  }
}

// The marks through a canvas on an image, its painter transformed by `transform`.
QImage Drawn(const QTransform& transform) {
  QImage image(kImageSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setTransform(transform);
  painter.setRenderHint(QPainter::Antialiasing);
  QtCanvas canvas(painter, kPixelsPerUnit);
  DrawMarks(canvas);
  return image;
}

// The same marks drawn anew each: under a scaling by a part in a thousand million (far less than
// a pixel's worth) the canvas copies nothing.
QImage DrawnAnew(const QTransform& transform) {
  return Drawn(QTransform::fromScale(1.0 + 1e-9, 1.0 + 1e-9) * transform);
}

// The largest difference of a colour channel between two images of one size.
int LargestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return largest;
}

}  // namespace

class TestQtCanvas : public QObject {
  Q_OBJECT

 private slots:
  void copiedMarksLookAsDrawn_data() {
    QTest::addColumn<QTransform>("transform");
    QTest::newRow("image") << QTransform();
    QTest::newRow("shifted by whole pixels") << QTransform::fromTranslate(-3.0, 12.0);
    QTest::newRow("shifted by parts of a pixel") << QTransform::fromTranslate(17.37, 5.61);
    QTest::newRow("scaled") << QTransform::fromScale(1.7, 1.7);
  }

  // Each mark and label where, as large as and in the colours it would be drawn, within the
  // smoothing's own variation at an edge; copying the wrong one, at the wrong size or to the
  // wrong pixel differs by far more.
  void copiedMarksLookAsDrawn() {
    QFETCH(QTransform, transform);
    const QImage expected = DrawnAnew(transform);
    const QImage drawn = Drawn(transform);
    QVERIFY(expected != QImage(kImageSize, QImage::Format_RGB32));
    QVERIFY2(LargestDifference(expected, drawn) <= 40,
             qPrintable(QString::number(LargestDifference(expected, drawn))));
  }

  // A PDF holds the marks as outlines: no image in it.
  void pdfKeepsMarksAsOutlines() {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&pdf);
      QPainter painter(&writer);
      painter.setRenderHint(QPainter::Antialiasing);
      QtCanvas canvas(painter, writer.logicalDpiY() / 254.0);
      DrawMarks(canvas);
    }
    QVERIFY(pdf.data().startsWith("%PDF"));
    QVERIFY(!pdf.data().contains("/Subtype /Image"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestQtCanvas)
#include "test_qt_canvas.moc"
