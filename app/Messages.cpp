#include "Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace {

TAsk *&installed()
{
    static TAsk *current = nullptr;
    return current;
}

QString runFileDialog(QWidget *parent, TFileDialogSpec &spec, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, spec.title);
    dialog.setAcceptMode(mode);
    prepareFileDialog(dialog, spec);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    spec.filterIndex = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString withLineBreaks(QString text)
{
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

QString menuText(QString text)
{
    return text.replace('&', "&&");
}

void showMessage(QWidget *parent, const QString &text)
{
    ask().info(parent, text);
}

// The application's title heads its boxes.
constexpr const char *kApplicationTitle = "Tarnel 2012";

void TAsk::info(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, kApplicationTitle, withLineBreaks(text), QMessageBox::Ok);
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
    return runFileDialog(parent, spec, QFileDialog::AcceptOpen);
}

QString TAsk::saveFileName(QWidget *parent, TFileDialogSpec &spec)
{
    return runFileDialog(parent, spec, QFileDialog::AcceptSave);
}

int TAsk::runDialog(QDialog *dialog)
{
    return dialog->exec();
}

bool TAsk::printerInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void TAsk::printPage(QWidget *parent, const QString &jobTitle, const TPaintPage &paintPage)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(jobTitle);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(jobTitle);
    if (runDialog(&dialog) != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        info(parent, "The printer could not be opened.");
        return;
    }
    paintPage(painter, QRect(0, 0, printer.width(), printer.height()));
    painter.end();
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

void prepareFileDialog(QFileDialog &dialog, const TFileDialogSpec &spec)
{
    const bool save = dialog.acceptMode() == QFileDialog::AcceptSave;
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = dialogFilters(spec.filter);
    dialog.setNameFilters(filters);
    if (spec.filterIndex >= 1 && spec.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(spec.filterIndex - 1));
    dialog.setDefaultSuffix(spec.defaultSuffix);
    // A name typed without extension takes the chosen filter's before the dialog asks about
    // overwriting, so that the question is about the file that will be written.
    if (save && spec.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(filterSuffix(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
    }
    if (!spec.fileName.isEmpty()) {
        const QFileInfo preset(spec.fileName);
        dialog.setDirectory(preset.isAbsolute() ? preset.absolutePath() : QDir::currentPath());
        dialog.selectFile(preset.fileName());
    } else {
        // The project's folder (the current one), not wherever the last dialog was.
        dialog.setDirectory(QDir::currentPath());
    }
}

QString filterSuffix(const QString &filter)
{
    const auto match = QRegularExpression(R"(\*\.(\w+))").match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
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
