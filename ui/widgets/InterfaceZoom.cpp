#include "ui/widgets/InterfaceZoom.h"

#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QTableView>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace Fasoria::InterfaceZoom {

namespace {

// The 100 % sizes ride on the widgets themselves, so that a widget made later or deleted early needs no
// bookkeeping here.
const char *const kFontPoints = "fasoria.zoom.fontPoints";
const char *const kRowHeight = "fasoria.zoom.rowHeight";
const char *const kMinimumWidth = "fasoria.zoom.minimumWidth";
const char *const kMinimumHeight = "fasoria.zoom.minimumHeight";
const char *const kMaximumHeight = "fasoria.zoom.maximumHeight";
const char *const kFixedWidth = "fasoria.zoom.fixedWidth";

int g_percent = kActual;
double g_basePoints = 0.0;

double factor()
{
    return g_percent / 100.0;
}

void scaleFont(QWidget *widget, int points)
{
    QFont font = widget->font();
    font.setPointSizeF(points * factor());
    widget->setFont(font);
}

void applySizes(QWidget *widget)
{
    bool ok = false;
    const int points = widget->property(kFontPoints).toInt(&ok);
    if (ok && points > 0) {
        scaleFont(widget, points);
    }
    if (auto *table = qobject_cast<QTableView *>(widget)) {
        const int row = table->property(kRowHeight).toInt(&ok);
        if (ok) {
            table->verticalHeader()->setDefaultSectionSize(scaled(row));
        }
    }
    if (const int width = widget->property(kMinimumWidth).toInt(&ok); ok) {
        widget->setMinimumWidth(scaled(width));
    }
    if (const int height = widget->property(kMinimumHeight).toInt(&ok); ok) {
        widget->setMinimumHeight(scaled(height));
    }
    if (const int height = widget->property(kMaximumHeight).toInt(&ok); ok) {
        widget->setMaximumHeight(scaled(height));
    }
    if (const int width = widget->property(kFixedWidth).toInt(&ok); ok) {
        widget->setFixedWidth(scaled(width));
    }
}

} // namespace

int percent()
{
    return g_percent;
}

int level(int percent)
{
    if (percent < kMinimum || percent > kMaximum) {
        return kActual;
    }
    return *std::min_element(std::begin(kLevels), std::end(kLevels),
                             [percent](int a, int b) { return std::abs(a - percent) < std::abs(b - percent); });
}

int stepped(int percent, int direction)
{
    const int from = level(percent);
    const auto *at = std::find(std::begin(kLevels), std::end(kLevels), from);
    if (direction > 0 && std::next(at) != std::end(kLevels)) {
        return *std::next(at);
    }
    if (direction < 0 && at != std::begin(kLevels)) {
        return *std::prev(at);
    }
    return from;
}

int scaled(int pixels)
{
    return static_cast<int>(std::lround(pixels * factor()));
}

void apply(int requested)
{
    if (g_basePoints <= 0.0) {
        g_basePoints = QApplication::font().pointSizeF();
    }
    g_percent = level(requested);
    QFont font = QApplication::font();
    if (g_basePoints > 0.0) {
        font.setPointSizeF(g_basePoints * factor());
    }
    QApplication::setFont(font);
    for (QWidget *widget : QApplication::allWidgets()) {
        applySizes(widget);
    }
}

void setFontSize(QWidget *widget, int points, bool bold)
{
    widget->setProperty(kFontPoints, points);
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
    if (points > 0) {
        scaleFont(widget, points);
    }
}

void setRowHeight(QTableView *table, int pixels)
{
    table->setProperty(kRowHeight, pixels);
    table->verticalHeader()->setDefaultSectionSize(scaled(pixels));
}

void setMinimumWidth(QWidget *widget, int pixels)
{
    widget->setProperty(kMinimumWidth, pixels);
    widget->setMinimumWidth(scaled(pixels));
}

void setMinimumHeight(QWidget *widget, int pixels)
{
    widget->setProperty(kMinimumHeight, pixels);
    widget->setMinimumHeight(scaled(pixels));
}

void setMaximumHeight(QWidget *widget, int pixels)
{
    widget->setProperty(kMaximumHeight, pixels);
    widget->setMaximumHeight(scaled(pixels));
}

void setFixedWidth(QWidget *widget, int pixels)
{
    widget->setProperty(kFixedWidth, pixels);
    widget->setFixedWidth(scaled(pixels));
}

} // namespace Fasoria::InterfaceZoom
