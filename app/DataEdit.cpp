#include "DataEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <cmath>

#include "Messages.h"
#include "core/expression.h"
#include "core/numformat.h"
#include "core/units.h"

namespace {

constexpr double kIntMin = -2147483648.0;
constexpr double kIntMax = 2147483647.0;

} // namespace

TDataEdit::TDataEdit(QWidget *parent) : QLineEdit(parent)
{
    setText("0");
}

void TDataEdit::setIntegerOnly(bool on)
{
    m_integerOnly = on;
    if (on) {
        setMaxVal(m_max);
        setMinVal(m_min);
    }
}

void TDataEdit::setCaption(const QString &caption)
{
    m_caption = caption;
    refreshLabel();
}

void TDataEdit::setEditLabel(QLabel *label)
{
    m_label = label;
    if (label)
        label->setBuddy(this);
    refreshLabel();
}

void TDataEdit::setHex(bool on)
{
    m_hex = on;
}

void TDataEdit::setMaxVal(double value)
{
    value = std::max(value, m_min);
    if (m_integerOnly)
        value = std::clamp(value, kIntMin, kIntMax);
    m_max = value;
    try {
        if (Number() > value)
            setNumber(value);
    } catch (const EEvaluateError &) {
        // An entry that does not evaluate is judged when the user leaves the field.
    }
}

void TDataEdit::setMinVal(double value)
{
    value = std::min(value, m_max);
    if (m_integerOnly)
        value = std::clamp(value, kIntMin, kIntMax);
    m_min = value;
    try {
        if (Number() < value)
            setNumber(value);
    } catch (const EEvaluateError &) {
    }
}

double TDataEdit::Number() const
{
    return Evaluate(text().toStdString());
}

void TDataEdit::setNumber(double value)
{
    setText(formatted(std::clamp(value, m_min, m_max)));
}

QString TDataEdit::formatted(double value) const
{
    if (m_hex) {
        // Negative values show their 32-bit two's complement, as an integer register would.
        const auto whole = static_cast<qint64>(std::llround(std::clamp(value, -9.0e15, 9.0e15)));
        const quint64 bits = whole < 0 ? quint64(quint32(qint32(std::max<qint64>(whole, INT32_MIN)))) : quint64(whole);
        return "$" + QString::number(bits, 16).toUpper().rightJustified(4, '0');
    }
    return QString::fromStdString(formatNumber(value));
}

void TDataEdit::setUnitsString(const QString &pattern)
{
    m_unitsString = pattern;
    refreshLabel();
}

void TDataEdit::setUnits(int units)
{
    m_units = std::clamp(units, 1, 3);
    refreshLabel();
}

QString TDataEdit::labelText() const
{
    if (m_unitsString.isEmpty())
        return m_caption;
    return m_caption + " (" + unitText(m_unitsString, m_units) + ")";
}

void TDataEdit::refreshLabel()
{
    if (!m_label)
        return;
    m_label->setEnabled(isEnabled());
    m_label->setText(labelText());
}

bool TDataEdit::Validate()
{
    return exitValidation();
}

bool TDataEdit::exitValidation()
{
    if (m_validating)
        return false;
    m_validating = true;
    m_lastExitValid = false;
    QString message;
    double value = 0;
    try {
        value = Number();
        if (m_integerOnly && value != std::trunc(value)) {
            message = "Entry must be an integer.";
        } else if (value < m_min) {
            setNumber(m_min);
            message = "Entry must be greater than or equal to " + formatted(m_min);
        } else if (!(value <= m_max)) {
            setNumber(m_max);
            message = "Entry must be less than or equal to " + formatted(m_max);
        }
    } catch (const EEvaluateError &error) {
        message = m_integerOnly ? QString("Entry must be a valid integer.") : QString(error.what());
    }
    if (message.isEmpty()) {
        setNumber(value);
        m_lastExitValid = true;
    } else {
        // Leaving a field by clicking another window reports through the field and through
        // its window; the user reads the same refusal of the same entry once.
        const bool repeated = m_reportClock.isValid() && m_reportClock.elapsed() < 500 &&
                              message == m_reportedMessage && text() == m_reportedText;
        if (!repeated) {
            showMessage(this, message);
            m_reportedMessage = message;
            m_reportedText = text();
            m_reportClock.start();
        }
        if (isVisible() && window() != this)
            QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
    }
    m_validating = false;
    return m_lastExitValid;
}

void TDataEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Entering by the keyboard or with its window: typing replaces the value. A click places
    // the cursor.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                selectAll();
        });
}

void TDataEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another application or opening a menu is not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason &&
        exitValidation())
        emit EntryAccepted();
}

void TDataEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const bool accepted = exitValidation();
        selectAll();
        event->accept();
        if (accepted)
            emit EntryAccepted();
        return;
    }
    static const QString kOperators = "+-/*^=%!";
    if (event->text().size() == 1 && kOperators.contains(event->text()) && !text().isEmpty() &&
        selectedText() == text()) {
        deselect();
        end(false);
    }
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        refreshLabel();
}
