#include <QApplication>
#include <QGuiApplication>

#include <clocale>
#include <iostream>

#include "Main.h"
#include "core/exportgraphs.h"
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
    // Every graph with results into a workbook, for batch use: no window, no display.
    if (argc > 1 && std::string_view(argv[1]) == "--export") {
        QCoreApplication app(argc, argv);
        return runExportCommand(QCoreApplication::arguments().mid(1), std::cerr);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARNEL");
    QApplication::setOrganizationName("Velmora");
    // Qt takes the user's locale for the C library too; numbers in files always use ".".
    std::setlocale(LC_NUMERIC, "C");
    TMainForm form;
    form.openStartupProject(QCoreApplication::arguments().mid(1));
    form.createStartupSideView();
    form.show();
    return app.exec();
}
