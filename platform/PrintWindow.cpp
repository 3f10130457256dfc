#include "PrintWindow.h"

#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace platform {

namespace {
PrinterChooser& Chooser()
{
    static PrinterChooser chooser;
    return chooser;
}
}  // namespace

void SetPrinterChooser(PrinterChooser chooser) { Chooser() = std::move(chooser); }

bool PrintWindowImage(QWidget& window, QPrinter& printer)
{
    const QPixmap image = window.grab();
    QPainter painter;
    if (image.isNull() || !painter.begin(&printer)) {
        return false;
    }
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QSizeF size = QSizeF(image.size()).scaled(page.size(), Qt::KeepAspectRatio);
    // pageRect is measured from the paper's corner, the painter from the printable area's.
    const QRectF target(QPointF((page.width() - size.width()) / 2.0, 0.0), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image, QRectF(image.rect()));
    return painter.end();
}

PrintResult PrintWindowWithDialog(QWidget& window)
{
    QPrinter printer(QPrinter::HighResolution);
    if (Chooser()) {
        if (!Chooser()(printer)) {
            return PrintResult::Cancelled;
        }
    } else {
        QPrintDialog dialog(&printer, &window);
        dialog.setWindowTitle(QStringLiteral("印刷"));
        if (dialog.exec() != QDialog::Accepted) {
            return PrintResult::Cancelled;
        }
    }
    return PrintWindowImage(window, printer) ? PrintResult::Printed : PrintResult::Failed;
}

}  // namespace platform
