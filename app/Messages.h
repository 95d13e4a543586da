#pragma once

#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QUrl;
class QWidget;

/// How an information box is shown; tests install a hook that records the text instead.
using TMessageHook = std::function<void(QWidget *parent, const QString &text)>;

/// Replaces the information box; an empty hook restores it. Returns the previous hook.
TMessageHook setMessageHook(TMessageHook hook);

/// An information box with a single OK button. Line breaks may be written "\r".
void showMessage(QWidget *parent, const QString &text);

/// A file dialog's settings. Filters are written "Caption|pattern;pattern|Caption|pattern".
struct TFileDialogSpec {
    QString title;
    QString fileName;      // preset: a path, or a name in the current folder
    QString filter;
    QString defaultSuffix; // added to a typed name without extension
    int filterIndex = 1;   // counts from 1; the chosen filter on return
};

/// Everything a window does that blocks or reaches outside the program: the boxes, the file
/// dialogs, starting the editor and the settings store. The program answers with real dialogs;
/// a test installs its own answers with setAsk.
class TAsk {
public:
    virtual ~TAsk() = default;
    virtual void info(QWidget *parent, const QString &text);
    /// Yes, No or Cancel; closing the box counts as Cancel.
    virtual QMessageBox::StandardButton yesNoCancel(QWidget *parent, const QString &text);
    /// The chosen existing file, empty when cancelled; spec.filterIndex tells the filter used.
    virtual QString openFileName(QWidget *parent, TFileDialogSpec &spec);
    /// The chosen path (overwriting already confirmed), empty when cancelled.
    virtual QString saveFileName(QWidget *parent, TFileDialogSpec &spec);
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

/// "Caption|*.a;*.b|..." as the filter list of a Qt file dialog.
QStringList dialogFilters(const QString &filter);
