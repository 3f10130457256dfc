#pragma once
// Printing a window as it shows on the screen: its image, scaled to fit the printable page with
// its proportions kept, centred at the top of one page.

#include <functional>

class QPrinter;
class QWidget;

namespace platform {

enum class PrintResult { Printed, Cancelled, Failed };

// Paints the window's current image onto `printer` (already set up). False when the printer
// could not start a page (no such printer, an output file that cannot be written).
bool PrintWindowImage(QWidget& window, QPrinter& printer);

// Shows the print dialog; on OK prints the window to the chosen printer.
PrintResult PrintWindowWithDialog(QWidget& window);

// Tests replace the print dialog with a chooser that sets the printer up (e.g. to a PDF file)
// and returns false for cancel; an empty function restores the real dialog.
using PrinterChooser = std::function<bool(QPrinter& printer)>;
void SetPrinterChooser(PrinterChooser chooser);

}  // namespace platform
