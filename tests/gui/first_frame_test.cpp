// The picture as the screen shows it: these tests read the screen, so they run alone.
#include <QCheckBox>
#include <QTest>
#include <vector>

#include "app/control_ids.h"
#include "korvex_window_test.h"
#include "screen_pixels.h"

namespace korvex {
namespace {

constexpr Rgba kMachinePathColour{1, 0, 0, 1};

std::vector<QVector3D> MachinePathMidpoints(const DrawList& scene) {
  std::vector<QVector3D> midpoints;
  for (const LineBatch& batch : scene.batches()) {
    if (batch.colour != kMachinePathColour) continue;
    for (std::size_t i = 0; i + 1 < batch.vertices.size(); i += 2) {
      const Vertex& a = batch.vertices[i];
      const Vertex& b = batch.vertices[i + 1];
      midpoints.emplace_back((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
    }
  }
  return midpoints;
}

// Points on the grids' outer lines, away from the tube and its patterns.
const std::vector<QVector3D> kGridPoints = {
    {-100, 60, 0}, {100, 60, 0}, {60, 100, 0}, {-60, -100, 0}, {-100, 0, 70}, {100, 0, -70},
};

class FirstFrameTest : public KorvexWindowTest {
 protected:
  // The view as the screen shows it, once the screen shows the view's latest frame.
  QImage screen() {
    const QImage frame = view().grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    QImage shown;
    const bool arrived = QTest::qWaitFor([&] {
      shown = GrabViewFromScreen(view()).convertToFormat(QImage::Format_RGB32);
      return shown == frame;
    });
    EXPECT_TRUE(arrived) << "the screen never showed the view's frame";
    return shown;
  }

  int gridPointsShown(const QImage& image) {
    int shown = 0;
    for (const QVector3D& point : kGridPoints) {
      if (AnyPixelNear(image, ProjectToView(view(), point), 1, IsGridGrey)) ++shown;
    }
    return shown;
  }
};

TEST_F(FirstFrameTest, BackgroundIsOpaqueLightBlue) {
  const QImage image = screen();
  ASSERT_EQ(image.size(), view().size());
  for (QPoint corner : {QPoint(2, 2), QPoint(image.width() - 3, 2), QPoint(2, image.height() - 3),
                        QPoint(image.width() - 3, image.height() - 3)}) {
    const QColor pixel = image.pixelColor(corner);
    EXPECT_TRUE(IsBackground(pixel)) << "at " << corner.x() << "," << corner.y() << ": "
                                     << pixel.red() << " " << pixel.green() << " " << pixel.blue();
  }
}

// The clear colour's alpha is 0; the view's own buffer must still hold opaque pixels, or a
// compositor that honours alpha shows whatever lies beneath.
TEST_F(FirstFrameTest, ViewBufferIsOpaque) {
  const QImage frame = view().grabFramebuffer();
  ASSERT_FALSE(frame.isNull());
  for (QPoint at : {QPoint(2, 2), QPoint(frame.width() / 2, 5), QPoint(5, frame.height() - 5)}) {
    EXPECT_EQ(frame.pixelColor(at).alpha(), 255);
    EXPECT_TRUE(IsBackground(frame.pixelColor(at)));
  }
}

TEST_F(FirstFrameTest, MachinePathsShowRedWhereTheyProject) {
  const QImage image = screen();
  const std::vector<QVector3D> midpoints = MachinePathMidpoints(workspace_.scene);
  ASSERT_EQ(midpoints.size(), 180u);  // 90 segments at each end
  int red = 0;
  for (const QVector3D& point : midpoints) {
    if (AnyPixelNear(image, ProjectToView(view(), point), 2, IsMachinePathRed)) ++red;
  }
  // Where the cyan surface curves cover the path a few midpoints show another colour.
  EXPECT_GE(red, 170);
  // Far from the tube there is no red at all.
  EXPECT_FALSE(AnyPixelNear(image, QPointF(60, 60), 20, IsMachinePathRed));
}

TEST_F(FirstFrameTest, GridAppearsOnlyAfterUpdateParams) {
  EXPECT_EQ(gridPointsShown(screen()), 0);

  panel().setCheckState(kDisplayGridBox, 1);
  ASSERT_TRUE(waitForFrame());
  EXPECT_EQ(gridPointsShown(screen()), 0) << "ticking alone must not change the picture";

  clickButton(kUpdateParamsButton);
  ASSERT_TRUE(waitForFrame());
  EXPECT_EQ(gridPointsShown(screen()), static_cast<int>(kGridPoints.size()));
}

}  // namespace
}  // namespace korvex
