#pragma once

#include "Help/dialog/HelpWindows.h"
#include "core/Language.h"
#include "education/model/StudySession.h"
#include "ui/commands/FileCommands.h"
#include "ui/model/Experiment.h"
#include "ui/model/LessonLibrary.h"
#include "ui/widgets/Prompts.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class CircuitView;

namespace Fasoria {
class AlgorithmLabPanel;
class ChartPanel;
class CircuitCommands;
class WorksheetCommands;
class LessonPackCommands;
class PackLessonCommands;
class CircuitPanel;
class EditorPanel;
class ExercisePanel;
class LearningController;
class LessonPanel;
class MeasurementPanel;
class NotebookPanel;
class QubitStatePanel;
class StatesPanel;
struct WindowActions;
} // namespace Fasoria

/// The laboratory's single window: the place where the models, their commands and the panels that show them
/// are put together. The experiment and the study session announce their changes and the window passes each
/// announcement to the panels it concerns; the rules live in the models and the commands, the files in
/// FileCommands, the learning lab's wiring in its controller.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    Fasoria::Experiment &experiment() { return m_experiment; }
    const Fasoria::Experiment &experiment() const { return m_experiment; }
    Fasoria::StudySession &studySession() { return m_session; }
    Fasoria::FileCommands &files() { return m_files; }
    Fasoria::CircuitCommands &circuitCommands() { return *m_circuitCommands; }
    Fasoria::WorksheetCommands &worksheetCommands() { return *m_worksheetCommands; }
    Fasoria::LessonPackCommands &lessonPacks() { return *m_lessonPacks; }
    Fasoria::PackLessonCommands &packLessonCommands() { return *m_packLessonCommands; }
    const Fasoria::LessonLibrary &lessonLibrary() const { return m_library; }
    Fasoria::LearningController &learning() { return *m_learning; }
    Fasoria::Language language() const { return m_language; }
    /// The message-box and file-dialog seam, shared with the commands and the dialogs the window owns.
    Fasoria::Prompts &prompts() { return m_prompts; }
    /// Replaces the message-box seam; an empty handler restores the real dialogs.
    void setMessageBoxHandler(Fasoria::Prompts::MessageBoxHandler handler);
    /// Replaces the file-dialog seam; an empty handler restores the real dialogs.
    void setFileDialogHandler(Fasoria::Prompts::FileDialogHandler handler);

    /// Opens a file named on the command line (what a desktop's "open with" passes): a teacher's lesson pack for
    /// ".lessons.json", otherwise as FileCommands::openGivenFile does.
    bool openGivenFile(const QString &path);
    /// Shows lesson `index` from scratch (FileCommands::startLessonAfresh); when the student keeps the
    /// work, the lesson selector goes back to what stays loaded.
    void selectLesson(int index);
    /// Rewrites every text in the current language and re-renders the notebook; the experiment is untouched.
    void applyLanguage();
    /// Writes every notebook event again, in the current language.
    void showNotebook();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The widget tree (MainWindowLayout.cpp).
    void buildWidgetTree();
    QLayout *buildHeader();
    QWidget *buildLeftPanel();
    QWidget *buildRightSide();
    /// The left panel as wide as the lesson's tab titles and the editor's rows need in the current language.
    void fitLeftPanel();

    // The wiring and the announcements (MainWindow.cpp).
    void connectPanels();
    void connectMenus();
    void connectModels();
    /// Runs one user action; an error it raises is shown as a warning and leaves the window running.
    void guarded(const std::function<void()> &action);
    /// Redraws what the experiment's announced changes touch.
    void showChanges(Fasoria::Experiment::Changes changes);
    void refreshPanels();
    void refreshTitle();
    void switchLanguage(int index);
    /// The beginner view's hiding and disabling alone.
    void showSimpleMode(bool beginner);
    /// Puts interface zoom `percent` in effect, stores it and lays the window out again.
    void setZoom(int percent);
    void readSettings();
    void writeSettings();

    Fasoria::Experiment m_experiment;
    Fasoria::StudySession m_session{m_experiment};
    Fasoria::Language m_language = Fasoria::Italian;
    Fasoria::Prompts m_prompts{this};
    Fasoria::FileCommands m_files{m_experiment, m_session, m_prompts};
    Fasoria::LessonLibrary m_library;
    Fasoria::HelpWindows m_help{this};
    std::unique_ptr<Fasoria::WindowActions> m_actions;
    // Made once the panels they bind to exist; destroyed before the models they hold.
    std::unique_ptr<Fasoria::CircuitCommands> m_circuitCommands;
    std::unique_ptr<Fasoria::WorksheetCommands> m_worksheetCommands;
    std::unique_ptr<Fasoria::LessonPackCommands> m_lessonPacks;
    std::unique_ptr<Fasoria::PackLessonCommands> m_packLessonCommands;
    std::unique_ptr<Fasoria::LearningController> m_learning;

    QLabel *m_title = nullptr;
    QLabel *m_languageLabel = nullptr;
    QComboBox *m_languageCombo = nullptr;
    QCheckBox *m_simpleMode = nullptr;
    QPushButton *m_learningButton = nullptr;
    QLabel *m_subtitle = nullptr;
    QSplitter *m_mainSplitter = nullptr;
    QSplitter *m_rightMainSplitter = nullptr;
    QSplitter *m_rightDataSplitter = nullptr;
    QSplitter *m_circuitChartSplitter = nullptr;
    QTabWidget *m_leftTabs = nullptr;
    Fasoria::ExercisePanel *m_exercisePanel = nullptr;
    Fasoria::LessonPanel *m_lessonPanel = nullptr;
    Fasoria::AlgorithmLabPanel *m_algorithmLab = nullptr;
    Fasoria::EditorPanel *m_editorPanel = nullptr;
    Fasoria::MeasurementPanel *m_measurementPanel = nullptr;
    Fasoria::QubitStatePanel *m_qubitStatePanel = nullptr;
    Fasoria::CircuitPanel *m_circuitPanel = nullptr;
    Fasoria::ChartPanel *m_chartPanel = nullptr;
    /// The drawing inside m_circuitPanel, which the algorithm lab focuses.
    CircuitView *m_circuitView = nullptr;
    Fasoria::StatesPanel *m_statesPanel = nullptr;
    Fasoria::NotebookPanel *m_notebookPanel = nullptr;
};
