#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "Caption.h"
#include "ChangeActiveLines.h"
#include "ChangeLineNames.h"
#include "DataEdit.h"
#include "PltData.h"
#include "SaveAttb.h"
#include "core/graphscale.h"
#include "plot_frame.h"

namespace {

void fillGraph(TGraphPlot &g, int lines = 3)
{
    g.Caption = "Dialog Graph";
    g.XCaption = "Load";
    g.YCaption = "Depth";
    TLineSet &curves = g.Lines(0);
    curves.SetLineCount(lines);
    for (int i = 0; i < lines; ++i) {
        curves.Line(i).Points = {{0, 0}, {100.0 + 50 * i, 20.0 + 5 * i}, {400.0 - 40 * i, 48}};
        curves.Line(i).Name = QString("Line %1").arg(i + 1);
    }
}

QStringList legendTexts(TPlotForm *w)
{
    QStringList out;
    for (int r = 0; r < w->legend()->rowCount(); ++r)
        out << w->legend()->row(r).text;
    return out;
}

QStringList itemTexts(TPlotForm *w)
{
    QStringList out;
    for (QAction *a : w->lineItems())
        out << a->text();
    return out;
}

QList<int> itemLines(TPlotForm *w)
{
    QList<int> out;
    for (QAction *a : w->lineItems())
        out << a->data().toInt();
    return out;
}

QByteArray fileHead(const QString &path, int bytes)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(bytes) : QByteArray();
}

QByteArray fileAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestPlotFormDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<TPlotFrame> m_plots; // a printer installed
    QStringList m_dialogs; // object names of the dialogs run, in order
    QTemporaryDir m_dir;

    TPlotForm *open(TGraphPlot &g) { return m_plots->open(g); }

    // Answers the next dialogs with the script: each step sets the controls and returns the
    // dialog's result.
    void answer(std::function<int(QDialog *)> script)
    {
        m_plots->ask.dialogScript = [this, script](QDialog *d) {
            m_dialogs << d->objectName();
            return script(d);
        };
    }

    // Saves through the window's command under the filter chosen (empty: the preselected
    // one), answering "Save Attributes" with its fields.
    void saveAs(TPlotForm *w, const QString &name, const QString &filter, const QString &height,
                const QString &width, const QString &ppi, const char *colours = "rb16Colors")
    {
        m_plots->ask.paths = {name};
        m_plots->ask.saveFilter = filter;
        answer([=](QDialog *d) {
            auto *f = qobject_cast<TdlgFormat *>(d);
            f->HeightEdit->setText(height);
            f->WidthEdit->setText(width);
            f->PixelsEdit->setText(ppi);
            f->findChild<QRadioButton *>(colours)->setChecked(true);
            f->OKBtn->click();
            return f->result();
        });
        w->findChild<QAction *>("SaveToDisk1")->trigger();
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init()
    {
        m_dialogs.clear();
        m_plots = std::make_unique<TPlotFrame>();
        m_plots->ask.printers = true;
        QVERIFY(QTest::qWaitForWindowExposed(&m_plots->frame));
    }
    void cleanup() { m_plots.reset(); }

    void graphTitleDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("top");
        QTest::addColumn<int>("result");
        QTest::newRow("title at the top") << "Pier 12" << true << int(QDialog::Accepted);
        QTest::newRow("title at the bottom") << "Pier 12" << false << int(QDialog::Accepted);
        QTest::newRow("closed without OK: still stored") << "Pier 7" << false << int(QDialog::Rejected);
        QTest::newRow("title removed") << "" << true << int(QDialog::Accepted);
    }
    void graphTitleDialog()
    {
        QFETCH(QString, typed);
        QFETCH(bool, top);
        QFETCH(int, result);
        TGraphPlot g;
        fillGraph(g);
        g.Title = "Old title";
        g.TitleLocation = TTitleLocation::Bottom;
        TPlotForm *w = open(g);
        const TPlotRect before = w->screenLayout().plot;
        answer([&](QDialog *d) {
            auto *c = qobject_cast<TfrmGraphCaption *>(d);
            // Preset from the graph.
            if (c->edtCaption->text() != "Old title" || !c->rbBottom->isChecked() || c->rbTop->isChecked())
                return -1;
            c->edtCaption->setText(typed);
            (top ? c->rbTop : c->rbBottom)->setChecked(true);
            return result;
        });
        w->findChild<QAction *>("GraphTitle1")->trigger();
        QCOMPARE(m_dialogs, QStringList{"frmGraphCaption"});
        QCOMPARE(g.Title, typed);
        QCOMPARE(g.TitleLocation, top ? TTitleLocation::Top : TTitleLocation::Bottom);
        // The plot makes room for the title where it stands.
        const TPlotRect after = w->screenLayout().plot;
        const int h = graphFontHeight(g, w->screenTarget());
        if (typed.isEmpty()) {
            QCOMPARE(after.bottom, before.bottom + h);
        } else if (top) {
            QCOMPARE(after.top, before.top + h / 8 + h);
            QCOMPARE(after.bottom, before.bottom + h);
        } else {
            QCOMPARE(after, before);
        }
    }

    void legendDialogPresetAndColours()
    {
        TGraphPlot g;
        fillGraph(g);
        g.Lines(0).Line(1).Name.clear();
        g.DefaultNames = {"first", "second default"};
        TPlotForm *w = open(g);
        QStringList rows, edits;
        QList<QColor> colours;
        answer([&](QDialog *d) {
            auto *n = qobject_cast<TfrmLineNames *>(d);
            for (int i = 0; i < n->lbLines->count(); ++i)
                rows << n->lbLines->item(i)->text();
            for (int r : {0, 2, 1}) {
                if (r != 0)
                    n->lbLines->setCurrentRow(r);
                edits << n->edLine->text();
                colours << n->edLine->palette().color(QPalette::Text);
            }
            return int(QDialog::Rejected);
        });
        w->findChild<QAction *>("EditLegend1")->trigger();
        // Display names: the name, else the default-name entry.
        QCOMPARE(rows, (QStringList{"Line 1", "second default", "Line 3"}));
        QCOMPARE(edits, (QStringList{"Line 1", "Line 3", "second default"}));
        QCOMPARE(colours, (QList<QColor>{paletteColor(0), paletteColor(2), paletteColor(1)}));
    }

    void legendDialogStoresAndRefusesEmptyNames()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QString afterEmpty;
        answer([&](QDialog *d) {
            auto *n = qobject_cast<TfrmLineNames *>(d);
            n->lbLines->setCurrentRow(1);
            n->edLine->setText("Dia=4.5 ft");
            QTest::keyClick(n->edLine, Qt::Key_Return);
            n->lbLines->setCurrentRow(2);
            n->edLine->clear();
            QTest::keyClick(n->edLine, Qt::Key_Return);
            afterEmpty = n->edLine->text();
            n->OKBtn->click();
            return n->result();
        });
        w->findChild<QAction *>("EditLegend1")->trigger();
        QCOMPARE(m_plots->ask.messages, QStringList{"The line must have a name!"});
        QCOMPARE(afterEmpty, QString("Line 3"));
        QCOMPARE(g.Lines(0).Line(1).Name, QString("Dia=4.5 ft"));
        QCOMPARE(g.Lines(0).Line(2).Name, QString("Line 3"));
        QCOMPARE(legendTexts(w), (QStringList{"Line 1", "Dia=4.5 ft", "Line 3"}));
        QCOMPARE(itemTexts(w), (QStringList{"Line 1", "Dia=4.5 ft", "Line 3"}));
    }

    void legendDialogCancelChangesNothing()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        answer([&](QDialog *d) {
            auto *n = qobject_cast<TfrmLineNames *>(d);
            n->edLine->setText("renamed");
            QTest::keyClick(n->edLine, Qt::Key_Return);
            n->CancelBtn->click();
            return n->result();
        });
        w->findChild<QAction *>("EditLegend1")->trigger();
        QCOMPARE(g.Lines(0).Line(0).Name, QString("Line 1"));
        QCOMPARE(legendTexts(w), (QStringList{"Line 1", "Line 2", "Line 3"}));
    }

    void activeCurvesRows()
    {
        TGraphPlot g;
        fillGraph(g, 3);
        TPlotForm *w = open(g);
        QStringList rows, afterDoubleClick, afterToggle;
        answer([&](QDialog *d) {
            auto *a = qobject_cast<TfrmActiveLines *>(d);
            auto texts = [a] {
                QStringList out;
                for (int i = 0; i < a->lbLines->count(); ++i)
                    out << a->lbLines->item(i)->text();
                return out;
            };
            rows = texts();
            QListWidgetItem *second = a->lbLines->item(1);
            a->lbLines->setCurrentItem(second);
            emit a->lbLines->itemDoubleClicked(second);
            afterDoubleClick = texts();
            a->lbLines->clearSelection();
            a->lbLines->item(0)->setSelected(true);
            a->lbLines->item(1)->setSelected(true);
            a->ToggleSelectedBtn->click();
            afterToggle = texts();
            return int(QDialog::Rejected);
        });
        w->findChild<QAction *>("ActiveCurves1")->trigger();
        QCOMPARE(rows, (QStringList{" yes :    Line 1", " yes :    Line 2", " yes :    Line 3"}));
        QCOMPARE(afterDoubleClick, (QStringList{" yes :    Line 1", " no  :    Line 2", " yes :    Line 3"}));
        QCOMPARE(afterToggle, (QStringList{" no  :    Line 1", " yes :    Line 2", " yes :    Line 3"}));
        // Cancel: nothing changed.
        QVERIFY(g.Lines(0).Line(0).Active && g.Lines(0).Line(1).Active);
        QCOMPARE(w->legend()->rowCount(), 3);
    }

    void deactivatingAllThenReactivatingSomeRebuildsInLineOrder()
    {
        TGraphPlot g;
        fillGraph(g, 5);
        TPlotForm *w = open(g);
        answer([](QDialog *d) {
            auto *a = qobject_cast<TfrmActiveLines *>(d);
            a->DeactivateAllBtn->click();
            a->OKBtn->click();
            return a->result();
        });
        w->findChild<QAction *>("ActiveCurves1")->trigger();
        QCOMPARE(w->legend()->rowCount(), 0);
        QVERIFY(w->lineItems().empty());
        QVERIFY(!w->legend()->isVisible());
        QCOMPARE(w->plotMenu()->actions().last()->isSeparator(), true); // no line items left
        for (int i = 0; i < 5; ++i)
            QVERIFY(!g.Lines(0).Line(i).Active);

        // Rows 4 and 2 selected, in that order, and toggled.
        answer([](QDialog *d) {
            auto *a = qobject_cast<TfrmActiveLines *>(d);
            a->lbLines->item(3)->setSelected(true);
            a->lbLines->item(1)->setSelected(true);
            a->ToggleSelectedBtn->click();
            a->OKBtn->click();
            return a->result();
        });
        w->findChild<QAction *>("ActiveCurves1")->trigger();
        QCOMPARE(legendTexts(w), (QStringList{"Line 2", "Line 4"}));
        QCOMPARE(itemTexts(w), (QStringList{"Line 2", "Line 4"}));
        QCOMPARE(itemLines(w), (QList<int>{1, 3}));
        QVERIFY(w->legend()->isVisible());
        QCOMPARE(w->legend()->height(), 2 * w->legend()->rowHeight() + 3);
        QCOMPARE(w->plotMenu()->actions().last(), w->lineItems().back());
        // Colours follow the position among the active curves.
        QCOMPARE(g.ActivePosition(3), 1);

        answer([](QDialog *d) {
            auto *a = qobject_cast<TfrmActiveLines *>(d);
            a->ActivateAllBtn->click();
            a->OKBtn->click();
            return a->result();
        });
        w->findChild<QAction *>("ActiveCurves1")->trigger();
        QCOMPARE(itemLines(w), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(legendTexts(w), (QStringList{"Line 1", "Line 2", "Line 3", "Line 4", "Line 5"}));
        // The item of line 3 toggles line 3.
        w->lineItems().at(2)->trigger();
        QVERIFY(!g.Lines(0).Line(2).Visible);
    }

    void renamingWithInactiveCurvesChangesOnlyItsRow()
    {
        TGraphPlot g;
        fillGraph(g, 5);
        TPlotForm *w = open(g);
        answer([](QDialog *d) {
            auto *a = qobject_cast<TfrmActiveLines *>(d);
            emit a->lbLines->itemDoubleClicked(a->lbLines->item(1));
            emit a->lbLines->itemDoubleClicked(a->lbLines->item(3));
            a->OKBtn->click();
            return a->result();
        });
        w->findChild<QAction *>("ActiveCurves1")->trigger();
        QCOMPARE(legendTexts(w), (QStringList{"Line 1", "Line 3", "Line 5"}));
        answer([](QDialog *d) {
            auto *n = qobject_cast<TfrmLineNames *>(d);
            n->lbLines->setCurrentRow(2);
            n->edLine->setText("Dia=5 ft");
            QTest::keyClick(n->edLine, Qt::Key_Return);
            n->OKBtn->click();
            return n->result();
        });
        w->findChild<QAction *>("EditLegend1")->trigger();
        QCOMPARE(legendTexts(w), (QStringList{"Line 1", "Dia=5 ft", "Line 5"}));
        QCOMPARE(itemTexts(w), (QStringList{"Line 1", "Dia=5 ft", "Line 5"}));
        QCOMPARE(g.Lines(0).Line(2).Name, QString("Dia=5 ft"));
        QCOMPARE(g.Lines(0).Line(1).Name, QString("Line 2"));
    }

    void saveAttributesFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("height below 2") << "HeightEdit" << "1" << "2" << "Entry must be greater than or equal to 2";
        QTest::newRow("width below 2") << "WidthEdit" << "1.5" << "2" << "Entry must be greater than or equal to 2";
        QTest::newRow("pixels below 10") << "PixelsEdit" << "5" << "10" << "Entry must be greater than or equal to 10";
        QTest::newRow("pixels not whole") << "PixelsEdit" << "72.5" << "72.5" << "Entry must be an integer.";
        QTest::newRow("an expression") << "WidthEdit" << "3*2.5" << "7.5" << "";
    }
    void saveAttributesFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        TdlgFormat dialog;
        QCOMPARE(dialog.windowTitle(), QString("Save Attributes"));
        QCOMPARE(dialog.HeightEdit->text(), QString("4"));
        QCOMPARE(dialog.WidthEdit->text(), QString("6"));
        QCOMPARE(dialog.PixelsEdit->text(), QString("72"));
        QVERIFY(dialog.rb16Colors->isChecked());
        QCOMPARE(dialog.HeightEdit->labelText(), QString("&Height (in)"));
        QCOMPARE(dialog.PixelsEdit->labelText(), QString("&Pixels Per Inch"));
        auto *edit = dialog.findChild<TDataEdit *>(field);
        edit->setText(typed);
        dialog.OKBtn->click();
        QCOMPARE(edit->text(), shown);
        QCOMPARE(m_plots->ask.messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(dialog.result(), message.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }

    void saveAttributesMakesThePicture_data()
    {
        QTest::addColumn<bool>("raster");
        QTest::addColumn<QString>("ppi");
        QTest::addColumn<int>("result");
        QTest::addColumn<QSize>("size");
        QTest::newRow("defaults") << true << "72" << int(QDialog::Accepted) << QSize(432, 288);
        QTest::newRow("100 per inch") << true << "100" << int(QDialog::Accepted) << QSize(600, 400);
        QTest::newRow("too large for memory") << true << "100000" << TdlgFormat::kNotEnoughMemory << QSize();
        QTest::newRow("drawing: no bitmap") << false << "300" << int(QDialog::Accepted) << QSize(1800, 1200);
    }
    void saveAttributesMakesThePicture()
    {
        QFETCH(bool, raster);
        QFETCH(QString, ppi);
        QFETCH(int, result);
        QFETCH(QSize, size);
        TdlgFormat dialog(raster);
        dialog.PixelsEdit->setText(ppi);
        dialog.OKBtn->click();
        QCOMPARE(dialog.result(), result);
        QCOMPARE(dialog.pictureSize(), size);
        const QImage image = dialog.takeImage();
        QCOMPARE(image.isNull(), !raster || size.isEmpty());
        if (!image.isNull()) {
            QCOMPARE(image.size(), size);
            QCOMPARE(image.pixel(size.width() / 2, size.height() / 2), qRgb(255, 255, 255));
        }
        QVERIFY(m_plots->ask.messages.isEmpty());
    }

    void saveToDiskByExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("bmp, the default") << "graph" << "" << "graph.bmp" << QByteArray("BM");
        QTest::newRow("png by extension") << "graph.png" << "" << "graph.png" << QByteArray("\x89PNG");
        QTest::newRow("png by filter") << "graph" << "PNG image (*.png)" << "graph.png" << QByteArray("\x89PNG");
        QTest::newRow("pdf, any case") << "graph.PDF" << "" << "graph.PDF" << QByteArray("%PDF");
        QTest::newRow("svg") << "graph.svg" << "" << "graph.svg" << QByteArray("<?xml");
    }
    void saveToDiskByExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        saveAs(w, m_dir.filePath(chosen), filter, "4", "6", "50", "rbTrueColor");
        QCOMPARE(m_plots->ask.messages, QStringList{});
        QCOMPARE(m_dialogs, QStringList{"dlgFormat"});
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{written});
        const QString path = m_dir.filePath(written);
        QCOMPARE(fileHead(path, magic.size()), magic);
        const QString ext = QFileInfo(path).suffix().toLower();
        if (ext == "bmp" || ext == "png") {
            const QImage image(path);
            QCOMPARE(image.size(), QSize(300, 200));
            // Drawn for 50 pixels per inch: the plot's frame where that layout puts it, and
            // the legend's box.
            const PaintTarget t{QRect(0, 0, 300, 200), 50, 50, OutputMode::Bitmap};
            const TPlotRect plot = layoutFor(g, t).plot;
            QCOMPARE(QColor(image.pixel(plot.left, (plot.top + plot.bottom) / 2)), QColor(Qt::black));
            const QRect box = pictureLegendRect(g, w->pictureView(), t, layoutFor(g, t), &image);
            QVERIFY(!box.isEmpty());
            QCOMPARE(QColor(image.pixel(box.left(), box.center().y())), QColor(Qt::black));
            QCOMPARE(QColor(image.pixel(box.right() - 1, box.top() + 1)), QColor(Qt::white));
        } else if (ext == "pdf") {
            QVERIFY(fileAll(path).contains("/MediaBox [0 0 432.000000 288.000000]")); // 6 by 4 inches
        } else {
            const QByteArray svg = fileAll(path);
            QVERIFY(svg.contains("width=\"152.4mm\" height=\"101.6mm\""));
            QVERIFY(svg.contains("viewBox=\"0 0 300 200\""));
        }
    }

    void savedColourDepth_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("redKept");
        QTest::newRow("black and white") << "rbBlackWhite" << 1 << false;
        QTest::newRow("16 colours") << "rb16Colors" << 8 << true;
        QTest::newRow("true colour") << "rbTrueColor" << 24 << true;
    }
    void savedColourDepth()
    {
        QFETCH(QString, choice);
        QFETCH(int, depth);
        QFETCH(bool, redKept);
        TGraphPlot g;
        fillGraph(g);
        g.WidthLine = 4;
        TPlotForm *w = open(g);
        const QString path = m_dir.filePath("depth.bmp");
        saveAs(w, path, "", "4", "6", "50", qPrintable(choice));
        QVERIFY(m_plots->ask.messages.isEmpty());
        QImage image(path);
        QVERIFY(!image.isNull());
        QCOMPARE(image.depth() <= 8 ? (image.depth() == 1 ? 1 : 8) : 24, depth);
        if (depth == 8)
            QVERIFY(image.colorCount() <= 16);
        // The third curve (red) through its middle point.
        const PaintTarget t{QRect(0, 0, 300, 200), 50, 50, OutputMode::Bitmap};
        const QPoint mid = mapToDevice(w->view().current, layoutFor(g, t).plot, true, 200, 30);
        image = image.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QColor(image.pixel(mid)), redKept ? QColor(255, 0, 0) : QColor(0, 0, 0));
        if (depth == 8) {
            // The dotted gray grid survives as gray ink, not as black at half cover or paper:
            // some row across the plot is dotted gray.
            const TPlotRect plot = layoutFor(g, t).plot;
            int dottedRow = 0;
            for (int y = plot.top + 1; y < plot.bottom; ++y) {
                int gray = 0;
                for (int x = plot.left + 1; x < plot.right; ++x)
                    gray += QColor(image.pixel(x, y)) == QColor(128, 128, 128);
                dottedRow = std::max(dottedRow, gray);
            }
            QVERIFY2(dottedRow > (plot.right - plot.left) / 4, qPrintable(QString::number(dottedRow)));
        }
    }

    void saveFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ppi");
        QTest::addColumn<QString>("message");
        QTest::newRow("not enough memory") << "big.bmp" << "100000"
                                           << "There is not enough memory to complete this task.";
        const QString unwritten = "The picture could not be written to ";
        QTest::newRow("folder missing") << "no/such/folder/x.png" << "50" << unwritten;
        QTest::newRow("folder missing, pdf") << "no/such/folder/x.pdf" << "50" << unwritten;
    }
    void saveFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, ppi);
        QFETCH(QString, message);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const QString path = m_dir.filePath(name);
        saveAs(w, path, "", "4", "6", ppi);
        QCOMPARE(m_plots->ask.messages.size(), 1);
        QVERIFY2(m_plots->ask.messages.first().startsWith(message), qPrintable(m_plots->ask.messages.first()));
        QVERIFY(!QFileInfo::exists(path));
    }

    void cancelledSaveWritesNothing()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        m_plots->ask.paths = {QString()};
        answer([](QDialog *) { return int(QDialog::Accepted); });
        w->findChild<QAction *>("SaveToDisk1")->trigger();
        QVERIFY(m_dialogs.isEmpty()); // no "Save Attributes" after Cancel
        const QString path = m_dir.filePath("cancelled.bmp");
        m_plots->ask.paths = {path};
        answer([](QDialog *d) {
            qobject_cast<TdlgFormat *>(d)->CancelBtn->click();
            return d->result();
        });
        w->findChild<QAction *>("SaveToDisk1")->trigger();
        QCOMPARE(m_dialogs, QStringList{"dlgFormat"});
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(m_plots->ask.messages.isEmpty());
    }

    void printToAPdfPrinter()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        const QString path = m_dir.filePath("printed.pdf");
        answer([path](QDialog *d) {
            auto *p = qobject_cast<QPrintDialog *>(d);
            if (!p)
                return int(QDialog::Rejected);
            p->printer()->setOutputFormat(QPrinter::PdfFormat);
            p->printer()->setOutputFileName(path);
            return int(QDialog::Accepted);
        });
        w->findChild<QAction *>("Print1")->trigger();
        QCOMPARE(m_dialogs.size(), 1);
        QVERIFY(m_plots->ask.messages.isEmpty());
        QCOMPARE(w->printer().docName(), QString("Dialog Graph"));
        const QByteArray pdf = fileAll(path);
        QVERIFY(pdf.startsWith("%PDF"));
        // The job title is the document's title, written in UTF-16.
        QByteArray title("\xfe\xff", 2);
        for (QChar c : QString("Dialog Graph"))
            title += char(c.unicode() >> 8), title += char(c.unicode() & 0xff);
        QVERIFY(pdf.contains(title));

        // Cancelled: no job.
        QFile::remove(path);
        answer([](QDialog *) { return int(QDialog::Rejected); });
        w->findChild<QAction *>("Print1")->trigger();
        QVERIFY(!QFileInfo::exists(path));
    }

    void printAreaKeepsTheUnprintableBorder_data()
    {
        QTest::addColumn<int>("margin");   // thousandths of an inch on every side
        QTest::addColumn<QRect>("inches"); // expected edges in thousandths: left, top, right, bottom
        // Letter paper, 8.5 x 11 in, unprintable border 0.5, 0.375, 0.25 and 0.125 in (whole
        // points, as printers report it).
        QTest::newRow("one inch") << 1000 << QRect(QPoint(1000, 1000), QPoint(7500, 10000));
        QTest::newRow("below the border") << 100 << QRect(QPoint(500, 375), QPoint(8250, 10875));
        QTest::newRow("none") << 0 << QRect(QPoint(500, 375), QPoint(8250, 10875));
        QTest::newRow("beyond on two sides only") << 400 << QRect(QPoint(500, 400), QPoint(8100, 10600));
    }
    void printAreaKeepsTheUnprintableBorder()
    {
        QFETCH(int, margin);
        QFETCH(QRect, inches);
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(1, 1, 1, 1),
                                          QPageLayout::Inch, QMarginsF(0.5, 0.375, 0.25, 0.125)));
        w->pageSetup().Margins = {margin, margin, margin, margin};
        const int dpi = printer.resolution();
        const QRect area = w->printArea(printer);
        auto px = [dpi](int thou) { return thou * dpi / 1000; };
        QCOMPARE(area.left(), px(inches.left()));
        QCOMPARE(area.top(), px(inches.top()));
        QCOMPARE(area.left() + area.width(), px(inches.left() + inches.width() - 1));
        QCOMPARE(area.top() + area.height(), px(inches.top() + inches.height() - 1));
    }

    void pageSetupKeepsTheMargins()
    {
        TGraphPlot g;
        fillGraph(g);
        TPlotForm *w = open(g);
        QCOMPARE(w->pageSetup().Margins, (std::array<int, 4>{1000, 1000, 1000, 1000}));
        w->printer().setOutputFormat(QPrinter::PdfFormat);
        QMarginsF preset;
        answer([&](QDialog *d) {
            auto *p = qobject_cast<QPageSetupDialog *>(d);
            preset = p->printer()->pageLayout().margins(QPageLayout::Inch);
            p->printer()->setPageMargins(QMarginsF(0.5, 0.75, 1.25, 0.25), QPageLayout::Inch);
            return int(QDialog::Accepted);
        });
        w->findChild<QAction *>("PageSetup1")->trigger();
        QCOMPARE(preset, QMarginsF(1, 1, 1, 1));
        QCOMPARE(w->pageSetup().Margins, (std::array<int, 4>{500, 750, 1250, 250}));
        answer([](QDialog *d) {
            qobject_cast<QPageSetupDialog *>(d)->printer()->setPageMargins(QMarginsF(2, 2, 2, 2), QPageLayout::Inch);
            return int(QDialog::Rejected);
        });
        w->findChild<QAction *>("PageSetup1")->trigger();
        QCOMPARE(w->pageSetup().Margins, (std::array<int, 4>{500, 750, 1250, 250}));
        QVERIFY(m_plots->ask.messages.isEmpty());
    }
};

QTEST_MAIN(TestPlotFormDialogs)
#include "tst_plotform_dialogs.moc"
