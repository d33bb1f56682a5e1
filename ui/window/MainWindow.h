#pragma once

#include "core/GateText.h"
#include "core/Language.h"
#include "education/model/LearningLab.h"
#include "ui/model/Experiment.h"
#include "ui/widgets/Prompts.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;
class QVBoxLayout;
class CircuitView;
class HelpDialog;
class LicenseDialog;

namespace Fasoria {
enum class PictureFormat;
class AlgorithmLabPanel;
class ChallengePanel;
class CircuitEditor;
class EditorPanel;
class LearningDialog;
class CircuitPanel;
class ExercisePanel;
class NotebookPanel;
class StatesPanel;
struct WindowActions;
class MeasurementPanel;
class QubitStatePanel;
struct EditSnapshot;
struct SessionData;
struct WorksheetInput;
} // namespace Fasoria

/// The laboratory's single window. It owns the experiment (Fasoria::Experiment) and renders it through its
/// panels: every user action calls one operation below, which changes the experiment and then refreshes
/// what depends on it. The rules of the experiment live in the model; the window builds the panels, wires
/// their signals to these operations and asks the user what only the user can answer.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    using MessageBoxHandler = Fasoria::Prompts::MessageBoxHandler;
    using FileDialogMode = Fasoria::FileDialogMode;
    using FileDialogHandler = Fasoria::Prompts::FileDialogHandler;
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const Fasoria::Experiment &experiment() const { return m_experiment; }
    Fasoria::Language language() const { return m_language; }
    /// The message-box and file-dialog seam, shared with the dialogs the window owns.
    Fasoria::Prompts &prompts() { return m_prompts; }
    /// Replaces the message-box seam; an empty handler restores the real dialogs.
    void setMessageBoxHandler(MessageBoxHandler handler);
    /// Replaces the file-dialog seam; an empty handler restores the real dialogs.
    void setFileDialogHandler(FileDialogHandler handler);

    /// Prepares the shown circuit at step 0.
    void restartExperiment();
    /// Rebuilds at `step` after an edit or a replacement of the working circuit, with a fresh notebook.
    void resetToStep(Fasoria::EditAction action, std::uint64_t step);
    void goToStep(std::uint64_t step);
    void nextStep();
    void previousStep();
    void measureOnce();
    /// Repeats the number of preparations chosen in the preparation selector.
    void repeatPreparations();
    /// Records basis state `basisIndex` as the prediction.
    void recordPrediction(std::uint64_t basisIndex);
    /// Shows catalog lesson `index`; ignored for an index outside the catalog.
    void selectLesson(int index);
    /// Rewrites every text in the current language and re-renders the notebook; the experiment is untouched.
    void applyLanguage();
    /// Makes a copy of `circuit` the working circuit and rebuilds it at step 0 (the common path of opening a
    /// file, generating an algorithm and restoring a session; callers ask confirmDiscard first). A circuit
    /// the editor refuses changes nothing: the "Invalid edit" warning is shown and false returned.
    bool replaceWorkingCircuit(const Fasoria::Circuit &circuit, const QString &path = QString());

    /// The save-before-continue guard: true when nothing unsaved would be lost or the user chose to save
    /// (successfully) or to discard.
    bool confirmDiscard();

    // Commands on the working circuit. Each one that would replace unsaved work asks the save-before-continue
    // question first; the path-taking operations do not (their callers ask).
    /// A fresh empty two-qubit circuit that counts as unsaved.
    void newCircuit();
    /// Asks for a circuit file and opens it (openCircuitFile).
    void openCircuit();
    /// Reads `path` as the working circuit. Any failure shows the "Open error" warning, returns false and
    /// leaves the working circuit, its path and its saved bytes as they were.
    bool openCircuitFile(const QString &path);
    /// Saves the working circuit to its file, asking for a name when asNew or when it has none yet. False
    /// without a working circuit, when no name is chosen, or when writing fails (after the "Save error"
    /// warning).
    bool saveCircuit(bool asNew);
    /// Saves the working circuit under `name`, with ".fsor.json" appended unless it ends in ".json" (any
    /// letter case), asking before replacing a file of the completed name. A failure shows the "Save error"
    /// warning and leaves the old file, the path and the modified mark as they were.
    bool saveCircuitAs(const QString &name);
    /// Makes an editable copy of the shown lesson, keeping the selected stage.
    void editCopy();
    /// Discards the working circuit and shows the catalog lesson again.
    void restoreOriginal();
    // The editor panel's edits: the panel's gate (kind, target, control, angle in degrees) is applied through
    // the checked editor; a refused edit shows "Invalid edit" and changes nothing.
    /// Inserts the panel's gate after the selected stage (at the beginning for stage 0).
    void insertGateAfterStage();
    void replaceSelectedGate();
    void removeSelectedGate();
    /// Moves the selected gate one place left (−1) or right (+1); the view follows it.
    void moveSelectedGate(int direction);
    /// Gives the working circuit the qubit count of the panel's spin box.
    void applyQubitCount();

    // The algorithm and challenge panels.
    /// Generates the circuit the generator controls describe and makes it the working circuit, after the
    /// save-before-continue question; a parameter set the generator refuses is reported and changes nothing.
    void createAlgorithmCircuit();
    /// Shows checkpoint stage `stage` and focuses the drawing on it.
    void goToAlgorithmStage(std::uint64_t stage);
    /// Shows the complete circuit (without a single measurement's collapse) and focuses the drawing on it.
    void runCompleteCircuit();
    void checkChallengeSolution();
    void showNextHint();

    /// Asks for a file name and writes the results document of the current stage.
    void exportResults();

    // Undo and redo of the editor panel's edits (each edit records the state before it).
    /// Puts back the working circuit as it was before the last edit, at its stage; ignored without one.
    void undo();
    /// Puts back the edit that undo took away; ignored without one.
    void redo();

    // The learning lab.
    const Fasoria::LearningLab &learningLab() const { return m_learningLab; }
    /// The dialog, created hidden with the window.
    Fasoria::LearningDialog *learningDialog() const;
    /// Shows and raises the learning lab, then refreshes it.
    void showLearningLab();
    /// Catalog lesson `index` from scratch, whichever lesson is shown (a guided experiment of the learning lab): after
    /// the save-before-continue question, a fresh learning session, empty histories, no working circuit, the lesson
    /// prepared at step 0. False when the index is outside the catalog or the student kept the work.
    bool startLessonAfresh(int index);
    /// Records the learning lab's chosen distribution with its reasoning, while the prediction is open.
    void recordDistributionPrediction();
    void applyComparisonPreset(int index);
    /// Copies the shown circuit at the current step into comparison copy A or B.
    void captureComparison(Fasoria::CopySide side);
    void appendHToComparisons();
    void setComparisonStage(Fasoria::CopySide side, int stage);

    // Learning sessions, the worksheet and the beginner view (MainWindowSession.cpp).
    /// The canonical compact session of the current state; empty before the first state.
    QByteArray serialiseSession() const;
    /// Validates `bytes` completely and, only when every check passes, puts the session in place. On failure
    /// *message holds the reader's bilingual message and nothing has changed.
    bool restoreSession(const QByteArray &bytes, QString *message);
    /// Saves the session to `path`, else to its known file, else to a file the user chooses (with
    /// ".session.json" appended unless the name ends in ".json"). False, changing nothing, when no name is
    /// chosen, a text is over the limit or writing fails (after a warning).
    bool saveLearningSession(const QString &path);
    /// Asks before discarding unsaved work, then for a session file to open.
    void openLearningSession();
    /// Opens `path` as the session; a refused file is reported and changes nothing.
    bool openLearningSessionFile(const QString &path);
    /// Opens a file named on the command line (what a desktop's "open with" passes): a learning session
    /// when its name ends in ".session.json", a teacher's challenge for ".challenge.json", else a circuit, through the
    /// same checks as the File menu. A relative name is taken from the current directory, so later saves go back to the
    /// same file.
    bool openGivenFile(const QString &path);
    /// The circuit and the session as they stand count as kept: neither is marked unsaved, so closing asks
    /// nothing. For an unattended run whose work is nobody's to save.
    void keepWorkAsItStands();
    /// The printable page of the current state, in the interface language.
    QString buildWorksheet() const;
    /// Writes the worksheet to `path`, or to a file the user chooses (".html" appended unless present).
    bool exportWorksheet(const QString &path);
    /// Shows (false) or hides (true) the details of the main window, keeping the experiment as it is.
    void applySimpleMode(bool beginner);

    // A teacher's challenge file (MainWindowChallenge.cpp).
    /// Asks before discarding unsaved work, then for a challenge file to answer.
    void openChallenge();
    /// Reads `path` as a teacher's challenge and starts answering it: an empty circuit of its qubit count in
    /// challenge mode, the lesson staying selected. A refused file is reported and changes nothing.
    bool openChallengeFile(const QString &path);

    // OpenQASM 2.0 and pictures of the drawing (MainWindowExchange.cpp).
    /// Asks before discarding unsaved work, then for an OpenQASM 2.0 file to import.
    void importQasm();
    /// Reads `path` as OpenQASM 2.0 and makes it the working circuit (unsaved); a refused file is reported
    /// and changes nothing, and skipped statements are shown first, with the choice to stop.
    bool importQasmFile(const QString &path);
    /// Asks for a file and writes the shown circuit as OpenQASM 2.0 (".qasm" appended when missing).
    void exportQasm();
    bool exportQasmTo(const QString &path);
    /// Asks for a file and writes the drawing at the current stage as SVG, PNG (twice the drawing's size)
    /// or a LaTeX quantikz figure, by the name's ending or the chosen filter.
    void exportCircuitPicture();
    bool exportCircuitPictureTo(const QString &path, Fasoria::PictureFormat format);

    // The handbook, the terms and the validation (MainWindowHelp.cpp).
    void showHelp();
    /// The handbook at the section of the lesson shown.
    void showLessonHelp();
    /// The handbook at `anchor` ("chapter-oracles", "lesson-07", ...).
    void showHelpAt(const QString &anchor);
    void showLicense();
    /// Runs the scientific validation suite, shows its result and records it in the notebook.
    void runValidation();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Structure (MainWindowLayout.cpp).
    void buildWidgetTree();
    void buildHeader(QVBoxLayout *rootLayout);
    QWidget *buildLeftPanel();
    void buildExerciseBox(QVBoxLayout *leftLayout);
    void buildLeftTabs(QVBoxLayout *leftLayout);
    QWidget *buildRightSide();
    void buildMenus();
    void fillFixedSelectors();
    void applyStretchAndSizes();
    void connectSignals();
    void connectPanels();
    void connectCircuitCommands();

    // Experiment flow (MainWindowFlow.cpp).
    /// After the experiment was rebuilt at a step: the predictions start afresh and everything is redrawn.
    /// Redraws what the experiment's announced changes touch.
    void showChanges(Fasoria::Experiment::Changes changes);
    void refreshGuidance();
    void refreshStatePanel();
    void fitDrawing();
    void refreshTitle();
    void refreshGenerator();

    // Language (MainWindowLanguage.cpp).
    void switchLanguage(int index);
    void applyLessonLanguage();
    void keepLessonTabsReadable();
    void applyPanelLanguage();
    void fitEditorTabWidth();
    void renderNotebook();
    Fasoria::LogContext logContext() const;

    // Seams and guards (MainWindow.cpp).
    QMessageBox::StandardButton showMessage(QMessageBox::Icon icon, const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    /// Runs one user action; an error it raises is shown as a warning and leaves the window running.
    void guarded(const std::function<void()> &action);
    void appendLogLine(const Fasoria::LogEvent &event);

    // Working circuit commands (MainWindowCircuit.cpp).
    bool writeCircuitFile(const QString &path);
    void showEditorError(const std::exception &error, const QString &prefix = QString());
    /// Runs one checked edit and rebuilds at `step`; a refusal leaves everything as it was and returns false.
    bool applyEdit(Fasoria::EditAction action, std::uint64_t step,
                   const std::function<void(Fasoria::CircuitEditor &)> &edit);

    // Settings (MainWindowSettings.cpp).
    void readStartupSettings();
    void readGeneratorSettings();
    void restoreSplitters();
    void writeSettings();

    // Undo, redo and the learning lab (MainWindowLearning.cpp).
    void connectLearningLab();
    void refreshUndoActions();
    void refreshLearningLab();
    void clearLearningPrediction();
    /// A fresh learning session: the study texts, the recorded prediction and the session marks are cleared.
    void startLearningSession();
    void markSessionTouched();
    Fasoria::SessionData gatherSession() const;
    bool applySession(const Fasoria::SessionData &data);
    /// Recomputes the session's dirty mark against its baseline once the student touched the learning lab.
    void refreshSessionMarks();
    Fasoria::WorksheetInput worksheetInput() const;
    void readSimpleMode();
    /// The beginner view's hiding and disabling alone, without storing it.
    void showSimpleMode(bool beginner);
    /// The main-window texts the learning lab names: the preparation texts and the table headers.
    void applyLearningTexts();

    void connectHelp();
    HelpDialog *helpDialog();
    void raiseHelp();
    void retranslateDialogs();

    Fasoria::Experiment m_experiment;
    Fasoria::Language m_language = Fasoria::Italian;
    Fasoria::Prompts m_prompts;
    Fasoria::LearningLab m_learningLab;
    QPointer<Fasoria::LearningDialog> m_learningDialog;
    QPointer<HelpDialog> m_helpDialog;
    QPointer<LicenseDialog> m_licenseDialog;
    /// Set while the program itself fills the learning lab, so that its changes do not touch the session.
    bool m_suppressSession = false;

    QLabel *m_title = nullptr;
    QLabel *m_languageLabel = nullptr;
    QComboBox *m_languageCombo = nullptr;
    QCheckBox *m_simpleMode = nullptr;
    QPushButton *m_learningButton = nullptr;
    QLabel *m_subtitle = nullptr;
    QSplitter *m_mainSplitter = nullptr;
    QSplitter *m_rightMainSplitter = nullptr;
    QSplitter *m_rightDataSplitter = nullptr;

    Fasoria::ExercisePanel *m_exercisePanel = nullptr;
    QTabWidget *m_leftTabs = nullptr;

    QPushButton *m_lessonHelpButton = nullptr;
    Fasoria::ChallengePanel *m_challengePanel = nullptr;
    QGroupBox *m_explanationBox = nullptr;
    QLabel *m_explanation = nullptr;
    Fasoria::AlgorithmLabPanel *m_algorithmLab = nullptr;
    Fasoria::EditorPanel *m_editorPanel = nullptr;
    Fasoria::MeasurementPanel *m_measurementPanel = nullptr;
    Fasoria::QubitStatePanel *m_qubitStatePanel = nullptr;

    Fasoria::CircuitPanel *m_circuitPanel = nullptr;
    /// The drawing inside m_circuitPanel, which the keyboard and the algorithm lab drive.
    CircuitView *m_circuitView = nullptr;
    Fasoria::StatesPanel *m_statesPanel = nullptr;
    Fasoria::NotebookPanel *m_notebookPanel = nullptr;

    std::unique_ptr<Fasoria::WindowActions> m_actions;
};
