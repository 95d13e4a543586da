#pragma once

#include <QDialog>

class QLabel;

/// "About": program name, version, build date, the versions of Qt and libxlsxwriter, and
/// that the program never goes on the network. The program opens it with exec(); a test
/// builds it and reads the labels without showing it.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    /// The build date as YYYY-MM-DD: the day this unit was compiled (a fresh build, as for a
    /// package, gives the build's day; SOURCE_DATE_EPOCH, when set, fixes it).
    static QString buildDate();
    /// The labels' texts, top to bottom: the lines a user reads.
    QStringList lines() const;

private:
    QLabel *addLine(const char *objectName, const QString &text);
};
