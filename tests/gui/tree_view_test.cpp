// The archive tree: node texts, (file, item) of every node whatever the
// filter hides, and the palette keys.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "archive/res_archive.h"
#include "gui_support.h"
#include "ui/tree_view.h"

namespace mw::test {

using ui::CResTreeView;

class TreeViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiWorkspace> ws;
    ResArchive archive;

    // File 1: a palette; file 2: compound of items of 4, 10 and 7 bytes (directory 2 + 4 × 4);
    // file 3: a 2 x 2 image item, 20 bytes.
    void open_archive()
    {
        ResBuilder b;
        b.raw(2059, ramp_palette()).compound_items(300, {Bytes(4, 1), Bytes(10, 2), Bytes(7, 3)}).raw(1971, image_item(2, 2));
        QCOMPARE(archive.open(ws->write_archive(b)), 0);
    }

private slots:
    void init()
    {
        ws = std::make_unique<GuiWorkspace>();
        open_archive();
    }
    void cleanup()
    {
        archive.clear();
        ws.reset();
    }

    void texts_and_addresses()
    {
        CResTreeView view;
        view.fill(archive, Workspace::instance().resid_names());
        QTreeWidgetItem* root = view.tree()->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("test"));
        QCOMPARE(root->childCount(), 3);
        QCOMPARE(root->child(0)->text(0), QStringLiteral("File 1 (768 bytes)"));
        QCOMPARE(root->child(1)->text(0), QStringLiteral("File 2 (21 bytes)"));
        QCOMPARE(root->child(1)->child(2)->text(0), QStringLiteral("Item 3 (7 bytes)"));
        QCOMPARE(root->child(1)->text(ui::column_id), QStringLiteral("300"));
        QCOMPARE(root->child(1)->text(ui::column_name), QStringLiteral("Things"));
        QCOMPARE(root->child(0)->text(ui::column_type), QStringLiteral("Palette"));
        QCOMPARE(root->child(1)->text(ui::column_type), QStringLiteral("Compound"));
        QCOMPARE(root->child(2)->text(ui::column_type), QStringLiteral("Image"));  // by its first bytes

        QSignalSpy selected(&view, &CResTreeView::node_selected);
        view.tree()->setCurrentItem(root->child(1)->child(2));
        view.tree()->setCurrentItem(root);
        view.tree()->setCurrentItem(root->child(2));
        QCOMPARE(selected.size(), 3);
        QCOMPARE(selected[0], (QList<QVariant>{2, 3}));
        QCOMPARE(selected[1], (QList<QVariant>{0, 0}));
        QCOMPARE(selected[2], (QList<QVariant>{3, 0}));
    }

    void filter_keeps_the_archive_numbers()
    {
        CResTreeView view;
        view.fill(archive, Workspace::instance().resid_names());
        QTreeWidgetItem* root = view.tree()->topLevelItem(0);
        QSignalSpy selected(&view, &CResTreeView::node_selected);

        view.filter_box()->setText(QStringLiteral("1971"));  // by ID: only file 3
        QVERIFY(root->child(0)->isHidden());
        QVERIFY(root->child(1)->isHidden());
        QVERIFY(!root->child(2)->isHidden());
        view.tree()->setCurrentItem(root->child(2));
        QCOMPARE(selected.last(), (QList<QVariant>{3, 0}));

        view.filter_box()->setText(QStringLiteral("things"));  // by name, any case: file 2 and its items
        QVERIFY(!root->child(1)->isHidden());
        QVERIFY(root->child(2)->isHidden());

        // Selecting a hidden node (Goto, a reselect) shows it again.
        QVERIFY(view.select_node(1, 0));
        QVERIFY(view.filter().isEmpty());
        QCOMPARE(selected.last(), (QList<QVariant>{1, 0}));

        // A refill keeps the filter.
        view.filter_box()->setText(QStringLiteral("2"));  // file 2, and IDs 2059 (file 1)
        view.fill(archive, Workspace::instance().resid_names());
        root = view.tree()->topLevelItem(0);
        QVERIFY(!root->child(0)->isHidden());
        QVERIFY(!root->child(1)->isHidden());
        QVERIFY(root->child(2)->isHidden());
    }

    void no_file_loaded_selects_nothing()
    {
        CResTreeView view;
        QSignalSpy selected(&view, &CResTreeView::node_selected);
        view.tree()->setCurrentItem(view.tree()->topLevelItem(0));
        QCOMPARE(view.tree()->topLevelItem(0)->text(0), QStringLiteral("No File Loaded"));
        QCOMPARE(selected.size(), 0);
        QVERIFY(!view.select_node(1, 0));
    }

    void palette_keys()
    {
        CResTreeView view;
        view.fill(archive, Workspace::instance().resid_names());
        QSignalSpy palette(&view, &CResTreeView::palette_key);
        QSignalSpy previous(&view, &CResTreeView::previous_palette_key);
        QSignalSpy next(&view, &CResTreeView::next_palette_key);
        QTest::keyClick(view.tree(), Qt::Key_3);
        QTest::keyClick(view.tree(), Qt::Key_9);
        QTest::keyClick(view.tree(), Qt::Key_0);
        QTest::keyClick(view.tree(), Qt::Key_Comma);
        QTest::keyClick(view.tree(), Qt::Key_Period);
        QCOMPARE(palette.size(), 2);
        QCOMPARE(palette[0][0].toInt(), 3);
        QCOMPARE(palette[1][0].toInt(), 9);
        QCOMPARE(previous.size(), 1);
        QCOMPARE(next.size(), 1);
    }
};

MW_GUI_SUITE("tree", TreeViewTest)

}  // namespace mw::test

#include "tree_view_test.moc"
