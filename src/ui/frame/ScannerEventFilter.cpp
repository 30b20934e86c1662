#include "frame/ScannerEventFilter.h"

#include "acquire/Acquisition.h"

#include <QCoreApplication>

namespace gp::ui {

ScannerEventFilter::ScannerEventFilter(Acquisition& acquisition)
    : m_acquisition(&acquisition)
{
    QCoreApplication::instance()->installEventFilter(this);
}

ScannerEventFilter::~ScannerEventFilter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool ScannerEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (m_busy || !m_acquisition->managerOpen() || !m_acquisition->sourceOpen())
        return QObject::eventFilter(watched, event);
    m_busy = true;
    const bool consumed = m_acquisition->filterEvent(event);
    m_busy = false;
    return consumed;
}

} // namespace gp::ui
