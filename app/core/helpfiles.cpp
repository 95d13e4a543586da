#include "helpfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef TARNEL_MANUAL_OFFSET
#define TARNEL_MANUAL_OFFSET "../share/tarnel/manual"
#endif
#ifndef TARNEL_SOURCE_MANUAL
#define TARNEL_SOURCE_MANUAL ""
#endif

namespace {

QString indexIn(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QFileInfo index(QDir(folder), QStringLiteral("index.html"));
    return index.isFile() ? QDir::cleanPath(index.absoluteFilePath()) : QString();
}

} // namespace

QString installedManualOffset()
{
    return QStringLiteral(TARNEL_MANUAL_OFFSET);
}

QString findManualIndex(const QString &programDir, const QString &sourceManualDir)
{
    // The installed copy wins, so an installed program never shows a stale source tree.
    if (!programDir.isEmpty()) {
        const QString installed = indexIn(QDir(programDir).filePath(installedManualOffset()));
        if (!installed.isEmpty())
            return installed;
    }
    return indexIn(sourceManualDir);
}

QString manualIndexPath()
{
    return findManualIndex(QCoreApplication::applicationDirPath(), QStringLiteral(TARNEL_SOURCE_MANUAL));
}

THelpTarget helpTarget(const QString &manualIndex, const QString &page, const QString &anchor)
{
    if (manualIndex.isEmpty()) {
        const QString programDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                                : QStringLiteral("<prefix>/bin");
        const QString where = QDir::cleanPath(QDir(programDir).filePath(installedManualOffset()));
        return {{}, QStringLiteral("The user manual could not be found.\rIt is installed with the "
                                   "program, in %1.").arg(QDir::toNativeSeparators(where))};
    }
    const QDir folder = QFileInfo(manualIndex).absoluteDir();
    const QFileInfo file(folder, page);
    // Pages are named by the program itself; still, nothing outside the manual's folder is opened.
    const bool inside = QDir::cleanPath(file.absoluteFilePath()).startsWith(folder.absolutePath() + '/');
    if (page.isEmpty() || !inside || !file.isFile())
        return {{}, QStringLiteral("The page %1 of the user manual could not be found in %2.")
                        .arg(page, QDir::toNativeSeparators(QFileInfo(manualIndex).absolutePath()))};
    QUrl url = QUrl::fromLocalFile(QDir::cleanPath(file.absoluteFilePath()));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return {url, {}};
}

QString browserFailedMessage(const QUrl &url)
{
    return QStringLiteral("The user manual could not be shown: the desktop has no web browser "
                          "for it.\rOpen this file in a browser:\r%1")
        .arg(QDir::toNativeSeparators(url.toLocalFile()));
}
