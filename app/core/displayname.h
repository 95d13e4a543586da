#pragma once

#include <QString>

/// The project's name in captions: the file name without folder; a ".tnd" extension (any case)
/// cuts the name at its first "."; a name longer than one character starts upper case.
QString projectDisplayName(const QString &filePath);

/// "TARNEL 2012.7.15 - " followed by the display name.
QString mainCaption(const QString &filePath);

inline constexpr const char *kProgramVersion = "2012.7.15";
inline constexpr const char *kDefaultProjectName = "NewTarnel.tnd";
