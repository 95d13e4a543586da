#include "PlotSeams.h"

#include <QDialog>
#include <QFileDialog>
#include <QPrinterInfo>

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
    TSaveChoice choice;
    choice.filter = filters.value(0);
    // Overwrite prompt and an existing folder are the dialog's defaults.
    choice.fileName = QFileDialog::getSaveFileName(parent, title, QString(), filters.join(";;"), &choice.filter);
    return choice;
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
