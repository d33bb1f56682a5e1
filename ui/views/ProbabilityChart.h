#pragma once

#include "core/Language.h"
#include "ui/model/ChartModel.h"
#include "ui/views/ChartDrawing.h"

#include <QRectF>
#include <QWidget>

#include <cstdint>

namespace Fasoria {

/// The probability chart of the shown stage (object name "probabilityChart"): one bar per basis state with its
/// theoretical probability and phase arrow, the observed frequency beside it after repeated preparations, the
/// measured outcome outlined. It paints through paintChart, as the pictures do, in the widget's font.
///
/// A click on a column, or Enter or Space on the column selected with Left and Right, announces its basis
/// state. With nonZeroOnly the columns of zero amplitude and count are left out. Bar indices count the shown
/// columns, left to right.
class ProbabilityChart : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool nonZeroOnly READ nonZeroOnly WRITE setNonZeroOnly NOTIFY nonZeroOnlyChanged)

public:
    explicit ProbabilityChart(QWidget *parent = nullptr);

    /// Shows `data` (all bars; the view leaves out the zero ones itself when nonZeroOnly) in `language`, and
    /// describes it to assistive technology.
    void showData(const ChartData &data, Language language);
    /// What is shown: the given data, without the zero bars when nonZeroOnly.
    const ChartData &data() const { return m_shown; }
    Language language() const { return m_language; }

    bool nonZeroOnly() const { return m_nonZeroOnly; }
    void setNonZeroOnly(bool nonZeroOnly);

    /// The theoretical bar of shown bar `index` as drawn, in widget coordinates; empty for another index.
    /// What the widget paints, in its own coordinates.
    const ChartLayout &chartLayout() const { return m_layout; }
    QRectF barRect(int index) const;
    /// The column of shown bar `index` that clicks and tool tips hit; empty for another index.
    QRectF columnRect(int index) const;
    /// The shown bar whose column holds `point`, −1 for none.
    int barAt(QPointF point) const;
    /// The bar selected by the keyboard or the last click, −1 for none.
    int selectedBar() const { return m_selected; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void basisClicked(std::uint64_t basis);
    void nonZeroOnlyChanged(bool nonZeroOnly);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void relayout();
    void select(int index);

    ChartData m_given;
    ChartData m_shown;
    ChartLayout m_layout;
    Language m_language = Italian;
    bool m_nonZeroOnly = false;
    int m_selected = -1;
};

} // namespace Fasoria
