#pragma once

#include <QImage>
#include <QList>
#include <QString>

// One overview picture of everything the generator drew, so that anyone can check the
// whole set at a glance.
namespace art {

struct SheetEntry
{
    QString caption; // first line under the picture
    QString detail;  // second line, may be empty
    QImage image;
    bool showsAlpha = false; // draw on a checkerboard so transparency is visible
};

struct SheetSection
{
    QString title;
    int columns = 8;
    QList<SheetEntry> entries;
};

QImage makeContactSheet(const QString &title, const QList<SheetSection> &sections);

} // namespace art
