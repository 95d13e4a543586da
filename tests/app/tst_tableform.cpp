#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Table.h"
#include "core/ColumnTypes.h"
#include "scripted_ask.h"

class TestTableForm : public QObject {
    Q_OBJECT
    std::unique_ptr<TScriptedAsk> m_ask;

    TTableForm *openActive(TGridTable &table)
    {
        TTableForm *form = TTableForm::open(table);
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form))
            qWarning("table window not active");
        return form;
    }

    // Types text into a cell as a user does: the first key opens the editor in place.
    QLineEdit *typeInto(TTableForm *form, int row, int col, const QString &text)
    {
        TGridView *grid = form->grid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(row, col));
        QTest::keyClick(grid, text.at(0).toLatin1());
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        if (editor)
            QTest::keyClicks(editor, text.mid(1));
        return editor;
    }

private slots:
    void init() { m_ask = std::make_unique<TScriptedAsk>(); }
    void cleanup() { m_ask.reset(); }

    void expressionInCellStoresValue()
    {
        auto d = TGridTable::fromTemplate(10);
        TTableForm *form = openActive(*d);
        QLineEdit *editor = typeInto(form, 0, colDepth, "3*40");
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(d->floatValue(colDepth, 0), 120.0);
        QCOMPARE(form->grid()->model()->index(0, colDepth).data().toString(), QString("120"));
        QVERIFY(m_ask->messages.isEmpty());
        QVERIFY(d->changed());
        form->close();
    }

    void blowCountRange_data()
    {
        QTest::addColumn<int>("templateId");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("stored");
        QTest::newRow("sand refuses 101") << 1 << 2 << "101" << "Entry must be between 0 and 100." << 0;
        QTest::newRow("sand takes 100") << 1 << 2 << "100" << "" << 100;
        QTest::newRow("sand refuses fraction") << 1 << 2 << "12.5" << "Entry must be an integer." << 0;
        QTest::newRow("gravelly sand takes 101") << 31 << 1 << "101" << "" << 101;
        QTest::newRow("gravel takes 101") << 32 << 1 << "101" << "" << 101;
        QTest::newRow("not a number") << 1 << 2 << "abc" << "abc is not a valid number." << 0;
    }
    void blowCountRange()
    {
        QFETCH(int, templateId);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, stored);
        auto t = TGridTable::fromTemplate(templateId);
        TTableForm *form = openActive(*t);
        QLineEdit *editor = typeInto(form, 0, column, typed);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // Enter commits through a queued call
        QCOMPARE(m_ask->messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(t->intValue(column, 0), stored);
        if (!message.isEmpty()) {
            // The cell keeps its editor and the window refuses to close until it is valid.
            QVERIFY(form->grid()->isEditing());
            QVERIFY(!form->close());
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        QVERIFY(form->close());
    }

    void blankCellRefused()
    {
        auto d = TGridTable::fromTemplate(10);
        d->setFloat(colDepth, 0, 15);
        TTableForm *form = openActive(*d);
        QLineEdit *editor = typeInto(form, 0, colDepth, "1");
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(m_ask->messages, QStringList{"Entry cannot be blank."});
        QCOMPARE(d->floatValue(colDepth, 0), 15.0);
        QTRY_COMPARE(form->grid()->currentIndex().column(), int(colDepth));
        QTest::keyClick(editor, Qt::Key_Escape);
        form->close();
    }

    void clickingAwayFromRefusedCell()
    {
        auto d = TGridTable::fromTemplate(10);
        TTableForm *form = openActive(*d);
        QLineEdit *editor = typeInto(form, 0, colDepth, "abc");
        QVERIFY(editor);
        TGridView *grid = form->grid();
        const QRect other = grid->visualRect(grid->model()->index(0, colMaxSide));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, other.center());
        QCOMPARE(m_ask->messages, QStringList{"abc is not a valid number."});
        QTRY_COMPARE(grid->currentIndex().column(), int(colDepth));
        QVERIFY(grid->isEditing());
        editor->setText("12");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, other.center());
        QCOMPARE(d->floatValue(colDepth, 0), 12.0);
        QCOMPARE(grid->currentIndex().column(), int(colMaxSide));
        QCOMPARE(m_ask->messages.size(), 1);
        form->close();
    }

    void goingToAnotherWindowCommits()
    {
        auto d = TGridTable::fromTemplate(10);
        TTableForm *form = openActive(*d);
        QVERIFY(typeInto(form, 0, colDepth, "2*5"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_COMPARE(d->floatValue(colDepth, 0), 10.0);
        form->close();
    }

    void rowButtons()
    {
        auto d = TGridTable::fromTemplate(10);
        TTableForm *form = openActive(*d);
        QCOMPARE(form->addButton()->text(), QString("&Add Row"));
        QVERIFY(form->addButton()->isVisible());
        QVERIFY(form->addButton()->isEnabled());
        QVERIFY(form->insertButton()->isEnabled());
        QVERIFY(!form->deleteButton()->isEnabled());
        for (int k = 1; k < 20; ++k)
            QTest::mouseClick(form->addButton(), Qt::LeftButton);
        QCOMPARE(d->rowCount(), 20);
        QVERIFY(!form->addButton()->isEnabled());
        QVERIFY(!form->insertButton()->isEnabled());
        QVERIFY(form->deleteButton()->isEnabled());
        QVERIFY(d->changed());
        QCOMPARE(static_cast<QPushButton *>(form->cellWidget(19, colLayerData))->text(), QString("20: Sand Layer Data"));

        // Insert before the current row, delete the current row.
        d->setFloat(colDepth, 4, 50);
        form->grid()->setCurrentIndex(form->grid()->model()->index(4, colDepth));
        QTest::mouseClick(form->deleteButton(), Qt::LeftButton);
        QCOMPARE(d->rowCount(), 19);
        QVERIFY(form->addButton()->isEnabled());
        form->grid()->setCurrentIndex(form->grid()->model()->index(2, colDepth));
        QTest::mouseClick(form->insertButton(), Qt::LeftButton);
        QCOMPARE(d->rowCount(), 20);
        QCOMPARE(d->floatValue(colDepth, 2), 0.0);
        QCOMPARE(form->grid()->model()->headerData(19, Qt::Vertical).toInt(), 20);
        form->close();
    }

    void propertyTablesHaveFixedRows_data()
    {
        QTest::addColumn<int>("templateId");
        QTest::addColumn<bool>("buttonsShown");
        for (int id : {1, 2, 3, 4, 5, 6, 7})
            QTest::newRow(qPrintable(QString("template %1").arg(id))) << id << false;
        QTest::newRow("template 31") << 31 << true;
        QTest::newRow("template 32") << 32 << true;
    }
    void propertyTablesHaveFixedRows()
    {
        QFETCH(int, templateId);
        QFETCH(bool, buttonsShown);
        auto t = TGridTable::fromTemplate(templateId);
        TTableForm *form = openActive(*t);
        QCOMPARE(form->grid()->model()->rowCount(), 2);
        QCOMPARE(form->addButton()->isVisible(), buttonsShown);
        QVERIFY(!form->addButton()->isEnabled());
        QVERIFY(!form->deleteButton()->isEnabled());
        form->close();
    }

    void soilTypeChangeReplacesPropertyTable()
    {
        auto d = TGridTable::fromTemplate(10);
        d->setRowCount(3);
        TTableForm *form = openActive(*d);
        auto *button = qobject_cast<QPushButton *>(form->cellWidget(2, colLayerData));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        TTableForm *sandForm = TTableForm::formOf(d->nested(colLayerData, 2));
        QVERIFY(sandForm);
        QCOMPARE(sandForm->windowTitle(), QString("Sand Layer Data  3"));
        QCOMPARE(sandForm->grid()->findChild<QLabel *>("TopLeft")->text(), QString("Location, 1=Top, 2=Bottom"));

        d->nested(colLayerData, 1).setFloat(0, 0, 110);
        auto *list = qobject_cast<QComboBox *>(form->cellWidget(1, colSoilType));
        QVERIFY(list);
        QCOMPARE(list->currentText(), QString("sand (FHWA Spec.)"));
        QCOMPARE(list->maxVisibleItems(), 11);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(d->intValue(colSoilType, 1), 2);
        QCOMPARE(d->nested(colLayerData, 1).Caption, QString("Clay Layer Data"));
        QCOMPARE(d->nested(colLayerData, 1).floatValue(0, 0), 0.0);
        QCOMPARE(static_cast<QPushButton *>(form->cellWidget(1, colLayerData))->text(), QString("2: Clay Layer Data"));

        // The open window of a property table that is replaced goes away with it.
        auto *list3 = qobject_cast<QComboBox *>(form->cellWidget(2, colSoilType));
        list3->setFocus();
        QTest::keyClick(list3, Qt::Key_Down);
        QVERIFY(!TTableForm::formOf(d->nested(colLayerData, 2)));
        QTRY_VERIFY(!sandForm->isVisible());
        form->close();
    }

    void unitsShowInHeadersAndConvertOnce()
    {
        auto d = TGridTable::fromTemplate(10);
        d->setFloat(colDepth, 0, 10);
        TTableForm *form = openActive(*d);
        QCOMPARE(form->grid()->model()->headerData(colDepth, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Depth at Bottom \nof each Layer\n(ft)"));
        d->setUnits(2);
        d->setUnits(2);
        QCOMPARE(form->grid()->model()->index(0, colDepth).data().toString(), QString("3.048"));
        QCOMPARE(form->grid()->model()->headerData(colMaxSide, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Max. Side \nFriction\n(kN/m^2)"));
        form->close();
    }

    void commentsShownWhenGiven()
    {
        auto d = TGridTable::fromTemplate(10);
        d->Comments = layerComments(1);
        TTableForm *form = openActive(*d);
        auto *comments = form->findChild<QLabel *>("Comments");
        QVERIFY(comments->isVisible());
        QVERIFY(comments->text().endsWith("for for tip resistance in each layer."));
        QVERIFY(comments->text().contains("\nLRFD Resistance Factors\n"));
        QCOMPARE(form->windowTitle(), QString("Soil Layer Data "));
        form->close();
        auto sand = TGridTable::fromTemplate(1);
        TTableForm *sandForm = openActive(*sand);
        QVERIFY(!sandForm->findChild<QLabel *>("Comments")->isVisible());
        sandForm->close();
    }
};

QTEST_MAIN(TestTableForm)
#include "tst_tableform.moc"
