#pragma once

#include "core/Language.h"

#include <QObject>
#include <QPointer>

namespace Fasoria {

class Experiment;
class LearningDialog;
class Prompts;
class StudySession;

/// Binds the learning lab's dialog to the models it shows: the dialog's requests become operations on the
/// experiment and the study session, the texts the student types go to the session, and the dialog is redrawn
/// whenever the session announces a change. The requests that reach beyond the lab (a guided experiment,
/// session files, the worksheet, the handbook) stay the dialog's signals for the window to route.
class LearningController : public QObject
{
    Q_OBJECT

public:
    /// The dialog is created hidden, as a child of `dialogParent`.
    LearningController(Experiment &experiment, StudySession &session, const Prompts &prompts, QWidget *dialogParent);

    LearningDialog *dialog() const;
    void setLanguage(Language language);
    /// Shows and raises the dialog, redrawn.
    void show();
    /// Redraws the dialog from the models.
    void refresh();

private:
    void bind();
    void showTexts();

    Experiment &m_experiment;
    StudySession &m_session;
    const Prompts &m_prompts;
    QPointer<LearningDialog> m_dialog;
    Language m_language = Italian;
};

} // namespace Fasoria
