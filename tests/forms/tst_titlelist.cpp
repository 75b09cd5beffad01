// The list operations the playlist and history rely on.
#include "forms/main/titlelist.h"

#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_TitleList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void operations_data();
    void operations();
};

namespace {

QStringList entries(const QListWidget &list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result.append(list.item(i)->text());
    return result;
}

} // namespace

void tst_TitleList::operations_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selectedAfter");

    const QStringList xyz{u"X"_s, u"Y"_s, u"Z"_s};
    QTest::newRow("up: middle") << xyz << 1 << "up" << QStringList{u"Y"_s, u"X"_s, u"Z"_s} << 0;
    QTest::newRow("down: back again") << QStringList{u"Y"_s, u"X"_s, u"Z"_s} << 0 << "down" << xyz << 1;
    QTest::newRow("up: first stays") << xyz << 0 << "up" << xyz << 0;
    QTest::newRow("down: last stays") << xyz << 2 << "down" << xyz << 2;
    QTest::newRow("up: nothing selected") << xyz << -1 << "up" << xyz << -1;
    QTest::newRow("down: nothing selected") << xyz << -1 << "down" << xyz << -1;
    QTest::newRow("down: duplicates keep order") << QStringList{u"A"_s, u"A"_s, u"B"_s} << 1 << "down" << QStringList{u"A"_s, u"B"_s, u"A"_s} << 2;
    QTest::newRow("delete button: middle selects next") << xyz << 1 << "deleteButton" << QStringList{u"X"_s, u"Z"_s} << 1;
    QTest::newRow("delete button: last selects none") << xyz << 2 << "deleteButton" << QStringList{u"X"_s, u"Y"_s} << -1;
    QTest::newRow("delete button: nothing selected") << xyz << -1 << "deleteButton" << xyz << -1;
    QTest::newRow("delete menu: middle leaves none") << xyz << 1 << "deleteMenu" << QStringList{u"X"_s, u"Z"_s} << -1;
    QTest::newRow("delete before selection moves it up") << xyz << 2 << "deleteFirst" << QStringList{u"Y"_s, u"Z"_s} << 1;
    QTest::newRow("delete outside is ignored") << xyz << 1 << "deleteOutside" << xyz << 1;
    QTest::newRow("append keeps selection") << xyz << 1 << "append" << QStringList{u"X"_s, u"Y"_s, u"Z"_s, u"Y"_s} << 1;
    QTest::newRow("replace keeps selection") << xyz << 1 << "replace" << QStringList{u"X"_s, u"W"_s, u"Z"_s} << 1;
    QTest::newRow("select outside selects none") << xyz << 1 << "selectOutside" << xyz << -1;
}

void tst_TitleList::operations()
{
    QFETCH(QStringList, before);
    QFETCH(int, selected);
    QFETCH(QString, operation);
    QFETCH(QStringList, after);
    QFETCH(int, selectedAfter);

    QListWidget list;
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.addItems(before);
    TitleList::select(&list, selected);
    QCOMPARE(TitleList::selected(&list), selected);

    const int p = TitleList::selected(&list);
    if (operation == u"up") {
        TitleList::moveUp(&list);
    } else if (operation == u"down") {
        TitleList::moveDown(&list);
    } else if (operation == u"deleteButton") {
        TitleList::remove(&list, p);
        TitleList::select(&list, p);
    } else if (operation == u"deleteMenu") {
        TitleList::remove(&list, p);
    } else if (operation == u"deleteFirst") {
        TitleList::remove(&list, 0);
    } else if (operation == u"deleteOutside") {
        TitleList::remove(&list, 7);
        TitleList::remove(&list, -1);
    } else if (operation == u"append") {
        TitleList::append(&list, u"Y"_s);
    } else if (operation == u"replace") {
        TitleList::replace(&list, 1, u"W"_s);
    } else if (operation == u"selectOutside") {
        TitleList::select(&list, 3);
    }

    QCOMPARE(entries(list), after);
    QCOMPARE(TitleList::selected(&list), selectedAfter);
}

QTEST_MAIN(tst_TitleList)
#include "tst_titlelist.moc"
