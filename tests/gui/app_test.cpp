// The program's command line and its recent files.
#include <QTest>

#include "app/command_line.h"
#include "app/recent_files.h"
#include "gui_support.h"

namespace mw::test {

using namespace mw::app;

class AppTest : public QObject {
    Q_OBJECT

private slots:
    void command_line()
    {
        const ParsedCommandLine full =
            parse_command_line({"a.res", "--select", "12:3", "--view", "hex", "--size", "800x600", "--screenshot", "o.png"});
        QVERIFY(full.error.empty());
        QCOMPARE(full.options.archive, std::optional<std::string>("a.res"));
        QCOMPARE(full.options.select, (std::optional<std::pair<int, int>>({12, 3})));
        QCOMPARE(full.options.size, (std::optional<std::pair<int, int>>({800, 600})));
        QCOMPARE(full.options.screenshot, std::optional<std::string>("o.png"));
        QCOMPARE(parse_command_line({"--select", "4"}).options.select, (std::optional<std::pair<int, int>>({4, 0})));

        for (const std::vector<std::string>& wrong :
             std::vector<std::vector<std::string>>{{"--select", "4:"},
                                                   {"--select", "x"},
                                                   {"--select", "-1"},
                                                   {"--view", "model"},
                                                   {"--size", "800"},
                                                   {"--size", "10x10"},
                                                   {"--screenshot"},
                                                   {"a.res", "b.res"},
                                                   {"--bogus"}})
            QVERIFY2(!parse_command_line(wrong).error.empty(), wrong.front().c_str());
    }

    void recent_files_keep_four_most_recent_first()
    {
        TempDir dir;
        RecentFiles recent;
        for (const char* path : {"/a.res", "/b.res", "/c.res", "/d.res", "/e.res", "/c.res"}) recent.add(path);
        const std::vector<std::string> expected{"/c.res", "/e.res", "/d.res", "/b.res"};
        QCOMPARE(recent.paths(), expected);
        QVERIFY(recent.save(dir.path() / recent_files_name));
        RecentFiles loaded;
        loaded.load(dir.path() / recent_files_name);
        QCOMPARE(loaded.paths(), expected);
        loaded.remove("/e.res");
        QCOMPARE(loaded.paths().size(), 3u);
        QVERIFY(!recent.save(dir.path() / "no-folder" / recent_files_name));
    }
};

MW_GUI_SUITE("app", AppTest)

}  // namespace mw::test

#include "app_test.moc"
