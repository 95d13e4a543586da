#include "commandinput.h"

#include <QDir>
#include <QFileInfo>

#include <ostream>

#include "projectdata.h"
#include "resultgraphs.h"

QString plotFilePath(const QString &projectPath)
{
    const QFileInfo info(projectPath);
    return info.dir().filePath(info.completeBaseName() + ".tnp");
}

bool loadProjectResults(const QString &projectPath, TProgramData &project, TResultGraphs &results,
                        std::ostream &err, TOneLine oneLine)
{
    try {
        project.CreateFromFile(projectPath, true);
    } catch (const std::exception &error) {
        err << "tarnel2012: cannot read the project " << projectPath.toStdString() << ": " << oneLine(error.what())
            << '\n';
        return false;
    }
    const QString plotPath = plotFilePath(projectPath);
    if (!QFileInfo::exists(plotPath)) {
        err << "tarnel2012: " << projectPath.toStdString() << " has no results (" << plotPath.toStdString()
            << " does not exist): run the analysis first\n";
        return false;
    }
    std::string failure;
    if (!results.LoadPlotFile(plotPath, project, &failure)) {
        err << "tarnel2012: cannot read the results " << plotPath.toStdString() << ": " << oneLine(failure) << '\n';
        return false;
    }
    return true;
}
