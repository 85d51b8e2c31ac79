#include "qt/panel_field.h"

#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace korvex {
namespace {

// Qt keeps this margin between the frame's contents and the text on either side.
constexpr int kTextMargin = 2;

class FitsBoxValidator : public QValidator {
 public:
  explicit FitsBoxValidator(const PanelField* field) : QValidator(nullptr), field_(field) {}

  State validate(QString& input, int&) const override {
    return field_->fits(input) ? Acceptable : Invalid;
  }

 private:
  const PanelField* field_;
};

}  // namespace

PanelField::PanelField(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* validator = new FitsBoxValidator(this);
  validator->setParent(this);
  setValidator(validator);
}

bool PanelField::fits(const QString& text) const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  const QMargins margins = textMargins();
  const int room = contents.width() - margins.left() - margins.right() - 2 * kTextMargin;
  // One pixel stays free for the cursor.
  return fontMetrics().horizontalAdvance(text) < room;
}

}  // namespace korvex
