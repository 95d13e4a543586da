#include "Messages.h"

#include <QMessageBox>

namespace {

TMessageHook &hook()
{
    static TMessageHook current;
    return current;
}

} // namespace

TMessageHook setMessageHook(TMessageHook newHook)
{
    return std::exchange(hook(), std::move(newHook));
}

void showMessage(QWidget *parent, const QString &text)
{
    if (hook()) {
        hook()(parent, text);
        return;
    }
    QString shown = text;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    QMessageBox::information(parent, QStringLiteral("TARNEL"), shown, QMessageBox::Ok);
}
