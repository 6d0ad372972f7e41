// The printouts' canvas on an image copies repeated marks from images drawn once and lays out a
// repeated label once; what it draws so must look as drawn anew. A PDF keeps them as vectors.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "platform/qt_canvas.h"

namespace keelmark::test {

namespace {

// Rows of marks, each over a track that a white fill hides, or of labels. Along a row the
// marks' corners fall on one place within their pixels (127 units are 75 pixels at 150 dpi),
// each differing from one before it in one thing only: fill, pen colour, size or pen width.
void DrawMarks(Canvas& canvas, bool labels) {
  const std::tuple<int, Pen, Brush> marks[] = {
      {20, {PenStyle::Solid, 2, kRed}, {BrushStyle::None, kWhite}},
      {20, {PenStyle::Solid, 2, kRed}, {}},
      {20, {PenStyle::Solid, 2, kGreen}, {}},
      {26, {PenStyle::Solid, 2, kGreen}, {}},
      {20, {PenStyle::Solid, 3, kRed}, {}}};
  for (int i = 0; i < 20; ++i) {
    const auto& [diameter, pen, brush] = marks[i % 5];
    const int x = 40 + i % 5 * 127 + i / 5 * 3;
    const int y = -40 - i / 5 * 132;
    if (labels) {
      canvas.Text(x, y, i % 3 == 0 ? "Noon" : "Fix");
      continue;
    }
    canvas.SetPen(Pen{});
    canvas.MoveTo(x - 10, y - 10);
    canvas.LineTo(x + 30, y - 10);
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
    canvas.Ellipse(x, y, x + diameter, y - diameter);
  }
}

// The marks or labels through a canvas onto an image, its painter transformed; or recorded as
// a picture first (which copies nothing) and then played onto the image.
QImage Drawn(bool labels, const QTransform& transform, bool recorded = false) {
  QImage image(360, 320, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPicture picture;
  QPainter painter(recorded ? static_cast<QPaintDevice*>(&picture) : &image);
  if (!recorded) painter.setTransform(transform);
  painter.setRenderHint(QPainter::Antialiasing);
  {
    QtCanvas canvas(painter, 150.0 / 254.0);
    DrawMarks(canvas, labels);
  }
  painter.end();
  if (recorded) {
    QPainter played(&image);
    played.setTransform(transform);
    played.setRenderHint(QPainter::Antialiasing);
    picture.play(&played);
  }
  return image;
}

// The largest difference of a colour channel between two images of one size and format.
int LargestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (qsizetype i = 0; i < a.sizeInBytes(); ++i) {
    largest = std::max(largest, std::abs(a.constBits()[i] - b.constBits()[i]));
  }
  return largest;
}

}  // namespace

class TestQtCanvas : public QObject {
  Q_OBJECT

 private slots:
  void copiesLookAsDrawn_data() {
    QTest::addColumn<QTransform>("transform");
    QTest::newRow("image") << QTransform();
    QTest::newRow("shifted by parts of a pixel") << QTransform::fromTranslate(17.37, 5.61);
    QTest::newRow("scaled") << QTransform::fromScale(1.7, 1.7);
  }

  // Each mark and label where, as large as and in the colours it would be drawn, within the
  // smoothing's own variation at an edge; copying the wrong mark, at the wrong size or to the
  // wrong pixel differs by far more. Marks are held against their recorded outlines, labels
  // against labels under a scaling by a part in a thousand million, which lays out nothing.
  void copiesLookAsDrawn() {
    QFETCH(QTransform, transform);
    const QTransform anew = QTransform::fromScale(1.0 + 1e-9, 1.0 + 1e-9) * transform;
    const std::pair<QImage, QImage> drawings[] = {
        {Drawn(false, transform, true), Drawn(false, transform)},
        {Drawn(true, anew), Drawn(true, transform)}};
    QImage blank(drawings[0].first.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    for (const auto& [expected, drawn] : drawings) {
      QVERIFY(expected != blank);
      const int difference = LargestDifference(expected, drawn);
      QVERIFY2(difference <= 40, qPrintable(QString::number(difference)));
    }
  }

  void pdfHoldsNoImage() {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&pdf);
      writer.setResolution(150);  // marks as small in dots as on an image
      QPainter painter(&writer);
      painter.setRenderHint(QPainter::Antialiasing);
      QtCanvas canvas(painter, 150.0 / 254.0);
      DrawMarks(canvas, false);
      DrawMarks(canvas, true);
    }
    QVERIFY(pdf.data().startsWith("%PDF"));
    QVERIFY(!pdf.data().contains("/Subtype /Image"));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestQtCanvas)
#include "test_qt_canvas.moc"
