#include "dialogs/EditCalendarDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/FontChoiceDialog.h"
#include "layout/Calendar.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::ui {

EditCalendarDialog::EditCalendarDialog(QWidget* parent, MattePage& page)
    : QDialog(parent)
    , m_page(&page)
    , m_font(page.lower)
    , m_month(new QComboBox(this))
    , m_year(new QComboBox(this))
    , m_fontButton(new QPushButton(tableText(StringId::FontButton), this))
{
    setWindowTitle(tableText(StringId::EditCalendarTitle));
    for (int month = 0; month < 12; ++month)
        m_month->addItem(tableText(StringId(int(StringId::MonthJanuary) + month)));
    for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year)
        m_year->addItem(QString::number(year));
    m_month->setCurrentIndex(std::clamp(page.month, 0, 11));
    m_year->setCurrentIndex(std::clamp(page.year, kFirstCalendarYear, kLastCalendarYear) - kFirstCalendarYear);

    auto* form = new QFormLayout;
    form->addRow(tableText(StringId::CalendarMonthLabel), m_month);
    form->addRow(tableText(StringId::CalendarYearLabel), m_year);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_fontButton, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditCalendarDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fontButton, &QPushButton::clicked, this, [this] {
        FontChoiceDialog dialog(this, m_font);
        if (dialog.exec() == QDialog::Accepted)
            dialog.applyTo(m_font);
    });
}

void EditCalendarDialog::accept()
{
    m_page->month = std::max(m_month->currentIndex(), 0);
    m_page->year = kFirstCalendarYear + std::max(m_year->currentIndex(), 0);
    m_page->lower.font = m_font.font;
    m_page->lower.sizeTenths = m_font.sizeTenths;
    m_page->lower.color = m_font.color;
    QDialog::accept();
}

} // namespace gp::ui
