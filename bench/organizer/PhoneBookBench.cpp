// Times the phone book panel with 100,000 persons in one group, offscreen: filling the
// list (group chosen, model reset, visible rows painted) and each keystroke typed into the
// filter box, against a bare walk that copies every member's name and company (the least
// any fill must do).
//   phonebook_bench [records]

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BestSeconds.h"
#include "docfile/DocumentGenerator.h"
#include "organizer/PhoneBookView.h"
#include "organizer/ui/PhoneBookPanel.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const FixedClock clock(LocalTime{2026, 12, 6, 10, 0, 0, 0});
    PimDocument document(clock);
    generateDocument(document, count);  // every person is in group 1

    DocumentDoor door(document, nullptr);
    PhoneBookView book(door);
    PhoneBookPanel panel(book);
    panel.resize(420, 400);
    panel.show();
    panel.refill();

    std::vector<std::pair<std::string, std::string>> copied;
    const double walk = bestSeconds(
        [&](int) {
            copied.clear();
            for (const auto& [id, person] : document.persons()) {
                for (const int32_t group : person.PhGroups) {
                    if (group == 1) copied.emplace_back(person.RName(), person.Company());
                }
            }
        },
        5);
    const auto fill = [&](int32_t group) {
        return bestSeconds(
            [&](int) {
                panel.refill([&] { book.chooseGroup(group); });
                panel.personList()->viewport()->repaint();
            },
            5);
    };
    fill(2);
    const double fillAll = fill(1);
    std::printf("%-34s %9s %9s %7s\n", "", "ms", "walk ms", "ratio");
    std::printf("%-34s %9.2f %9.2f %7.2f   (%zu rows, %zu copied)\n", "fill list of group All",
                fillAll * 1e3, walk * 1e3, fillAll / walk, book.rowCount(), copied.size());

    // The filter's text is made while the window is idle, once the filter box has the focus.
    QApplication::setActiveWindow(&panel);
    panel.filterBox()->setFocus();
    const double prepare = bestSeconds([&](int) { QApplication::processEvents(); }, 1);
    std::printf("%-34s %9.2f %9.2f %7.2f\n", "filter text made on focus", prepare * 1e3, walk * 1e3,
                prepare / walk);

    // Typing a name and a number, then taking them back, one key at a time.
    double worst = 0;
    for (const char* typed : {"m", "mi", "mil", "mill", "mille", "miller", "mill", "m", "", "5",
                              "55", "555", "5551", "555", "", "EXAMPLE.COM"}) {
        const double key = bestSeconds(
            [&](int) {
                panel.filterBox()->setText(QString::fromLatin1(typed));
                panel.personList()->viewport()->repaint();
            },
            1);
        worst = std::max(worst, key);
        std::printf("  filter \"%s\"%*s %9.2f %9s %7.2f   (%zu rows)\n", typed,
                    static_cast<int>(24 - std::string(typed).size()), "", key * 1e3, "", key / walk,
                    book.rowCount());
    }
    std::printf("%-34s %9.2f %9.2f %7.2f\n", "worst keystroke", worst * 1e3, walk * 1e3,
                worst / walk);
    return 0;
}
