// Writes the program icon at one of the sizes of the desktop's icon theme, from the square source picture,
// so that every size installed is drawn from the one icon the window shows.
// Usage: scale_icon SOURCE.png SIZE OUTPUT.png
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: scale_icon SOURCE.png SIZE OUTPUT.png\n");
        return 2;
    }
    bool sizeIsNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeIsNumber);
    QImage source(QString::fromLocal8Bit(argv[1]));
    if (source.isNull()) {
        std::fprintf(stderr, "scale_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    // Scaling up or out of a non-square picture would install a blurred or distorted icon: refuse instead.
    if (!sizeIsNumber || size < 1 || source.width() != source.height() || size > source.width()) {
        std::fprintf(stderr, "scale_icon: %s is %dx%d; cannot make a %s-pixel square icon from it\n", argv[1],
                     source.width(), source.height(), argv[2]);
        return 1;
    }
    // Premultiplied alpha keeps the transparent corners from bleeding a dark fringe into the tile's edge.
    QImage icon = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (size != icon.width()) {
        icon = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!icon.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "scale_icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
