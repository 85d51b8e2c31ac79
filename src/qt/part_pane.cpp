#include "qt/part_pane.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/shop_session.h"
#include "qt/part_editor.h"
#include "qt/part_preview.h"
#include "qt/shop_questions.h"

namespace korvex {
namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

// The editor with its holes table several rows high over a preview still worth looking at.
constexpr int kEditorHeight = 570;
constexpr int kPreviewHeight = 250;
constexpr int kLeastPreview = 160;

}  // namespace

PartPane::PartPane(ShopSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("partHeading"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  failure_ = new QLabel(this);
  failure_->setObjectName(QStringLiteral("partFailure"));
  failure_->setStyleSheet(QStringLiteral("color: #c00000;"));
  failure_->setWordWrap(true);
  failure_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  failure_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  editor_ = new PartEditor(this);
  preview_ = new PartPreview(this);
  scroll_ = new QScrollArea(this);
  scroll_->setWidget(editor_);
  scroll_->setWidgetResizable(true);
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->addWidget(scroll_);
  splitter_->addWidget(preview_);
  preview_->setMinimumHeight(kLeastPreview);
  splitter_->setSizes({kEditorHeight, kPreviewHeight});
  layout->addWidget(heading_);
  layout->addWidget(failure_, 1);
  layout->addWidget(splitter_, 1);

  connect(editor_, &PartEditor::jobComputed, preview_, &PartPreview::showJob);
  connect(editor_, &PartEditor::partEdited, this, &PartPane::edited);
  connect(editor_, &PartEditor::saveRequested, this, &PartPane::save);
  showPart();
}

void PartPane::sessionChanged(unsigned what) {
  if (what & (ShopSession::kPart | ShopSession::kRows | ShopSession::kRowValues)) showPart();
}

void PartPane::showPart() {
  const PartDocument& part = session_.part();
  showHeading();
  failure_->setText(part.failure() ? tr("%1 cannot be used: %2")
                                         .arg(QFileInfo(Qs(part.source())).fileName(),
                                              Qs(*part.failure()))
                                   : QString());
  failure_->setVisible(part.failure().has_value());
  splitter_->setVisible(part.part() != nullptr);
  if (part.part() && part.revision() != shownRevision_ && !editing_) editor_->setPart(*part.part());
  shownRevision_ = part.revision();
  const auto notice = part.saveNotice();
  editor_->setSaveStatus(notice ? Qs(notice->text) : QString(), notice && notice->refused);
}

void PartPane::showHeading() {
  const auto row = session_.shownRow();
  if (!row) {
    heading_->setText(session_.list().rows().empty() ? tr("Add parts to the list (Ctrl+I)")
                                                     : tr("Select a part in the list"));
    return;
  }
  const CutListRow& listed = session_.list().rows()[*row];
  const QString file = QFileInfo(Qs(session_.part().source())).fileName();
  QString text = tr("%1 \u00d7 %2, %3").arg(Qs(listed.name)).arg(listed.quantity).arg(file);
  if (session_.part().part() && session_.saveTarget() != session_.part().source())
    text += tr(", saved as %1").arg(QFileInfo(Qs(session_.saveTarget())).fileName());
  if (!session_.part().isClean()) text += tr(" *");
  heading_->setText(text);
}

QString PartPane::heading() const {
  return heading_->text();
}

QString PartPane::failure() const {
  return failure_->isVisible() ? failure_->text() : QString();
}

void PartPane::edited() {
  editing_ = true;
  session_.part().edit(editor_->part());
  editing_ = false;
  shownRevision_ = session_.part().revision();
}

QString PartPane::chooseTarget() {
  QString path = Qs(session_.saveTarget());
  for (;;) {
    const auto question = session_.saveQuestion(path.toStdString());
    if (!question) return path;
    const Answer answer = AskToReplace(this, Qs(*question));
    if (answer == Answer::Replace) return path;
    if (answer == Answer::Cancel) return {};
    path = QFileDialog::getSaveFileName(this, tr("Save Part As"), path,
                                        tr("Part file (*.kvxp)"), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return {};
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".kvxp");
  }
}

bool PartPane::save() {
  const QStringList problems = editor_->problems();
  if (!problems.isEmpty()) {
    editor_->setSaveStatus(tr("PART NOT SAVED: %1").arg(problems.front()), true);
    return false;
  }
  const QString target = chooseTarget();
  if (target.isEmpty()) return false;
  return !session_.savePart(target.toStdString());
}

bool PartPane::maybeSave() {
  if (session_.part().isClean()) return true;
  const auto row = session_.shownRow();
  const QString name = row ? Qs(session_.list().rows()[*row].name) : tr("The part");
  switch (AskToSave(this, tr("The part %1").arg(name))) {
    case Answer::Save:
      return save();
    case Answer::Discard:
      return true;
    default:
      return false;
  }
}

}  // namespace korvex
