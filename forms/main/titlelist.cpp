#include "titlelist.h"

#include <QListWidget>

namespace TitleList {

int selected(const QListWidget *list)
{
    const int row = list->currentRow();
    const QListWidgetItem *item = list->item(row);
    return item && item->isSelected() ? row : -1;
}

void select(QListWidget *list, int p)
{
    if (p >= 0 && p < list->count()) {
        list->setCurrentRow(p, QItemSelectionModel::ClearAndSelect);
    } else {
        list->clearSelection();
        list->setCurrentRow(-1);
    }
}

void append(QListWidget *list, const QString &title)
{
    list->addItem(title);
}

void replace(QListWidget *list, int p, const QString &title)
{
    if (QListWidgetItem *item = list->item(p))
        item->setText(title);
}

void remove(QListWidget *list, int p)
{
    if (p < 0 || p >= list->count())
        return;
    const bool wasSelected = selected(list) == p;
    delete list->takeItem(p);
    if (wasSelected)
        select(list, -1);
}

void moveUp(QListWidget *list)
{
    const int p = selected(list);
    if (p - 1 < 0)
        return;
    const QString a = list->item(p)->text();
    const QString b = list->item(p - 1)->text();
    select(list, p - 1);
    replace(list, selected(list), a);
    replace(list, selected(list) + 1, b);
}

void moveDown(QListWidget *list)
{
    const int p = selected(list);
    if (p < 0 || p + 1 >= list->count())
        return;
    const QString a = list->item(p)->text();
    const QString b = list->item(p + 1)->text();
    select(list, p + 1);
    replace(list, selected(list), a);
    replace(list, selected(list) - 1, b);
}

} // namespace TitleList
