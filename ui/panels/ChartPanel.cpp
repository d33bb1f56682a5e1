#include "ui/panels/ChartPanel.h"

#include "ui/model/ChartModel.h"
#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/ProbabilityChart.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QVBoxLayout>

namespace Fasoria {

namespace {

// clang-format off
constexpr TextPair kChartTitle = {"Probabilità", "Probabilities"};
// clang-format on

} // namespace

ChartPanel::ChartPanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("chartPanel"));
    QVBoxLayout *layout = named(new QVBoxLayout(this), "chartLayout");
    layout->setSpacing(4);
    layout->setContentsMargins(3, 6, 3, 3);
    m_chart = new ProbabilityChart;
    // Beside the drawing on a classroom's 1024-pixel screen: narrower than the chart would like, where it
    // lays its bars in rows, or thins out its labels and leaves the numbers to the tool tips.
    InterfaceZoom::setMinimumWidth(m_chart, 120);
    layout->addWidget(m_chart, 1);
    InterfaceZoom::setMinimumHeight(this, 150);
    connect(m_chart, &ProbabilityChart::basisClicked, this, &ChartPanel::basisChosen);
}

bool ChartPanel::nonZeroOnly() const
{
    return m_chart->nonZeroOnly();
}

void ChartPanel::refresh(const Experiment &experiment, Language language)
{
    if (experiment.state()) {
        // The chart keeps every state and leaves out the impossible ones itself, so the choice needs no new data.
        m_chart->showData(chartData(experiment, false), language);
    }
}

void ChartPanel::applyLanguage(Language language)
{
    setTitle(uiText(kChartTitle, language));
}

} // namespace Fasoria
