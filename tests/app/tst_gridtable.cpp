#include <QtTest>

#include "core/ColumnTypes.h"
#include "core/units.h"

class TestGridTable : public QObject {
    Q_OBJECT
private slots:
    void layerTableDefinition()
    {
        auto d = TGridTable::fromTemplate(10);
        QCOMPARE(d->Caption, QString("Soil Layer Data"));
        QCOMPARE(d->rowCount(), 1);
        QCOMPARE(d->MaxRows, 20);
        QCOMPARE(d->TopLeft, QString("Layer"));
        QVERIFY(!d->HardwiredButton);
        QCOMPARE(d->columnCount(), 7);
        QCOMPARE(d->column(1).header(), (QStringList{"Depth at Bottom ", "of each Layer"}));
        QCOMPARE(d->column(2).header(), QStringList{"Layer  Data"});
        QCOMPARE(d->column(3).unitPattern(), QString("F/L2^2"));
        QCOMPARE(d->headerRows(), 2);
        QCOMPARE(d->text(0, 0), QString("sand (FHWA Spec.)"));
        QCOMPARE(d->floatValue(colRFSide, 0), 1.0);
        QCOMPARE(d->floatValue(colRFTip, 0), 1.0);
        QCOMPARE(d->floatValue(colMaxSide, 0), 0.0);
        QCOMPARE(d->windowCaption(), QString("Soil Layer Data "));
        TGridTable &sand = d->nested(colLayerData, 0);
        QCOMPARE(sand.Caption, QString("Sand Layer Data"));
        QCOMPARE(sand.rowCount(), 2);
        QCOMPARE(sand.buttonCaption(), QString("1: Sand Layer Data"));
    }

    void propertyTemplates_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("lastHeader");
        QTest::addColumn<bool>("buttonsHidden");
        QTest::addColumn<int>("blowMax"); // 0: no blow-count column
        QTest::newRow("1 sand") << 1 << "Sand Layer Data" << 5 << " Beta  " << true << 100;
        QTest::newRow("2 clay") << 2 << "Clay Layer Data" << 5 << "Bearing Capacity / Coefficient, Nc" << true << 100;
        QTest::newRow("3 shale") << 3 << "Shale Layer Data" << 5 << "Bearing Capacity / Coefficient, Nc" << true << 100;
        QTest::newRow("4 strong rock") << 4 << "Strong Rock Layer Data" << 7 << "RQD, %" << true << 0;
        QTest::newRow("5 decomposed") << 5 << "Decomposed Geo. Layer Data" << 5 << "Socket / Diameter" << true << 100;
        QTest::newRow("6 weak rock") << 6 << "Weak Rock Layer Data" << 7 << "RQD / (%)" << true << 0;
        QTest::newRow("7 strong rock") << 7 << "Strong Rock Layer Data" << 7 << "RQD,%" << true << 0;
        QTest::newRow("31 gravelly sand") << 31 << "Gravelly Sand Layer Data" << 3 << "Beta / (optional)" << false
                                          << 2147483647;
        QTest::newRow("32 gravel") << 32 << "Gravel Layer Data" << 3 << "Beta / (optional)" << false << 2147483647;
    }
    void propertyTemplates()
    {
        QFETCH(int, id);
        QFETCH(QString, caption);
        QFETCH(int, columns);
        QFETCH(QString, lastHeader);
        QFETCH(bool, buttonsHidden);
        QFETCH(int, blowMax);
        auto t = TGridTable::fromTemplate(id);
        QCOMPARE(t->Caption, caption);
        QCOMPARE(t->columnCount(), columns);
        QCOMPARE(t->column(columns - 1).header().join(" / "), lastHeader);
        QCOMPARE(t->HardwiredButton, buttonsHidden);
        QCOMPARE(t->TopLeft, buttonsHidden ? QString("Location, 1=Top, 2=Bottom") : QString());
        QCOMPARE(t->rowCount(), 2);
        QCOMPARE(t->MinRows, 2);
        QCOMPARE(t->MaxRows, 2);
        int found = 0;
        for (int c = 0; c < t->columnCount(); ++c)
            if (t->column(c).kind() == TColumnKind::Int)
                found = static_cast<const TIntColumn &>(t->column(c)).maximum();
        QCOMPARE(found, blowMax);
    }

    void typeChangeReplacesNestedTable()
    {
        auto d = TGridTable::fromTemplate(10);
        d->setRowCount(3);
        d->nested(colLayerData, 1).setFloat(0, 0, 115);
        d->setFloat(colDepth, 1, 20);
        d->setInt(colSoilType, 1, 2);
        TGridTable &clay = d->nested(colLayerData, 1);
        QCOMPARE(clay.Caption, QString("Clay Layer Data"));
        QCOMPARE(clay.buttonCaption(), QString("2: Clay Layer Data"));
        QCOMPARE(clay.floatValue(0, 0), 0.0);
        QCOMPARE(clay.rowCount(), 2);
        QCOMPARE(d->floatValue(colDepth, 1), 20.0);
        // The same type again keeps the values.
        clay.setFloat(0, 0, 120);
        d->setInt(colSoilType, 1, 2);
        QCOMPARE(d->nested(colLayerData, 1).floatValue(0, 0), 120.0);
        QVERIFY_THROWS_EXCEPTION(ETableError, d->setInt(colSoilType, 1, 10));
        QCOMPARE(d->nested(colLayerData, 1).Caption, QString("Clay Layer Data"));
    }

    void rowsRenumberNestedTables()
    {
        auto d = TGridTable::fromTemplate(10);
        d->setRowCount(3);
        d->setInt(colSoilType, 2, 6);
        d->insertRows(0, 1);
        QCOMPARE(d->rowCount(), 4);
        QCOMPARE(d->nested(colLayerData, 3).buttonCaption(), QString("4: Weak Rock Layer Data"));
        QCOMPARE(d->nested(colLayerData, 3).windowCaption(), QString("Weak Rock Layer Data  4"));
        QCOMPARE(d->floatValue(colRFTip, 0), 1.0);
        d->deleteRows(0, 2);
        QCOMPARE(d->nested(colLayerData, 1).buttonCaption(), QString("2: Weak Rock Layer Data"));
        d->setRowCount(-5);
        QCOMPARE(d->rowCount(), 0);
        QVERIFY_THROWS_EXCEPTION(ETableError, d->deleteRows(0, 1));
    }

    void switchingUnitsConvertsOnce()
    {
        auto d = TGridTable::fromTemplate(10);
        d->setFloat(colDepth, 0, 10);     // ft
        d->setFloat(colMaxSide, 0, 1000); // lb/ft2
        d->setFloat(colRFSide, 0, 0.55);
        TGridTable &sand = d->nested(colLayerData, 0);
        sand.setFloat(0, 0, 120); // lb/ft3
        sand.setFloat(1, 0, 30);  // degrees
        d->setUnits(2);
        d->setUnits(2);
        QCOMPARE(d->floatValue(colDepth, 0), 3.048);
        QVERIFY(qAbs(d->floatValue(colMaxSide, 0) - 47.880259) < 1e-5);
        QCOMPARE(d->floatValue(colRFSide, 0), 0.55);
        QVERIFY(qAbs(sand.floatValue(0, 0) - 18.850496) < 1e-5);
        QCOMPARE(sand.floatValue(1, 0), 30.0);
        QCOMPARE(sand.units(), 2);
        // A table built while the parent is in SI is in SI too, so it is not converted again.
        d->setInt(colSoilType, 0, 4);
        QCOMPARE(d->nested(colLayerData, 0).units(), 2);
        d->setUnits(1);
        QVERIFY(qAbs(d->floatValue(colDepth, 0) - 10) < 1e-9);
    }

    void registryOfLiveTables()
    {
        const size_t before = TGridTable::liveTables().size();
        {
            auto d = TGridTable::fromTemplate(10);
            d->setRowCount(2);
            QCOMPARE(TGridTable::liveTables().size(), before + 3); // the layer table and two nested
            TGridTable a(0, "a"), b(0, "b");
            QCOMPARE(b.Identifier, a.Identifier + 1);
            QVERIFY(a.Identifier > 32);
        }
        QCOMPARE(TGridTable::liveTables().size(), before);
    }

    void changedFlag()
    {
        auto d = TGridTable::fromTemplate(10);
        QVERIFY(!d->changed());
        d->nested(colLayerData, 0).setChanged();
        QVERIFY(d->changed());
        d->resetChanged();
        QVERIFY(!d->changed());
    }

    void unitTexts_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("text");
        QTest::newRow("stress English") << "F/L2^2" << 1 << "lbs/ft^2";
        QTest::newRow("stress SI") << "F/L2^2" << 2 << "kN/m^2";
        QTest::newRow("modulus English") << "F/L\u00b2" << 1 << "lbs/in\u00b2";
        QTest::newRow("modulus SI") << "F/L\u00b2" << 2 << "kN/m\u00b2";
        QTest::newRow("load") << "F2" << 1 << "tons";
        QTest::newRow("length") << "L2" << 2 << "m";
        QTest::newRow("short length SI") << "L" << 2 << "m";
        QTest::newRow("kips per mm") << "F1/L1" << 2 << "kN/mm";
        QTest::newRow("one kind only") << "F2 F" << 1 << "tons F";
        QTest::newRow("no substitution") << "F/L2^2" << 3 << "F/L2^2";
        QTest::newRow("clamped") << "L2" << 7 << "L2";
    }
    void unitTexts()
    {
        QFETCH(QString, pattern);
        QFETCH(int, units);
        QFETCH(QString, text);
        QCOMPARE(unitText(pattern, units), text);
    }

    void unitFactors_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("factor");
        QTest::newRow("none") << "" << 2 << 1.0;
        QTest::newRow("length to SI") << "L2" << 2 << 0.3048;
        QTest::newRow("length to English") << "L2" << 1 << 3.280839895;
        QTest::newRow("short length") << "L" << 2 << 0.0254;
        QTest::newRow("stress to SI") << "F/L2^2" << 2 << 0.00444822199911631 / (0.3048 * 0.3048);
        QTest::newRow("unit weight to SI") << "F/L2^3" << 2 << 0.00444822199911631 / (0.3048 * 0.3048 * 0.3048);
        QTest::newRow("modulus to SI") << "F/L^2" << 2 << 0.00444822199911631 / (0.0254 * 0.0254);
        QTest::newRow("load to English") << "F2" << 1 << 0.1124044745;
    }
    void unitFactors()
    {
        QFETCH(QString, pattern);
        QFETCH(int, to);
        QFETCH(double, factor);
        QCOMPARE(unitFactor(pattern, to), factor);
    }
};

QTEST_GUILESS_MAIN(TestGridTable)
#include "tst_gridtable.moc"
