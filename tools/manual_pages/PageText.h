#pragma once
// The text of the manual pages: one page per manual item, in item order.

#include <QString>
#include <QStringList>
#include <QVector>

// A block of a page, drawn from top to bottom.
struct PageBlock {
    enum class Kind {
        Heading,  // a small heading
        Text,     // a paragraph
        Steps,    // numbered steps, one per item
        Buttons,  // the program's buttons or menu items as captioned boxes, one per item
        Note,     // a framed hint
        JapanMap  // the position picker's map with a crosshair at 139.8 E, 35.5 N
    };
    Kind kind;
    QString text;
    QStringList items;
};

using PageText = QVector<PageBlock>;

// Pages of the main window's manual (14) and of the building input's manual (9).
QVector<PageText> MainManualText();
QVector<PageText> BuildingInputManualText();
