#include "SourceDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gp::twain {

namespace {

QEvent::Type wakeType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

} // namespace

void wakeProgram()
{
    if (QCoreApplication::instance())
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(wakeType()));
}

bool isWakeEvent(const void* event)
{
    return event && static_cast<const QEvent*>(event)->type() == wakeType();
}

QWidget* trustedParent(void* handle)
{
    if (!handle)
        return nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget == handle)
            return widget;
    return nullptr;
}

SourceDialog::SourceDialog(SaneDevice& device, QWidget* parent)
    : QDialog(trustedParent(parent))
    , m_device(device)
{
    setWindowTitle(QString::fromStdString(device.name()));
    setObjectName("sourceDialog");

    m_mode = new QComboBox(this);
    m_mode->setObjectName("mode");
    for (const std::string& mode : device.modes())
        m_mode->addItem(QString::fromStdString(mode));
    m_mode->setCurrentText(QString::fromStdString(device.mode()));
    m_mode->setEnabled(m_mode->count() > 0);

    m_resolution = new QDoubleSpinBox(this);
    m_resolution->setObjectName("resolution");
    const auto [low, high] = device.resolutionRange();
    m_resolution->setRange(low, high);
    m_resolution->setDecimals(0);
    m_resolution->setSuffix(" dpi");
    m_resolution->setValue(device.resolution());

    const auto limits = device.maximumArea();
    const auto current = device.area();
    const char* names[4] = { "left", "top", "right", "bottom" };
    const double now[4] = { current ? current->left : 0, current ? current->top : 0, current ? current->right : 0,
        current ? current->bottom : 0 };
    auto* areaRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_area[i] = new QDoubleSpinBox(this);
        m_area[i]->setObjectName(names[i]);
        m_area[i]->setDecimals(1);
        m_area[i]->setSuffix(" mm");
        if (limits)
            m_area[i]->setRange(i % 2 == 0 ? limits->left : limits->top, i % 2 == 0 ? limits->right : limits->bottom);
        m_area[i]->setValue(now[i]);
        m_area[i]->setEnabled(limits && current);
        areaRow->addWidget(m_area[i]);
    }

    auto* form = new QFormLayout;
    form->addRow(tr("Mode:"), m_mode);
    form->addRow(tr("Resolution:"), m_resolution);
    form->addRow(tr("Area (left, top, right, bottom):"), areaRow);

    m_status = new QLabel(this);
    m_status->setObjectName("status");
    m_status->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_scan = buttons->addButton(tr("Scan"), QDialogButtonBox::AcceptRole);
    m_scan->setObjectName("scan");
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName("close");
    connect(m_scan, &QPushButton::clicked, this, [this] {
        applySettings();
        m_status->clear();
        if (onScan)
            onScan();
    });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
}

void SourceDialog::applySettings()
{
    if (m_mode->isEnabled())
        m_device.setMode(m_mode->currentText().toStdString());
    m_device.setResolution(m_resolution->value());
    if (m_area[0]->isEnabled())
        m_device.setArea(ScanArea { m_area[0]->value(), m_area[1]->value(), m_area[2]->value(), m_area[3]->value() });
}

void SourceDialog::setBusy(bool busy)
{
    m_scan->setEnabled(!busy);
}

void SourceDialog::showError(const std::string& message)
{
    m_status->setText(QString::fromStdString(message));
}

void SourceDialog::reject()
{
    // The program closes the source, and with it this dialog.
    if (onClose)
        onClose();
}

void SourceDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    reject();
}

} // namespace gp::twain
