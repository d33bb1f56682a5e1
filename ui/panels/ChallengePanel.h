#pragma once

#include "core/Language.h"

#include <QGroupBox>

class QLabel;
class QPushButton;

namespace Fasoria {

class Experiment;

/// The lesson tab's challenge panel: the goal, the check and hint buttons, the latest hint, the verdict of
/// the last check and, when it failed, why. Visible only for a challenge lesson in challenge mode.
class ChallengePanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ChallengePanel(QWidget *parent = nullptr);

    /// Rewrites every text and enabled state from the experiment, in `language`.
    void refresh(const Experiment &experiment, Language language);

signals:
    void checkRequested();
    void hintRequested();

private:
    QLabel *m_challengeGoal = nullptr;
    QPushButton *m_challengeCheckButton = nullptr;
    QPushButton *m_challengeHintButton = nullptr;
    QLabel *m_challengeHint = nullptr;
    QLabel *m_challengeResult = nullptr;
    QLabel *m_challengeDiagnosis = nullptr;
};

} // namespace Fasoria
