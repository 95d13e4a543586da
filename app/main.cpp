#include <QApplication>
#include <QGuiApplication>

#include <iostream>

#include "Main.h"
#include "core/plotcommand.h"
#include "core/resave.h"

int main(int argc, char **argv)
{
    // Bulk conversion runs without a window and without a display.
    if (argc > 1 && std::string_view(argv[1]) == "--resave") {
        QCoreApplication app(argc, argv);
        return runResaveCommand(QCoreApplication::arguments().mid(1), std::cerr);
    }
    // Graphs into files from scripts: no window, and no display needed.
    if (argc > 1 && std::string_view(argv[1]) == "--plot") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        installPlotMessageFilter();
        QGuiApplication app(argc, argv);
        return runPlotCommand(QCoreApplication::arguments().mid(1), std::cerr);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARNEL");
    QApplication::setOrganizationName("Velmora");
    TMainForm form;
    form.openStartupProject(QCoreApplication::arguments().mid(1));
    form.show();
    return app.exec();
}
