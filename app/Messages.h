#pragma once

#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QDialog;
class QFileDialog;
class QPainter;
class QRect;
class QUrl;
class QWidget;

/// An information box with a single OK button (ask().info). Line breaks may be written "\r".
void showMessage(QWidget *parent, const QString &text);

/// A file dialog's settings. Filters are written "Caption|pattern;pattern|Caption|pattern".
struct TFileDialogSpec {
    QString title;
    QString fileName;      // preset: a path, or a name in the current folder
    QString filter;
    QString defaultSuffix; // added to a typed name without extension; empty: see saveFileName
    int filterIndex = 1;   // counts from 1; the chosen filter on return
};

/// Paints one printed page: the page's painter and its device rectangle.
using TPaintPage = std::function<void(QPainter &painter, const QRect &page)>;

/// Everything a window does that blocks or reaches outside the program: the boxes, the file
/// dialogs, its own modal dialogs, printing, starting the editor and the settings store. The
/// program answers with real dialogs; a test installs its own answers with setAsk.
class TAsk {
public:
    virtual ~TAsk() = default;
    virtual void info(QWidget *parent, const QString &text);
    /// Yes, No or Cancel; closing the box counts as Cancel.
    virtual QMessageBox::StandardButton yesNoCancel(QWidget *parent, const QString &text);
    /// The chosen existing file, empty when cancelled; spec.filterIndex tells the filter used.
    virtual QString openFileName(QWidget *parent, TFileDialogSpec &spec);
    /// The chosen path (overwriting already confirmed), empty when cancelled; spec.filterIndex
    /// tells the filter used. Without spec.defaultSuffix a name typed without extension takes
    /// the one of the filter selected at that moment, so that the overwrite question is about
    /// the file that will be written.
    virtual QString saveFileName(QWidget *parent, TFileDialogSpec &spec);
    /// Runs a modal dialog whose controls are preset and returns its result: QDialog::Accepted,
    /// Rejected or the dialog's own code.
    virtual int runDialog(QDialog *dialog);
    /// At least one printer is installed.
    virtual bool printerInstalled();
    /// Prints one landscape page: the print dialog, titled jobTitle, chooses the printer, then
    /// paintPage is called once. Nothing is printed when the dialog is cancelled.
    virtual void printPage(QWidget *parent, const QString &jobTitle, const TPaintPage &paintPage);
    /// Starts program without waiting for it; false when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments);
    /// Opens a file or page in the desktop's program for it; false when none took it.
    virtual bool openUrl(const QUrl &url);
    /// The store of the program's settings (organisation "Velmora", application "TARNEL").
    virtual std::unique_ptr<QSettings> settings();
};

/// The seam in force: the one installed last, or the real dialogs.
TAsk &ask();
/// Installs answers (nullptr: the real dialogs again); returns the previous one. Not owned.
TAsk *setAsk(TAsk *answers);

/// The program's texts break lines with "\r" (or "\r\n"); widgets want "\n".
QString withLineBreaks(QString text);
/// A text shown as it is in a menu item: "&" is not an access key there.
QString menuText(QString text);

/// "Caption|*.a;*.b|..." as the filter list of a Qt file dialog.
QStringList dialogFilters(const QString &filter);
/// Sets up a file dialog, its accept mode already chosen, as openFileName and saveFileName show
/// it: filters, the preselected one, the preset name and the default suffix.
void prepareFileDialog(QFileDialog &dialog, const TFileDialogSpec &spec);
/// The extension of a Qt filter entry's first pattern: "png" for "PNG image (*.png)"; empty for
/// "All Files (*)".
QString filterSuffix(const QString &filter);
