#pragma once

#include <QString>

class QListWidget;

// The list operations the title lists rely on: one selected position, -1 when
// nothing is selected; replacing keeps the selection; deleting the selected
// entry leaves none; appending leaves the selection alone.
namespace TitleList {

int selected(const QListWidget *list);
// Selects position p; a position outside the list selects nothing.
void select(QListWidget *list, int p);
void append(QListWidget *list, const QString &title);
void replace(QListWidget *list, int p, const QString &title);
// Removes the entry at p; a position outside the list is ignored.
void remove(QListWidget *list, int p);

// Exchanges the selected entry with its neighbour above or below, leaving the
// selection on the moved entry. Nothing happens at the ends.
void moveUp(QListWidget *list);
void moveDown(QListWidget *list);

} // namespace TitleList
