#pragma once

#include <QLabel>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>

#include <limits>



/// The numeric entry field: the user may type a number or an expression ("2*3.5",
/// "sqrt(16)+1", "$1F"); leaving the field or pressing Enter evaluates it, checks the bounds
/// and the integer rule, and replaces the text by the value, or shows why not and keeps the
/// focus. A companion label shows Caption and the unit names of UnitsString.
class TDataEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool IntegerOnly READ IntegerOnly WRITE setIntegerOnly)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Hex READ Hex WRITE setHex)
    Q_PROPERTY(double MaxVal READ MaxVal WRITE setMaxVal)
    Q_PROPERTY(double MinVal READ MinVal WRITE setMinVal)
    Q_PROPERTY(QString UnitsString READ UnitsString WRITE setUnitsString)
    Q_PROPERTY(int Units READ Units WRITE setUnits)
public:
    explicit TDataEdit(QWidget *parent = nullptr);

    bool IntegerOnly() const { return m_integerOnly; }
    /// Turning it on clamps both bounds to the 32-bit range.
    void setIntegerOnly(bool on);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QLabel *EditLabel() const { return m_label; }
    /// The label's buddy becomes this field; nullptr detaches it.
    void setEditLabel(QLabel *label);
    bool Hex() const { return m_hex; }
    void setHex(bool on);
    double MaxVal() const { return m_max; }
    /// Not below MinVal; lowers the number when it is above.
    void setMaxVal(double value);
    double MinVal() const { return m_min; }
    /// Not above MaxVal; raises the number when it is below.
    void setMinVal(double value);
    /// The text evaluated; raises EEvaluateError when it does not evaluate.
    double Number() const;
    /// Clamped to [MinVal, MaxVal]; shown as "$" and at least 4 hex digits with Hex, else
    /// in the shortest decimal form.
    void setNumber(double value);
    QString UnitsString() const { return m_unitsString; }
    void setUnitsString(const QString &pattern);
    int Units() const { return m_units; }
    /// 1 English, 2 SI, 3 the pattern as it is; clamped to 1..3.
    void setUnits(int units);

    /// Runs the exit validation; true when the entry is valid.
    bool Validate();
    /// The text of the companion label.
    QString labelText() const;

signals:
    /// The user finished an entry (Enter, or leaving the field) and it passed validation.
    void EntryAccepted();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool exitValidation();
    void refreshLabel();
    QString formatted(double value) const;

    bool m_integerOnly = false;
    bool m_hex = false;
    bool m_lastExitValid = true;
    bool m_validating = false;
    QString m_caption;
    QString m_unitsString;
    int m_units = 1;
    double m_max = std::numeric_limits<double>::max();
    double m_min = std::numeric_limits<double>::lowest();
    QPointer<QLabel> m_label;
    // The last refusal shown, and when its box closed.
    QString m_reportedMessage, m_reportedText;
    QElapsedTimer m_reportClock;
};
