#include "leafimage.h"

#include "chequestyle.h"
#include "database.h"
#include "failure.h"
#include "messages.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

const qint64 largestLeafBytes = 10 * 1024 * 1024;
// A leaf scanned at 1200 dpi; its 32-bit pixels stay below Qt's decode limit.
const qint64 largestLeafPixels = 45'000'000;
// A scan is decoded and scaled too slowly for a window to open at once;
// the screen copy holds enough pixels for 150% on a common screen.
const int screenCopyWidth = 1400;
const int screenCopyQuality = 90;

// The leaf on white paper, as JPEG: it decodes in a few milliseconds.
QByteArray screenCopy(const QImage &scan)
{
    QImage copy = scan.width() > screenCopyWidth
        ? scan.scaledToWidth(screenCopyWidth, Qt::SmoothTransformation)
        : scan;
    QImage onPaper(copy.size(), QImage::Format_RGB32);
    onPaper.fill(Qt::white);
    QPainter(&onPaper).drawImage(0, 0, copy);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    onPaper.save(&buffer, "JPG", screenCopyQuality);
    return bytes;
}

QImage decoded(const QByteArray &bytes)
{
    QImage image;
    image.loadFromData(bytes);
    return image;
}

// The last leaves decoded for the preview, by their bytes: a leaf is read
// from the data file at every preview, so a changed one is always seen,
// but one decoded before is not decoded again.
constexpr qsizetype leavesKept = 3;

QImage decodedOnce(const QByteArray &bytes)
{
    static QList<std::pair<QByteArray, QImage>> kept;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept[i].first == bytes) {
            kept.move(i, 0);
            return kept.first().second;
        }
    }
    const QImage image = decoded(bytes);
    kept.prepend({bytes, image});
    if (kept.size() > leavesKept)
        kept.removeLast();
    return image;
}

} // namespace

LeafImage leafImageFrom(const store::LeafImageRow &row, LeafDecoding decoding)
{
    const QByteArray &bytes = row.screenImage.isEmpty() ? row.image : row.screenImage;
    return {decoding == LeafDecoding::KeptForTheRun ? decodedOnce(bytes) : decoded(bytes),
            QRectF(row.leftMm, row.topMm, row.widthMm, row.heightMm)};
}

std::optional<QRectF> loadLeafOutline(const QString &bankName)
{
    const store::Connection connection(QStringLiteral("loadLeafOutline"));
    std::optional<QRectF> place;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findLeafPlace(connection.database(), bankName, &place);
    if (error.isValid())
        Messages::show(store::failureText(QStringLiteral("read the leaf's size"), error),
                       Messages::Icon::Critical);
    return place;
}

std::optional<LeafImage> loadLeafImage(const QString &bankName, LeafDecoding decoding)
{
    const store::Connection connection(QStringLiteral("loadLeafImage"));
    std::optional<store::LeafImageRow> row;
    QSqlError error = connection.error();
    if (!error.isValid())
        error = store::findLeafImage(connection.database(), bankName, &row);
    if (error.isValid()) {
        Messages::show(store::failureText(QStringLiteral("read the leaf image"), error),
                       Messages::Icon::Critical);
        return std::nullopt;
    }
    if (!row)
        return std::nullopt;
    LeafImage leaf = leafImageFrom(*row, decoding);
    if (leaf.image.isNull()) {
        Messages::show(QStringLiteral("The leaf image of the bank \"%1\" cannot be read. Attach "
                                      "the image again.")
                           .arg(bankName),
                       Messages::Icon::Critical);
        return std::nullopt;
    }
    return leaf;
}

QString readLeafImageFile(const QString &path, store::LeafImageRow *leaf)
{
    // 1. The kind and size first, so a pipe, a device or a huge file is
    // never read.
    const QString name = QFileInfo(path).fileName();
    if (const QString kind = store::notARegularFile(path); !kind.isEmpty())
        return QStringLiteral("\"%1\" is %2, not a file.").arg(name, kind);
    if (QFileInfo(path).size() > largestLeafBytes)
        return QStringLiteral("The file \"%1\" is larger than 10 MB. Scan the leaf at a lower "
                              "resolution, or save it as a JPEG.")
            .arg(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The file \"%1\" cannot be read: %2.").arg(name, file.errorString());
    QByteArray bytes = file.read(largestLeafBytes);

    // 2. It must be a PNG or JPEG, whatever its name says, of a size that
    // decodes: the size its header declares is read before any pixel.
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg")
        return QStringLiteral("The file \"%1\" is not a PNG or JPEG image.").arg(name);
    if (const QSize size = reader.size(); qint64(size.width()) * size.height() > largestLeafPixels)
        return QStringLiteral("The image \"%1\" is %2 × %3 pixels; a leaf image may have at most "
                              "%4 million pixels (such as 10000 × 4500). Scan the leaf at a "
                              "lower resolution.")
            .arg(name).arg(size.width()).arg(size.height()).arg(largestLeafPixels / 1'000'000);
    const QImage scan = reader.read();
    if (scan.isNull())
        return QStringLiteral("The file \"%1\" is not a PNG or JPEG image.").arg(name);
    leaf->image = bytes;
    leaf->screenImage = screenCopy(scan);
    return {};
}
