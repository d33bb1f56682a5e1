#pragma once

#include "core/Language.h"

#include <QGroupBox>

#include <cstdint>

namespace Fasoria {

class Experiment;
class ProbabilityChart;

/// The probability box: the chart of the shown stage (probabilities, observed frequencies, the measured outcome
/// and the phases); the View menu chooses whether it shows only the states with a probability or a count. It
/// stays in the beginner view, where a picture of the distribution is what a student needs.
class ChartPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit ChartPanel(QWidget *parent = nullptr);

    ProbabilityChart *chart() const { return m_chart; }
    bool nonZeroOnly() const;
    void refresh(const Experiment &experiment, Language language);
    void applyLanguage(Language language);

signals:
    /// The student chose the bar of basis state `basis`.
    void basisChosen(std::uint64_t basis);

private:
    ProbabilityChart *m_chart = nullptr;
};

} // namespace Fasoria
