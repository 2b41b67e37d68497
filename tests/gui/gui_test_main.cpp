// Runs one suite of the widget tests: test_gui SUITE [Qt Test options].
#include <QApplication>
#include <QTest>

#include <iostream>
#include <memory>

#include "gui_support.h"

int main(int argc, char** argv)
{
    if (argc < 2 || !mw::test::suites().count(argv[1])) {
        std::cerr << "usage: test_gui SUITE; suites:";
        for (const auto& [name, factory] : mw::test::suites()) std::cerr << ' ' << name;
        std::cerr << '\n';
        return 2;
    }
    QApplication application(argc, argv);
    std::unique_ptr<QObject> suite(mw::test::suites()[argv[1]]());
    // Qt Test sees the program name and the options after the suite's name.
    std::vector<char*> args{argv[0]};
    for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
    return QTest::qExec(suite.get(), int(args.size()), args.data());
}
