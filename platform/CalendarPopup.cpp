#include "CalendarPopup.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

namespace platform {

CalendarPopup::CalendarPopup(QWidget* parent) : QFrame(parent), calendar_(new QCalendarWidget(this))
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(calendar_);
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setSelectedDate(QDate::currentDate());
    const auto pick = [this](QDate day) { emit datePicked(day.toString(QLatin1String(kDateFormat))); };
    connect(calendar_, &QCalendarWidget::clicked, this, pick);
    connect(calendar_, &QCalendarWidget::activated, this, pick);
    resize(sizeHint());
}

QDate CalendarPopup::date() const { return calendar_->selectedDate(); }

void CalendarPopup::setDate(QDate date) { calendar_->setSelectedDate(date); }

QString CalendarPopup::dateText() const { return date().toString(QLatin1String(kDateFormat)); }

}  // namespace platform
