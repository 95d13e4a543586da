#pragma once

#include <QString>
#include <QUrl>

/// The manual's folder relative to the program's folder in an installed tree
/// (<prefix>/bin/tarnel2012 and <prefix>/share/tarnel/manual/).
QString installedManualOffset();

/// The manual's start page (index.html) for a program in programDir: the installed copy at
/// programDir/installedManualOffset() first, else the copy in sourceManualDir (the source
/// tree a build-tree program was made from). Absolute and clean; empty when neither folder
/// holds index.html, or when both arguments are empty.
QString findManualIndex(const QString &programDir, const QString &sourceManualDir);

/// The same for the running program; needs a QCoreApplication for the program's folder.
QString manualIndexPath();

/// What Help does with one page of the manual ("index.html", "troubleshooting.html", ...):
/// either a file URL for the desktop's browser, or, when the manual or that page is missing,
/// the message that says so and where the manual belongs.
struct THelpTarget {
    QUrl url;        // empty when message is set
    QString message;
};
THelpTarget helpTarget(const QString &manualIndex, const QString &page = QStringLiteral("index.html"),
                       const QString &anchor = QString());

/// The message shown when the desktop has no browser that takes url.
QString browserFailedMessage(const QUrl &url);
