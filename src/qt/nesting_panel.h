#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace korvex {

class CutListDocument;
class ProgressStrip;
class StockModel;

// What a list is nested and written with (stock per tube, kerf, trim, machine, templates and
// their paper), each change an undoable edit of the list, and the buttons that nest, write and
// cancel with the progress under them. Its parts keep their places whatever is shown, so a
// click aimed at a button never lands beside it.
class NestingPanel : public QWidget {
  Q_OBJECT

 public:
  NestingPanel(CutListDocument& list, QWidget* parent);

  // The list's settings or its parts changed.
  void listChanged();
  // While a nest or a write runs, the settings and Nest and Write All wait, Cancel does not.
  void setBusy(bool busy);
  // Says something about the last thing done, in two lines at most; the whole on hover.
  void showNotice(const QString& text, bool problem);

  QPushButton* nestButton() const { return nest_; }
  QPushButton* writeButton() const { return write_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* sheetButton() const { return sheet_; }
  ProgressStrip* progress() const { return progress_; }
  QTableView* stockTable() const { return stock_; }
  QLineEdit* kerfField() const { return kerf_; }
  QLineEdit* trimField() const { return trim_; }
  QComboBox* machineChoice() const { return machine_; }
  QLabel* noticeLabel() const { return notice_; }

 signals:
  // A setting typed that the list refused, and why.
  void refused(const QString& why);

 private:
  void buildFields(QVBoxLayout& layout);
  void buildButtons(QVBoxLayout& layout);
  void numberTyped(QLineEdit* field, const QString& what);
  void choiceMade();

  CutListDocument& list_;
  StockModel* stockModel_;
  QTableView* stock_;
  QLineEdit* kerf_;
  QLineEdit* trim_;
  QComboBox* machine_;
  QComboBox* templates_;
  QComboBox* paper_;
  QPushButton* nest_;
  QPushButton* write_;
  QPushButton* cancel_;
  QPushButton* sheet_;
  ProgressStrip* progress_;
  QLabel* notice_;
};

}  // namespace korvex
