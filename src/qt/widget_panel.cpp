#include "qt/widget_panel.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>

#include "app/control_table.h"
#include "controls/rrbutton/rrbutton.h"
#include "qt/image_button_setup.h"
#include "qt/panel_field.h"

namespace korvex {
namespace {

QWidget* CreateImageButton(QWidget* window, const PanelControl& entry) {
  RRButton* button = RRButtonCreate(window, entry.id, entry.caption, entry.x, entry.y, entry.w,
                                    entry.h, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 1);
  if (!button) return nullptr;
  for (const ButtonMessage& message : ImageButtonSetup(entry)) {
    const std::intptr_t lParam =
        message.imageName ? reinterpret_cast<std::intptr_t>(message.imageName) : message.lParam;
    button->sendMessage(message.message, message.wParam, lParam);
  }
  return button;
}

QWidget* CreateControl(QWidget* window, const PanelControl& entry) {
  const QString caption = QString::fromLatin1(entry.caption);
  QWidget* control = nullptr;
  switch (entry.kind) {
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
      control = new PanelField(QString::fromLatin1(entry.defaultText), window);
      break;
    case ControlKind::CheckBox:
      control = new QCheckBox(caption, window);
      break;
    case ControlKind::ImageButton:
      return CreateImageButton(window, entry);
  }
  control->setGeometry(entry.x, entry.y, entry.w, entry.h);
  // The mouse may focus a field or box, the Tab key never moves between them.
  if (entry.kind == ControlKind::EditField || entry.kind == ControlKind::CheckBox) {
    control->setFocusPolicy(Qt::ClickFocus);
  }
  return control;
}

}  // namespace

WidgetPanel::WidgetPanel(QWidget* window) : window_(window) {
  for (const PanelControl& entry : ControlTable()) {
    QWidget* control = CreateControl(window, entry);
    if (!control) continue;
    control->setProperty(kControlIdProperty, entry.id);
    add(control, entry.id);
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
