#pragma once

#include <QWidget>

#include <vector>

class QGridLayout;
class QGroupBox;
class QLabel;
class QRadioButton;
class TDataEdit;
class TProgramData;
class TProjectTables;

/// A data window that edits values of the project in place: it loads them when it becomes
/// the active child of the frame and stores them back when it stops being active or closes.
/// A focused numeric field whose entry fails validation keeps the window from storing and
/// from closing.
class TDataForm : public QWidget {
    Q_OBJECT
public:
    TDataForm(TProgramData &project, TProjectTables &tables, QWidget *parent = nullptr);

    /// Every numeric field takes the project's unit system (its label follows), then every
    /// field shows the project's value.
    void FormActivate();
    /// Stores every field; false, and nothing stored, when the focused numeric field (or any
    /// other enabled one) fails validation. With report the field says why (a message), otherwise the refusal is silent.
    bool FormDeactivate(bool report = true);

    const std::vector<TDataEdit *> &fields() const { return m_fields; }

signals:
    /// The window accepted closing and is about to go away.
    void Closed();

protected:
    virtual void loadFields() = 0;
    virtual void storeFields() = 0;

    /// A numeric field with its label in row of grid (label, field, and hint when given);
    /// bounds from the lowest real to maxVal.
    TDataEdit *addField(QGridLayout *grid, int row, const char *name, const QString &caption,
                        const QString &unitsString, double maxVal, const QString &hint = {});
    /// The "Type of Loading" group of the two load forms: "C&ompression", "&Uplift " and the
    /// uplift reduction field (0 to 1).
    QGroupBox *addLoadTypeGroup(QRadioButton *&compression, QRadioButton *&uplift, TDataEdit *&reduction);
    /// Loads LoadType and, under uplift, the reduction; stores them as LoadType 2 with the
    /// field under uplift, else LoadType 1 with a reduction of 1.
    void loadLoadType(QRadioButton *compression, QRadioButton *uplift, TDataEdit *reduction);
    void storeLoadType(QRadioButton *uplift, TDataEdit *reduction);
    /// Marks the project modified; numeric fields call it when the user edits them.
    void setModified();

    void closeEvent(QCloseEvent *event) override;

    TProgramData &m_project;
    TProjectTables &m_tables;

private:
    std::vector<TDataEdit *> m_fields;
};

/// True when the entry evaluates and lies within the field's bounds; shows nothing.
bool entryPasses(const TDataEdit &field);
