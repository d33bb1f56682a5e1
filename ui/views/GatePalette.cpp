#include "ui/views/GatePalette.h"

#include "core/GateText.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/GateGlyphs.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Fasoria {

namespace {

constexpr GateKind kKinds[] = {GateKind::H, GateKind::X, GateKind::Z, GateKind::P, GateKind::Cnot};
constexpr const char *kTileNames[] = {"m_paletteH", "m_paletteX", "m_paletteZ", "m_paletteP", "m_paletteCnot"};

// clang-format off
constexpr TextPair kPaletteName = {"Porte da trascinare sul circuito", "Gates to drag onto the circuit"};
constexpr TextPair kTileTip = {"%1: %2\nTrascinala su un filo del disegno, o fai clic per inserirla sul filo scelto dopo il passo mostrato.",
                               "%1: %2\nDrag it onto a wire of the drawing, or click to insert it on the chosen wire after the shown stage."};
// clang-format on

// The tiles' side in text lines, so they grow with the interface zoom.
constexpr double kTileLines = 2.0;

} // namespace

GatePalette::GatePalette(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("m_gatePalette"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        auto *tile = new QToolButton(this);
        tile->setObjectName(QString::fromLatin1(kTileNames[i]));
        tile->setAutoRaise(false);
        tile->setFocusPolicy(Qt::StrongFocus);
        tile->installEventFilter(this);
        const GateKind kind = kKinds[i];
        connect(tile, &QToolButton::clicked, this, [this, kind] { emit gateClicked(kind); });
        layout->addWidget(tile);
        m_tiles[i] = tile;
    }
    layout->addStretch(1);
    refreshIcons();
}

QToolButton *GatePalette::tile(GateKind kind) const
{
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        if (kKinds[i] == kind) {
            return m_tiles[i];
        }
    }
    return nullptr;
}

void GatePalette::applyLanguage(Language language)
{
    setAccessibleName(uiText(kPaletteName, language));
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        const QString name = QString::fromUtf8(gateKindName(kKinds[i], language));
        m_tiles[i]->setAccessibleName(name);
        m_tiles[i]->setToolTip(
            uiText(kTileTip, language).arg(name, QString::fromUtf8(gateDescription(kKinds[i], language))));
    }
}

void GatePalette::setHeightBudget(int pixels)
{
    m_heightBudget = pixels;
    refreshIcons();
}

void GatePalette::refreshIcons()
{
    int side = qRound(fontMetrics().height() * kTileLines);
    if (m_heightBudget > 0) {
        const int tiles = static_cast<int>(std::size(kKinds));
        const int chrome = m_tiles[0]->sizeHint().height() - m_tiles[0]->iconSize().height();
        const int spacing = layout()->spacing() * (tiles - 1);
        side = std::min(side, (m_heightBudget - spacing) / tiles - chrome);
    }
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        m_tiles[i]->setIcon(QIcon(GateGlyphs::gateIcon(kKinds[i], side, devicePixelRatioF())));
        m_tiles[i]->setIconSize(QSize(side, side));
    }
}

void GatePalette::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        refreshIcons();
    }
}

std::optional<GateKind> GatePalette::kindOf(QObject *tile) const
{
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        if (m_tiles[i] == tile) {
            return kKinds[i];
        }
    }
    return std::nullopt;
}

bool GatePalette::eventFilter(QObject *watched, QEvent *event)
{
    const std::optional<GateKind> kind = kindOf(watched);
    if (!kind) {
        return QWidget::eventFilter(watched, event);
    }
    auto *tile = static_cast<QToolButton *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_pressed = true;
            m_dragging = false;
            m_pressPoint = mouse->pos();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_pressed || !(mouse->buttons() & Qt::LeftButton)) {
            break;
        }
        if (!m_dragging && (mouse->pos() - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            // A drag, not a click: the tile must not fire when the button comes up.
            m_dragging = true;
            tile->setDown(false);
            tile->setCursor(Qt::ClosedHandCursor);
        }
        if (m_dragging) {
            emit dragMoved(*kind, tile->mapToGlobal(mouse->pos()));
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton) {
            break;
        }
        m_pressed = false;
        if (m_dragging) {
            m_dragging = false;
            tile->unsetCursor();
            tile->setDown(false);
            emit dropped(*kind, tile->mapToGlobal(mouse->pos()));
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        if (m_dragging && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            m_dragging = false;
            m_pressed = false;
            tile->unsetCursor();
            emit dragCancelled();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Fasoria
