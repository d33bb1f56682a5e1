#include "ui/views/QubitStatePanel.h"

#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/widgets/InterfaceZoom.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace Fasoria {

// clang-format off
const TextPair kQubitStateTexts[static_cast<int>(QubitStateText::Count)] = {
    {"Stato di ciascun qubit",
     "State of each qubit"},
    {"Una sfera di Bloch per qubit, da q%1 in alto fino a q0: x, y, z, lunghezza del vettore e probabilità di leggere 1.",
     "One Bloch sphere per qubit, from q%1 at the top down to q0: x, y, z, the vector's length and the probability of "
     "reading 1."},
    {"Una freccia più corta di 1 vuol dire che il qubit è entangled con gli altri: da solo non è in uno stato definito.",
     "An arrow shorter than 1 means that the qubit is entangled with the others: on its own it is not in a definite "
     "state."},
    {"lunghezza",
     "length"},
    {"stato definito",
     "definite state"},
    {"entangled",
     "entangled"},
    {"q%1: x = %2, y = %3, z = %4, lunghezza %5, P(1) = %6; %7",
     "q%1: x = %2, y = %3, z = %4, length %5, P(1) = %6; %7"},
};
// clang-format on

namespace {

const double kPi = std::acos(-1.0);
// The viewpoint: 20° above the equator, turned 30° from the x axis towards y.
const double kElevation = 20.0 * kPi / 180.0;
const double kAzimuth = 30.0 * kPi / 180.0;

constexpr double kRadius = 58.0;
constexpr double kScaleWidth = 10.0;
constexpr double kSideMargin = 4.0;
constexpr double kScaleGap = 16.0;
constexpr int kTitlePoints = 14;
constexpr int kNumberPoints = 12;
constexpr int kDrawingPoints = 11;

enum Quantity
{
    QuantityX,
    QuantityY,
    QuantityZ,
    QuantityLength,
    QuantityProbabilityOne,
    QuantityCount,
};

const std::array<const char *, QuantityCount> kQuantityNames = {"X", "Y", "Z", "Length", "ProbabilityOne"};

QColor outlineColour()
{
    return QColor(92, 108, 128);
}

QColor textColour()
{
    return QColor(32, 49, 68);
}

QFont sizedFont(const QFont &base, int points, bool bold)
{
    QFont font = base;
    font.setPointSizeF(points * InterfaceZoom::percent() / 100.0);
    font.setBold(bold);
    return font;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString qubitName(int qubit)
{
    return QStringLiteral("q%1").arg(qubit);
}

QString numberText(const QubitState &state, int quantity)
{
    switch (quantity) {
    case QuantityX:
        return blochNumberText(state.x);
    case QuantityY:
        return blochNumberText(state.y);
    case QuantityZ:
        return blochNumberText(state.z);
    case QuantityLength:
        return blochNumberText(state.length);
    default:
        return probabilityOneText(state.probabilityOne);
    }
}

void drawArrow(QPainter &painter, QPointF from, QPointF to, const QColor &colour)
{
    constexpr double kHeadLength = 14.0;
    constexpr double kHeadHalfWidth = 6.5;
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    painter.setBrush(colour);
    if (length < kHeadLength * 1.2) {
        // Too short for a head: a line and a dot at the tip still show where it points.
        painter.setPen(QPen(colour, 3.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(to, 5.0, 5.0);
        return;
    }
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());
    const QPointF base = to - unit * kHeadLength;
    painter.setPen(QPen(colour, 3.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, base);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF({to, base + normal * kHeadHalfWidth, base - normal * kHeadHalfWidth}));
}

void drawCentredText(QPainter &painter, QPointF centre, const QString &text)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF box(centre.x() - metrics.horizontalAdvance(text) / 2.0 - 2.0, centre.y() - metrics.height() / 2.0,
                     metrics.horizontalAdvance(text) + 4.0, metrics.height());
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

QString qubitStateText(QubitStateText key, Language language)
{
    const int row = static_cast<int>(key);
    if (row < 0 || row >= static_cast<int>(QubitStateText::Count)) {
        return QString();
    }
    return uiText(kQubitStateTexts[row], language);
}

QString blochNumberText(double value)
{
    return AmplitudeTable::componentText(value);
}

QString probabilityOneText(double probability)
{
    return AmplitudeTable::probabilityText(probability) + QLatin1Char('%');
}

bool isShortVector(double length)
{
    return blochNumberText(length).toDouble() < 1.0;
}

QString qubitSummary(const QubitState &state, int qubit, Language language)
{
    const QubitStateText status =
        isShortVector(state.length) ? QubitStateText::Entangled : QubitStateText::DefiniteState;
    return qubitStateText(QubitStateText::QubitSummary, language)
        .arg(QString::number(qubit), blochNumberText(state.x), blochNumberText(state.y), blochNumberText(state.z),
             blochNumberText(state.length), probabilityOneText(state.probabilityOne), qubitStateText(status, language));
}

// The viewer looks at the origin from direction (cos e cos a, cos e sin a, sin e); the screen's right is
// (−sin a, cos a, 0) and its up (−sin e cos a, −sin e sin a, cos e), both perpendicular to it.
QPointF blochProjection(double x, double y, double z)
{
    const double right = -x * std::sin(kAzimuth) + y * std::cos(kAzimuth);
    const double up =
        -std::sin(kElevation) * (x * std::cos(kAzimuth) + y * std::sin(kAzimuth)) + z * std::cos(kElevation);
    return QPointF(right, -up);
}

double blochEquatorRatio()
{
    return std::sin(kElevation);
}

BlochSphereView::BlochSphereView(QWidget *parent) : QWidget(parent)
{
    InterfaceZoom::setFontSize(this, kDrawingPoints, true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void BlochSphereView::setVector(double x, double y, double z, double length)
{
    m_x = x;
    m_y = y;
    m_z = z;
    m_length = length;
    update();
}

double BlochSphereView::margin() const
{
    return QFontMetricsF(font()).height() + 4.0;
}

// The axis labels stay inside the disk on the left and just outside it on the right, so only the top and the
// bottom need a text line's margin.
QPointF BlochSphereView::centre() const
{
    return QPointF(kSideMargin + radius(), margin() + radius());
}

double BlochSphereView::radius() const
{
    return kRadius * InterfaceZoom::percent() / 100.0;
}

QPointF BlochSphereView::scalePoint(double z) const
{
    const double x = centre().x() + radius() + kScaleGap + kScaleWidth / 2.0;
    return QPointF(x, centre().y() - std::clamp(z, -1.0, 1.0) * radius());
}

QSize BlochSphereView::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const double labelHalf = metrics.horizontalAdvance(QStringLiteral("|0>")) / 2.0 + 4.0;
    const double width = scalePoint(0.0).x() + std::max(kScaleWidth / 2.0, labelHalf) + 2.0;
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(2.0 * (margin() + radius()))));
}

QSize BlochSphereView::minimumSizeHint() const
{
    return sizeHint();
}

QColor BlochSphereView::pureColour()
{
    return QColor(40, 91, 183);
}

QColor BlochSphereView::shortColour()
{
    return QColor(196, 86, 10);
}

void BlochSphereView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF c = centre();
    const double r = radius();

    QRadialGradient shade(c - QPointF(0.35 * r, 0.35 * r), 1.5 * r);
    shade.setColorAt(0.0, Qt::white);
    shade.setColorAt(1.0, QColor(200, 218, 242));
    painter.setPen(QPen(outlineColour(), 1.6));
    painter.setBrush(shade);
    painter.drawEllipse(c, r, r);

    // The far half of the equator, seen through the sphere, is dashed.
    const double ratio = blochEquatorRatio();
    const QRectF equator(c.x() - r, c.y() - r * ratio, 2.0 * r, 2.0 * r * ratio);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outlineColour(), 1.2, Qt::DashLine));
    painter.drawArc(equator, 0, 180 * 16);
    painter.setPen(QPen(outlineColour(), 1.4));
    painter.drawArc(equator, 180 * 16, 180 * 16);

    const std::array<std::array<double, 3>, 3> axes = {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
    const std::array<const char *, 3> axisNames = {"x", "y", "z"};
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const QPointF end = blochProjection(axes[i][0], axes[i][1], axes[i][2]) * r;
        painter.setPen(QPen(QColor(150, 162, 176), 1.0));
        painter.drawLine(c - end, c + end);
        painter.setPen(textColour());
        // A fixed distance beyond the tip keeps the letter clear of the outline and of the arrow.
        const QPointF outward = end / std::hypot(end.x(), end.y());
        drawCentredText(painter, c + end + outward * 14.0, QLatin1String(axisNames[i]));
    }

    const QColor colour = isShortVector(m_length) ? shortColour() : pureColour();
    const QPointF tip = c + blochProjection(m_x, m_y, m_z) * r;
    const QPointF foot = c + blochProjection(m_x, m_y, 0.0) * r;
    // The vector's shadow on the equator's plane and the drop from its tip show the height inside the sphere.
    painter.setPen(QPen(colour, 1.3, Qt::DotLine));
    painter.drawLine(c, foot);
    painter.drawLine(foot, tip);
    drawArrow(painter, c, tip, colour);
    painter.setBrush(textColour());
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(c, 3.5, 3.5);

    const QPointF top = scalePoint(1.0);
    const QPointF bottom = scalePoint(-1.0);
    const QPointF zero = scalePoint(0.0);
    const QPointF mark = scalePoint(m_z);
    painter.setPen(QPen(outlineColour(), 1.2));
    painter.setBrush(QColor(236, 240, 246));
    painter.drawRoundedRect(QRectF(top.x() - kScaleWidth / 2.0, top.y(), kScaleWidth, bottom.y() - top.y()), 3.0, 3.0);
    painter.drawLine(zero - QPointF(kScaleWidth, 0.0), zero + QPointF(kScaleWidth, 0.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(QPointF(zero.x() - kScaleWidth / 2.0 + 1.5, std::min(zero.y(), mark.y())),
                            QPointF(zero.x() + kScaleWidth / 2.0 - 1.5, std::max(zero.y(), mark.y()))));
    painter.setPen(QPen(colour, 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(mark - QPointF(kScaleWidth, 0.0), mark + QPointF(kScaleWidth, 0.0));
    painter.setPen(textColour());
    const double labelOffset = margin() / 2.0 + 1.0;
    drawCentredText(painter, top - QPointF(0.0, labelOffset), QStringLiteral("|0>"));
    drawCentredText(painter, bottom + QPointF(0.0, labelOffset), QStringLiteral("|1>"));
}

struct QubitStatePanel::Cell
{
    QFrame *frame = nullptr;
    QLabel *title = nullptr;
    QLabel *status = nullptr;
    BlochSphereView *sphere = nullptr;
    std::array<QLabel *, QuantityCount> names{};
    std::array<QLabel *, QuantityCount> values{};
};

QubitStatePanel::QubitStatePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("qubitStatePanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);

    m_explanation = new QLabel(this);
    m_explanation->setTextFormat(Qt::PlainText);
    m_explanation->setObjectName(QStringLiteral("qubitStateExplanation"));
    m_explanation->setWordWrap(true);
    InterfaceZoom::setFontSize(m_explanation, kNumberPoints, false);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("qubitStateScroll"));
    m_scroll->setWidgetResizable(true);
    m_grid = new QWidget;
    m_grid->setObjectName(QStringLiteral("qubitStateGrid"));
    // The cells keep their size in the top left corner; the stretches take what is left.
    auto *rows = new QVBoxLayout(m_grid);
    rows->setContentsMargins(6, 6, 6, 6);
    auto *columns = new QHBoxLayout;
    m_gridLayout = new QGridLayout;
    m_gridLayout->setSpacing(8);
    columns->addLayout(m_gridLayout);
    columns->addStretch(1);
    rows->addLayout(columns);
    rows->addStretch(1);
    m_scroll->setWidget(m_grid);
    // The column count follows the width the cells actually get, which the viewport knows.
    m_scroll->viewport()->installEventFilter(this);

    layout->addWidget(m_explanation);
    layout->addWidget(m_scroll, 1);
    writeTexts();
}

QubitStatePanel::~QubitStatePanel() = default;

void QubitStatePanel::showState(const StateVector &state, Language language)
{
    m_states = qubitStates(state);
    m_language = language;
    buildCells(static_cast<int>(m_states.size()));
    writeNumbers();
    writeTexts();
    layOutCells();
}

void QubitStatePanel::applyLanguage(Language language)
{
    m_language = language;
    writeTexts();
    layOutCells();
}

bool QubitStatePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
        layOutCells();
    }
    return QWidget::eventFilter(watched, event);
}

void QubitStatePanel::buildCells(int qubits)
{
    if (static_cast<int>(m_cells.size()) == qubits) {
        return;
    }
    for (Cell &cell : m_cells) {
        delete cell.frame;
    }
    m_cells.assign(static_cast<std::size_t>(qubits), Cell{});
    m_columns = 0;
    const QFont titleFont = sizedFont(font(), kTitlePoints, true);
    const QFont numberFont = sizedFont(font(), kNumberPoints, false);
    for (int k = 0; k < qubits; ++k) {
        Cell &cell = m_cells[static_cast<std::size_t>(k)];
        cell.frame = new QFrame(m_grid);
        cell.frame->setObjectName(QStringLiteral("qubitCell%1").arg(k));
        cell.frame->setFrameShape(QFrame::StyledPanel);
        auto *grid = new QGridLayout(cell.frame);
        grid->setContentsMargins(8, 6, 10, 6);
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(2);

        cell.title = new QLabel(qubitName(k), cell.frame);
        cell.title->setObjectName(QStringLiteral("qubitTitle%1").arg(k));
        cell.title->setFont(titleFont);
        cell.status = new QLabel(cell.frame);
        cell.status->setObjectName(QStringLiteral("qubitStatus%1").arg(k));
        cell.status->setFont(sizedFont(font(), kNumberPoints, true));
        cell.sphere = new BlochSphereView(cell.frame);
        cell.sphere->setObjectName(QStringLiteral("qubitSphere%1").arg(k));
        grid->addWidget(cell.title, 0, 0);
        grid->addWidget(cell.status, 0, 1, 1, 2, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(cell.sphere, 1, 0, QuantityCount + 1, 1, Qt::AlignTop);
        for (int q = 0; q < QuantityCount; ++q) {
            const QString quantity = QLatin1String(kQuantityNames[static_cast<std::size_t>(q)]);
            auto *name = new QLabel(cell.frame);
            name->setObjectName(QStringLiteral("qubit%1Name%2").arg(quantity).arg(k));
            auto *value = new QLabel(cell.frame);
            value->setObjectName(QStringLiteral("qubit%1%2").arg(quantity).arg(k));
            name->setFont(numberFont);
            value->setFont(numberFont);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(name, q + 1, 1);
            grid->addWidget(value, q + 1, 2);
            cell.names[static_cast<std::size_t>(q)] = name;
            cell.values[static_cast<std::size_t>(q)] = value;
        }
        grid->setRowStretch(QuantityCount + 1, 1);
    }
}

void QubitStatePanel::writeNumbers()
{
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        const QubitState &state = m_states[k];
        Cell &cell = m_cells[k];
        for (int q = 0; q < QuantityCount; ++q) {
            cell.values[static_cast<std::size_t>(q)]->setText(numberText(state, q));
        }
        cell.sphere->setVector(state.x, state.y, state.z, state.length);
    }
}

void QubitStatePanel::writeTexts()
{
    setAccessibleName(qubitStateText(QubitStateText::PanelName, m_language));
    const int top = std::max(0, static_cast<int>(m_states.size()) - 1);
    setAccessibleDescription(qubitStateText(QubitStateText::PanelDescription, m_language).arg(top));
    m_explanation->setText(qubitStateText(QubitStateText::Explanation, m_language));
    const std::array<QString, QuantityCount> names = {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"),
                                                      qubitStateText(QubitStateText::Length, m_language),
                                                      QStringLiteral("P(1)")};
    for (std::size_t k = 0; k < m_cells.size(); ++k) {
        const QubitState &state = m_states[k];
        Cell &cell = m_cells[k];
        for (std::size_t q = 0; q < names.size(); ++q) {
            cell.names[q]->setText(names[q]);
        }
        const bool isShort = isShortVector(state.length);
        cell.status->setText(
            qubitStateText(isShort ? QubitStateText::Entangled : QubitStateText::DefiniteState, m_language));
        setTextColour(cell.status, isShort ? BlochSphereView::shortColour() : BlochSphereView::pureColour());
        const QString summary = qubitSummary(state, static_cast<int>(k), m_language);
        cell.frame->setAccessibleName(qubitName(static_cast<int>(k)));
        cell.frame->setAccessibleDescription(summary);
        cell.frame->setToolTip(summary);
    }
}

void QubitStatePanel::layOutCells()
{
    const int count = static_cast<int>(m_cells.size());
    if (count == 0) {
        m_columns = 0;
        return;
    }
    // Equal cells, as wide as the widest one needs in this language, line up in columns.
    int cellWidth = 1;
    for (const Cell &cell : m_cells) {
        cellWidth = std::max(cellWidth, cell.frame->sizeHint().width());
    }
    for (const Cell &cell : m_cells) {
        cell.frame->setFixedWidth(cellWidth);
    }
    const QMargins margins = m_grid->layout()->contentsMargins();
    const int spacing = m_gridLayout->horizontalSpacing();
    const int available = m_scroll->viewport()->width() - margins.left() - margins.right();
    const int columns = std::clamp((available + spacing) / (cellWidth + spacing), 1, count);
    if (columns == m_columns) {
        return;
    }
    m_columns = columns;
    for (const Cell &cell : m_cells) {
        m_gridLayout->removeWidget(cell.frame);
    }
    // Reading order follows the drawing, top wire first: q(n−1) in the first place, q0 in the last.
    for (int place = 0; place < count; ++place) {
        const Cell &cell = m_cells[static_cast<std::size_t>(count - 1 - place)];
        m_gridLayout->addWidget(cell.frame, place / columns, place % columns);
    }
}

} // namespace Fasoria
