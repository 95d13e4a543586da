#include "displayname.h"

#include <QFileInfo>

QString projectDisplayName(const QString &filePath)
{
    QString name = QFileInfo(filePath).fileName();
    if (QFileInfo(name).suffix().compare("tnd", Qt::CaseInsensitive) == 0 && name.contains('.'))
        name.truncate(name.indexOf('.'));
    if (name.size() > 1)
        name[0] = name[0].toUpper();
    return name;
}

QString mainCaption(const QString &filePath)
{
    return QStringLiteral("TARNEL %1 - %2").arg(kProgramVersion, projectDisplayName(filePath));
}
