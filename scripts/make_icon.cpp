// Draws the program icon: a Bloch sphere with a state arrow on a rounded tile in the drawing's blue and green.
// Usage: make_icon OUTPUT.png [SIZE]
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The circuit drawing's colours: current stage blue, applied stage green, light fills.
const QColor kBlue(40, 91, 183);
const QColor kDeepBlue(22, 52, 112);
const QColor kGreen(56, 140, 106);
const QColor kLightGreen(222, 246, 234);
const QColor kLightBlue(215, 230, 252);

void drawTile(QPainter &painter, double size)
{
    QLinearGradient background(0, 0, 0, size);
    background.setColorAt(0.0, kBlue);
    background.setColorAt(1.0, kDeepBlue);
    QPainterPath tile;
    const double margin = size * 0.04;
    tile.addRoundedRect(QRectF(margin, margin, size - 2 * margin, size - 2 * margin), size * 0.18, size * 0.18);
    painter.fillPath(tile, background);
}

void drawSphere(QPainter &painter, QPointF centre, double radius)
{
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    shade.setColorAt(0.0, QColor(255, 255, 255, 235));
    shade.setColorAt(1.0, QColor(kLightBlue.red(), kLightBlue.green(), kLightBlue.blue(), 200));
    painter.setPen(QPen(QColor(255, 255, 255), radius * 0.04));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);

    // Equator: the far half dashed, the near half solid, as a sphere drawn in perspective.
    const QRectF equator(centre.x() - radius, centre.y() - radius * 0.32, 2 * radius, radius * 0.64);
    QPen far(kBlue, radius * 0.025, Qt::DashLine);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(far);
    painter.drawArc(equator, 0, 180 * 16);
    painter.setPen(QPen(kBlue, radius * 0.035));
    painter.drawArc(equator, 180 * 16, 180 * 16);

    // The vertical axis through |0> (top) and |1> (bottom).
    painter.setPen(QPen(kDeepBlue, radius * 0.03, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(centre.x(), centre.y() - radius * 1.08), QPointF(centre.x(), centre.y() + radius * 1.08));
    painter.setBrush(kDeepBlue);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(centre.x(), centre.y() - radius), radius * 0.06, radius * 0.06);
    painter.drawEllipse(QPointF(centre.x(), centre.y() + radius), radius * 0.06, radius * 0.06);
}

void drawStateArrow(QPainter &painter, QPointF centre, double radius)
{
    // An equal superposition with a relative phase: tilted from the pole towards the viewer's right.
    const double polar = 0.95;
    const double azimuth = -0.55;
    const QPointF tip(centre.x() + radius * std::sin(polar) * std::cos(azimuth),
                      centre.y() - radius * std::cos(polar) - radius * 0.32 * std::sin(polar) * std::sin(azimuth));
    const double head = radius * 0.2;
    const double angle = std::atan2(-(tip.y() - centre.y()), tip.x() - centre.x());
    const QPointF back(tip.x() - head * std::cos(angle), tip.y() + head * std::sin(angle));
    const QPointF side(head * 0.5 * std::sin(angle), head * 0.5 * std::cos(angle));

    painter.setPen(QPen(kGreen, radius * 0.085, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QLineF(centre, back));
    painter.setPen(QPen(kGreen, radius * 0.02, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kGreen);
    painter.drawPolygon(QPolygonF({tip, back + side, back - side}));

    painter.setPen(QPen(kGreen, radius * 0.03));
    painter.setBrush(kLightGreen);
    painter.drawEllipse(centre, radius * 0.08, radius * 0.08);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [SIZE]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int size = argc > 2 ? std::atoi(argv[2]) : 256;
    if (size < 16 || size > 4096) {
        std::fprintf(stderr, "SIZE must be 16..4096\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawTile(painter, size);
    const QPointF centre(size * 0.5, size * 0.5);
    const double radius = size * 0.34;
    drawSphere(painter, centre, radius);
    drawStateArrow(painter, centre, radius);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
