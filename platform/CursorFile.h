#pragma once
// Mouse pointers from cursor and icon files (the Windows .CUR and .ICO layout: a directory of
// images, here one 32 x 32 image stored as PNG). A .CUR entry stores its hot spot; an icon used
// as a pointer takes its centre as the hot spot, as a custom mouse icon does.

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <optional>

namespace platform {

struct CursorPicture {
    QImage image;
    QPoint hotSpot;  // pixels from the image's top-left corner
};

// Reads the first image of a cursor or icon file with its hot spot; nullopt when the file cannot
// be read or is no cursor or icon file.
std::optional<CursorPicture> ReadCursorFile(const QString& path);

// The pointer of a cursor or icon file; nullopt when it cannot be read.
std::optional<QCursor> LoadCursorFile(const QString& path);

// Writes `image` as a one-image cursor file (hot spot stored) or icon file (isCursor false; the
// hot spot is then the centre and `hotSpot` is ignored). Written whole or not at all.
bool WriteCursorFile(const QString& path, const QImage& image, QPoint hotSpot, bool isCursor);

}  // namespace platform
