#include "CursorFile.h"

#include <QBuffer>
#include <QFile>
#include <QPixmap>
#include <QSaveFile>
#include <QtEndian>

namespace platform {
namespace {

constexpr int kDirSize = 6;     // reserved, type (1 icon, 2 cursor), image count
constexpr int kEntrySize = 16;  // width, height, colours, reserved, hot x / planes, hot y / bits, size, offset
constexpr quint16 kIconType = 1;
constexpr quint16 kCursorType = 2;

quint16 U16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 U32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

void Put16(QByteArray& b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}

void Put32(QByteArray& b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}

}  // namespace

std::optional<CursorPicture> ReadCursorFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < kDirSize + kEntrySize || U16(bytes, 0) != 0) return std::nullopt;
    const quint16 type = U16(bytes, 2);
    if ((type != kIconType && type != kCursorType) || U16(bytes, 4) < 1) return std::nullopt;
    const quint32 size = U32(bytes, kDirSize + 8);
    const quint32 offset = U32(bytes, kDirSize + 12);
    if (offset > static_cast<quint32>(bytes.size()) || size > static_cast<quint32>(bytes.size()) - offset) return std::nullopt;

    CursorPicture picture;
    const QByteArray data = bytes.mid(offset, size);
    if (data.startsWith("\x89PNG")) {
        picture.image = QImage::fromData(data, "PNG");
    } else {
        // A bitmap entry: the image reader of icon files decodes it (read as an icon directory).
        QByteArray asIcon = bytes;
        qToLittleEndian(kIconType, asIcon.data() + 2);
        picture.image = QImage::fromData(asIcon, "ICO");
    }
    if (picture.image.isNull()) return std::nullopt;
    picture.hotSpot = type == kCursorType ? QPoint(U16(bytes, kDirSize + 4), U16(bytes, kDirSize + 6))
                                          : QPoint(picture.image.width() / 2, picture.image.height() / 2);
    return picture;
}

std::optional<QCursor> LoadCursorFile(const QString& path)
{
    const std::optional<CursorPicture> picture = ReadCursorFile(path);
    if (!picture) return std::nullopt;
    return QCursor(QPixmap::fromImage(picture->image), picture->hotSpot.x(), picture->hotSpot.y());
}

bool WriteCursorFile(const QString& path, const QImage& image, QPoint hotSpot, bool isCursor)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) return false;

    QByteArray bytes;
    Put16(bytes, 0);
    Put16(bytes, isCursor ? kCursorType : kIconType);
    Put16(bytes, 1);
    bytes.append(static_cast<char>(image.width() >= 256 ? 0 : image.width()));
    bytes.append(static_cast<char>(image.height() >= 256 ? 0 : image.height()));
    bytes.append('\0');  // no palette
    bytes.append('\0');
    Put16(bytes, isCursor ? static_cast<quint16>(hotSpot.x()) : 1);   // planes for an icon
    Put16(bytes, isCursor ? static_cast<quint16>(hotSpot.y()) : 32);  // bits per pixel for an icon
    Put32(bytes, static_cast<quint32>(png.size()));
    Put32(bytes, kDirSize + kEntrySize);
    bytes.append(png);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    return file.commit();
}

}  // namespace platform
