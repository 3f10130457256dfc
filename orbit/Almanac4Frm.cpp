#include "Almanac4Frm.h"

#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <cstdint>
#include <vector>

#include "orbit/AlmanacTable.h"
#include "platform/Constants.h"
#include "platform/FileDialogs.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "platform/OwnedWindow.h"

namespace {

using platform::kDegPerRad;
using platform::kTwipsPerPixel;

constexpr int kHeadedColumns = 17;  // column 17 stays empty
const char* const kHeadings[kHeadedColumns] = {
    "PRN", "Health", "Eccentricity", "Time of Appli(S)", "Orbital Incli(rad)", "Rate of Rgt Ascen(r/s)",
    "SQRT (A) (m^1/2)", "Rgt Asc. at TOA(rad)", "Agmnt of prg(rad)", "Mean Anom(rad)", "Af0(s)", "Af1(s/s)",
    "Radius(m)", "Inclination(deg)", "Rgt Asc. (TOA)(deg)", "Agmnt of Perg.(deg)", "Mean Anomaly(deg)",
};
constexpr int kFirstDerivedColumn = 12;
constexpr int kHeadingRow = 0;

// A cell of the grid, right-aligned; heading cells are not selectable and look like headings.
QTableWidgetItem* Cell(const QString& text, bool heading)
{
    auto* item = new QTableWidgetItem(text);
    if (heading) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(QPalette().button());
        item->setTextAlignment(Qt::AlignCenter);
    } else {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return item;
}

QString Text(const orbit::YumaRecord& record, int field) { return QString::fromStdString(record.texts[field]); }
QString Fixed(double value, const char* pattern) { return QString::fromStdString(platform::FormatFixed(value, pattern)); }

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return !ca.isEmpty() ? ca == cb : fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

Almanac4Frm::Almanac4Frm(QString dataFolder, QString databasePath, QWidget* owner)
    : QWidget(owner, platform::OwnedWindowFlags()), dataFolder_(std::move(dataFolder)), databasePath_(std::move(databasePath))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Almanac4Frm"));
    setWindowTitle(QStringLiteral("アルマナック"));
    setFont(platform::WindowFont(9));
    resize(1000, 760);

    MenuBar = new QMenuBar(this);
    OpenFile1 = MenuBar->addAction(QStringLiteral("開く(&O)"));
    OpenFile1->setObjectName(QStringLiteral("OpenFile1"));
    EndAlmanac = MenuBar->addAction(QStringLiteral("終了(&E)"));
    EndAlmanac->setObjectName(QStringLiteral("EndAlmanac"));

    AlmanacGrid = new QTableWidget(kRows, kColumns, this);
    AlmanacGrid->setObjectName(QStringLiteral("AlmanacGrid"));
    AlmanacGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AlmanacGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The headings are the grid's row 0, so Qt's own header bars are not shown.
    AlmanacGrid->horizontalHeader()->hide();
    AlmanacGrid->verticalHeader()->hide();
    for (int c = 0; c < kColumns; ++c) {
        AlmanacGrid->setColumnWidth(c, (c <= 1 ? 1000 : 2000) / kTwipsPerPixel);
    }
    // Rows 0 and 2..30 are 300 twips high; rows 1, 31 and 32 keep the grid's default height.
    for (int r = 0; r < kRows; ++r) {
        if (r == 0 || (r >= 2 && r <= 30)) {
            AlmanacGrid->setRowHeight(r, 300 / kTwipsPerPixel);
        }
    }
    // The derived columns get their headings once a file has been read.
    for (int c = 0; c < kFirstDerivedColumn; ++c) {
        AlmanacGrid->setItem(kHeadingRow, c, Cell(QString::fromLatin1(kHeadings[c]), true));
    }

    SaveCmd = new QPushButton(QStringLiteral("保存(&S)"), this);
    SaveCmd->setObjectName(QStringLiteral("SaveCmd"));
    CancelCmd = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&C)"), this);
    CancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    for (QPushButton* button : {SaveCmd, CancelCmd}) {
        button->setFixedSize(120, 30);
    }

    connect(OpenFile1, &QAction::triggered, this, &Almanac4Frm::OpenFile1_Click);
    connect(EndAlmanac, &QAction::triggered, this, &Almanac4Frm::EndAlmanac_Click);
    connect(SaveCmd, &QPushButton::clicked, this, &Almanac4Frm::SaveCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &Almanac4Frm::CancelCmd_Click);
    PlaceGrid();
}

void Almanac4Frm::PlaceGrid()
{
    // The grid sits 200 twips from the left and 100 below the menu, 400 twips narrower than the
    // window; the buttons sit under it at the right.
    const int menuHeight = MenuBar->sizeHint().height();
    MenuBar->setGeometry(0, 0, width(), menuHeight);
    const int left = 200 / kTwipsPerPixel;
    const int top = menuHeight + 100 / kTwipsPerPixel;
    const int buttonsTop = height() - 44;
    AlmanacGrid->setGeometry(left, top, std::max(100, width() - 400 / kTwipsPerPixel), std::max(60, buttonsTop - top - 8));
    CancelCmd->move(width() - left - CancelCmd->width(), buttonsTop);
    SaveCmd->move(CancelCmd->x() - 12 - SaveCmd->width(), buttonsTop);
}

void Almanac4Frm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceGrid();
}

void Almanac4Frm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    PlaceGrid();
}

void Almanac4Frm::OpenFile1_Click()
{
    platform::FileDialogOptions options;
    options.filters = {QStringLiteral("すべてのファイル (*.*)"), QStringLiteral("alm ファイル (*.alm)"),
                       QStringLiteral("txt ファイル (*.txt)")};
    options.selectedFilter = 1;
    options.folder = dataFolder_;
    const QString path = platform::AskFileName(this, platform::FileDialogKind::Open, options);
    if (path.isEmpty()) {
        return;
    }
    ReadYumaAlmanacFile(path);
}

bool Almanac4Frm::ReadYumaAlmanacFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::ShowMessage(this, QStringLiteral("ファイルを開けません。\n%1\n%2").arg(path, file.errorString()));
        return false;
    }
    // Read in chunks: a wrong file of any size is refused as soon as that is known, and no
    // more of it is read.
    orbit::YumaAlmanacStream stream;
    std::vector<char> chunk(64 * 1024);
    qint64 got = 0;
    while ((got = file.read(chunk.data(), static_cast<qint64>(chunk.size()))) > 0 &&
           stream.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) {
    }
    if (got < 0) {
        platform::ShowMessage(this, QStringLiteral("ファイルを読めません。\n%1\n%2").arg(path, file.errorString()));
        return false;
    }
    const orbit::YumaReadResult read = stream.finish();
    if (!read.ok()) {
        platform::ShowMessage(this, QStringLiteral("データが壊れています。\n%1\n%2")
                                        .arg(path, QString::fromStdString(read.error)));
        return false;
    }
    pSourceFileName = path;
    pWeekNumber = read.week;
    pAlmanacData = QStringLiteral("yuma%1.TXT").arg(read.week);
    pSateNum2 = static_cast<int>(read.records.size()) + 1;
    FillGrid(read);
    almanac_ = AlmanacOfGrid(read.week, static_cast<int>(read.records.size()));
    return true;
}

void Almanac4Frm::FillGrid(const orbit::YumaReadResult& read)
{
    // Rows of an earlier, longer file must not linger under the new one.
    for (int r = kHeadingRow + 1; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            delete AlmanacGrid->takeItem(r, c);
        }
    }
    for (int c = kFirstDerivedColumn; c < kHeadedColumns; ++c) {
        AlmanacGrid->setItem(kHeadingRow, c, Cell(QString::fromLatin1(kHeadings[c]), true));
    }
    const int rows = std::min<int>(static_cast<int>(read.records.size()), kMaxSatellites);
    for (int r = 0; r < rows; ++r) {
        const orbit::YumaRecord& y = read.records[r];
        // The twelve values as the file writes them; the derived columns from their numbers.
        const QString cells[kHeadedColumns] = {
            Text(y, 0), Text(y, 1), Text(y, 2), Text(y, 3), Text(y, 4), Text(y, 5),
            Text(y, 6), Text(y, 7), Text(y, 8), Text(y, 9), Text(y, 10), Text(y, 11),
            Fixed(y.sqrtA * y.sqrtA, "###########.000"), Fixed(y.inclination * kDegPerRad, "###.0000"),
            Fixed(y.rightAscen * kDegPerRad, "###.0000"), Fixed(y.perigee * kDegPerRad, "###.0000"),
            Fixed(y.meanAnomaly * kDegPerRad, "###.0000"),
        };
        for (int c = 0; c < kHeadedColumns; ++c) {
            AlmanacGrid->setItem(r + 1, c, Cell(cells[c], false));
        }
    }
    // Values as the file writes them ("-0.1912602899E+000") are wider than the columns' first
    // widths in this font: widen a column to its content, never narrow it.
    for (int c = 0; c < kColumns; ++c) {
        const int designed = AlmanacGrid->columnWidth(c);
        AlmanacGrid->resizeColumnToContents(c);
        AlmanacGrid->setColumnWidth(c, std::max(designed, AlmanacGrid->columnWidth(c)));
    }
}

orbit::Almanac Almanac4Frm::AlmanacOfGrid(int week, int rows) const
{
    // What the database stores is what the grid shows: PRN, health and time of applicability
    // from the value columns, the angles and the radius as rounded by their display formats.
    const auto number = [this](int row, int column) {
        const QTableWidgetItem* item = AlmanacGrid->item(row, column);
        return item != nullptr ? platform::NumericValue(item->text().toStdString()) : 0.0;
    };
    orbit::Almanac almanac;
    almanac.storedWeek = week;
    for (int r = 1; r <= std::min(rows, kMaxSatellites); ++r) {
        orbit::AlmanacRecord record;
        record.prn = static_cast<std::int16_t>(number(r, 0));
        record.health = static_cast<std::int16_t>(number(r, 1));
        record.toa = static_cast<std::int32_t>(std::lround(number(r, 3)));
        record.inclination = number(r, 13);
        record.sqrtA = number(r, 6);
        record.rightAscen = number(r, 14);
        record.perigee = number(r, 15);
        record.meanAnomaly = number(r, 16);
        record.radius = number(r, 12);
        almanac.records.push_back(record);
    }
    return almanac;
}

void Almanac4Frm::SaveCmd_Click()
{
    platform::FileDialogOptions options;
    options.filters = {QStringLiteral("alm ファイル (*.alm)"), QStringLiteral("dat ファイル (*.DAT)"),
                       QStringLiteral("全ての ファイル (*.*)")};
    // All files shown rather than the open dialog's filter position (which would be the dat
    // files here), so that the database the name proposes, Almanac1.alx, can be seen and replaced.
    options.selectedFilter = 2;
    options.fileName = QFileInfo(databasePath_).fileName();
    options.folder = dataFolder_;
    const QString path = platform::AskFileName(this, platform::FileDialogKind::Save, options);
    if (path.isEmpty() || !almanac_) {
        return;  // cancelled, or nothing read yet: the window stays open
    }
    if (!orbit::SaveAlmanacDataBase(path.toStdString(), almanac_->storedWeek, almanac_->records)) {
        platform::ShowMessage(this, QStringLiteral("アルマナックを保存できませんでした。\n%1").arg(path));
        return;
    }
    if (!SameFile(path, databasePath_)) {
        platform::ShowMessage(this, QStringLiteral("アルマナックを保存しました。\n%1\n"
                                                   "使用中のアルマナック（%2）は変更されていません。")
                                        .arg(path, databasePath_));
        close();
        return;
    }
    if (!orbit::LoadAlmanacDataBase(databasePath_.toStdString())) {
        // Cannot happen for a file just written whole; said rather than hidden all the same.
        platform::ShowMessage(this, QStringLiteral("保存したアルマナックを読み込めませんでした。\n%1").arg(path));
        return;
    }
    gAlmanacName = pAlmanacData.toStdString();
    if (onAlmanacSaved) {
        onAlmanacSaved();
    }
    close();
}

void Almanac4Frm::CancelCmd_Click() { close(); }

void Almanac4Frm::EndAlmanac_Click() { close(); }
