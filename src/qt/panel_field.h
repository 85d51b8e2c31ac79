#pragma once

#include <QLineEdit>

namespace korvex {

// An edit field of the panel: right-aligned, and refusing typed or pasted text that would not
// fit its box, so the text never scrolls out of sight.
class PanelField : public QLineEdit {
  Q_OBJECT

 public:
  PanelField(const QString& text, QWidget* parent);

  // Whether text fits the visible width of the box.
  bool fits(const QString& text) const;
};

}  // namespace korvex
