#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QtTest>

#include "DataEdit.h"
#include "Main.h"
#include "Options.h"
#include "ShafLoad.h"
#include "SoilParams.h"
#include "Title.h"
#include "cPileProperties.h"
#include "main_form_input.h"
#include "scripted_ask.h"
#include "shaftlength.h"

namespace {

QMdiSubWindow *frameOf(QWidget *form)
{
    return qobject_cast<QMdiSubWindow *>(form->parentWidget());
}

} // namespace

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_ask = std::make_unique<TScriptedAsk>();
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_form.reset();
        m_ask.reset();
    }

    void freshFormTypesOverItsFirstValue()
    {
        // Opening a window puts the user in its first field with the value selected, so a
        // typed number replaces it instead of being appended (15 then 15 is not 1515).
        for (int round = 0; round < 2; ++round) {
            TDataForm *form = m_form->showForm(TFormKind::WaterTable);
            auto *edit = form->findChild<TDataEdit *>("DataEdit1");
            QTRY_VERIFY(edit->hasFocus());
            QTRY_COMPARE(edit->selectedText(), edit->text());
            QTest::keyClicks(edit, "15");
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(edit->text(), QString("15"));
            QVERIFY(frameOf(form)->close());
            QCoreApplication::processEvents();
        }
        QCOMPARE(m_form->project().ShaftData[sdWTD], 15.0);
    }

    void leavingForAnotherWindowRefusesOnceAndStaysInFront()
    {
        m_form->createStartupSideView();
        QMdiSubWindow *view = m_form->mdiArea()->subWindowList().constFirst();
        TDataForm *form = m_form->showForm(TFormKind::WaterTable);
        auto *edit = form->findChild<TDataEdit *>("DataEdit1");
        typeOver(edit, "abc");
        m_form->mdiArea()->setActiveSubWindow(view);
        QCoreApplication::processEvents();
        QCOMPARE(m_ask->messages.size(), 1);
        QCOMPARE(m_form->mdiArea()->activeSubWindow(), frameOf(form));
        const QList<QMdiSubWindow *> order = m_form->mdiArea()->subWindowList(QMdiArea::StackingOrder);
        QCOMPARE(order.constLast(), frameOf(form));
    }

    void formsOpenAtTheirSizeBesideAMaximizedWindow()
    {
        m_form->createStartupSideView();
        QMdiSubWindow *view = m_form->mdiArea()->subWindowList().constFirst();
        view->showMaximized();
        TDataForm *form = m_form->showForm(TFormKind::Options);
        QVERIFY(!frameOf(form)->isMaximized());
    }

    void fieldThatDoesNotEvaluateKeepsTheFormOpen_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::newRow("shaft") << int(TFormKind::ShaftProperties) << "DataEdit5";
        QTest::newRow("water table") << int(TFormKind::WaterTable) << "DataEdit1";
        QTest::newRow("shaft length") << int(TFormKind::ShaftLength) << "DataEdit1";
        QTest::newRow("design load") << int(TFormKind::DesignLoad) << "DataEditL";
        QTest::newRow("safety") << int(TFormKind::SafetyFactor) << "DataEdit2";
        QTest::newRow("options") << int(TFormKind::Options) << "DataEdit1";
    }
    void fieldThatDoesNotEvaluateKeepsTheFormOpen()
    {
        QFETCH(int, kind);
        QFETCH(QString, field);
        TDataForm *form = m_form->showForm(TFormKind(kind));
        auto *edit = form->findChild<TDataEdit *>(field);
        QVERIFY(edit);
        typeOver(edit, "abc");
        QVERIFY(!frameOf(form)->close());
        QVERIFY(m_form->form(TFormKind(kind)));
        QCOMPARE(m_ask->messages.size(), 1);
        // Nor does a command that stores the active window go on.
        m_form->tables().FormsModified = false;
        item(*m_form, "FileNew")->trigger();
        QVERIFY(m_form->form(TFormKind(kind)));

        typeOver(edit, "2*3");
        QVERIFY(frameOf(form)->close());
        QCoreApplication::processEvents();
        QVERIFY(!m_form->form(TFormKind(kind)));
    }

    void valueAboveTheMaximumIsHeldAtIt()
    {
        auto *shaft = qobject_cast<TfrmShaftpeneta *>(m_form->showForm(TFormKind::ShaftProperties));
        typeOver(shaft->DataEdit1, "35");
        QVERIFY(!shaft->FormDeactivate());
        QCOMPARE(m_ask->messages, QStringList{"Entry must be less than or equal to 30"});
        QCOMPARE(shaft->DataEdit1->text(), QString("30"));
        QVERIFY(shaft->FormDeactivate());
        QCOMPARE(m_form->project().ShaftData[sdDSTART], 30.0);
        QVERIFY(m_form->tables().modified());
    }

    void loadFormsStoreTheirRules()
    {
        item(*m_form, "shaftload")->trigger();
        auto *load = qobject_cast<TfrmDesignLoad *>(m_form->form(TFormKind::DesignLoad));
        QVERIFY(load);
        QCOMPARE(m_form->project().DesignMode, 1);
        m_form->project().DesignDepth = 50;
        load->FormActivate();
        typeOver(load->DataEditL, "100");
        typeOver(load->deRCYCL, "0.5");
        QVERIFY(load->deRCYCL->isEnabled());
        QVERIFY(load->rbCompression->isChecked());

        // Going over to the shaft length stores the load first: the depth it shows is 0.
        item(*m_form, "shaftlength")->trigger();
        QVERIFY(!m_form->form(TFormKind::DesignLoad));
        auto *length = qobject_cast<TfrmPenetration *>(m_form->form(TFormKind::ShaftLength));
        QVERIFY(length);
        QCOMPARE(m_form->project().DesignLoad, 100.0);
        QCOMPARE(m_form->project().DesignDepth, 0.0);
        QCOMPARE(m_form->project().UpliftReduction, 1.0); // compression
        QCOMPARE(length->DataEdit1->text(), QString("0"));
        QVERIFY(!length->deRCYCL->isEnabled());

        length->rbUplift->click();
        QVERIFY(length->deRCYCL->isEnabled());
        typeOver(length->deRCYCL, "0.7");
        typeOver(length->DataEdit1, "45");
        QVERIFY(length->FormDeactivate());
        QCOMPARE(m_form->project().LoadType, 2);
        QCOMPARE(m_form->project().UpliftReduction, 0.7);
        QCOMPARE(m_form->project().DesignDepth, 45.0);
        QCOMPARE(m_form->project().DesignLoad, 0.0);
        length->rbCompression->click();
        QVERIFY(!length->deRCYCL->isEnabled());

        length->rbUplift->click();
        typeOver(length->deRCYCL, "3");
        QVERIFY(!length->FormDeactivate(false)); // above its maximum of 1, silently refused
        QVERIFY(m_ask->messages.isEmpty());
    }

    void titleStoresOnlyAChange()
    {
        auto *title = qobject_cast<TdlgTitle *>(m_form->showForm(TFormKind::Title));
        QCOMPARE(title->Edit1->text(), QString("New Pile"));
        QCOMPARE(title->Edit1->maxLength(), 80);
        QVERIFY(title->FormDeactivate());
        QVERIFY(!m_form->tables().modified());
        typeOver(title->Edit1, "Pier 7");
        QTest::keyClick(title->Edit1, Qt::Key_Return); // no new line in a title
        QVERIFY(frameOf(title)->close());
        QCOMPARE(m_form->project().Title, QString("Pier 7"));
        QVERIFY(m_form->tables().modified());
    }

    void optionsWindow()
    {
        m_form->project().SandTipOption = 0;
        m_form->project().OutputIncrement = 2;
        auto *options = qobject_cast<TDlgOptions *>(m_form->showForm(TFormKind::Options));
        QVERIFY(options);
        QCOMPARE(options->EdtWord->text(), QString("xdg-open"));
        QCOMPARE(options->DataEdit1->labelText(), QString("Output Increment (ft)"));
        QCOMPARE(options->DataEdit1->text(), QString("2"));
        QVERIFY(!options->CheckBox1->isChecked());
        QVERIFY(options->RadioButton2->isChecked());

        // Browsing replaces the editor text with the chosen program's full path.
        m_ask->paths = {"/usr/bin/env"};
        options->BtnBrowse->click();
        QCOMPARE(m_ask->dialogs.back().fileName, QStandardPaths::findExecutable("xdg-open"));
        QCOMPARE(options->EdtWord->text(), QString("/usr/bin/env"));
        m_ask->paths = {QString()};
        options->BtnBrowse->click();
        QCOMPARE(options->EdtWord->text(), QString("/usr/bin/env"));

        options->RadioButton1->click();
        QVERIFY(options->CheckBox1->isChecked());
        QVERIFY(options->FormDeactivate());
        QCOMPARE(m_form->project().SandTipOption, 1);
        QCOMPARE(m_form->editorCommand(), QString("/usr/bin/env"));

        // SI keeps the number and relabels; closing and reopening builds the window anew.
        item(*m_form, "SIUnits")->trigger();
        QCOMPARE(options->DataEdit1->labelText(), QString("Output Increment (m)"));
        QCOMPARE(m_form->project().OutputIncrement, 2.0);
        QVERIFY(frameOf(options)->close());
        QCoreApplication::processEvents();
        QVERIFY(!m_form->form(TFormKind::Options));
        QVERIFY(m_form->showForm(TFormKind::Options) != nullptr);
    }

    void siLabelsOfTheShaftForm()
    {
        item(*m_form, "SIUnits")->trigger();
        auto *shaft = qobject_cast<TfrmShaftpeneta *>(m_form->showForm(TFormKind::ShaftProperties));
        QCOMPARE(shaft->DataEdit1->labelText(), QString("Minimum Shaft Diameter, B, to be Considered (m)"));
        QCOMPARE(shaft->DataEdit7->labelText(), QString("&Modulus of Elasticity of Drilled Shaft  (kN/m²)"));
        QCOMPARE(shaft->DataEdit4->labelText(), QString("&Angle of Bell with Respect to Vertical,  Ang  (deg)"));
        QCOMPARE(shaft->DataEdit3->labelText(), QString("&Ratio of Base Diameter to Shaft Diameter,  Bb/B"));
        QVERIFY(shaft->Memo1->toPlainText().startsWith("Shaft diameter, B, is automatically incremented"));
        QVERIFY(shaft->Memo1->toPlainText().endsWith("Bells should not be specified for shafts in cohesionless soils or rock."));
    }

    void switchingChildrenStoresAndLoads()
    {
        auto *safety = qobject_cast<TfrmSafetyFactor *>(m_form->showForm(TFormKind::SafetyFactor));
        QCOMPARE(safety->DataEdit1->text(), QString("2.5"));
        typeOver(safety->DataEdit1, "3.5");
        m_form->showForm(TFormKind::Title);
        QCOMPARE(m_form->project().SideSafetyFactor, 3.5);

        // A refusing window keeps the user in it.
        m_form->showForm(TFormKind::SafetyFactor);
        typeOver(safety->DataEdit2, "x");
        m_form->showForm(TFormKind::Title);
        QCOMPARE(m_form->mdiArea()->currentSubWindow(), frameOf(safety));
        QCOMPARE(m_form->project().BaseSafetyFactor, 3.0);
    }

private:
    std::unique_ptr<TScriptedAsk> m_ask;
    std::unique_ptr<TMainForm> m_form;
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
