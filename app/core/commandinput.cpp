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

std::string oneLine(const std::string &message)
{
    std::string out;
    for (size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '\r' || message[i] == '\n') {
            if (!out.empty() && out.back() != ' ')
                out += ": ";
            while (i + 1 < message.size() && (message[i + 1] == '\r' || message[i + 1] == '\n'))
                ++i;
        } else {
            out += message[i];
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == ':' || out.back() == ';'))
        out.pop_back();
    return out;
}

bool loadProjectResults(const QString &projectPath, TProgramData &project, TResultGraphs &results,
                        std::ostream &err)
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
