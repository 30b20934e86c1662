#include "dialogs/PreviewDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/PreviewPane.h"
#include "skin/SkinDensity.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace gp::ui {

PreviewDialog::PreviewDialog(QWidget* parent, const QString& title, const Image& source, const Allocator& allocator,
    EditDialogPort::PreviewCompute compute)
    : QDialog(parent)
    , m_compute(std::move(compute))
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* previews = new QGridLayout;
    m_before = new PreviewPane(this);
    m_before->setObjectName("before");
    m_after = new PreviewPane(this);
    m_after->setObjectName("after");
    previews->addWidget(new QLabel(tableText(StringId::DialogBefore), this), 0, 0);
    previews->addWidget(new QLabel(tableText(StringId::DialogAfter), this), 0, 1);
    previews->addWidget(m_before, 1, 0);
    previews->addWidget(m_after, 1, 1);
    layout->addLayout(previews);
    m_panMode = new QCheckBox(tableText(StringId::DialogPanMode), this);
    m_panMode->setObjectName("panMode");
    layout->addWidget(m_panMode);
    m_controls = new QVBoxLayout;
    layout->addLayout(m_controls);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_panMode, &QCheckBox::toggled, this, &PreviewDialog::setPanMode);
    connect(m_before, &PreviewPane::dragged, this, [this](int dx, int dy) {
        if (m_session.drag(dx, dy))
            showSession();
    });
    // Without memory for the sample both windows stay empty; the values still apply on OK.
    // On a dense screen the samples have the screen's pixels, so the previews are as sharp as it.
    m_session.open(source, { PreviewPane::kSide, PreviewPane::kSide }, allocator, pictureDensity(devicePixelRatioF()));
    showSession();
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &PreviewDialog::tick);
    m_timer.start();
}

PreviewDialog::~PreviewDialog()
{
    m_timer.stop();
    m_session.close();
}

void PreviewDialog::done(int result)
{
    m_timer.stop();
    m_session.close();
    QDialog::done(result);
}

void PreviewDialog::tick()
{
    if (m_session.tick(m_compute))
        m_after->showImage(m_session.after(), m_session.density());
}

void PreviewDialog::setPanMode(bool on)
{
    // Both windows go light gray while the sample is rebuilt.
    m_before->showImage(nullptr);
    m_after->showImage(nullptr);
    m_before->setPannable(on);
    m_session.setPanMode(on);
    showSession();
}

void PreviewDialog::showSession()
{
    m_before->showImage(m_session.before(), m_session.density());
    m_after->showImage(m_session.after(), m_session.density());
}

} // namespace gp::ui
