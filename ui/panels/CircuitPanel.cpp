#include "ui/panels/CircuitPanel.h"

#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/views/GatePalette.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace Fasoria {

namespace {

/// Below this drawing scale gate letters are too small to read.
constexpr double kReadableScale = 0.5;

} // namespace

CircuitPanel::CircuitPanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("m_circuitBox"));
    // Never less than the stage line, the drawing and the colour key need, which a splitter would overlap.
    keepContentHeight(this, 170);
    QVBoxLayout *circuitLayout = named(new QVBoxLayout(this), "circuitLayout");
    circuitLayout->setSpacing(4);
    circuitLayout->setContentsMargins(7, 9, 7, 6);
    QHBoxLayout *toolbar = named(new QHBoxLayout, "circuitToolbarLayout");
    m_circuitStage = namedLabel("m_circuitStage", true);
    m_zoomOutButton = namedButton("m_zoomOutButton");
    m_zoomInButton = namedButton("m_zoomInButton");
    m_fitButton = namedButton("m_fitButton");
    toolbar->addWidget(m_circuitStage, 1);
    toolbar->addWidget(m_zoomOutButton);
    toolbar->addWidget(m_zoomInButton);
    toolbar->addWidget(m_fitButton);
    circuitLayout->addLayout(toolbar);
    QHBoxLayout *drawingRow = named(new QHBoxLayout, "circuitDrawingLayout");
    drawingRow->setSpacing(4);
    m_palette = new GatePalette;
    m_circuitView = named(new CircuitView, "m_circuitView");
    m_palette->setHeightBudget(m_circuitView->minimumHeight());
    drawingRow->addWidget(m_palette);
    drawingRow->addWidget(m_circuitView, 1);
    circuitLayout->addLayout(drawingRow, 1);
    m_circuitHint = namedLabel("m_circuitHint", true);
    circuitLayout->addWidget(m_circuitHint);

    connect(m_zoomInButton, &QPushButton::clicked, this, [this] { zoomDrawing(1); });
    connect(m_zoomOutButton, &QPushButton::clicked, this, [this] { zoomDrawing(-1); });
    connect(m_fitButton, &QPushButton::clicked, this, &CircuitPanel::fitDrawing);
    // A palette drag is shown and dropped by the drawing, in the drawing's own coordinates.
    const auto inView = [this](QPoint global) { return m_circuitView->viewport()->mapFromGlobal(global); };
    connect(m_palette, &GatePalette::dragMoved, this,
            [this, inView](GateKind kind, QPoint global) { m_circuitView->paletteDragMoved(kind, inView(global)); });
    connect(m_palette, &GatePalette::dropped, this,
            [this, inView](GateKind kind, QPoint global) { m_circuitView->paletteDropped(kind, inView(global)); });
    connect(m_palette, &GatePalette::dragCancelled, m_circuitView, &CircuitView::cancelDrag);
    // The chosen wire is announced as the drawing shows it.
    connect(m_circuitView, &CircuitView::chosenWireChanged, this,
            [this] { describe(drawingName(m_shownStep, m_shownSteps), m_circuitView->accessibleDescription()); });
}

void CircuitPanel::refresh(const Experiment &experiment, Language language)
{
    const std::uint64_t step = experiment.currentStep();
    m_shownStep = step;
    m_shownSteps = experiment.stepCount();
    m_circuitStage->setText(
        catalogText(TextKey::CircuitStage, language, QString::number(step), QString::number(experiment.stepCount())));
    m_circuitView->showCircuit(experiment.shownCircuit(), step, experiment.isMeasured(), language,
                               experiment.workingCircuit() != nullptr);
    // Zoomed in on a long circuit: keep the current stage in sight as it moves.
    m_circuitView->ensureStageVisible(step);
    // Assistive technology hears the step and its guidance whenever either changes, as a sighted student sees
    // the drawing recolour; the description also says which keys drive the drawing.
    m_language = language;
    const QString name = drawingName(step, experiment.stepCount());
    const QString description =
        guidanceText(experiment, language) + QLatin1Char('\n') + uiText(MoreText::CircuitDrawingKeys, language);
    describe(name, description);
}

QString CircuitPanel::drawingName(std::uint64_t step, std::uint64_t steps) const
{
    return uiText(MoreText::CircuitDrawingName, m_language).arg(step).arg(steps).arg(m_circuitView->chosenWire());
}

void CircuitPanel::describe(const QString &name, const QString &description)
{
    if (name != m_circuitView->accessibleName()) {
        m_circuitView->setAccessibleName(name);
        QAccessibleEvent event(m_circuitView, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (description != m_circuitView->accessibleDescription()) {
        m_circuitView->setAccessibleDescription(description);
        QAccessibleEvent event(m_circuitView, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CircuitPanel::zoomDrawing(int direction)
{
    m_circuitView->zoomBy(direction > 0 ? CircuitView::kZoomInFactor : CircuitView::kZoomOutFactor);
}

void CircuitPanel::fitDrawing()
{
    m_circuitView->fitAll();
}

void CircuitPanel::fitToStage(std::uint64_t stage)
{
    m_circuitView->fitAll();
    // Before the window is shown the view has no real size to judge by, and refits itself when it gets one.
    if (m_circuitView->isVisible() && m_circuitView->transform().m11() < kReadableScale) {
        m_circuitView->focusStage(stage);
    }
}

void CircuitPanel::applyLanguage(Language language)
{
    setTitle(uiText(TextKey::CircuitBox, language));
    setToolTip(uiText(TextKey::CircuitTip, language));
    m_circuitView->setToolTip(uiText(TextKey::CircuitTip, language));
    m_circuitHint->setText(uiText(TextKey::CircuitHint, language));
    m_circuitHint->setToolTip(uiText(TextKey::CircuitTip, language));
    m_palette->applyLanguage(language);
    const std::pair<QPushButton *, TextKey> buttons[] = {
        {m_zoomInButton, TextKey::ZoomIn}, {m_zoomOutButton, TextKey::ZoomOut}, {m_fitButton, TextKey::Fit}};
    for (const auto &[button, text] : buttons) {
        button->setText(uiText(text, language));
        button->setToolTip(uiText(TextKey::ZoomTip, language));
        // As wide as the text needs rather than the style's wide default, so that the drawing and the chart
        // fit beside the lesson on a 1024-pixel screen; the font carries the interface zoom.
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin + 8);
    }
}

} // namespace Fasoria
