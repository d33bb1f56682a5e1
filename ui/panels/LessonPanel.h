#pragma once

#include "core/Language.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace Fasoria {

class ChallengePanel;
class Experiment;

/// The lesson tab: the button that opens the lesson's handbook page, the challenge panel and the guidance
/// for the stage shown (hidden in the beginner view).
class LessonPanel : public QWidget
{
    Q_OBJECT

public:
    explicit LessonPanel(QWidget *parent = nullptr);

    ChallengePanel *challengePanel() const { return m_challengePanel; }
    void applyLanguage(Language language);
    /// The guidance and the challenge panel for the stage shown.
    void refresh(const Experiment &experiment, Language language);
    void setBeginner(bool beginner);

signals:
    void handbookRequested();

private:
    QPushButton *m_lessonHelpButton = nullptr;
    ChallengePanel *m_challengePanel = nullptr;
    QGroupBox *m_explanationBox = nullptr;
    QLabel *m_explanation = nullptr;
};

} // namespace Fasoria
