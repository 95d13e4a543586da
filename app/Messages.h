#pragma once

#include <QString>

#include <functional>

class QWidget;

/// How an information box is shown; tests install a hook that records the text instead.
using TMessageHook = std::function<void(QWidget *parent, const QString &text)>;

/// Replaces the information box; an empty hook restores it. Returns the previous hook.
TMessageHook setMessageHook(TMessageHook hook);

/// An information box with a single OK button. Line breaks may be written "\r".
void showMessage(QWidget *parent, const QString &text);
