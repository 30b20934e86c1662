// The window program's Host: the editing dialogs, the Photo CD options and the frame's state
// while a scanner's dialog is up.

#include "QtHost.h"

#include "dialogs/BrightnessContrastDialog.h"
#include "dialogs/EffectBrowser.h"
#include "dialogs/FilterDialog.h"
#include "dialogs/HueSaturationDialog.h"
#include "dialogs/ImageSizeDialog.h"
#include "dialogs/PhotoCdOptionsDialog.h"
#include "dialogs/RotateDialog.h"
#include "dialogs/ToneDialog.h"

namespace gp::ui {

std::optional<PhotoCdChoice> QtHost::choosePhotoCdOptions(const PhotoCdDialog& dialog)
{
    PhotoCdOptionsDialog window(m_window, dialog);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.choice();
}

bool QtHost::runRotateDialog(RotateDialogModel& model)
{
    RotateDialog dialog(m_window, model, *this);
    return dialog.exec() == QDialog::Accepted;
}

bool QtHost::runImageSizeDialog(ImageSizeModel& model)
{
    ImageSizeDialog dialog(m_window, model, *this);
    return dialog.exec() == QDialog::Accepted;
}

bool QtHost::runBrightnessContrastDialog(
    BrightnessContrastModel& model, const Image& source, const PreviewCompute& preview)
{
    BrightnessContrastDialog dialog(m_window, model, source, m_previewAllocator, preview);
    return dialog.exec() == QDialog::Accepted;
}

bool QtHost::runHueSaturationDialog(HueSaturationModel& model, const Image& source, const PreviewCompute& preview)
{
    HueSaturationDialog dialog(m_window, model, source, m_previewAllocator, preview);
    return dialog.exec() == QDialog::Accepted;
}

bool QtHost::runToneDialog(ToneModel& model, const Image& source, const PreviewCompute& preview)
{
    ToneDialog dialog(m_window, model, source, m_previewAllocator, preview);
    return dialog.exec() == QDialog::Accepted;
}

bool QtHost::runFilterDialog(FilterDialogModel& model, const Image& source, const PreviewCompute& preview)
{
    FilterDialog dialog(m_window, model, source, m_previewAllocator, preview);
    return dialog.exec() == QDialog::Accepted;
}

bool QtHost::runEffectBrowser(FilterDialogModel& model, const Image& source, const PreviewCompute& preview)
{
    EffectBrowser dialog(m_window, model, source, m_previewAllocator, preview);
    return dialog.exec() == QDialog::Accepted;
}

void QtHost::setFrameEnabled(bool enabled)
{
    if (!m_window)
        return;
    m_window->setEnabled(enabled);
    if (enabled) {
        m_window->activateWindow();
        m_window->setFocus();
        return;
    }
    // Disabling a widget disables its child windows too; the scanner's dialog must stay usable.
    for (QWidget* child : m_window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isWindow() && child->isVisible())
            child->setEnabled(true);
}

} // namespace gp::ui
