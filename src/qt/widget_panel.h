#pragma once

#include <QString>
#include <map>
#include <vector>

#include "app/panel.h"

class QCheckBox;
class QLineEdit;
class QWidget;

namespace korvex {

class RRButton;

// The panel over real widgets: every control of the control table, created as children of the
// main window at their pixel positions, addressed by control id.
class WidgetPanel : public Panel {
 public:
  // Creates the controls in table order and configures the image buttons.
  explicit WidgetPanel(QWidget* window);

  std::string text(int id) const override;
  void setText(int id, const std::string& text) override;
  int checkState(int id) const override;
  void setCheckState(int id, int state) override;
  void setTitle(const std::string& title) override;

  // The widget of a control with an id; nullptr when the panel has none.
  QWidget* control(int id) const;
  // Every control in creation order, also those without an id.
  const std::vector<QWidget*>& controls() const { return controls_; }

 private:
  void add(QWidget* control, int id);

  QWidget* window_;
  std::vector<QWidget*> controls_;
  std::map<int, QWidget*> byId_;
  std::map<int, QLineEdit*> fields_;
  std::map<int, QCheckBox*> checkBoxes_;
};

// The property every panel control carries with its id (-1 for frames and labels).
inline constexpr const char* kControlIdProperty = "korvexControlId";

}  // namespace korvex
