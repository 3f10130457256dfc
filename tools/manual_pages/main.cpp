// Renders the pages of the two picture manuals as JPEG files: assets/Pic00 (main window) and
// assets/Pic01 (building input), with the file names, captions and page heights the viewers use.
// A page is as wide as the viewer shows it (850 units) and 1.2 x its page height tall, at the
// viewer's pixels per unit, so it is shown 1:1.
//
// Run by hand when the pages should change, and commit the pictures:
//   cmake --build build --target make_manual_pages
//   QT_QPA_PLATFORM=offscreen build/tools/make_manual_pages [assets folder]
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTextStream>

#include "PageText.h"
#include "app/ManualFrm.h"
#include "platform/Fonts.h"

namespace {

constexpr int kJpegQuality = 80;
constexpr double kMargin = 28.0;
constexpr double kBodyPoints = 11.5;

const QColor kInk(32, 32, 32);
const QColor kBand(28, 62, 120);
const QColor kAccent(192, 64, 0);
const QColor kButtonFace(232, 232, 232);
const QColor kNoteFace(255, 248, 220);

// The caption as a title: the padding runs of blanks that place line breaks in the item list
// are dropped.
QString Title(const QString& caption)
{
    QString title = caption;
    title.remove(QChar(0x3000));
    return title.simplified().remove(QLatin1Char(' ')).replace(QStringLiteral("GoogleEarth"), QStringLiteral("Google Earth"));
}

class PagePainter {
public:
    PagePainter(QImage& page, const QString& manualName) : page_(page), p_(&page)
    {
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::TextAntialiasing);
        page_.fill(Qt::white);
        manualName_ = manualName;
    }

    void header(const QString& title, int number, int count)
    {
        p_.fillRect(QRectF(0, 0, page_.width(), 64), kBand);
        p_.setPen(Qt::white);
        p_.setFont(platform::WindowFont(8));
        p_.drawText(QRectF(kMargin, 8, width(), 18), Qt::AlignLeft | Qt::AlignVCenter, manualName_);
        p_.drawText(QRectF(kMargin, 8, width(), 18), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("%1 / %2").arg(number).arg(count));
        QFont titleFont = platform::WindowFont(15);
        titleFont.setBold(true);
        p_.setFont(titleFont);
        p_.drawText(QRectF(kMargin, 26, width(), 32), Qt::AlignLeft | Qt::AlignVCenter, title);
        y_ = 84;
    }

    void block(const PageBlock& b)
    {
        switch (b.kind) {
        case PageBlock::Kind::Heading: heading(b.text); break;
        case PageBlock::Kind::Text: paragraph(b.text, kMargin, width()); break;
        case PageBlock::Kind::Steps: steps(b.items); break;
        case PageBlock::Kind::Buttons: buttons(b.items); break;
        case PageBlock::Kind::Note: note(b.text); break;
        case PageBlock::Kind::JapanMap: japanMap(); break;
        }
    }

    void footer()
    {
        p_.setPen(QColor(150, 150, 150));
        p_.drawLine(QPointF(kMargin, page_.height() - 30), QPointF(page_.width() - kMargin, page_.height() - 30));
        p_.setFont(platform::WindowFont(8));
        p_.drawText(QRectF(kMargin, page_.height() - 26, width(), 18), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("GPS衛星軌道予測  操作マニュアル"));
    }

    bool overflowed() const { return y_ > page_.height() - 36; }

private:
    double width() const { return page_.width() - 2 * kMargin; }

    double paragraph(const QString& text, double left, double w, const QColor& colour = kInk)
    {
        // Access-key marks of captions ("OK(&Y)") are shown as the window shows them, without "&".
        QString shown = text;
        shown.remove(QLatin1Char('&'));
        p_.setFont(platform::WindowFont(kBodyPoints));
        p_.setPen(colour);
        QRectF used;
        p_.drawText(QRectF(left, y_, w, 1000), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, shown, &used);
        y_ += used.height() + 14;
        return used.height();
    }

    void heading(const QString& text)
    {
        y_ += 4;
        QFont font = platform::WindowFont(12);
        font.setBold(true);
        p_.setFont(font);
        p_.setPen(kBand);
        p_.drawText(QRectF(kMargin, y_, width(), 22), Qt::AlignLeft | Qt::AlignVCenter, text);
        p_.fillRect(QRectF(kMargin, y_ + 24, width(), 2), kBand);
        y_ += 34;
    }

    void steps(const QStringList& items)
    {
        for (int i = 0; i < items.size(); ++i) {
            const double top = y_;
            p_.setBrush(kAccent);
            p_.setPen(Qt::NoPen);
            p_.drawEllipse(QRectF(kMargin, top + 2, 22, 22));
            QFont font = platform::WindowFont(9);
            font.setBold(true);
            p_.setFont(font);
            p_.setPen(Qt::white);
            p_.drawText(QRectF(kMargin, top + 2, 22, 22), Qt::AlignCenter, QString::number(i + 1));
            y_ = top;
            paragraph(items[i], kMargin + 32, width() - 32);
        }
        y_ += 8;
    }

    void buttons(const QStringList& captions)
    {
        p_.setFont(platform::WindowFont(10.5));
        const QFontMetricsF metrics(p_.font());
        double x = kMargin;
        for (const QString& caption : captions) {
            QString shown = caption;
            shown.remove(QStringLiteral("&"));
            const double w = metrics.horizontalAdvance(shown) + 24;
            if (x + w > kMargin + width()) {
                x = kMargin;
                y_ += 36;
            }
            const QRectF box(x, y_, w, 30);
            p_.setPen(QColor(120, 120, 120));
            p_.setBrush(kButtonFace);
            p_.drawRoundedRect(box, 4, 4);
            p_.setPen(kInk);
            p_.drawText(box, Qt::AlignCenter, shown);
            x += w + 10;
        }
        y_ += 46;
    }

    void note(const QString& text)
    {
        p_.setFont(platform::WindowFont(kBodyPoints));
        const QRectF measure = p_.boundingRect(QRectF(0, 0, width() - 44, 1000), Qt::TextWordWrap, text);
        const QRectF frame(kMargin, y_, width(), measure.height() + 20);
        p_.setPen(QColor(210, 180, 90));
        p_.setBrush(kNoteFace);
        p_.drawRect(frame);
        p_.setPen(kAccent);
        QFont mark = platform::WindowFont(kBodyPoints);
        mark.setBold(true);
        p_.setFont(mark);
        p_.drawText(QRectF(kMargin + 8, y_ + 10, 24, 20), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("！"));
        y_ += 10;
        paragraph(text, kMargin + 34, width() - 44);
        y_ = frame.bottom() + 16;
    }

    // The picker's map, drawn from the same artwork, with the crosshair the picker draws.
    void japanMap()
    {
        const QImage map(QStringLiteral(":/map/JapanMap.png"));
        const double w = 312;
        const double h = 323;
        const QRectF frame((page_.width() - w) / 2, y_, w, h);
        p_.drawImage(frame, map.scaled(QSize(312, 323), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        const double x = frame.left() + (139.8 - 122.0) / 26.0 * w;
        const double y = frame.top() + (46.0 - 35.5) / 22.0 * h;
        p_.setPen(QPen(QColor(200, 0, 0), 2));
        p_.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
        p_.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
        p_.setPen(QColor(120, 120, 120));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(frame);
        y_ += h + 8;
        p_.setFont(platform::WindowFont(9));
        p_.setPen(kInk);
        p_.drawText(QRectF(kMargin, y_, width(), 18), Qt::AlignHCenter,
                    QStringLiteral("東京湾を選んだところ（緯度 35.5、経度 139.8）"));
        y_ += 30;
    }

    QImage& page_;
    QPainter p_;
    QString manualName_;
    double y_ = 0;
};

bool WriteManual(const QString& assets, const ManualBook& book, const QVector<PageText>& text, const QString& name)
{
    if (text.size() != book.pages.size()) {
        QTextStream(stderr) << "page text and items differ for " << book.folder << "\n";
        return false;
    }
    QDir().mkpath(assets + QLatin1Char('/') + book.folder);
    for (int k = 0; k < book.pages.size(); ++k) {
        const ManualPage& item = book.pages[k];
        const QSize size = ManualFrm::PagePixelSize(item.pageHeight);
        QImage page(size, QImage::Format_RGB32);
        {
            PagePainter painter(page, name);
            painter.header(Title(item.caption), k + 1, static_cast<int>(book.pages.size()));
            for (const PageBlock& block : text[k]) painter.block(block);
            if (painter.overflowed()) {
                QTextStream(stderr) << "page too long: " << item.fileName << "\n";
                return false;
            }
            painter.footer();
        }
        const QString path = assets + QLatin1Char('/') + book.folder + QLatin1Char('/') + item.fileName;
        QImageWriter writer(path, "jpeg");
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
        if (!writer.write(page)) {
            QTextStream(stderr) << "cannot write " << path << ": " << writer.errorString() << "\n";
            return false;
        }
        QTextStream(stdout) << path << " " << size.width() << "x" << size.height() << "\n";
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QString assets = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(GPSPLAN_ASSETS_DIR);
    const bool ok = WriteManual(assets, MainManualBook(), MainManualText(), QStringLiteral("メイン画面の操作マニュアル")) &&
                    WriteManual(assets, BuildingInputManualBook(), BuildingInputManualText(),
                                QStringLiteral("３D画像取り扱いの操作マニュアル"));
    return ok ? 0 : 1;
}
