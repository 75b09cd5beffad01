#include "imagelist.h"

#include <QDir>

ImageList::ImageList()
{
    // The pictures are stored as "NN-name.svg"; the two-digit prefix is the index.
    const QDir folder(QStringLiteral(":/images"));
    const QStringList names = folder.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        m_icons.append(QIcon(folder.filePath(name)));
}

QIcon ImageList::icon(int index) const
{
    return index >= 0 && index < m_icons.size() ? m_icons.at(index) : QIcon();
}
