#include <QApplication>

#include <iostream>

#include "Main.h"
#include "core/resave.h"

int main(int argc, char **argv)
{
    // Bulk conversion runs without a window and without a display.
    if (argc > 1 && std::string_view(argv[1]) == "--resave") {
        QCoreApplication app(argc, argv);
        return runResaveCommand(QCoreApplication::arguments().mid(1), std::cerr);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARNEL");
    QApplication::setOrganizationName("Velmora");
    TMainForm form;
    form.openStartupProject(QCoreApplication::arguments().mid(1));
    form.show();
    return app.exec();
}
