#include "ui/widgets/ContentHeight.h"

#include <QEvent>
#include <QLayout>

#include <algorithm>

namespace Fasoria {

namespace {

class ContentHeight : public QObject
{
public:
    ContentHeight(QWidget *widget, int floor) : QObject(widget), m_widget(widget), m_floor(floor)
    {
        widget->installEventFilter(this);
        widget->setMinimumHeight(floor);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched == m_widget && (type == QEvent::LayoutRequest || type == QEvent::Show)) {
            const QLayout *layout = m_widget->layout();
            const int needed = std::max(m_floor, layout ? layout->totalMinimumSize().height() : 0);
            if (needed != m_widget->minimumHeight()) {
                m_widget->setMinimumHeight(needed);
            }
        }
        return false;
    }

private:
    QWidget *m_widget;
    int m_floor;
};

} // namespace

void keepContentHeight(QWidget *widget, int floor)
{
    new ContentHeight(widget, floor);
}

WrappingLabel::WrappingLabel()
{
    setWordWrap(true);
}

QSize WrappingLabel::minimumSizeHint() const
{
    QSize size = QLabel::minimumSizeHint();
    if (width() > 0) {
        size.setHeight(std::max(size.height(), std::min(heightForWidth(width()), maximumHeight())));
    }
    return size;
}

void WrappingLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    // A new width can need another number of lines: the layouts above ask again.
    const int needed = heightForWidth(width());
    if (needed != m_neededHeight) {
        m_neededHeight = needed;
        updateGeometry();
    }
}

} // namespace Fasoria
