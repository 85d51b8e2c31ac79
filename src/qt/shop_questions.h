#pragma once

#include <QString>

class QWidget;

namespace korvex {

// The questions the shop window asks before it lets something go or replaces a file.
enum class Answer { Save, Discard, UseUnsaved, Replace, SaveAs, Cancel };

// "... has changed. Save it?": Save, Discard or Cancel.
Answer AskToSave(QWidget* parent, const QString& what);
// Unsaved edits of a part before a nest or a write: Save, UseUnsaved or Cancel.
Answer AskAboutUnsavedPart(QWidget* parent, const QString& part, const QString& doing);
// A question about replacing a file: Replace, SaveAs or Cancel.
Answer AskToReplace(QWidget* parent, const QString& question);
// A question about replacing files that cannot go elsewhere: Replace or Cancel, Cancel first.
Answer AskToReplaceFiles(QWidget* parent, const QString& question);

}  // namespace korvex
