#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

#include "DataEdit.h"
#include "scripted_ask.h"

class TestDataEdit : public QObject {
    Q_OBJECT
    std::unique_ptr<TScriptedAsk> m_ask;

private slots:
    void init() { m_ask = std::make_unique<TScriptedAsk>(); }
    void cleanup() { m_ask.reset(); }

    void enterValidates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("integerOnly");
        QTest::addColumn<double>("minVal");
        QTest::addColumn<double>("maxVal");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("expression") << "3*40" << false << 0.0 << 1000.0 << "120" << "";
        QTest::newRow("above maximum") << "35" << false << 0.0 << 30.0 << "30"
                                       << "Entry must be less than or equal to 30";
        QTest::newRow("below minimum") << "-1" << false << 0.0 << 30.0 << "0"
                                       << "Entry must be greater than or equal to 0";
        QTest::newRow("maximum itself") << "30" << false << 0.0 << 30.0 << "30" << "";
        QTest::newRow("text in integer field") << "abc" << true << 0.0 << 100.0 << "abc"
                                               << "Entry must be a valid integer.";
        QTest::newRow("fraction in integer field") << "2.5" << true << 0.0 << 100.0 << "2.5"
                                                   << "Entry must be an integer.";
        QTest::newRow("evaluator message") << "2**3" << false << 0.0 << 100.0 << "2**3"
                                           << "Entry could not be evaluated:\rinvalid expression";
        QTest::newRow("hex shown as decimal") << "$FF" << false << 0.0 << 1000.0 << "255" << "";
    }
    void enterValidates()
    {
        QFETCH(QString, typed);
        QFETCH(bool, integerOnly);
        QFETCH(double, minVal);
        QFETCH(double, maxVal);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        QWidget form;
        auto *edit = new TDataEdit(&form);
        edit->setIntegerOnly(integerOnly);
        edit->setMinVal(minVal);
        edit->setMaxVal(maxVal);
        form.show();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(m_ask->messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(edit->selectedText(), shown); // Enter selects the whole text
    }

    void leavingTheField()
    {
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *first = new TDataEdit(&form);
        auto *second = new TDataEdit(&form);
        layout->addWidget(first);
        layout->addWidget(second);
        first->setMaxVal(30);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, "2+3");
        second->setFocus();
        QCOMPARE(first->text(), QString("5"));
        QVERIFY(m_ask->messages.isEmpty());

        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, "35");
        second->setFocus();
        QCOMPARE(m_ask->messages, QStringList{"Entry must be less than or equal to 30"});
        QCOMPARE(first->text(), QString("30"));
        QTRY_VERIFY(first->hasFocus()); // the focus comes back to the field
    }

    void operatorExtendsSelectedValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("operator extends") << "*2" << "24";
        QTest::newRow("minus extends") << "-2" << "10";
        QTest::newRow("digit replaces") << "7" << "7";
    }
    void operatorExtendsSelectedValue()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TDataEdit edit;
        edit.setNumber(12);
        edit.show();
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, typed);
        QTest::keyClick(&edit, Qt::Key_Enter);
        QCOMPARE(edit.text(), shown);
    }

    void numberFormatting_data()
    {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimal") << false << 0.1 << "0.1";
        QTest::newRow("hex four digits") << true << 255.0 << "$00FF";
        QTest::newRow("hex rounds") << true << 31.6 << "$0020";
        QTest::newRow("hex wide") << true << 1048576.0 << "$100000";
    }
    void numberFormatting()
    {
        QFETCH(bool, hex);
        QFETCH(double, value);
        QFETCH(QString, text);
        TDataEdit edit;
        edit.setHex(hex);
        edit.setNumber(value);
        QCOMPARE(edit.text(), text);
    }

    void bounds()
    {
        TDataEdit edit;
        edit.setNumber(50);
        edit.setMaxVal(30);
        QCOMPARE(edit.text(), QString("30"));
        edit.setMinVal(40); // not above the maximum
        QCOMPARE(edit.MinVal(), 30.0);
        edit.setMaxVal(10); // not below the minimum
        QCOMPARE(edit.MaxVal(), 30.0);
        TDataEdit whole;
        whole.setIntegerOnly(true);
        QCOMPARE(whole.MaxVal(), 2147483647.0);
        QCOMPARE(whole.MinVal(), -2147483648.0);
        whole.setNumber(1e12);
        QCOMPARE(whole.text(), QString("2147483647"));
    }

    void companionLabel_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("label");
        QTest::newRow("no unit") << "" << 1 << "Ratio";
        QTest::newRow("stress English") << "F/L2^2" << 1 << "Ratio (lbs/ft^2)";
        QTest::newRow("stress SI") << "F/L2^2" << 2 << "Ratio (kN/m^2)";
        QTest::newRow("no substitution") << "F/L2^2" << 3 << "Ratio (F/L2^2)";
        QTest::newRow("units clamped") << "L2" << 9 << "Ratio (L2)";
    }
    void companionLabel()
    {
        QFETCH(QString, pattern);
        QFETCH(int, units);
        QFETCH(QString, label);
        QWidget form;
        auto *text = new QLabel(&form);
        auto *edit = new TDataEdit(&form);
        edit->setEditLabel(text);
        edit->setCaption("Ratio");
        edit->setUnitsString(pattern);
        edit->setUnits(units);
        QCOMPARE(text->text(), label);
        QCOMPARE(text->buddy(), edit);
        edit->setEnabled(false);
        QVERIFY(!text->isEnabled());
        edit->setEnabled(true);
        QVERIFY(text->isEnabled());
    }
};

QTEST_MAIN(TestDataEdit)
#include "tst_dataedit.moc"
