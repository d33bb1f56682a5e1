#pragma once

#include "core/Language.h"

#include <QGroupBox>

class QComboBox;
class QLabel;
class QPushButton;

namespace Fasoria {

class Experiment;
class LessonLibrary;

/// The window's exercise box: the lesson selector, the resources the shown circuit needs, its question, the
/// step counter and the buttons that restart, go back and go on.
class ExercisePanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ExercisePanel(QWidget *parent = nullptr);

    /// The teachers' packs whose lessons the selector offers after the catalog's, each under its pack's title;
    /// the selector follows the library's changes. The library must outlive the panel.
    void setLibrary(const LessonLibrary *library);

    /// Rewrites the question, the resources, the counter and the buttons from the experiment, and shows what is
    /// loaded in the selector (showLoaded).
    void refresh(const Experiment &experiment, Language language);
    /// The fixed texts, tool tips and lesson titles in `language` (the selector's own tip follows what is loaded).
    void applyLanguage(Language language);
    /// The beginner view hides the resources.
    void setBeginner(bool beginner);
    /// The selector on the experiment's lesson, or, while something else is loaded (loadedName) or the lesson is
    /// one of a pack no longer open, on an extra last item that names it; the extra item goes when a lesson of
    /// the selector is loaded again. No choice is announced.
    void showLoaded(const Experiment &experiment, Language language);
    /// The lesson the selector stands for (see lessonAt), also while its extra item names what is loaded in its
    /// place.
    int shownLesson() const { return m_lesson; }

signals:
    /// The student chose lesson `index` in the selector.
    void lessonChosen(int index);
    void restartRequested();
    void previousRequested();
    void nextRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The extra item's text: the loaded name cut to the selector's width.
    void elideLoadedItem();
    /// Writes the selector's items: the catalog's lessons, then each open pack's title and lessons.
    void fillLessons();
    /// The selector's row of lesson `index`; −1 when it offers no such lesson.
    int rowOfLesson(int index) const;
    /// The row of the extra item; −1 while there is none.
    int extraRow() const;

    int m_lesson = 0;
    Language m_language = Italian;
    const LessonLibrary *m_library = nullptr;
    /// What the extra item names in full; empty while a lesson is loaded.
    QString m_loadedName;
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
