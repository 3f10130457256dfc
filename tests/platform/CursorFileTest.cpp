#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/CursorFile.h"

TEST(CursorFile, CursorKeepsItsHotSpotAndAnIconTakesItsCentre)
{
    QTemporaryDir dir;
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(3, 5, Qt::red);
    struct Case {
        const char* name;
        bool isCursor;
        QPoint hotSpot;
    };
    for (const Case& c : {Case{"a.CUR", true, {3, 5}}, Case{"b.ICO", false, {16, 16}}}) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(platform::WriteCursorFile(path, image, {3, 5}, c.isCursor));
        const auto picture = platform::ReadCursorFile(path);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->hotSpot, c.hotSpot);
        EXPECT_EQ(picture->image.pixelColor(3, 5), QColor(Qt::red));
        EXPECT_EQ(picture->image.pixelColor(4, 5).alpha(), 0);
        const auto cursor = platform::LoadCursorFile(path);
        ASSERT_TRUE(cursor.has_value());
        EXPECT_EQ(cursor->hotSpot(), c.hotSpot);
    }
}

TEST(CursorFile, MissingTruncatedOrForeignFilesGiveNoPointer)
{
    QTemporaryDir dir;
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::black);
    const QString good = dir.filePath(QStringLiteral("good.CUR"));
    ASSERT_TRUE(platform::WriteCursorFile(good, image, {1, 1}, true));
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    struct Case {
        const char* name;
        QByteArray content;
    };
    const Case cases[] = {
        {"truncated image", bytes.left(bytes.size() - 10)},
        {"header only", bytes.left(10)},
        {"a PNG, not a cursor", bytes.mid(22)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("bad.CUR"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(c.content);
        out.close();
        EXPECT_FALSE(platform::LoadCursorFile(path).has_value());
    }
    EXPECT_FALSE(platform::LoadCursorFile(dir.filePath(QStringLiteral("none.ICO"))).has_value());
}
