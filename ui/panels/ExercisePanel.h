#pragma once

#include "core/Language.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QPushButton;

namespace Fasoria {

class Experiment;

/// The window's exercise box: the lesson selector, the resources the shown circuit needs, its question, the
/// step counter and the buttons that restart, go back and go on.
class ExercisePanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ExercisePanel(QWidget *parent = nullptr);

    /// Rewrites the question, the resources, the counter and the buttons from the experiment, and shows its
    /// lesson in the selector.
    void refresh(const Experiment &experiment, Language language);
    /// The fixed texts, tool tips and lesson titles in `language`.
    void applyLanguage(Language language);
    /// The beginner view hides the resources.
    void setBeginner(bool beginner);
    /// The lesson the selector shows; showLesson changes it without announcing a choice.
    int shownLesson() const;
    void showLesson(int index);

signals:
    /// The student chose lesson `index` in the selector.
    void lessonChosen(int index);
    void restartRequested();
    void previousRequested();
    void nextRequested();

private:
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
};

} // namespace Fasoria
