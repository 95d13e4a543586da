#pragma once

#include <QDialog>

#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

/// "Active Curves": one row per curve, " yes : " or " no  : " and its name; the marks are
/// changed in the list and taken only on "&OK".
class TfrmActiveLines : public QDialog {
    Q_OBJECT
public:
    struct Row {
        bool active;
        QString name;
    };
    explicit TfrmActiveLines(const std::vector<Row> &rows, QWidget *parent = nullptr);

    /// One flag per row: marked " yes : ".
    std::vector<bool> activeFlags() const;
    /// The text of a row with its mark.
    static QString rowText(bool active, const QString &name);

    QListWidget *lbLines;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
    QPushButton *ActivateAllBtn;
    QPushButton *DeactivateAllBtn;
    QPushButton *ToggleSelectedBtn;

private:
    void setMark(QListWidgetItem *item, bool active);
    bool marked(const QListWidgetItem *item) const;
    void lbLinesDblClick(QListWidgetItem *item);
    void ActivateAllBtnClick();
    void DeactivateAllBtnClick();
    void ToggleSelectedBtnClick();

    std::vector<QString> m_names;
};
