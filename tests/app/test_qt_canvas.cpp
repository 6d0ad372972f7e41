// The printouts' canvas on real Qt devices: on an image it copies repeated marks and labels from
// images and layouts made once, and what it draws so must look as drawn anew; a PDF keeps
// them as vectors.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/qt_canvas.h"

namespace keelmark::test {

namespace {

constexpr double kPixelsPerUnit = 150.0 / 254.0;  // an A4 page at 150 dpi
const QSize kImageSize(360, 320);

// Rows of marks over tracks that a white fill hides inside a mark. Along a row the marks fall
// with their top left corners on the same place within their pixels (127 units are 75 pixels),
// and each differs from one before it in one thing only: fill, pen colour, size or pen width.
// Each row lies elsewhere within its pixels.
void DrawMarks(Canvas& canvas) {
  struct Mark {
    int diameter;
    Pen pen;
    Brush brush;
  };
  const Mark marks[] = {{20, {PenStyle::Solid, 2, kRed}, {BrushStyle::None, kWhite}},
                        {20, {PenStyle::Solid, 2, kRed}, {}},
                        {20, {PenStyle::Solid, 2, kGreen}, {}},
                        {26, {PenStyle::Solid, 2, kGreen}, {}},
                        {20, {PenStyle::Solid, 3, kRed}, {}}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 5; ++column) {
      const int x = 40 + column * 127 + row * 3;
      const int y = -40 - row * 127 - row * 5;
      canvas.SetPen(Pen{});
      canvas.MoveTo(x - 10, y - 10);
      canvas.LineTo(x + 30, y - 10);
      const Mark& mark = marks[column];
      canvas.SetPen(mark.pen);
      canvas.SetBrush(mark.brush);
      canvas.Ellipse(x, y, x + mark.diameter, y - mark.diameter);
    }
  }
}

// Labels in two fonts, each at a new place within its pixel, most of them again and again.
void DrawLabels(Canvas& canvas) {
  for (int i = 0; i < 24; ++i) {
    canvas.SetFont(Font{"Times New Roman", i % 2 == 0 ? 32 : 40, 400});
    canvas.Text(70 + (i % 6) * 110 + i, -50 - (i / 6) * 90 - i, i % 5 == 0 ? "Noon" : "Fix");
  }
}

using Drawing = void (*)(Canvas&);

QImage BlankImage() {
  QImage image(kImageSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

// A drawing through a canvas on an image, its painter transformed by `transform`.
QImage Drawn(Drawing drawing, const QTransform& transform) {
  QImage image = BlankImage();
  QPainter painter(&image);
  painter.setTransform(transform);
  painter.setRenderHint(QPainter::Antialiasing);
  QtCanvas canvas(painter, kPixelsPerUnit);
  drawing(canvas);
  return image;
}

// The marks recorded as outlines (a picture copies nothing) and then painted onto an image.
QImage MarksAsOutlines(const QTransform& transform) {
  QPicture picture;
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QtCanvas canvas(painter, kPixelsPerUnit);
    DrawMarks(canvas);
  }
  QImage image = BlankImage();
  QPainter painter(&image);
  painter.setTransform(transform);
  painter.setRenderHint(QPainter::Antialiasing);
  picture.play(&painter);
  return image;
}

// The labels each laid out anew: under a scaling by a part in a thousand million (far less than
// a pixel's worth) the canvas keeps no layout.
QImage LabelsLaidOutAnew(const QTransform& transform) {
  return Drawn(DrawLabels, QTransform::fromScale(1.0 + 1e-9, 1.0 + 1e-9) * transform);
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
  // smoothing's own variation at an edge; copying the wrong mark, at the wrong size or to the
  // wrong pixel differs by far more.
  void copiedMarksLookAsDrawn() {
    QFETCH(QTransform, transform);
    const std::pair<QImage, QImage> drawings[] = {
        {MarksAsOutlines(transform), Drawn(DrawMarks, transform)},
        {LabelsLaidOutAnew(transform), Drawn(DrawLabels, transform)}};
    for (const auto& [expected, drawn] : drawings) {
      QVERIFY(expected != BlankImage());
      const int difference = LargestDifference(expected, drawn);
      QVERIFY2(difference <= 40, qPrintable(QString::number(difference)));
    }
  }

  // A PDF holds the marks as outlines: no image in it.
  void pdfKeepsMarksAsOutlines() {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&pdf);
      writer.setResolution(150);  // marks as small in dots as on an image
      QPainter painter(&writer);
      painter.setRenderHint(QPainter::Antialiasing);
      QtCanvas canvas(painter, writer.logicalDpiY() / 254.0);
      DrawMarks(canvas);
      DrawLabels(canvas);
    }
    QVERIFY(pdf.data().startsWith("%PDF"));
    QVERIFY(!pdf.data().contains("/Subtype /Image"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestQtCanvas)
#include "test_qt_canvas.moc"
