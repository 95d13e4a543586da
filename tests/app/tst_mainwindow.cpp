#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "Main.h"
#include "core/displayname.h"

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void captionOfNewProject()
    {
        TMainForm form;
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - NewTarnel"));
    }

    void menuCaptions()
    {
        TMainForm form;
        QStringList captions;
        for (QAction *a : form.menuBar()->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"&File", "Da&ta", "&Computation", "&Graphics", "&Window", "&Help"}));
        auto *exportItem = form.findChild<QAction *>("ExportExcel");
        QVERIFY(exportItem);
        QVERIFY(!exportItem->isVisible());
        QCOMPARE(form.findChild<QAction *>("CombinedSettlement1")->text(),
                 QString("Combined Plots of Load vs Settlement"));
    }

    void startupArgumentOpensProjectWhenItExists()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(TARNEL_EXAMPLES "/stiff-clay.tnd", dir.filePath("job.tnd")));
        TMainForm form;
        form.openStartupProject({dir.filePath("job")});
        QCOMPARE(form.windowTitle(), QString("TARNEL 2012.7.15 - Job"));
        QCOMPARE(form.project().Title, QString("Pier 12 - stiff clay, design load 180 tons"));
        QCOMPARE(form.project().DesignMode, 1);

        TMainForm fresh;
        fresh.openStartupProject({dir.filePath("other")});
        QCOMPARE(fresh.windowTitle(), QString("TARNEL 2012.7.15 - NewTarnel"));
        QCOMPARE(fresh.project().Title, QString("New Pile"));
    }

    void displayNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("one character") << "/jobs/a.tnd" << "a";
        QTest::newRow("upper-case extension") << "/jobs/myshaft.TND" << "Myshaft";
        QTest::newRow("other extension kept") << "data.txt" << "Data.txt";
        QTest::newRow("cut at first point") << "pier.v2.tnd" << "Pier";
    }
    void displayNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(projectDisplayName(path), name);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
