#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;

/// "Legend": the names of all curves, one row each; the selected row is edited below the
/// list in the curve's palette colour. An empty name is refused with a message.
class TfrmLineNames : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLineNames(const QStringList &names, QWidget *parent = nullptr);

    /// The rows' texts, in line order.
    QStringList names() const;

    QListWidget *lbLines;
    QLineEdit *edLine;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void lbLinesChange();
    void edLineExit();
    void OKBtnClick();

    bool m_storing = false;
};
