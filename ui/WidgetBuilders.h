// Small helpers that build the window's widgets with their object names, shared by the window and its panels.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QString>

namespace Fasoria {

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

inline QLabel *namedLabel(const char *name, bool wrapping = false)
{
    QLabel *result = named(new QLabel, name);
    result->setWordWrap(wrapping);
    return result;
}

inline QPushButton *namedButton(const char *name)
{
    return named(new QPushButton, name);
}

/// A spin box with its range; a positive width fixes it.
inline QSpinBox *namedSpinBox(const char *name, int minimum, int maximum, int width = 0)
{
    QSpinBox *spin = named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    if (width > 0) {
        spin->setFixedWidth(width);
    }
    return spin;
}

} // namespace Fasoria
