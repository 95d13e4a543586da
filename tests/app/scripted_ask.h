#pragma once

// Answers for the program's dialogs in tests: boxes are recorded, questions and file dialogs
// take the next scripted answer, the editor is never started and the settings live in a
// temporary file.
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <deque>

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
        return takePath();
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
    std::vector<TFileDialogSpec> dialogs;
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
