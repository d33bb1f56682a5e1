// Learning sessions (saved, opened and tracked for unsaved changes), the printable worksheet and the
// beginner view.
#include "editor/CircuitFile.h"
#include "education/dialog/LearningDialog.h"
#include "education/model/LearningSession.h"
#include "education/model/StudySession.h"
#include "education/model/Worksheet.h"
#include "ui/model/LeftTabs.h"
#include "ui/panels/EditorPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QScopedValueRollback>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>

using namespace Fasoria;

namespace {

// clang-format off
constexpr TextPair kSaveSessionTitle = {"Salva sessione didattica", "Save learning session"};
constexpr TextPair kOpenSessionTitle = {"Apri sessione didattica", "Open learning session"};
const char *const kSessionProposedName = "Fasoria.session.json";
const char *const kSessionSaveFilter = "Fasoria session (*.session.json)";
const char *const kSessionOpenFilter = "Fasoria session (*.session.json *.json)";
constexpr TextPair kWorksheetTitle = {"Esporta scheda", "Export worksheet"};
const char *const kWorksheetProposedName = "Fasoria_worksheet.html";
const char *const kWorksheetFilter = "HTML (*.html)";
// clang-format on
const char *const kMessageTitle = "Fasoria";
const char *const kSimpleModeKey = "education/simple";
constexpr int kStatusMessageMs = 8000;

} // namespace

SessionData MainWindow::gatherSession() const
{
    StudyTexts texts;
    if (m_learningDialog) {
        texts = StudyTexts{m_learningDialog->question(), m_learningDialog->reasonDraft(), m_learningDialog->notes(),
                           m_learningDialog->conclusion(), m_learningDialog->distributionDraft()};
    }
    return Fasoria::gatherSession(m_experiment, m_learningLab, texts,
                                  static_cast<std::int32_t>(m_measurementPanel->selectedPreparations()),
                                  m_simpleMode->isChecked());
}

QByteArray MainWindow::serialiseSession() const
{
    if (!m_learningDialog || !m_experiment.state()) {
        return QByteArray();
    }
    return Fasoria::serialiseSession(gatherSession());
}

bool MainWindow::saveLearningSession(const QString &path)
{
    SessionMarks &marks = m_experiment.document().session();
    QString target = path.isEmpty() ? marks.path : path;
    target =
        target.isEmpty()
            ? m_prompts.saveFileName(uiText(kSaveSessionTitle, m_language), QString::fromLatin1(kSessionProposedName),
                                     QString::fromLatin1(kSessionSaveFilter), sessionFileName, m_language)
            : sessionFileName(target);
    if (target.isEmpty()) {
        return false;
    }
    QByteArray written;
    QString error;
    if (!saveSessionFile(target, gatherSession(), m_language, &written, &error)) {
        showMessage(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), error);
        return false;
    }
    marks.path = target;
    marks.touched = true;
    marks.baseline = written;
    marks.dirty = false;
    // A saved session also holds the circuit: it counts as saved.
    m_experiment.document().keepAsSaved(m_experiment.workingCircuit());
    refreshLearningLab();
    refreshTitle();
    statusBar()->showMessage(QDir::toNativeSeparators(target), kStatusMessageMs);
    return true;
}

void MainWindow::openLearningSession()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText(kOpenSessionTitle, m_language), QString(),
                                            QString::fromLatin1(kSessionOpenFilter));
    if (!path.isEmpty()) {
        openLearningSessionFile(path);
    }
}

bool MainWindow::openLearningSessionFile(const QString &path)
{
    SessionData session;
    SessionRefusal refusal;
    if (!openSessionFile(path, session, &refusal) || !applySession(session)) {
        // A file that could not be read is the window's own message, in its language; the reader's
        // verdicts on the contents carry both languages.
        QString message = refusal.text();
        if (refusal.error == SessionError::None) {
            message = uiText({"Sessione non valida.", "Invalid session."}, m_language);
        } else if (refusal.error == SessionError::Unreadable) {
            message = refusal.text(m_language);
        }
        showMessage(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), message);
        return false;
    }
    SessionMarks &marks = m_experiment.document().session();
    marks.path = path;
    marks.baseline = serialiseSession();
    marks.dirty = false;
    refreshTitle();
    showLearningLab();
    return true;
}

bool MainWindow::openGivenFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute.endsWith(QStringLiteral(".session.json"), Qt::CaseInsensitive)) {
        return confirmDiscard() && openLearningSessionFile(absolute);
    }
    if (absolute.endsWith(QStringLiteral(".challenge.json"), Qt::CaseInsensitive)) {
        return confirmDiscard() && openChallengeFile(absolute);
    }
    return confirmDiscard() && openCircuitFile(absolute);
}

bool MainWindow::restoreSession(const QByteArray &bytes, QString *message)
{
    SessionData session;
    if (!Fasoria::restoreSession(bytes, session, message)) {
        return false;
    }
    return applySession(session);
}

bool MainWindow::applySession(const SessionData &session)
{
    const std::optional<ExperimentRecord> record = experimentRecord(session);
    if (!record) {
        return false;
    }
    // Everything the window shows comes from here on; the texts filled now are not the student's changes.
    SessionMarks &marks = m_experiment.document().session();
    {
        // The window shows the session once, whole, when the study texts are in place too.
        const Experiment::ChangeBatch batch(m_experiment);
        {
            const QScopedValueRollback<bool> suppress(m_suppressSession, true);
            if (!m_experiment.restore(*record)) {
                return false;
            }
            m_learningLab.setRecordedPrediction(session.distributionPrediction, session.predictionReason);
            m_learningLab.setCopies(session.comparisonA, session.comparisonB);
            if (m_learningDialog) {
                const StudyTexts texts = studyTexts(session);
                m_learningDialog->setQuestion(texts.question);
                m_learningDialog->setReasonDraft(texts.reasonDraft);
                m_learningDialog->setNotes(texts.notes);
                m_learningDialog->setConclusion(texts.conclusion);
                m_learningDialog->setDistributionDraft(texts.distributionDraft);
            }
            m_measurementPanel->selectPreparations(static_cast<std::uint64_t>(session.selectedShots));
            marks = SessionMarks{};
            marks.touched = true;
            marks.baseline = serialiseSession();
        }
        applySimpleMode(session.simpleMode);
    }
    marks.baseline = serialiseSession();
    marks.dirty = false;
    refreshTitle();
    return true;
}

void MainWindow::keepWorkAsItStands()
{
    CircuitDocument &document = m_experiment.document();
    document.keepAsSaved(m_experiment.workingCircuit());
    SessionMarks &marks = document.session();
    marks.baseline = serialiseSession();
    marks.dirty = false;
    refreshLearningLab();
    refreshTitle();
}

void MainWindow::refreshSessionMarks()
{
    SessionMarks &marks = m_experiment.document().session();
    if (marks.touched && !m_suppressSession) {
        marks.dirty = serialiseSession() != marks.baseline;
    }
}

void MainWindow::markSessionTouched()
{
    if (m_suppressSession) {
        return;
    }
    m_experiment.document().session().touched = true;
    refreshLearningLab();
}

WorksheetInput MainWindow::worksheetInput() const
{
    WorksheetInput input;
    input.circuit = m_experiment.shownCircuit();
    input.currentStep = m_experiment.currentStep();
    input.predictionFeedback = m_learningLab.predictionFeedback(ExperimentView::of(m_experiment), m_language);
    input.predictionReason = m_learningLab.predictionReason();
    if (m_learningDialog) {
        input.question = m_learningDialog->question();
        input.notes = m_learningDialog->notes();
        input.conclusion = m_learningDialog->conclusion();
    }
    input.lastShotsTotal = m_experiment.lastShotsTotal();
    input.lastShotsCounts = m_experiment.lastShotsCounts();
    input.lastOutcome = m_experiment.lastOutcome();
    return input;
}

QString MainWindow::buildWorksheet() const
{
    return Fasoria::buildWorksheet(worksheetInput(), m_language);
}

bool MainWindow::exportWorksheet(const QString &path)
{
    const QString target =
        path.isEmpty()
            ? m_prompts.saveFileName(uiText(kWorksheetTitle, m_language), QString::fromLatin1(kWorksheetProposedName),
                                     QString::fromLatin1(kWorksheetFilter), worksheetFileName, m_language)
            : worksheetFileName(path);
    if (target.isEmpty()) {
        return false;
    }
    QString error;
    if (!saveWorksheetFile(target, worksheetInput(), m_language, &error)) {
        showMessage(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), error);
        return false;
    }
    statusBar()->showMessage(QDir::toNativeSeparators(target), kStatusMessageMs);
    return true;
}

void MainWindow::applySimpleMode(bool beginner)
{
    showSimpleMode(beginner);
    QSettings().setValue(QString::fromLatin1(kSimpleModeKey), beginner);
    refreshLearningLab();
}

void MainWindow::showSimpleMode(bool beginner)
{
    {
        const QSignalBlocker blocker(m_simpleMode);
        m_simpleMode->setChecked(beginner);
    }
    m_rightDataSplitter->setVisible(!beginner);
    m_exercisePanel->setBeginner(beginner);
    m_explanationBox->setVisible(!beginner);
    // The lesson page replaces a page that goes; disabling the current page first would move to another.
    const int shown = m_leftTabs->currentIndex();
    if (beginner && (shown == kAlgorithmsTab || shown == kEditorTab || shown == kQubitsTab)) {
        m_leftTabs->setCurrentIndex(kLessonTab);
    }
    // The spheres are details like the state table, and go with it.
    for (const int tab : {kAlgorithmsTab, kEditorTab, kQubitsTab}) {
        m_leftTabs->setTabEnabled(tab, !beginner);
    }
}

void MainWindow::readSimpleMode()
{
    // The stored value is shown as it is: reading the settings writes nothing back.
    showSimpleMode(QSettings().value(QString::fromLatin1(kSimpleModeKey), false).toBool());
}
