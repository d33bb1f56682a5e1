#pragma once

#include "core/Language.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace Fasoria {

class Experiment;
class PackLessonDialog;
class Prompts;

/// "Save as pack lesson...": the working circuit becomes a guided lesson of a teacher's lesson pack, a new
/// pack or one that exists. An existing pack is read completely before the form opens, and a pack that does
/// not read is reported with nothing written; a new pack is made only once the form is accepted, and a lesson
/// the pack refuses leaves the file as it was.
class PackLessonCommands : public QObject
{
    Q_OBJECT

public:
    /// Shows the form and returns its QDialog result. Tests install one that fills the form as a user would.
    using DialogRunner = std::function<int(PackLessonDialog &dialog)>;

    PackLessonCommands(const Experiment &experiment, const Prompts &prompts, QWidget *window,
                       QObject *parent = nullptr);

    void setLanguage(Language language) { m_language = language; }
    /// An empty runner restores the modal dialog.
    void setDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }

    /// Asks for the pack file (an existing pack, or a new name completed by lessonPackFileName) and saves the
    /// working circuit into it as saveAsPackLessonTo does. Nothing without a working circuit.
    QString saveAsPackLesson();
    /// Adds the working circuit as a lesson of the pack at `chosenName` (completed by lessonPackFileName),
    /// through the form; a new pack is made with the titles given there. Returns the pack's path when the lesson
    /// was saved, after packSaved(); an empty text without a working circuit, when the form was cancelled or when
    /// the pack was refused (after a message, the file as it was).
    QString saveAsPackLessonTo(const QString &chosenName);

signals:
    /// Where the lesson went, for the status line.
    void statusMessage(const QString &text);
    /// A lesson was saved into the pack at `path`: the pack can be loaded to show it.
    void packSaved(const QString &path);

private:
    /// Writes the lesson the accepted form holds; false after the message when the pack refuses it.
    bool writeLesson(const QString &path, const PackLessonDialog &dialog);
    void warn(const QString &text) const;

    const Experiment &m_experiment;
    const Prompts &m_prompts;
    QWidget *m_window;
    DialogRunner m_dialogRunner;
    Language m_language = Italian;
};

} // namespace Fasoria
