#pragma once

#include <QDate>
#include <QFrame>
#include <QString>

class QCalendarWidget;

namespace platform {

// A date picker that lives as a raised child of its window: shown and hidden by its owner and
// placed in the window's own pixel units. A click on a day (or Enter on the selected day) picks
// it and raises datePicked with the date text; the owner decides whether to hide it.
class CalendarPopup : public QFrame {
    Q_OBJECT
public:
    // Date text of the picker and of every date it reports: "yyyy/MM/dd".
    static constexpr const char* kDateFormat = "yyyy/MM/dd";

    explicit CalendarPopup(QWidget* parent = nullptr);

    QDate date() const;
    void setDate(QDate date);
    QString dateText() const;
    QCalendarWidget* calendar() const { return calendar_; }

signals:
    void datePicked(const QString& dateText);

private:
    QCalendarWidget* calendar_;
};

}  // namespace platform
