#include "PlotSeams.h"

#include <QDialog>
#include <QFileDialog>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace {

TDialogHook &dialogHook()
{
    static TDialogHook current;
    return current;
}

TSaveNameHook &saveNameHook()
{
    static TSaveNameHook current;
    return current;
}

TPrinterCheck &printerCheck()
{
    static TPrinterCheck current;
    return current;
}

} // namespace

TDialogHook setDialogHook(TDialogHook hook)
{
    return std::exchange(dialogHook(), std::move(hook));
}

int runDialog(QDialog *dialog)
{
    if (dialogHook())
        return dialogHook()(dialog);
    return dialog->exec();
}

TSaveNameHook setSaveNameHook(TSaveNameHook hook)
{
    return std::exchange(saveNameHook(), std::move(hook));
}

TSaveChoice askSaveFileName(QWidget *parent, const QString &title, const QStringList &filters)
{
    if (saveNameHook())
        return saveNameHook()(parent, title, filters);
    // A name typed without extension takes the one of the chosen filter before the dialog
    // asks about overwriting, so that the question is about the file that will be written.
    auto suffixOf = [](const QString &filter) {
        const auto match = QRegularExpression(R"(\*\.(\w+))").match(filter);
        return match.hasMatch() ? match.captured(1) : QString();
    };
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString &filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}

TPrinterCheck setPrinterCheck(TPrinterCheck check)
{
    return std::exchange(printerCheck(), std::move(check));
}

bool printerInstalled()
{
    if (printerCheck())
        return printerCheck()();
    return !QPrinterInfo::availablePrinters().isEmpty();
}
