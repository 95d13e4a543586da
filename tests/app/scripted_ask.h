#pragma once

// Answers for the program's dialogs in tests: boxes are recorded, questions and file dialogs
// take the next scripted answer, modal dialogs are answered by a script (or closed), printing
// paints on a device of the test's, the editor is never started and the settings live in a
// temporary file.
#include <QDialog>
#include <QDir>
#include <QPaintDevice>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <deque>
#include <functional>

#include "Messages.h"

class TScriptedAsk : public TAsk {
public:
    TScriptedAsk() : m_previous(setAsk(this)) {}
    ~TScriptedAsk() override { setAsk(m_previous); }

    void info(QWidget *, const QString &text) override { messages << text; }
    QMessageBox::StandardButton yesNoCancel(QWidget *, const QString &text) override
    {
        questions << text;
        if (answers.empty())
            return QMessageBox::Cancel;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString openFileName(QWidget *, TFileDialogSpec &spec) override
    {
        dialogs.push_back(spec);
        spec.filterIndex = openFilterIndex;
        return takePath();
    }
    QString saveFileName(QWidget *, TFileDialogSpec &spec) override
    {
        dialogs.push_back(spec);
        const QString path = takePath();
        if (!path.isEmpty() && !saveFilter.isEmpty())
            spec.filterIndex = int(dialogFilters(spec.filter).indexOf(saveFilter)) + 1;
        return path;
    }
    int runDialog(QDialog *dialog) override
    {
        return dialogScript ? dialogScript(dialog) : int(QDialog::Rejected);
    }
    bool printerInstalled() override { return printers; }
    void printPage(QWidget *, const QString &jobTitle, const TPaintPage &paintPage) override
    {
        printed << jobTitle;
        if (!page)
            return;
        QPainter painter(page);
        paintPage(painter, QRect(0, 0, page->width(), page->height()));
    }
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        started.push_back(QStringList{program} + arguments);
        return startSucceeds;
    }
    bool openUrl(const QUrl &url) override
    {
        opened.push_back(url);
        return openSucceeds;
    }
    std::unique_ptr<QSettings> settings() override
    {
        return std::make_unique<QSettings>(m_settingsDir.filePath("tarnel.ini"), QSettings::IniFormat);
    }
    QString settingsFile() const { return m_settingsDir.filePath("tarnel.ini"); }

    QStringList messages, questions;
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<QString> paths; // file dialog answers; an empty text cancels
    int openFilterIndex = 1;
    QString saveFilter; // chosen in a save dialog, as listed ("PNG image (*.png)"); empty: the preset
    std::vector<TFileDialogSpec> dialogs;
    // Sets the dialog's controls as a user would and returns its result; none: every dialog is
    // closed unanswered (Rejected).
    std::function<int(QDialog *)> dialogScript;
    bool printers = false;
    QStringList printed;          // job titles
    QPaintDevice *page = nullptr; // what printPage paints on; none: nothing is painted
    std::vector<QStringList> started;
    bool startSucceeds = true;
    std::vector<QUrl> opened;
    bool openSucceeds = true;

private:
    QString takePath()
    {
        if (paths.empty())
            return {};
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
    QTemporaryDir m_settingsDir;
    TAsk *m_previous;
};
