#pragma once

#include "core/Language.h"
#include "education/model/LearningLab.h"
#include "education/model/StudySession.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTextBrowser;

namespace Fasoria {

/// What the learning lab's refresh takes from the main window beside the model and the experiment.
struct LearningWindowState
{
    /// The main window's next-step button is enabled.
    bool nextEnabled = false;
    /// The number of preparations chosen in the main window.
    std::uint64_t preparations = 1000;
    /// The session line (sessionStatusText).
    QString sessionStatus;
    /// Saving and opening sessions and exporting the worksheet are available.
    bool sessionFilesEnabled = false;
};

/// The non-modal learning lab: four tabs (guided experiments, A/B comparisons, worksheet and session, Bell and
/// mixture). It holds no experiment state: its buttons only emit requests, which LearningController performs on
/// the experiment and the study session before calling refresh(). The texts the student types (question,
/// reasoning draft, notes, conclusion) and the distribution draft are reported through touched() and kept by the
/// study session; the accessors below read and show them. Created hidden; "Close" hides it.
class LearningDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LearningDialog(QWidget *parent = nullptr);

    /// Rewrites every text, enabled state and both tables. Does nothing while suppressed or without a state.
    void refresh(const LearningLab &lab, const ExperimentView &experiment, const LearningWindowState &window,
                 Language language);

    /// The student's texts as a session keeps them (plainMultilineText): invisible control characters a paste
    /// brought in never make the work unsaveable.
    QString question() const;
    void setQuestion(const QString &text);
    QString reasonDraft() const;
    void setReasonDraft(const QString &text);
    QString notes() const;
    void setNotes(const QString &text);
    QString conclusion() const;
    void setConclusion(const QString &text);
    /// The distribution selector's index, 0..4 (0: nothing chosen).
    int distributionDraft() const;
    /// Selects `index` (0..4) without reacting to it; another value is ignored.
    void setDistributionDraft(int index);
    /// All of the above at once, as a session keeps them.
    StudyTexts studyTexts() const;
    /// Shows `texts` without taking them as the student's input.
    void showStudyTexts(const StudyTexts &texts);
    /// Empties question, reasoning draft, notes and conclusion without marking anything touched.
    void clearStudyTexts();

    /// While set, text changes do not emit touched() and refresh() does nothing (the window is filling or
    /// clearing the learning lab).
    void setSuppressed(bool suppressed) { m_suppressed = suppressed; }
    bool isSuppressed() const { return m_suppressed; }

signals:
    /// A guided experiment: catalog lesson 0, 1 or 3.
    void guidedExperimentRequested(int lessonIndex);
    /// Record the distribution draft with the reasoning draft.
    void recordRequested();
    void restartRequested();
    void nextRequested();
    void measureRequested();
    void shotsRequested();
    /// Load the comparison preset 0..3.
    void applyPresetRequested(int presetIndex);
    void captureARequested();
    void captureBRequested();
    void appendHRequested();
    /// The student moved a copy to another stage.
    void stageAChanged(int stage);
    void stageBChanged(int stage);
    /// The Bell table has been refilled for another basis.
    void basisChanged(int basis);
    void saveSessionRequested();
    void openSessionRequested();
    void exportSheetRequested();
    /// The student typed in one of the study texts or chose a distribution.
    void touched();
    /// The handbook chapter linked from the dialog.
    void handbookRequested(const QString &anchor);

private:
    QWidget *buildStartTab();
    QWidget *buildCompareTab();
    QWidget *buildNotesTab();
    QWidget *buildBellTab();
    void connectSignals();
    void noteTouched();

    void refreshStartTab(const LearningLab &lab, const ExperimentView &experiment, const LearningWindowState &window,
                         Language language);
    void refreshPrediction(const LearningLab &lab, const ExperimentView &experiment, Language language);
    void refreshCompareTexts(const LearningLab &lab, Language language);
    void refreshNotesTexts(const LearningWindowState &window, Language language);
    void fillComparison(const LearningLab &lab, Language language);
    void fillStage(QSpinBox *spin, const ComparisonCopy &copy);
    void fillBell(int basis);

    bool m_suppressed = false;
    /// Set while the dialog writes its own widgets, so that their change signals are not taken as the student's.
    bool m_filling = false;
    /// The language the accessible names were last derived in (-1: not yet).
    int m_namesLanguage = -1;
    bool m_predictionOpen = false;

    QTabWidget *m_tabs = nullptr;
    QLabel *m_intro = nullptr;
    QLabel *m_handbookLink = nullptr;
    QPushButton *m_lesson1 = nullptr;
    QPushButton *m_lesson2 = nullptr;
    QPushButton *m_lesson4 = nullptr;
    QLabel *m_doing = nullptr;
    QLabel *m_expect = nullptr;
    QComboBox *m_distribution = nullptr;
    QLineEdit *m_reason = nullptr;
    QPushButton *m_record = nullptr;
    QLabel *m_predictionResult = nullptr;
    QPushButton *m_restart = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_measure = nullptr;
    QPushButton *m_shots = nullptr;
    QLabel *m_observed = nullptr;
    QLabel *m_limits = nullptr;
    QTextBrowser *m_startDetails = nullptr;

    QLabel *m_compareIntro = nullptr;
    QComboBox *m_preset = nullptr;
    QPushButton *m_applyPreset = nullptr;
    QPushButton *m_captureA = nullptr;
    QPushButton *m_captureB = nullptr;
    QPushButton *m_appendH = nullptr;
    QLabel *m_labelA = nullptr;
    QSpinBox *m_stageA = nullptr;
    QLabel *m_labelB = nullptr;
    QSpinBox *m_stageB = nullptr;
    QLabel *m_circuitA = nullptr;
    QLabel *m_circuitB = nullptr;
    QTableWidget *m_compareTable = nullptr;
    QLabel *m_compareNote = nullptr;

    QLabel *m_notesIntro = nullptr;
    QLabel *m_questionLabel = nullptr;
    QLineEdit *m_question = nullptr;
    /// The worksheet's header: who, which class, which day.
    QLabel *m_nameLabel = nullptr;
    QLineEdit *m_studentName = nullptr;
    QLabel *m_classLabel = nullptr;
    QLineEdit *m_className = nullptr;
    QLabel *m_dateLabel = nullptr;
    QLineEdit *m_sheetDate = nullptr;
    /// Whether the date field still shows the day the dialog proposed.
    bool proposedDate() const;
    /// The language of the texts, in which an empty date is proposed as today's.
    Language m_textLanguage = Italian;
    QLabel *m_notesLabel = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QLabel *m_conclusionLabel = nullptr;
    QPlainTextEdit *m_conclusion = nullptr;
    QPushButton *m_saveSession = nullptr;
    QPushButton *m_openSession = nullptr;
    QPushButton *m_exportSheet = nullptr;
    QLabel *m_sessionStatus = nullptr;

    QLabel *m_bellIntro = nullptr;
    QComboBox *m_basis = nullptr;
    QTableWidget *m_bellTable = nullptr;
    QTextBrowser *m_bellExplanation = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace Fasoria
