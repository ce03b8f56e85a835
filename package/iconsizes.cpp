// Draws the program's picture as a square icon of the given size, for the
// desktop's icon theme: the picture keeps its proportions and is centred,
// and its plain background (the colour of its corner) becomes transparent,
// so the icon sits on any panel.
//   iconsizes <picture.png> <size> <out.png>

#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: iconsizes <picture.png> <size> <out.png>\n");
        return 2;
    }
    QImage picture(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[2]).toInt();
    if (picture.isNull() || size <= 0) {
        std::fprintf(stderr, "iconsizes: cannot read %s or size %s\n", argv[1], argv[2]);
        return 1;
    }
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) == background)
                picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QImage scaled = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter(&icon).drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    if (!icon.save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "iconsizes: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
