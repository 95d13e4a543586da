#pragma once

// Driving the main window and its forms as a user does.
#include <QAction>
#include <QLineEdit>
#include <QtTest>

#include "Main.h"

/// The main window's command of that object name.
inline QAction *item(TMainForm &form, const char *name)
{
    QAction *a = form.findChild<QAction *>(name);
    Q_ASSERT(a);
    return a;
}

/// Types over what the field holds: all of it selected first. The field keeps the focus.
inline void typeOver(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

/// Types over what the field holds and leaves it with Enter.
inline void typeAndEnter(QLineEdit *field, const QString &text)
{
    typeOver(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}
