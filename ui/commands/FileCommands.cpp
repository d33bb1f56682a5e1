// Circuits, learning sessions, teachers' challenges and the worksheet: the files of the work in hand, and the
// save-before-continue guard.
#include "ui/commands/FileCommands.h"

#include "core/Circuit.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "education/model/LearningSession.h"
#include "education/model/StudySession.h"
#include "education/model/Worksheet.h"
#include "education/print/WorksheetDocument.h"
#include "ui/model/Experiment.h"
#include "ui/model/LessonShelf.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/Prompts.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace Fasoria {

namespace {

// Texts of a new circuit; they live for the whole run, as every circuit's texts must.
const char *const kNewTitleIt = "Nuovo circuito";
const char *const kNewTitleEn = "New circuit";
const char *const kNewQuestionIt = "Esperimento libero: prepara un circuito e verifica la tua previsione.";
const char *const kNewQuestionEn = "Free experiment: build a circuit and test your prediction.";
const char *const kNewExplanationIt = "Circuito completato.";
const char *const kNewExplanationEn = "Circuit complete.";
constexpr std::int32_t kNewQubits = 2;

// clang-format off
constexpr TextPair kOpenCircuitTitle = {"Apri circuito", "Open circuit"};
constexpr TextPair kSaveCircuitTitle = {"Salva circuito", "Save circuit"};
const char *const kOpenFilter = "Fasoria circuit (*.fsor.json *.json);;All files (*)";
const char *const kSaveFilter = "Fasoria circuit (*.fsor.json);;JSON (*.json)";
const char *const kProposedName = "Fasoria.fsor.json";
const char *const kChallengeFilter = "Fasoria challenge (*.challenge.json);;All files (*)";
constexpr TextPair kSaveSessionTitle = {"Salva sessione didattica", "Save learning session"};
constexpr TextPair kOpenSessionTitle = {"Apri sessione didattica", "Open learning session"};
constexpr TextPair kInvalidSession = {"Sessione non valida.", "Invalid session."};
const char *const kSessionProposedName = "Fasoria.session.json";
const char *const kSessionSaveFilter = "Fasoria session (*.session.json)";
const char *const kSessionOpenFilter = "Fasoria session (*.session.json *.json)";
constexpr TextPair kWorksheetTitle = {"Esporta scheda", "Export worksheet"};
const char *const kWorksheetProposedName = "Fasoria_worksheet.html";
const char *const kWorksheetFilter = "HTML (*.html)";
// clang-format on
const char *const kMessageTitle = "Fasoria";

} // namespace

FileCommands::FileCommands(Experiment &experiment, StudySession &session, const Prompts &prompts, QObject *parent)
    : QObject(parent), m_experiment(experiment), m_session(session), m_prompts(prompts)
{}

bool FileCommands::confirmDiscard()
{
    m_session.refreshMarks();
    if (!m_experiment.document().hasUnsavedWork()) {
        return true;
    }
    const QMessageBox::StandardButton answer =
        m_prompts.message(QMessageBox::Question, uiText(TextKey::ModifiedTitle, m_language),
                          uiText(TextKey::ModifiedQuestion, m_language),
                          QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    if (answer != QMessageBox::Save) {
        // Closing the question box any other way than with a button counts as Cancel.
        return false;
    }
    // A session that changed or already has its file is saved there, without asking for a name again.
    const SessionMarks &session = m_session.marks();
    if (session.dirty || !session.path.isEmpty()) {
        return saveLearningSession(QString());
    }
    return saveCircuit(false);
}

void FileCommands::warnInvalidEdit(const QString &editorError)
{
    m_prompts.message(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                      QString::fromStdString(editorErrorText(editorError.toStdString(), m_language)));
}

void FileCommands::markNeverSaved()
{
    m_experiment.document().markNeverSaved();
    emit documentChanged();
}

bool FileCommands::startLessonAfresh(int index)
{
    if (!lessonAt(index) || !confirmDiscard()) {
        return false;
    }
    // Choosing the lesson drops the working circuit, its algorithm and its file.
    return m_session.startAfresh([index](Experiment &experiment) { return experiment.startLesson(index); });
}

bool FileCommands::replaceWorkingCircuit(const Circuit &circuit, const QString &path)
{
    QString error;
    const bool replaced = m_session.startAfresh([&](Experiment &experiment) {
        return experiment.setWorkingCircuit(circuit, path, &error) && experiment.beginExperiment();
    });
    if (!replaced) {
        warnInvalidEdit(error);
    }
    return replaced;
}

bool FileCommands::createAlgorithmCircuit(const AlgorithmParameters &parameters)
{
    GeneratedAlgorithm generated;
    try {
        generated = generateAlgorithm(parameters);
    } catch (const std::exception &error) {
        warnInvalidEdit(QString::fromUtf8(error.what()));
        return false;
    }
    if (!confirmDiscard()) {
        return false;
    }
    QString error;
    const bool created = m_session.startAfresh([&](Experiment &experiment) {
        return experiment.setWorkingCircuit(generated.circuit, QString(), &error) &&
               experiment.attachAlgorithm(generated) && experiment.beginExperiment();
    });
    if (!created) {
        warnInvalidEdit(error);
    }
    return created;
}

void FileCommands::restoreOriginal()
{
    if (!m_experiment.workingCircuit() || !confirmDiscard()) {
        return;
    }
    m_session.startAfresh([](Experiment &experiment) { return experiment.restoreLesson(); });
}

void FileCommands::newCircuit()
{
    if (!confirmDiscard()) {
        return;
    }
    const Circuit circuit{kNewTitleIt,       kNewTitleEn,       kNewQuestionIt, kNewQuestionEn,
                          kNewExplanationIt, kNewExplanationEn, kNewQubits,     {}};
    if (replaceWorkingCircuit(circuit)) {
        // A new circuit exists nowhere else yet: it is unsaved until the first save.
        markNeverSaved();
    }
}

void FileCommands::openCircuit()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText(kOpenCircuitTitle, m_language), QString(),
                                            QString::fromLatin1(kOpenFilter));
    if (!path.isEmpty()) {
        openCircuitFile(path);
    }
}

bool FileCommands::openCircuitFile(const QString &path)
{
    Circuit circuit;
    QString error;
    if (!loadCircuitFile(path, circuit, &error)) {
        m_prompts.message(QMessageBox::Warning, uiText(TextKey::OpenErrorTitle, m_language), error);
        return false;
    }
    return replaceWorkingCircuit(circuit, path);
}

bool FileCommands::saveCircuit(bool asNew)
{
    if (!m_experiment.workingCircuit()) {
        return false;
    }
    const QString path = m_experiment.document().path();
    if (!asNew && !path.isEmpty()) {
        return writeCircuitFile(path);
    }
    const QString name = m_prompts.fileName(FileDialogMode::Save, uiText(kSaveCircuitTitle, m_language),
                                            path.isEmpty() ? QString::fromLatin1(kProposedName) : path,
                                            QString::fromLatin1(kSaveFilter));
    return !name.isEmpty() && saveCircuitAs(name);
}

bool FileCommands::saveCircuitAs(const QString &name)
{
    if (!m_experiment.workingCircuit() || name.isEmpty()) {
        return false;
    }
    const QString path = circuitFileName(name);
    return m_prompts.confirmAppendedName(name, path, m_language) && writeCircuitFile(path);
}

bool FileCommands::writeCircuitFile(const QString &path)
{
    const Circuit &circuit = *m_experiment.workingCircuit();
    QString error;
    if (!saveCircuitFile(path, circuit, &error)) {
        m_prompts.message(QMessageBox::Warning, uiText(TextKey::SaveErrorTitle, m_language), error);
        return false;
    }
    m_experiment.document().markSaved(path, serializeCircuit(circuit));
    emit documentChanged();
    return true;
}

void FileCommands::openChallenge()
{
    if (!confirmDiscard()) {
        return;
    }
    const QString path = m_prompts.fileName(FileDialogMode::Open, uiText(MoreText::OpenChallengeTitle, m_language),
                                            QString(), QString::fromLatin1(kChallengeFilter));
    if (!path.isEmpty()) {
        openChallengeFile(path);
    }
}

bool FileCommands::openChallengeFile(const QString &path)
{
    ChallengeFile challenge;
    QString error;
    const bool opened =
        loadChallengeFile(path, challenge, &error) && m_session.startAfresh([&](Experiment &experiment) {
            return experiment.openCustomChallenge(challenge, &error) && experiment.beginExperiment();
        });
    if (!opened) {
        m_prompts.message(QMessageBox::Warning, uiText(TextKey::OpenErrorTitle, m_language), error);
    }
    return opened;
}

bool FileCommands::saveLearningSession(const QString &path)
{
    const QString known = path.isEmpty() ? m_session.marks().path : path;
    const QString target =
        known.isEmpty()
            ? m_prompts.saveFileName(uiText(kSaveSessionTitle, m_language), QString::fromLatin1(kSessionProposedName),
                                     QString::fromLatin1(kSessionSaveFilter), sessionFileName, m_language)
            : sessionFileName(known);
    if (target.isEmpty()) {
        return false;
    }
    QByteArray written;
    QString error;
    if (!saveSessionFile(target, m_session.gather(), m_language, &written, &error)) {
        m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), error);
        return false;
    }
    m_session.markSaved(target, written);
    emit documentChanged();
    emit statusMessage(QDir::toNativeSeparators(target));
    return true;
}

void FileCommands::openLearningSession()
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

bool FileCommands::openLearningSessionFile(const QString &path)
{
    SessionData session;
    SessionRefusal refusal;
    if (!openSessionFile(path, session, &refusal) || !m_session.apply(session)) {
        // A file that could not be read is the window's own message, in its language; the reader's verdicts
        // on the contents carry both languages.
        QString message = refusal.text();
        if (refusal.error == SessionError::None) {
            message = uiText(kInvalidSession, m_language);
        } else if (refusal.error == SessionError::Unreadable) {
            message = refusal.text(m_language);
        }
        m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), message);
        return false;
    }
    m_session.markOpened(path);
    emit documentChanged();
    emit sessionOpened();
    return true;
}

bool FileCommands::exportWorksheet(const QString &path)
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
    WorksheetInput input = m_session.worksheetInput(m_language);
    try {
        addWorksheetPictures(input, m_language, m_experiment.workingCircuit() != nullptr);
    } catch (const std::exception &refusal) {
        m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), QString::fromUtf8(refusal.what()));
        return false;
    }
    if (!saveWorksheetFile(target, input, m_language, &error)) {
        m_prompts.message(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), error);
        return false;
    }
    emit statusMessage(QDir::toNativeSeparators(target));
    return true;
}

bool FileCommands::openGivenFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!confirmDiscard()) {
        return false;
    }
    if (absolute.endsWith(QStringLiteral(".session.json"), Qt::CaseInsensitive)) {
        return openLearningSessionFile(absolute);
    }
    if (absolute.endsWith(QStringLiteral(".challenge.json"), Qt::CaseInsensitive)) {
        return openChallengeFile(absolute);
    }
    return openCircuitFile(absolute);
}

} // namespace Fasoria
