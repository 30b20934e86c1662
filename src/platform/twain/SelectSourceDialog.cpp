#include "SelectSourceDialog.h"

#include "SourceDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace gp::twain {

std::optional<std::string> chooseSource(const std::vector<std::string>& names, const std::string& current, void* parent)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    QDialog dialog(trustedParent(parent));
    dialog.setWindowTitle(QDialog::tr("Select Source"));
    dialog.setObjectName("selectSource");
    auto* list = new QListWidget(&dialog);
    list->setObjectName("sources");
    for (const std::string& name : names) {
        list->addItem(QString::fromStdString(name));
        if (name == current)
            list->setCurrentRow(list->count() - 1);
    }
    if (!list->currentItem() && list->count() > 0)
        list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem())
        return std::nullopt;
    return list->currentItem()->text().toStdString();
}

} // namespace gp::twain
