#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

// The shared pictures of both windows' icon buttons, drawn at 30 x 30.
class ImageList
{
public:
    ImageList();

    int count() const { return int(m_icons.size()); }
    QIcon icon(int index) const;
    static QSize drawSize() { return {30, 30}; }

private:
    QList<QIcon> m_icons;
};
