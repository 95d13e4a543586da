#include "Messages.h"

#include <QDesktopServices>
#include <QUrl>

#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>

namespace {

TMessageHook &hook()
{
    static TMessageHook current;
    return current;
}

TAsk *&installed()
{
    static TAsk *current = nullptr;
    return current;
}

QString withLineBreaks(QString text)
{
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

QString runDialog(QWidget *parent, TFileDialogSpec &spec, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, spec.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = dialogFilters(spec.filter);
    dialog.setNameFilters(filters);
    if (spec.filterIndex >= 1 && spec.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(spec.filterIndex - 1));
    dialog.setDefaultSuffix(spec.defaultSuffix);
    if (!spec.fileName.isEmpty()) {
        const QFileInfo preset(spec.fileName);
        if (preset.isAbsolute())
            dialog.setDirectory(preset.absolutePath());
        dialog.selectFile(preset.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    spec.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().constFirst();
}

} // namespace

TMessageHook setMessageHook(TMessageHook newHook)
{
    return std::exchange(hook(), std::move(newHook));
}

void showMessage(QWidget *parent, const QString &text)
{
    if (hook()) {
        hook()(parent, text);
        return;
    }
    ask().info(parent, text);
}

void TAsk::info(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("TARNEL"), withLineBreaks(text), QMessageBox::Ok);
}

QMessageBox::StandardButton TAsk::yesNoCancel(QWidget *parent, const QString &text)
{
    const auto answer = QMessageBox::question(parent, QStringLiteral("Confirm"), withLineBreaks(text),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    return answer == QMessageBox::Yes || answer == QMessageBox::No ? answer : QMessageBox::Cancel;
}

QString TAsk::openFileName(QWidget *parent, TFileDialogSpec &spec)
{
    return runDialog(parent, spec, QFileDialog::AcceptOpen);
}

QString TAsk::saveFileName(QWidget *parent, TFileDialogSpec &spec)
{
    return runDialog(parent, spec, QFileDialog::AcceptSave);
}

bool TAsk::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool TAsk::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

std::unique_ptr<QSettings> TAsk::settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Velmora", "TARNEL");
}

TAsk &ask()
{
    static TAsk real;
    return installed() ? *installed() : real;
}

TAsk *setAsk(TAsk *answers)
{
    return std::exchange(installed(), answers);
}

QStringList dialogFilters(const QString &filter)
{
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QString caption = parts.at(k);
        // The caption may already show its patterns ("All Files(*.*)"): Qt reads the last
        // parenthesised group as the patterns, so it is replaced by the real ones.
        const qsizetype open = caption.lastIndexOf('(');
        if (open > 0 && caption.endsWith(')'))
            caption.truncate(open);
        QString patterns = parts.at(k + 1);
        patterns.replace(';', ' ');
        if (patterns == "*.*")
            patterns = "*";
        filters << caption.trimmed() + " (" + patterns + ")";
    }
    return filters;
}
