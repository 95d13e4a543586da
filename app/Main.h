#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "core/projectdata.h"

class QAction;
class QMdiArea;
class QMenu;

/// The program's frame: a multiple-document window with the menus and tool bar that open
/// every other window. Commands are wired as their windows arrive.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);

    QString projectFileName() const { return m_projectFileName; }
    void setProjectFileName(const QString &fileName);

    QMdiArea *mdiArea() const { return m_mdi; }

    /// The start-up rule for the command line: the first argument, with ".tnd" added when it
    /// has no ".", is opened when that file exists; otherwise a new project is made. A file
    /// the loader refuses is reported and keeps what was read.
    void openStartupProject(const QStringList &arguments);

    TProgramData &project() { return m_project; }

private:
    void createMenus();
    void createToolBar();
    QAction *addItem(QMenu *menu, const char *objectName, const QString &caption);

    QMdiArea *m_mdi = nullptr;
    QString m_projectFileName;
    TProjectTables m_tables;
    TProgramData m_project{m_tables};
};
