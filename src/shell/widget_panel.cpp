#include "shell/widget_panel.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>

#include "controls/rrbutton/rrbutton.h"
#include "shell/control_table.h"
#include "shell/image_button_setup.h"
#include "shell/panel_field.h"

namespace korvex {
namespace {

QWidget* CreateImageButton(QWidget* window, const ControlSpec& spec) {
  RRButton* button = RRButtonCreate(window, spec.id, spec.caption, spec.x, spec.y, spec.w, spec.h,
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 1);
  if (!button) return nullptr;
  for (const ButtonMessage& message : ImageButtonSetup(spec)) {
    const std::intptr_t lParam =
        message.imageName ? reinterpret_cast<std::intptr_t>(message.imageName) : message.lParam;
    button->sendMessage(message.message, message.wParam, lParam);
  }
  return button;
}

QWidget* CreateControl(QWidget* window, const ControlSpec& spec) {
  const QString caption = QString::fromLatin1(spec.caption);
  QWidget* control = nullptr;
  switch (spec.kind) {
    case ControlKind::Frame:
      control = new QGroupBox(caption, window);
      break;
    case ControlKind::Label: {
      auto* label = new QLabel(caption, window);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      control = label;
      break;
    }
    case ControlKind::EditField:
      control = new PanelField(QString::fromLatin1(spec.defaultText), window);
      break;
    case ControlKind::CheckBox:
      control = new QCheckBox(caption, window);
      break;
    case ControlKind::ImageButton:
      return CreateImageButton(window, spec);
  }
  control->setGeometry(spec.x, spec.y, spec.w, spec.h);
  // The mouse may focus a field or box, the Tab key never moves between them.
  if (spec.kind == ControlKind::EditField || spec.kind == ControlKind::CheckBox) {
    control->setFocusPolicy(Qt::ClickFocus);
  }
  return control;
}

}  // namespace

WidgetPanel::WidgetPanel(QWidget* window) : window_(window) {
  for (const ControlSpec& spec : ControlTable()) {
    QWidget* control = CreateControl(window, spec);
    if (!control) continue;
    control->setProperty(kControlIdProperty, spec.id);
    add(control, spec.id);
  }
}

void WidgetPanel::add(QWidget* control, int id) {
  controls_.push_back(control);
  if (id == -1) return;
  byId_[id] = control;
  if (auto* field = qobject_cast<QLineEdit*>(control)) fields_[id] = field;
  if (auto* box = qobject_cast<QCheckBox*>(control)) checkBoxes_[id] = box;
}

QWidget* WidgetPanel::control(int id) const {
  auto found = byId_.find(id);
  return found == byId_.end() ? nullptr : found->second;
}

std::string WidgetPanel::text(int id) const {
  auto found = fields_.find(id);
  if (found == fields_.end()) return {};
  return found->second->text().toLatin1().toStdString();
}

void WidgetPanel::setText(int id, const std::string& text) {
  auto found = fields_.find(id);
  if (found == fields_.end()) return;
  found->second->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  // Show the start of a text longer than the box, as a field that cannot scroll would.
  found->second->setCursorPosition(0);
}

int WidgetPanel::checkState(int id) const {
  auto found = checkBoxes_.find(id);
  return found != checkBoxes_.end() && found->second->isChecked() ? 1 : 0;
}

void WidgetPanel::setCheckState(int id, int state) {
  auto found = checkBoxes_.find(id);
  if (found != checkBoxes_.end()) found->second->setChecked(state == 1);
}

void WidgetPanel::setTitle(const std::string& title) {
  // The title carries a file path, which is in the file system's encoding.
  window_->setWindowTitle(QFile::decodeName(QByteArray::fromStdString(title)));
}

}  // namespace korvex
