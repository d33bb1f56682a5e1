#include "ui/views/ProbabilityChart.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace Fasoria {

namespace {

/// The size hint leaves the plot a little more room than the minimum.
constexpr double kHintWidthFactor = 1.25;
constexpr double kHintHeightFactor = 1.15;

QSize ceilSize(QSizeF size)
{
    return QSize(static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
}

} // namespace

ProbabilityChart::ProbabilityChart(QWidget *parent) : QWidget(parent)
{
    // For queued connections and signal spies of basisClicked.
    qRegisterMetaType<std::uint64_t>("std::uint64_t");
    setObjectName(QStringLiteral("probabilityChart"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    refresh();
}

void ProbabilityChart::showData(const ChartData &data, Language language)
{
    const bool sameColumns = data.qubits == m_given.qubits;
    m_given = data;
    m_language = language;
    if (!sameColumns) {
        m_selected = -1;
    }
    refresh();
}

void ProbabilityChart::setNonZeroOnly(bool nonZeroOnly)
{
    if (nonZeroOnly == m_nonZeroOnly) {
        return;
    }
    m_nonZeroOnly = nonZeroOnly;
    m_selected = -1;
    refresh();
    emit nonZeroOnlyChanged(nonZeroOnly);
}

QRectF ProbabilityChart::barRect(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_layout.theoryBars.size()) {
        return QRectF();
    }
    return m_layout.theoryBars[static_cast<std::size_t>(index)];
}

QRectF ProbabilityChart::columnRect(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_layout.columns.size()) {
        return QRectF();
    }
    return m_layout.columns[static_cast<std::size_t>(index)];
}

int ProbabilityChart::barAt(QPointF point) const
{
    for (std::size_t i = 0; i < m_layout.columns.size(); ++i) {
        if (m_layout.columns[i].contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QSize ProbabilityChart::sizeHint() const
{
    const QSizeF minimum = chartMinimumSize(font(), 8, 3);
    return ceilSize(QSizeF(minimum.width() * kHintWidthFactor, minimum.height() * kHintHeightFactor));
}

QSize ProbabilityChart::minimumSizeHint() const
{
    return ceilSize(chartMinimumSize(font(), 8, 3));
}

bool ProbabilityChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int index = barAt(help->pos());
        if (index >= 0) {
            QToolTip::showText(help->globalPos(), chartBarToolTip(m_shown, static_cast<std::size_t>(index), m_language),
                               this, columnRect(index).toAlignedRect());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void ProbabilityChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        relayout();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void ProbabilityChart::keyPressEvent(QKeyEvent *event)
{
    const int count = static_cast<int>(m_shown.bars.size());
    switch (event->key()) {
    // Up and Down too, for a chart whose bars lie in rows.
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (count > 0) {
            select(m_selected < 0 ? count - 1 : std::max(0, m_selected - 1));
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (count > 0) {
            select(m_selected < 0 ? 0 : std::min(count - 1, m_selected + 1));
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_selected >= 0) {
            emit basisClicked(m_shown.bars[static_cast<std::size_t>(m_selected)].basis);
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ProbabilityChart::mousePressEvent(QMouseEvent *event)
{
    const int index = event->button() == Qt::LeftButton ? barAt(event->localPos()) : -1;
    if (index < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    select(index);
    emit basisClicked(m_shown.bars[static_cast<std::size_t>(index)].basis);
}

void ProbabilityChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintChart(painter, m_layout, hasFocus() ? m_selected : -1);
}

void ProbabilityChart::resizeEvent(QResizeEvent *event)
{
    relayout();
    QWidget::resizeEvent(event);
}

void ProbabilityChart::refresh()
{
    m_shown = m_nonZeroOnly ? nonZeroBars(m_given) : m_given;
    if (m_selected >= static_cast<int>(m_shown.bars.size())) {
        m_selected = -1;
    }
    setAccessibleName(chartTitle(m_language));
    setAccessibleDescription(chartDescription(m_shown, m_language));
    relayout();
}

void ProbabilityChart::relayout()
{
    m_layout = layoutChart(m_shown, m_language, font(), QSizeF(size()));
    update();
}

void ProbabilityChart::select(int index)
{
    m_selected = index;
    update();
}

} // namespace Fasoria
