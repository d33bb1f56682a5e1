#include "education/dialog/LearningController.h"

#include "education/dialog/LearningDialog.h"
#include "education/model/LearningLab.h"
#include "education/model/StudySession.h"
#include "ui/model/Experiment.h"
#include "ui/widgets/Prompts.h"

#include <functional>

namespace Fasoria {

LearningController::LearningController(Experiment &experiment, StudySession &session, const Prompts &prompts,
                                       QWidget *dialogParent)
    : m_experiment(experiment), m_session(session), m_prompts(prompts), m_dialog(new LearningDialog(dialogParent))
{
    bind();
}

void LearningController::bind()
{
    LearningDialog *dialog = m_dialog;
    const auto onRequest = [this, dialog](auto signal, const std::function<void()> &operation) {
        connect(dialog, signal, this, [this, operation] { m_prompts.guarded(operation, m_language); });
    };
    onRequest(&LearningDialog::recordRequested, [this] { m_session.recordPrediction(); });
    onRequest(&LearningDialog::restartRequested, [this] { m_experiment.restart(); });
    onRequest(&LearningDialog::nextRequested, [this] { m_experiment.nextStep(); });
    onRequest(&LearningDialog::measureRequested, [this] { m_experiment.measureOnce(); });
    onRequest(&LearningDialog::shotsRequested, [this] { m_experiment.repeatPreparations(m_session.preparations()); });
    onRequest(&LearningDialog::captureARequested, [this] { m_session.capture(CopySide::A); });
    onRequest(&LearningDialog::captureBRequested, [this] { m_session.capture(CopySide::B); });
    onRequest(&LearningDialog::appendHRequested, [this] { m_session.appendH(); });
    connect(dialog, &LearningDialog::applyPresetRequested, this,
            [this](int index) { m_prompts.guarded([this, index] { m_session.applyPreset(index); }, m_language); });
    connect(dialog, &LearningDialog::stageAChanged, this, [this](int stage) {
        m_prompts.guarded([this, stage] { m_session.setStage(CopySide::A, stage); }, m_language);
    });
    connect(dialog, &LearningDialog::stageBChanged, this, [this](int stage) {
        m_prompts.guarded([this, stage] { m_session.setStage(CopySide::B, stage); }, m_language);
    });
    // What the student types belongs to the session the moment it is typed.
    connect(dialog, &LearningDialog::touched, this, [this] { m_session.setTexts(m_dialog->studyTexts()); });
    connect(&m_session, &StudySession::textsReplaced, this, &LearningController::showTexts);
    connect(&m_session, &StudySession::changed, this, &LearningController::refresh);
}

LearningDialog *LearningController::dialog() const
{
    return m_dialog;
}

void LearningController::setLanguage(Language language)
{
    m_language = language;
    refresh();
}

void LearningController::show()
{
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    refresh();
}

void LearningController::refresh()
{
    const SessionMarks &marks = m_session.marks();
    LearningWindowState window;
    window.nextEnabled = m_experiment.canStepForward();
    window.preparations = m_session.preparations();
    window.sessionStatus = sessionStatusText(marks.path, marks.dirty, m_language);
    window.sessionFilesEnabled = true;
    m_dialog->refresh(m_session.lab(), ExperimentView::of(m_experiment), window, m_language);
}

void LearningController::showTexts()
{
    m_dialog->showStudyTexts(m_session.texts());
}

} // namespace Fasoria
