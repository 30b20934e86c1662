#include "dialogs/PrintDialog.h"

#include "print/PrintDialogModel.h"
#include "shell/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gp::ui {

namespace {

constexpr int kFrameThickness = 2;

QString qtext(StringId id)
{
    return QString::fromUtf8(text(id).data(), qsizetype(text(id).size()));
}

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent, PrintDialogModel& model, const QImage& photo, const QString& printerName,
    const QString& documentTitle, const QString& decimalSeparator)
    : QDialog(parent)
    , m_model(&model)
    , m_decimal(decimalSeparator)
    , m_description(new QLineEdit(this))
    , m_copies(new QLineEdit(QStringLiteral("1"), this))
    , m_centerX(new QCheckBox(qtext(StringId::PrintHoriCentered), this))
    , m_centerY(new QCheckBox(qtext(StringId::PrintVertCentered), this))
    , m_resolution(new QLabel(this))
    , m_bar(new QScrollBar(Qt::Horizontal, this))
    , m_size(new QLabel(this))
    , m_preview(new PrintPreview(this, model, photo))
{
    setWindowTitle(qtext(StringId::PrintDialogTitle));
    m_description->setMaxLength(int(kMaxDescriptionLength));
    m_centerX->setChecked(model.centerX());
    m_centerY->setChecked(model.centerY());
    // The bar runs from the smallest position at which the photo still fits up to 1000 dpi.
    m_bar->setRange(model.minimumPosition(), 100);
    m_bar->setSingleStep(1);
    m_bar->setPageStep(5);
    m_bar->setValue(model.position());
    m_preview->setMinimumSize(220, 220);

    auto* form = new QFormLayout;
    form->addRow(qtext(StringId::PrintPrinterLabel), new QLabel(printerName, this));
    form->addRow(qtext(StringId::PrintFileLabel), new QLabel(documentTitle, this));
    form->addRow(qtext(StringId::PrintDescriptionLabel), m_description);
    form->addRow(qtext(StringId::PrintCopiesLabel), m_copies);
    form->addRow(qtext(StringId::PrintResolutionLabel), m_resolution);
    form->addRow(m_bar);
    form->addRow(m_size);
    form->addRow(m_centerX, m_centerY);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_preview, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &PrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_bar, &QScrollBar::valueChanged, this, [this](int value) {
        m_model->scroll(ScrollAction::Thumb, value);
        showValues();
    });
    connect(m_centerX, &QCheckBox::toggled, this, [this](bool on) {
        m_model->setCenterX(on);
        m_preview->update();
    });
    connect(m_centerY, &QCheckBox::toggled, this, [this](bool on) {
        m_model->setCenterY(on);
        m_preview->update();
    });
    connect(m_preview, &PrintPreview::dragged, this, [this] {
        const QSignalBlocker blockX(m_centerX), blockY(m_centerY);
        m_centerX->setChecked(m_model->centerX());
        m_centerY->setChecked(m_model->centerY());
    });
    showValues();
}

void PrintDialog::showValues()
{
    m_resolution->setText(QString::number(m_model->resolution()));
    m_size->setText(QString::fromStdString(m_model->sizeText(m_decimal.toStdString())));
    m_preview->update();
}

void PrintDialog::accept()
{
    m_model->setCopiesText(m_copies->text().toStdString());
    m_model->description = m_description->text().left(int(kMaxDescriptionLength)).toStdString();
    QDialog::accept();
}

PrintPreview::PrintPreview(QWidget* parent, PrintDialogModel& model, const QImage& photo)
    : QWidget(parent)
    , m_model(&model)
    , m_photo(photo)
{
}

QRect PrintPreview::frame() const
{
    return qrect(m_model->previewFrame({ 0, 0, width(), height() }, kFrameThickness));
}

void PrintPreview::resizeEvent(QResizeEvent*)
{
    const QRect f = frame();
    m_model->setPreviewSize({ f.width(), f.height() });
}

void PrintPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect f = frame();
    p.fillRect(f, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(f.adjusted(-1, -1, 0, 0));
    const QRect box = qrect(m_model->photoBox()).translated(f.topLeft());
    p.setClipRect(f);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(box, m_photo);
}

void PrintPreview::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint() - frame().topLeft();
    if (event->button() == Qt::LeftButton)
        m_model->beginDrag({ at.x(), at.y() });
}

void PrintPreview::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QRect before = qrect(m_model->photoBox());
    const QPoint at = event->position().toPoint() - frame().topLeft();
    m_model->dragTo({ at.x(), at.y() });
    if (qrect(m_model->photoBox()) != before || !m_model->centerX() || !m_model->centerY()) {
        update();
        emit dragged();
    }
}

void PrintPreview::mouseReleaseEvent(QMouseEvent*)
{
    m_model->endDrag();
}

} // namespace gp::ui
