#include <QComboBox>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

#include "Messages.h"

// The real file dialog as openFileName and saveFileName set it up, shown without being run:
// what selectedFiles() gives is what the dialog checks for overwriting when it is accepted.
class TestFileDialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void filterSuffix_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("one pattern") << "PNG image (*.png)" << "png";
        QTest::newRow("first of several") << "Pictures (*.bmp *.png)" << "bmp";
        QTest::newRow("all files") << "All Files (*)" << "";
        QTest::newRow("no pattern") << "Programs" << "";
    }
    void filterSuffix()
    {
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        QCOMPARE(::filterSuffix(filter), suffix);
    }

    void savedNameTakesTheChosenFiltersExtension_data()
    {
        const QString pictures = "Bitmap|*.bmp|PNG image|*.png|SVG drawing|*.svg|PDF document|*.pdf";
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QString>("defaultSuffix");
        QTest::addColumn<int>("downKeys"); // in the filter list, after it opens
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("preselected filter") << pictures << 1 << "" << 0 << "graph" << "graph.bmp";
        QTest::newRow("filter chosen in the dialog") << pictures << 1 << "" << 1 << "graph" << "graph.png";
        QTest::newRow("chosen twice, the last counts") << pictures << 1 << "" << 3 << "graph" << "graph.pdf";
        QTest::newRow("preset filter") << pictures << 3 << "" << 0 << "graph" << "graph.svg";
        QTest::newRow("typed extension kept") << pictures << 2 << "" << 0 << "graph.bmp" << "graph.bmp";
        QTest::newRow("all files: the name as typed")
            << "Bitmap|*.bmp|All Files(*.*)|*.*" << 1 << "" << 1 << "graph" << "graph";
        QTest::newRow("fixed suffix whatever the filter")
            << "TARNEL 7.0(*.tnd)|*.tnd|All File(*.*)|*.*" << 1 << "tnd" << 1 << "job" << "job.tnd";
    }
    void savedNameTakesTheChosenFiltersExtension()
    {
        QFETCH(QString, filter);
        QFETCH(int, filterIndex);
        QFETCH(QString, defaultSuffix);
        QFETCH(int, downKeys);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFileDialog dialog(nullptr, "Save To Disk");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        prepareFileDialog(dialog, {"Save To Disk", m_dir.filePath(typed), filter, defaultSuffix, filterIndex});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *filters = dialog.findChild<QComboBox *>("fileTypeCombo");
        QVERIFY(filters);
        QCOMPARE(filters->currentIndex(), filterIndex - 1);
        // As a user picks a filter: keys on the list, which the dialog hears as a choice.
        for (int k = 0; k < downKeys; ++k)
            QTest::keyClick(filters, Qt::Key_Down);
        QCOMPARE(dialog.selectedFiles(), QStringList{m_dir.filePath(saved)});
        dialog.reject();
    }

    void openDialogStartsInTheCurrentFolder()
    {
        // The project's folder is the current one; the dialog does not go back to the last.
        const QString before = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFileDialog dialog(nullptr, "Open");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDirectory(QDir::rootPath());
        prepareFileDialog(dialog, {"Open", QString(), "TARNEL 2012(*.tnd)|*.tnd", "tnd", 1});
        QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(m_dir.path()).canonicalPath());
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(TestFileDialog)
#include "tst_filedialog.moc"
