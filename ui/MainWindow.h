#pragma once

#include "core/GateText.h"
#include "core/Language.h"
#include "ui/Experiment.h"

#include <QMainWindow>
#include <QMessageBox>

#include <cstdint>
#include <exception>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;
class CircuitView;

namespace Fasoria {
class CircuitEditor;
}

/// The laboratory's single window. It owns the experiment (Fasoria::Experiment) and renders it: every user
/// action calls one operation below, which changes the experiment and then refreshes what depends on it.
/// Controls whose commands are not available yet are built in their places and stay disabled.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    /// Shows a message box and returns the button chosen; tests install one that answers at once.
    using MessageBoxHandler = std::function<QMessageBox::StandardButton(
        QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)>;

    /// What a file dialog is asked for.
    enum class FileDialogMode
    {
        Open,
        Save
    };
    /// Asks for a file name (proposed is the name offered when saving); an empty text means none was chosen.
    /// Tests install one that answers at once.
    using FileDialogHandler = std::function<QString(QWidget *parent, FileDialogMode mode, const QString &title,
                                                    const QString &proposed, const QString &filter)>;

    explicit MainWindow(QWidget *parent = nullptr);

    const Fasoria::Experiment &experiment() const { return m_experiment; }
    Fasoria::Language language() const { return m_language; }
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
    /// Records the outcome chosen in the prediction selector.
    void recordPrediction();
    /// Shows catalog lesson `index`; ignored for an index outside the catalog.
    void selectLesson(int index);
    /// Rewrites every text in the current language and re-renders the notebook; the experiment is untouched.
    void applyLanguage();
    /// Makes a copy of `circuit` the working circuit and rebuilds it at step 0 (the common path of opening a
    /// file, generating an algorithm and restoring a session; callers ask confirmDiscard first). A circuit
    /// the editor refuses changes nothing: the "Invalid edit" warning is shown and false returned.
    bool replaceWorkingCircuit(const Fasoria::Circuit &circuit, const QString &path = QString());

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
    /// letter case). A failure shows the "Save error" warning and leaves the old file, the path and the
    /// modified mark as they were.
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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Structure (MainWindowLayout.cpp).
    void buildWidgetTree();
    void buildHeader(QVBoxLayout *rootLayout);
    QWidget *buildLeftPanel();
    void buildExerciseBox(QVBoxLayout *leftLayout);
    void buildLeftTabs(QVBoxLayout *leftLayout);
    void buildLessonTab(QVBoxLayout *content);
    void buildAlgorithmsTab(QVBoxLayout *content);
    void buildEditorTab(QVBoxLayout *content);
    void buildMeasureTab(QVBoxLayout *content);
    QWidget *buildRightSide();
    void buildMenus();
    void fillFixedSelectors();
    void applyFixedSettings();
    void applyStretchAndSizes();
    void connectSignals();
    void connectCircuitCommands();
    void setShortcuts();
    void disablePendingControls();

    // Experiment flow (MainWindowFlow.cpp).
    bool hasLesson() const;
    void refreshGuidance();
    void refreshStatePanel();
    void refreshButtons();
    void showDrawing();
    void fitDrawing();
    void refreshPrediction();
    void fillPredictionCombo();
    void refreshTitle();
    QString predictionText() const;

    // Language (MainWindowLanguage.cpp).
    void switchLanguage(int index);
    void applyMenuLanguage();
    void applyLessonLanguage();
    void applyPanelLanguage();
    void applyEditorLanguage();
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
    /// The save-before-continue guard: true when nothing unsaved would be lost or the user chose to save
    /// (successfully) or to discard.
    bool confirmDiscard();
    QString askFileName(FileDialogMode mode, const QString &title, const QString &proposed, const QString &filter);
    bool writeCircuitFile(const QString &path);
    /// True when `path`, the chosen name with an ending appended, may be written: it is the name chosen, no
    /// file of that name exists, or the user agreed to replace it.
    bool confirmAppendedName(const QString &chosen, const QString &path);
    void showEditorError(const std::exception &error, const QString &prefix = QString());

    // Editor panel (MainWindowEditor.cpp).
    void refreshEditorControls();
    void syncEditorToSelection();
    Fasoria::LessonStep panelStep() const;
    /// Runs one checked edit and rebuilds at `step`; a refusal leaves everything as it was and returns false.
    bool applyEdit(Fasoria::EditAction action, std::uint64_t step,
                   const std::function<void(Fasoria::CircuitEditor &)> &edit);

    // Settings and the generator controls they restore (MainWindowSettings.cpp).
    void readStartupSettings();
    void readGeneratorSettings();
    void restoreSplitters();
    void writeSettings();
    void refreshGeneratorControls();

    // Places later features fill in; each says what it does until then.
    void refreshChallengePanel();
    void refreshAlgorithmPanel();
    void refreshLearningLab();
    void clearLearningPrediction();
    void startLearningSession();
    void clearUndoHistories();
    void retranslateDialogs();

    Fasoria::Experiment m_experiment;
    Fasoria::Language m_language = Fasoria::Italian;
    /// Qubit count the prediction selector was last filled for.
    std::int32_t m_predictionQubits = 0;
    MessageBoxHandler m_messageBoxHandler;
    FileDialogHandler m_fileDialogHandler;

    QLabel *m_title = nullptr;
    QLabel *m_languageLabel = nullptr;
    QComboBox *m_languageCombo = nullptr;
    QCheckBox *m_simpleMode = nullptr;
    QPushButton *m_learningButton = nullptr;
    QLabel *m_subtitle = nullptr;
    QSplitter *m_mainSplitter = nullptr;
    QSplitter *m_rightMainSplitter = nullptr;
    QSplitter *m_rightDataSplitter = nullptr;

    QGroupBox *m_exerciseBox = nullptr;
    QComboBox *m_lessons = nullptr;
    QGroupBox *m_resourceBox = nullptr;
    QLabel *m_qubitCount = nullptr;
    QLabel *m_resourceSummary = nullptr;
    QLabel *m_initialState = nullptr;
    QLabel *m_question = nullptr;
    QLabel *m_stepStatus = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_previousButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QTabWidget *m_leftTabs = nullptr;

    QPushButton *m_lessonHelpButton = nullptr;
    QGroupBox *m_challengeBox = nullptr;
    QLabel *m_challengeGoal = nullptr;
    QPushButton *m_challengeCheckButton = nullptr;
    QPushButton *m_challengeHintButton = nullptr;
    QLabel *m_challengeHint = nullptr;
    QLabel *m_challengeResult = nullptr;
    QGroupBox *m_explanationBox = nullptr;
    QLabel *m_explanation = nullptr;

    QGroupBox *m_parametricBox = nullptr;
    QLabel *m_paramIntro = nullptr;
    QLabel *m_paramKindLabel = nullptr;
    QComboBox *m_paramKindCombo = nullptr;
    QLabel *m_paramQubitsLabel = nullptr;
    QSpinBox *m_paramQubitsSpin = nullptr;
    QLabel *m_paramMarkedLabel = nullptr;
    QSpinBox *m_paramMarkedSpin = nullptr;
    QLabel *m_paramIterationsLabel = nullptr;
    QSpinBox *m_paramIterationsSpin = nullptr;
    QLabel *m_paramSecretLabel = nullptr;
    QSpinBox *m_paramSecretSpin = nullptr;
    QLabel *m_paramDeutschLabel = nullptr;
    QComboBox *m_paramDeutschCombo = nullptr;
    QPushButton *m_paramCreateButton = nullptr;
    QLabel *m_paramHint = nullptr;
    QGroupBox *m_algorithmBox = nullptr;
    QLabel *m_algorithmIntro = nullptr;
    QLabel *m_algorithmOracle = nullptr;
    QLabel *m_algorithmClassical = nullptr;
    QLabel *m_algorithmStats = nullptr;
    QLabel *m_algorithmReadout = nullptr;
    QLabel *m_algorithmProbability = nullptr;
    QLabel *m_algorithmCaveat = nullptr;
    QLabel *m_algorithmCheckpointLabel = nullptr;
    QComboBox *m_algorithmCheckpointCombo = nullptr;
    QPushButton *m_algorithmGotoButton = nullptr;
    QPushButton *m_algorithmRunButton = nullptr;

    QGroupBox *m_editorBox = nullptr;
    QPushButton *m_editCopyButton = nullptr;
    QPushButton *m_restoreOriginalButton = nullptr;
    QLabel *m_editQubitLabel = nullptr;
    QSpinBox *m_editQubitSpin = nullptr;
    QPushButton *m_applyQubitsButton = nullptr;
    QLabel *m_gateLabel = nullptr;
    QComboBox *m_gateCombo = nullptr;
    QLabel *m_targetLabel = nullptr;
    QSpinBox *m_targetSpin = nullptr;
    QLabel *m_controlLabel = nullptr;
    QSpinBox *m_controlSpin = nullptr;
    QLabel *m_angleLabel = nullptr;
    QDoubleSpinBox *m_angleSpin = nullptr;
    QPushButton *m_insertButton = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_moveLeftButton = nullptr;
    QPushButton *m_moveRightButton = nullptr;
    QLabel *m_editorHint = nullptr;

    QGroupBox *m_predictionBox = nullptr;
    QLabel *m_predictionHint = nullptr;
    QComboBox *m_predictionCombo = nullptr;
    QPushButton *m_predictionButton = nullptr;
    QLabel *m_predictionResult = nullptr;
    QGroupBox *m_measureBox = nullptr;
    QPushButton *m_measureButton = nullptr;
    QPushButton *m_shotsButton = nullptr;
    QLabel *m_shotsHint = nullptr;
    QComboBox *m_shotsCombo = nullptr;
    QPushButton *m_testButton = nullptr;

    QGroupBox *m_circuitBox = nullptr;
    QLabel *m_circuitStage = nullptr;
    QPushButton *m_zoomOutButton = nullptr;
    QPushButton *m_zoomInButton = nullptr;
    QPushButton *m_fitButton = nullptr;
    CircuitView *m_circuitView = nullptr;
    QLabel *m_circuitHint = nullptr;
    QLabel *m_statesTitle = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_normLabel = nullptr;
    QLabel *m_logTitle = nullptr;
    QPlainTextEdit *m_log = nullptr;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_actionNew = nullptr;
    QAction *m_actionOpen = nullptr;
    QAction *m_actionSave = nullptr;
    QAction *m_actionSaveAs = nullptr;
    QAction *m_actionExport = nullptr;
    QAction *m_actionExit = nullptr;
    QAction *m_actionSaveSession = nullptr;
    QAction *m_actionOpenSession = nullptr;
    QAction *m_actionWorksheet = nullptr;
    QAction *m_actionUndo = nullptr;
    QAction *m_actionRedo = nullptr;
    QAction *m_actionHelp = nullptr;
    QAction *m_actionLessonHelp = nullptr;
    QAction *m_actionFreewareLicense = nullptr;
};
