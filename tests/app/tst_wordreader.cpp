#include <QtTest>

#include "core/WordRead.h"

class TestWordReader : public QObject {
    Q_OBJECT
private slots:
    void splitsWords()
    {
        TWordReader r = TWordReader::fromText("  1\t 2.5   x  \r\n\n7");
        QCOMPARE(r.WordsOnLine(), 3);
        QCOMPARE(r.ReadInteger(), 1);
        QCOMPARE(r.ReadFloat(), 2.5);
        QCOMPARE(QString::fromStdString(r.ReadWord()), QString("x"));
        // The empty line between is passed over.
        QCOMPARE(r.ReadInteger(), 7);
        QVERIFY(!r.AtEnd());
        try {
            r.ReadWord();
            QFAIL("read past the end");
        } catch (const EInOutError &e) {
            QCOMPARE(QString(e.what()), QString("This file either invalid or incomplete."));
        }
        QVERIFY(r.AtEnd());
    }

    void readLineKeepsRawText()
    {
        TWordReader r = TWordReader::fromText("  Pier 12 - clay  \r\n1 \r\n");
        QCOMPARE(QString::fromStdString(r.ReadLine()), QString("  Pier 12 - clay  "));
        QCOMPARE(r.WordsOnLine(), 1);
        QCOMPARE(r.ReadInteger(), 1);
        QCOMPARE(QString::fromStdString(r.ReadLine()), QString("1 "));
        QVERIFY(r.AtEnd());
        QCOMPARE(r.WordsOnLine(), 0);
        QVERIFY_THROWS_EXCEPTION(EInOutError, r.ReadLine());
    }

    void endGroupStartsOnNewLine()
    {
        TWordReader r = TWordReader::fromText("1 2 3\n\n  \n4 5\n6");
        r.EndGroup(); // nothing read yet: stays on the line
        QCOMPARE(r.ReadInteger(), 1);
        r.EndGroup();
        QCOMPARE(r.WordsOnLine(), 2);
        QCOMPARE(r.ReadInteger(), 4);
        QCOMPARE(r.ReadInteger(), 5);
        r.EndGroup();
        QCOMPARE(r.ReadInteger(), 6);
        r.EndGroup();
        QVERIFY(r.AtEnd());
    }

    void emptyTextHoldsOneLine()
    {
        TWordReader r = TWordReader::fromText("");
        QVERIFY(!r.AtEnd());
        QCOMPARE(r.WordsOnLine(), 0);
        QVERIFY_THROWS_EXCEPTION(EInOutError, r.ReadWord());
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("integer");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString f = "Error on Line 2 Item 3\rA floating point number was expected but not found.";
        const QString i = "Error on Line 2 Item 3\rAn integer was expected but not found.";
        QTest::newRow("real") << "2.5" << false << "";
        QTest::newRow("whole number as real") << "3" << false << "";
        QTest::newRow("exponent real") << "1.2E-6" << false << "";
        QTest::newRow("comma is not a separator") << "2,5" << false << f;
        QTest::newRow("text as real") << "abc" << false << f;
        QTest::newRow("nan as real") << "nan" << false << f;
        QTest::newRow("integer") << "-12" << true << "";
        QTest::newRow("integer written as real") << "3.0" << true << "";
        QTest::newRow("fraction as integer") << "2.5" << true << i;
        QTest::newRow("largest integer") << "2147483647" << true << "";
        QTest::newRow("beyond 32 bits") << "2147483648" << true << i;
        QTest::newRow("text as integer") << "x" << true << i;
    }
    void numbers()
    {
        QFETCH(QString, word);
        QFETCH(bool, integer);
        QFETCH(QString, message);
        TWordReader r = TWordReader::fromText(("title\n1  2 " + word + " 4\n").toStdString());
        r.ReadLine();
        r.ReadWord();
        r.ReadWord();
        try {
            const double v = integer ? r.ReadInteger() : r.ReadFloat();
            QVERIFY2(message.isEmpty(), qPrintable("accepted as " + QString::number(v)));
            QCOMPARE(v, QString(word).toDouble());
        } catch (const EInOutError &e) {
            QCOMPARE(QString(e.what()), message);
        }
    }

    void missingFileRaises()
    {
        QVERIFY_THROWS_EXCEPTION(EInOutError, TWordReader("/nonexistent/folder/x.tnd"));
    }
};

QTEST_GUILESS_MAIN(TestWordReader)
#include "tst_wordreader.moc"
