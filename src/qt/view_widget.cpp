#include "qt/view_widget.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWheelEvent>
#include <memory>

#include "scene/draw_list.h"

namespace korvex {
namespace {

constexpr GLuint kSceneList = 1;
constexpr int kMinimumDepthBits = 16;

int PointerButtons(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  int flags = 0;
  if (buttons & Qt::LeftButton) flags |= kLeftButtonFlag;
  if (buttons & Qt::RightButton) flags |= kRightButtonFlag;
  if (modifiers & Qt::ShiftModifier) flags |= kShiftFlag;
  if (modifiers & Qt::ControlModifier) flags |= kControlFlag;
  if (buttons & Qt::MiddleButton) flags |= kMiddleButtonFlag;
  if (buttons & Qt::BackButton) flags |= kExtraButton1Flag;
  if (buttons & Qt::ForwardButton) flags |= kExtraButton2Flag;
  return flags;
}

void SetFixedSceneState() {
  glClearColor(0.9f, 0.95f, 1.0f, 0.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_DONT_CARE);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);

  // Given under the identity modelview: the light sits beside the eye and moves with it.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const GLfloat position[] = {1.0f, 0.0f, 1.0f, 1.0f};
  const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.0f};
  const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void SetProjection(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kViewFieldDegrees, static_cast<double>(width) / (height > 0 ? height : 1),
                 kViewNear, kViewFar);
  glMatrixMode(GL_MODELVIEW);
}

void RecordBatch(const LineBatch& batch) {
  glBegin(GL_LINES);
  glColor4f(batch.colour.red, batch.colour.green, batch.colour.blue, batch.colour.alpha);
  for (const Vertex& vertex : batch.vertices)
    glVertex3f(vertex.x, vertex.y, vertex.z);
  glEnd();
}

}  // namespace

ViewWidget::ViewWidget(const DrawList& scene, QWidget* parent)
    : QOpenGLWidget(parent), scene_(scene), input_(ViewInput::AtStartUp()) {
  setFormat(RequestedFormat());
  // Without alpha in the widget's buffer the clear colour's alpha of 0 still shows opaque.
  setTextureFormat(GL_RGB8);
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);  // every move redraws, with or without a button held
  setFocusPolicy(Qt::NoFocus);
}

ViewWidget::~ViewWidget() {
  if (!contextReady_) return;
  makeCurrent();
  glDeleteLists(kSceneList, 1);
  doneCurrent();
}

QSurfaceFormat ViewWidget::RequestedFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setDepthBufferSize(kMinimumDepthBits);
  return format;
}

std::optional<QString> ViewWidget::ProbeOpenGl() {
  QOpenGLContext context;
  context.setFormat(RequestedFormat());
  if (!context.create()) return QStringLiteral("Can't Create A GL Rendering Context.");
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) {
    return QStringLiteral("Can't activate GLRC.");
  }
  context.doneCurrent();
  if (context.format().depthBufferSize() < kMinimumDepthBits) {
    return QStringLiteral("Can't Find A Suitable PixelFormat.");
  }
  return std::nullopt;
}

void ViewWidget::setInput(const ViewInput& input) {
  input_ = input;
  // The drawing that follows consumes this state before any input can replace it.
  camera_.follow(input_.pointer);
  update();
}

void ViewWidget::setSceneOrigin(const Vec3& origin) {
  origin_ = origin;
  update();
}

ViewGeometry ViewWidget::viewGeometry() const {
  return {camera_.lookAt(input_.distance), origin_, width(), height()};
}

void ViewWidget::showScene() {
  if (contextReady_) {
    makeCurrent();
    compileScene();
    doneCurrent();
  }
  update();
}

void ViewWidget::initializeGL() {
  QOpenGLContext* current = context();
  if (!current || !current->isValid()) {
    emit setUpFailed(QStringLiteral("Can't Create A GL Rendering Context."));
    return;
  }
  if (current->format().depthBufferSize() < kMinimumDepthBits) {
    emit setUpFailed(QStringLiteral("Can't Find A Suitable PixelFormat."));
    return;
  }
  SetFixedSceneState();
  SetProjection(width(), height());
  contextReady_ = true;
  // A new context (the first one, or one re-created by Qt) starts without the scene.
  compileScene();
}

void ViewWidget::resizeGL(int width, int height) {
  if (contextReady_) SetProjection(width, height);
}

void ViewWidget::paintGL() {
  if (contextReady_) renderScene();
}

void ViewWidget::compileScene() {
  glNewList(kSceneList, GL_COMPILE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  // The first batch always sets its width: a replay must not inherit the previous one's.
  float width = -1;
  for (const LineBatch& batch : scene_.batches()) {
    if (batch.lineWidth != width) {
      width = batch.lineWidth;
      glLineWidth(width);
    }
    RecordBatch(batch);
  }
  glEndList();
}

void ViewWidget::renderScene() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  camera_.follow(input_.pointer);
  const LookAt view = camera_.lookAt(input_.distance);
  gluLookAt(view.eyeX, view.eyeY, view.eyeZ, view.centreX, view.centreY, view.centreZ, 0, 0, 1);
  glTranslated(-origin_[0], -origin_[1], -origin_[2]);
  glCallList(kSceneList);
  glPopMatrix();
  emit drawn();
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressedAt_ = event->position().toPoint();
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (input_.move({PointerButtons(event->buttons(), event->modifiers()), at.x(), at.y()})) {
    setFocus(Qt::MouseFocusReason);
  }
  // The camera consumes the move at once, so moves that arrive between two frames add up.
  camera_.follow(input_.pointer);
  update();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  input_.releaseLeftButton(at.x(), at.y());
  // A click, not a drag: the pointer let go where it was pressed, give or take a shaky hand.
  constexpr int kClickSlack = 4;
  if (pressedAt_ && (at - *pressedAt_).manhattanLength() <= kClickSlack) emit clicked(at);
  pressedAt_.reset();
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
  if (input_.turnWheel(event->angleDelta().y())) update();
  event->accept();
}

}  // namespace korvex
