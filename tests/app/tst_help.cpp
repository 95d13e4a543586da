#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <xlsxwriter.h>

#include "About.h"
#include "core/helpfiles.h"
#include "core/resave.h"

#include <sstream>

namespace {

const QString kSourceTree = QDir::cleanPath(TARNEL_EXAMPLES "/..");
const QString kSourceManual = kSourceTree + "/doc/manual";

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void writeFile(const QString &path, const QByteArray &text = "<html></html>")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QStringList manualPages()
{
    return QDir(kSourceManual).entryList({"*.html"}, QDir::Files, QDir::Name);
}

/// The ids a page defines, for links with a fragment.
QSet<QString> idsOf(const QString &html)
{
    QSet<QString> ids;
    static const QRegularExpression id("\\bid=\"([^\"]+)\"");
    for (const auto &m : id.globalMatch(html))
        ids.insert(m.captured(1));
    return ids;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    // Where the manual is looked for: installed beside the program's folder first, then the
    // source tree.
    void findsManual_data()
    {
        QTest::addColumn<QStringList>("files");   // made below the scratch folder
        QTest::addColumn<QString>("programDir");  // relative to it; "-" for none
        QTest::addColumn<QString>("sourceDir");   // relative to it; "-" for none
        QTest::addColumn<QString>("expected");    // relative to it; empty for not found

        const QString installed = "usr/share/tarnel/manual/index.html";
        const QString source = "src/doc/manual/index.html";
        QTest::newRow("installed tree") << QStringList{installed} << "usr/lib/tarnel" << "-" << installed;
        QTest::newRow("installed wins over the source tree")
            << QStringList{installed, source} << "usr/lib/tarnel" << "src/doc/manual" << installed;
        QTest::newRow("build tree reads the source tree")
            << QStringList{source} << "build/bin" << "src/doc/manual" << source;
        QTest::newRow("no program folder") << QStringList{source} << "-" << "src/doc/manual" << source;
        QTest::newRow("manual folder without its start page")
            << QStringList{"usr/share/tarnel/manual/input.html", "src/doc/manual/methods.html"} << "usr/lib/tarnel"
            << "src/doc/manual" << QString();
        QTest::newRow("index.html is a folder")
            << QStringList{"usr/share/tarnel/manual/index.html/x.html"} << "usr/lib/tarnel" << "-" << QString();
        QTest::newRow("nothing anywhere") << QStringList{} << "usr/lib/tarnel" << "src/doc/manual" << QString();
        QTest::newRow("no folders given") << QStringList{installed} << "-" << "-" << QString();
    }

    void findsManual()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, programDir);
        QFETCH(QString, sourceDir);
        QFETCH(QString, expected);
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QDir().mkpath(scratch.filePath("usr/lib/tarnel"));
        QDir().mkpath(scratch.filePath("build/bin"));
        for (const QString &f : files)
            writeFile(scratch.filePath(f));
        auto at = [&](const QString &rel) { return rel == "-" ? QString() : scratch.filePath(rel); };
        const QString found = findManualIndex(at(programDir), at(sourceDir));
        QCOMPARE(found, expected.isEmpty() ? QString() : QDir::cleanPath(scratch.filePath(expected)));
    }

    void runningProgramFindsTheSourceManual()
    {
        // Tests run from the build tree, where nothing is installed beside bin.
        const QString index = manualIndexPath();
        QCOMPARE(index, kSourceManual + "/index.html");
        QVERIFY(QFileInfo(index).isFile());
    }

    void installedOffsetMatchesTheInstallRule()
    {
        QCOMPARE(installedManualOffset(), QString("../../share/tarnel/manual"));
    }

    void helpTargets_data()
    {
        QTest::addColumn<bool>("manualPresent");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("expectedFile");     // empty: a message instead
        QTest::addColumn<QString>("messageFragment");

        QTest::newRow("contents") << true << "index.html" << "" << "index.html" << "";
        QTest::newRow("page with anchor") << true << "troubleshooting.html" << "code-3"
                                          << "troubleshooting.html" << "";
        QTest::newRow("manual missing") << false << "index.html" << "" << ""
                                        << "The user manual could not be found.\rIt is installed with the program, in ";
        QTest::newRow("page missing") << true << "nosuch.html" << "" << "" << "The page nosuch.html of the user manual";
        QTest::newRow("page outside the manual") << true << "../secret.html" << "" << "" << "could not be found";
        QTest::newRow("absolute page") << true << "/etc/hostname" << "" << "" << "could not be found";
        QTest::newRow("no page") << true << "" << "" << "" << "could not be found";
    }

    void helpTargets()
    {
        QFETCH(bool, manualPresent);
        QFETCH(QString, page);
        QFETCH(QString, anchor);
        QFETCH(QString, expectedFile);
        QFETCH(QString, messageFragment);
        QTemporaryDir scratch;
        writeFile(scratch.filePath("secret.html"));
        const QString manual = scratch.filePath("manual");
        for (const char *name : {"index.html", "troubleshooting.html"})
            writeFile(manual + "/" + name);
        const THelpTarget target = helpTarget(manualPresent ? manual + "/index.html" : QString(), page, anchor);
        if (expectedFile.isEmpty()) {
            QVERIFY(target.url.isEmpty());
            QVERIFY2(target.message.contains(messageFragment), qPrintable(target.message));
            return;
        }
        QVERIFY(target.message.isEmpty());
        QVERIFY(target.url.isLocalFile());
        QCOMPARE(target.url.toLocalFile(), QDir::cleanPath(manual + "/" + expectedFile));
        QCOMPARE(target.url.fragment(), anchor);
    }

    void missingManualNamesTheInstalledFolder()
    {
        const THelpTarget target = helpTarget(QString());
        const QString expected =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../../share/tarnel/manual");
        QVERIFY2(target.message.endsWith(expected + "."), qPrintable(target.message));
    }

    // The manual opens from disk in any browser: every link and picture it uses is one of its
    // own files, every anchor exists, and nothing is fetched from the network or run.
    void manualIsSelfContained_data()
    {
        QTest::addColumn<QString>("page");
        const QStringList pages = manualPages();
        for (const QString &p : pages)
            QTest::newRow(qPrintable(p)) << p;
        if (pages.isEmpty())
            QTest::newRow("no pages") << QString();
    }

    void manualIsSelfContained()
    {
        QFETCH(QString, page);
        QVERIFY2(!page.isEmpty(), "the manual has no pages");
        const QString html = readText(kSourceManual + "/" + page);
        QVERIFY(!html.isEmpty());
        QVERIFY2(!html.contains("<script", Qt::CaseInsensitive), "no scripts");
        QVERIFY2(!html.contains(QRegularExpression("\\son[a-z]+\\s*=", QRegularExpression::CaseInsensitiveOption)),
                 "no event handlers");
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));
        QVERIFY(html.contains("<link rel=\"stylesheet\" href=\"manual.css\">"));
        static const QRegularExpression ref("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\"", QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression cssUrl("url\\(|@import");
        QVERIFY2(!html.contains(cssUrl), "no style sheet fetches in the page");
        int links = 0;
        for (const auto &m : ref.globalMatch(html)) {
            const QString target = m.captured(1);
            ++links;
            QVERIFY2(!target.isEmpty(), "empty link");
            QVERIFY2(!target.contains(':') && !target.startsWith("//"),
                     qPrintable(page + ": not a file of the manual: " + target));
            const QString file = target.section('#', 0, 0);
            const QString fragment = target.section('#', 1);
            const QString path = file.isEmpty() ? kSourceManual + "/" + page : kSourceManual + "/" + file;
            QVERIFY2(QFileInfo(path).isFile(), qPrintable(page + ": missing " + target));
            if (!fragment.isEmpty())
                QVERIFY2(idsOf(readText(path)).contains(fragment), qPrintable(page + ": no anchor " + target));
        }
        QVERIFY(links > 0);
    }

    void styleSheetFetchesNothing()
    {
        const QString css = readText(kSourceManual + "/manual.css");
        QVERIFY(!css.isEmpty());
        QVERIFY(!css.contains("url(") && !css.contains("@import"));
    }

    // Every result the engine can return has its own entry under troubleshooting.
    void everyResultCodeIsExplained()
    {
        const QString codes = readText(kSourceTree + "/engine/result_codes.h");
        static const QRegularExpression value("\\bk\\w+\\s*=\\s*(\\d+),");
        const QSet<QString> ids = idsOf(readText(kSourceManual + "/troubleshooting.html"));
        int count = 0;
        for (const auto &m : value.globalMatch(codes)) {
            ++count;
            QVERIFY2(ids.contains("code-" + m.captured(1)), qPrintable("no entry for result " + m.captured(1)));
        }
        QVERIFY(count >= 10);
    }

    // The worked example's project file is what the program writes after the steps of the
    // getting-started page: loading and saving it again changes nothing.
    void workedExampleIsAsTheProgramWritesIt()
    {
        QTemporaryDir scratch;
        const QString example = kSourceManual + "/examples/clay-over-sand.tnd";
        const QString again = scratch.filePath("again.tnd");
        std::ostringstream err;
        QCOMPARE(resaveProject(example, again, false, err), 0);
        QCOMPARE(readText(again), readText(example));
    }

    void aboutBoxTexts_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("program") << "ProductName" << "^TARNEL$";
        QTest::newRow("version") << "Version" << "^Version 2012\\.7\\.15$";
        QTest::newRow("build date") << "BuildDate" << "^Built \\d{4}-\\d\\d-\\d\\d$";
        QTest::newRow("Qt") << "QtVersion" << "^Qt " + QRegularExpression::escape(qVersion()) + "$";
        QTest::newRow("libxlsxwriter") << "XlsxVersion" << "^libxlsxwriter " + QRegularExpression::escape(LXW_VERSION) + "$";
        QTest::newRow("no network") << "Network" << "^This program never contacts the network: it has no update check";
    }

    void aboutBoxTexts()
    {
        QFETCH(QString, label);
        QFETCH(QString, pattern);
        TAboutBox box;
        auto *shown = box.findChild<QLabel *>(label);
        QVERIFY(shown);
        QVERIFY2(shown->text().contains(QRegularExpression(pattern)), qPrintable(shown->text()));
    }

    void aboutBoxIsModalAndCloses()
    {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QString("About"));
        QVERIFY(box.isModal());
        QVERIFY(!box.isVisible());
        QCOMPARE(box.lines().first(), QString("TARNEL"));
        const QDate built = QDate::fromString(TAboutBox::buildDate(), Qt::ISODate);
        QVERIFY(built.isValid());
        QVERIFY(built <= QDate::currentDate().addDays(1));
        box.show();
        auto *ok = box.findChild<QDialogButtonBox *>("OKButton")->button(QDialogButtonBox::Ok);
        QVERIFY(ok);
        ok->click();
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
