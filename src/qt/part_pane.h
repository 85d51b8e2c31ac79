#pragma once

#include <QWidget>

class QLabel;
class QScrollArea;
class QSplitter;

namespace korvex {

class PartEditor;
class PartPreview;
class ShopSession;

// The part of the row shown: the row's name, quantity and file above the part's editor and its
// 3D preview; for a row whose file cannot be read, why, and no part. Edits go to the part
// document, whose undo and redo the editor then shows. Save asks before it replaces a file that
// is not the part's own.
class PartPane : public QWidget {
  Q_OBJECT

 public:
  PartPane(ShopSession& session, QWidget* parent);

  // The session changed: a set of ShopSession::Change.
  void sessionChanged(unsigned what);

  // Saves the part as Save does. True when saved.
  bool save();
  // True when the part may be left: unchanged, saved, or its changes let go.
  bool maybeSave();

  PartEditor* editor() const { return editor_; }
  PartPreview* preview() const { return preview_; }
  QSplitter* splitter() const { return splitter_; }
  // What the pane says above the part, and why a row's file cannot be read.
  QString heading() const;
  QString failure() const;

 private:
  void showPart();
  void showHeading();
  void edited();
  // Where to save: the part's file, or a file chosen instead when the user wants; empty when
  // the user cancelled.
  QString chooseTarget();

  ShopSession& session_;
  QLabel* heading_;
  QLabel* failure_;
  QScrollArea* scroll_;
  PartEditor* editor_;
  PartPreview* preview_;
  QSplitter* splitter_;
  long shownRevision_ = -1;  // the part document's revision the editor shows
  bool editing_ = false;     // the editor itself is handing an edit on
};

}  // namespace korvex
