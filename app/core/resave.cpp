#include "resave.h"

#include <QStringList>

#include "WordRead.h"
#include "projectdata.h"

namespace {

std::string forConsole(std::string message)
{
    for (char &c : message)
        if (c == '\r')
            c = '\n';
    return message;
}

} // namespace

int resaveProject(const QString &inPath, const QString &outPath, bool oldLayout, std::ostream &err)
{
    TProjectTables tables;
    TProgramData project(tables);
    try {
        project.CreateFromFile(inPath, !oldLayout);
    } catch (const EInOutError &error) {
        err << forConsole(error.what()) << '\n';
        return 1;
    } catch (const std::exception &error) {
        err << inPath.toStdString() << ": " << forConsole(error.what()) << '\n';
        return 1;
    }
    project.FileName = outPath;
    try {
        project.SaveToFile();
    } catch (const std::exception &error) {
        err << forConsole(error.what()) << '\n';
        return 1;
    }
    return 0;
}

int runResaveCommand(const QStringList &arguments, std::ostream &err)
{
    if (arguments.isEmpty() || arguments.first() != "--resave")
        return -1;
    QStringList rest = arguments.mid(1);
    const bool oldLayout = !rest.isEmpty() && rest.first() == "--old-layout";
    if (oldLayout)
        rest.removeFirst();
    if (rest.size() != 2) {
        err << "usage: tarnel2012 --resave [--old-layout] IN.tnd OUT.tnd\n";
        return 2;
    }
    return resaveProject(rest[0], rest[1], oldLayout, err);
}
