// The almanac import window: it reads a YUMA text into a grid of its own and changes the
// almanac in use only by a save to the database path.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "common/TestUtils.h"
#include "orbit/Almanac4Frm.h"
#include "orbit/AlmanacTable.h"
#include "orbit/YumaAlmanac.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"

namespace {

const QString kRealAlmanac = QString::fromStdString(testutil::DataFile("almanac.yuma.week0149.405504.txt"));

// A published-style record of week 405 with the values of the window's worked examples.
std::string Record(int prn, bool withMeanAnomaly = true)
{
    std::string text = "******** Week 405 almanac for PRN-" + std::to_string(prn) + " ********\n" +
                       "ID:                         " + std::to_string(prn) + "\n" +
                       "Health:                     000\n"
                       "Eccentricity:               0.5693912506E-002\n"
                       "Time of Applicability(s):  61440.0000\n"
                       "Orbital Inclination(rad):   0.9599\n"
                       "Rate of Right Ascen(r/s):  -0.7886042771E-008\n"
                       "SQRT(A)  (m 1/2):           5153.691895\n"
                       "Right Ascen at Week(rad):  -0.1912602899E+001\n"
                       "Argument of Perigee(rad):   0.881498914\n";
    if (withMeanAnomaly) {
        text += "Mean Anom(rad):            -0.5\n";
    }
    return text + "Af0(s):                     0.4291534424E-003\n"
                  "Af1(s/s):                  -0.1091393642E-010\n"
                  "week:                        405\n\n";
}

class Almanac4FrmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath(QStringLiteral("data0"));
        databasePath = folder.filePath(QStringLiteral("data0/Almanac1.alx"));
        orbit::SetDefaultAlmanacData();
        platform::SetMessageAnswerer([this](const QString& text, platform::MessageButtons) {
            messages << text;
            return platform::MessageAnswer::Ok;
        });
        platform::SetFileDialogAnswerer([this](platform::FileDialogKind kind, const platform::FileDialogOptions&) {
            kinds.push_back(kind);
            return dialogPaths.isEmpty() ? QString() : dialogPaths.takeFirst();
        });
        window = new Almanac4Frm(folder.filePath(QStringLiteral("data0")), databasePath);
        window->onAlmanacSaved = [this] { ++savedCalls; };
        window->show();
    }

    void TearDown() override
    {
        delete window.data();
        platform::SetMessageAnswerer({});
        platform::SetFileDialogAnswerer({});
    }

    QString WriteText(const QString& name, const std::string& text)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    void OpenFile(const QString& path)
    {
        dialogPaths = {path};
        window->OpenFile1->trigger();
    }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = window->AlmanacGrid->item(row, column);
        return item != nullptr ? item->text() : QString();
    }

    QTemporaryDir folder;
    QString databasePath;
    QPointer<Almanac4Frm> window;
    QStringList messages;
    QStringList dialogPaths;
    std::vector<platform::FileDialogKind> kinds;
    int savedCalls = 0;
};

TEST_F(Almanac4FrmTest, GridOfHeadingsAndThirtyTwoSatelliteRows)
{
    QTableWidget* grid = window->AlmanacGrid;
    ASSERT_EQ(grid->rowCount(), 33);
    ASSERT_EQ(grid->columnCount(), 18);
    // Row 0 holds the headings of columns 0..11 until a file is read; columns 12..17 are empty.
    EXPECT_EQ(Cell(0, 0), QStringLiteral("PRN"));
    EXPECT_EQ(Cell(0, 11), QStringLiteral("Af1(s/s)"));
    EXPECT_EQ(Cell(0, 12), QString());
    // Rows 0 and 2..30 are 300 twips (20 pixels); rows 1, 31 and 32 keep the default height.
    const int standard = grid->verticalHeader()->defaultSectionSize();
    ASSERT_NE(standard, 20);
    for (int r = 0; r < 33; ++r) {
        EXPECT_EQ(grid->rowHeight(r), (r == 1 || r >= 31) ? standard : 20) << r;
    }
    // Columns 0 and 1 are 1000 twips, the others 2000.
    for (int c = 0; c < 18; ++c) {
        EXPECT_EQ(grid->columnWidth(c), c <= 1 ? 66 : 133) << c;
    }

    OpenFile(kRealAlmanac);
    EXPECT_EQ(Cell(0, 12), QStringLiteral("Radius(m)"));
    EXPECT_EQ(Cell(0, 16), QStringLiteral("Mean Anomaly(deg)"));
    EXPECT_EQ(Cell(0, 17), QString());
    EXPECT_EQ(Cell(1, 17), QString());
}

TEST_F(Almanac4FrmTest, DerivedColumnsInMetresAndDegrees)
{
    OpenFile(WriteText(QStringLiteral("two.alm"), Record(3) + Record(7)));
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(window->pAlmanacData, QStringLiteral("yuma405.TXT"));
    EXPECT_EQ(window->pWeekNumber, 405);
    EXPECT_EQ(window->pSateNum2, 3);
    EXPECT_EQ(Cell(2, 0), QStringLiteral("7"));
    EXPECT_EQ(Cell(2, 12), QStringLiteral("26560540.149"));  // 5153.691895^2
    EXPECT_EQ(Cell(2, 13), QStringLiteral("54.9982"));       // 0.9599 rad
    EXPECT_EQ(Cell(2, 16), QStringLiteral("-28.6479"));      // -0.5 rad
    EXPECT_EQ(Cell(0, 13), QStringLiteral("Inclination(deg)"));
}

TEST_F(Almanac4FrmTest, ValueColumnsShowTheFileTextAsWritten)
{
    OpenFile(kRealAlmanac);
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    // PRN-01 (row 1) and PRN-02 (row 2) of the file, column by column.
    const struct {
        int row;
        int column;
        const char* text;
    } cells[] = {
        {1, 0, "01"},
        {1, 1, "000"},
        {1, 2, "0.1139211655E-001"},
        {1, 3, "405504.0000"},
        {1, 6, "5153.623047"},
        {1, 7, "-0.1912602899E+001"},
        {1, 11, "-0.1091393642E-010"},
        {2, 8, "-1.441149484"},
        {2, 11, "0.0000000000E+000"},
    };
    for (const auto& c : cells) {
        EXPECT_EQ(Cell(c.row, c.column), QString::fromLatin1(c.text)) << c.row << "," << c.column;
    }
}

TEST_F(Almanac4FrmTest, SavedToTheDatabaseTheAlmanacInUseIsTheOneSaved)
{
    OpenFile(kRealAlmanac);
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Cell(31, 0), QStringLiteral("32"));
    EXPECT_EQ(Cell(32, 0), QString());
    // Reading alone leaves the almanac in use (the built-in one, 30 satellites) alone.
    EXPECT_EQ(gSateNum, 30);

    dialogPaths = {databasePath};
    QTest::mouseClick(window->SaveCmd, Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(savedCalls, 1);
    EXPECT_EQ(gSateNum, 31);
    EXPECT_EQ(gAlmanacName, "yuma149.TXT");
    EXPECT_FALSE(window->isVisible());

    // The database holds the values as the grid shows them: the angles rounded to 4 decimals,
    // the radius to 3, the rest as the reader gave them.
    const auto shown = [](double value, const char* format) {
        return platform::NumericValue(platform::FormatFixed(value, format));
    };
    QFile text(kRealAlmanac);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const orbit::Almanac expected = orbit::ToAlmanac(orbit::ReadYumaAlmanac(text.readAll().toStdString()));
    orbit::SetDefaultAlmanacData();
    ASSERT_TRUE(orbit::LoadAlmanacDataBase(databasePath.toStdString()));
    const orbit::Almanac loaded = orbit::CurrentAlmanac();
    EXPECT_EQ(gWeekNumber, 149 + 1024);
    ASSERT_EQ(loaded.records.size(), expected.records.size());
    for (std::size_t i = 0; i < expected.records.size(); ++i) {
        const orbit::AlmanacRecord& a = loaded.records[i];
        const orbit::AlmanacRecord& b = expected.records[i];
        EXPECT_EQ(a.prn, b.prn);
        EXPECT_EQ(a.health, b.health);
        EXPECT_EQ(a.toa, b.toa);
        EXPECT_EQ(a.inclination, shown(b.inclination, "###.0000")) << i;
        EXPECT_EQ(a.sqrtA, b.sqrtA) << i;
        EXPECT_EQ(a.rightAscen, shown(b.rightAscen, "###.0000")) << i;
        EXPECT_EQ(a.perigee, shown(b.perigee, "###.0000")) << i;
        EXPECT_EQ(a.meanAnomaly, shown(b.meanAnomaly, "###.0000")) << i;
        EXPECT_EQ(a.radius, shown(b.radius, "###########.000")) << i;
    }
}

TEST_F(Almanac4FrmTest, SavedElsewhereTheAlmanacInUseStaysAndTheUserIsTold)
{
    const std::string nameBefore = gAlmanacName;
    OpenFile(kRealAlmanac);
    const QString elsewhere = folder.filePath(QStringLiteral("copy.alm"));
    dialogPaths = {elsewhere};
    QTest::mouseClick(window->SaveCmd, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("変更されていません")));
    EXPECT_EQ(savedCalls, 0);
    EXPECT_EQ(gSateNum, 30);
    EXPECT_EQ(gAlmanacName, nameBefore);
    EXPECT_FALSE(QFile::exists(databasePath));
    EXPECT_TRUE(orbit::LoadAlmanacDataBase(elsewhere.toStdString()));
}

TEST_F(Almanac4FrmTest, BrokenFilesAndCancelLeaveTheAlmanacInUse)
{
    // Nothing read: the save dialog shows, then nothing is written and the window stays open.
    dialogPaths = {databasePath};
    QTest::mouseClick(window->SaveCmd, Qt::LeftButton);
    EXPECT_EQ(kinds, std::vector<platform::FileDialogKind>{platform::FileDialogKind::Save});
    EXPECT_FALSE(QFile::exists(databasePath));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(savedCalls, 0);

    OpenFile(kRealAlmanac);
    struct Case {
        const char* name;
        std::string text;
        const char* mentions;  // the message says why
    };
    std::string thirtyThree;
    for (int prn = 1; prn <= 33; ++prn) {
        thirtyThree += Record(prn);
    }
    std::string stars;
    while (stars.size() < 10'000'000) {
        stars += "******** Week 405 ********\r\n";
    }
    std::string records;
    for (int prn = 1; records.size() < 10'000'000; prn = prn % 32 + 1) {
        records += Record(prn);
    }
    const Case cases[] = {
        {"a record without its mean anomaly", Record(1) + Record(2, false), "Mean Anom"},
        {"no record at all", "just a title\n\n", "レコードがありません"},
        {"33 records", thirtyThree, "32"},
        {"ten megabytes of headers", stars, "ID がありません"},
        {"ten megabytes of records", records, "33 番目"},
        {"one line of ten million commas", Record(1) + std::string(10'000'000, ','), "長すぎます"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        OpenFile(WriteText(QStringLiteral("broken.txt"), c.text));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("データが壊れています。")));
        EXPECT_TRUE(messages[0].contains(QString::fromUtf8(c.mentions))) << messages[0].toStdString();
        // The window keeps the almanac it held.
        EXPECT_EQ(window->pSateNum2, 32);
        EXPECT_EQ(Cell(31, 0), QStringLiteral("32"));
        EXPECT_EQ(gSateNum, 30);
    }

    // A shorter file leaves no row of the longer one behind.
    OpenFile(WriteText(QStringLiteral("two.alm"), Record(3) + Record(7)));
    EXPECT_EQ(Cell(2, 0), QStringLiteral("7"));
    EXPECT_EQ(Cell(3, 0), QString());
    EXPECT_EQ(Cell(31, 12), QString());
    EXPECT_EQ(Cell(0, 0), QStringLiteral("PRN"));

    QTest::mouseClick(window->CancelCmd, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(gSateNum, 30);
    EXPECT_EQ(savedCalls, 0);
}

}  // namespace
