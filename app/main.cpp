#include <QApplication>

#include "Main.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarnel 2012");
    QApplication::setOrganizationName("Velmora");
    TMainForm form;
    form.show();
    return app.exec();
}
