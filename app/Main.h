#pragma once

#include <QMainWindow>
#include <QString>

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

private:
    void createMenus();
    void createToolBar();
    QAction *addItem(QMenu *menu, const char *objectName, const QString &caption);

    QMdiArea *m_mdi = nullptr;
    QString m_projectFileName;
};
