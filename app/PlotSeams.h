#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

/// What blocks in a graph window: its modal dialogs (graph title, legend, active curves,
/// save attributes, print and page setup), the save-file dialog and the question whether a
/// printer is installed. The program answers with the real thing; a test installs hooks.
/// Information boxes go through showMessage (Messages.h).

/// Gets the dialog ready to run, with its controls preset; sets them as a user would and
/// returns the dialog's result (QDialog::Accepted, Rejected or the dialog's own code).
using TDialogHook = std::function<int(QDialog *dialog)>;
/// Replaces running dialogs modally; an empty hook restores it. Returns the previous hook.
TDialogHook setDialogHook(TDialogHook hook);
/// dialog->exec(), or the hook's answer.
int runDialog(QDialog *dialog);

/// A chosen file and the filter it was chosen under; an empty fileName means Cancel.
struct TSaveChoice {
    QString fileName;
    QString filter;
};
/// filters are the dialog's filter entries, the first one preselected.
using TSaveNameHook = std::function<TSaveChoice(QWidget *parent, const QString &title, const QStringList &filters)>;
TSaveNameHook setSaveNameHook(TSaveNameHook hook);
/// The save dialog: asks before overwriting, the folder must exist.
TSaveChoice askSaveFileName(QWidget *parent, const QString &title, const QStringList &filters);

using TPrinterCheck = std::function<bool()>;
TPrinterCheck setPrinterCheck(TPrinterCheck check);
/// At least one printer is installed.
bool printerInstalled();
