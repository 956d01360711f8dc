// quarvel-bench-editor ROOT [RUNS]: times the editor window on the installer in ROOT/fomod
// (best of RUNS, default 3): Open folder until the steps page shows, a step tab switch, a
// plugin selection, and Save. Run with QT_QPA_PLATFORM=offscreen. Save writes into ROOT.

#include "BestTime.h"
#include "editor/Document.h"
#include "editor/MainForm.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// Answers every folder question with the root and every other question with its first choice.
class RootPrompts : public PromptsBackend {
public:
    explicit RootPrompts(QString root) : m_root(std::move(root)) {}
    void message(QWidget*, const QString& text, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
        return SaveChoice::Discard;
    }
    QStringList chooseFiles(QWidget*, const QString&, bool, const QString&) override { return {}; }
    QStringList chooseFolders(QWidget*, bool, const QString&) override { return {m_root}; }

private:
    QString m_root;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fputs("usage: quarvel-bench-editor ROOT [RUNS]\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const int runs = argc == 3 ? std::max(1, atoi(argv[2])) : 3;
    RootPrompts prompts(root);
    Prompts::setBackend(&prompts);

    TMainForm form;
    form.show();
    auto* open = form.findChild<QAction*>(QStringLiteral("OpenMenu"));
    auto* save = form.findChild<QAction*>(QStringLiteral("SaveMenu"));
    auto* steps = form.findChild<QTabBar*>(QStringLiteral("StepsTabControl"));
    auto* plugins = form.findChild<QTableWidget*>(QStringLiteral("PluginListView"));
    if (!open || !save || !steps || !plugins)
        return 1;

    const double opening = bestMilliseconds(runs, [&] {
        open->trigger();
        QCoreApplication::processEvents();
    });
    std::printf("%-44s %9.1f ms (%lld steps)\n", "Open folder until the steps page shows", opening,
                static_cast<long long>(form.document().project.vSteps.size()));
    if (steps->count() < 2)
        return 1;

    int tab = 0;
    const double switching = bestMilliseconds(runs * 5, [&] {
        tab = (tab + 1) % 2;
        steps->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    });
    std::printf("%-44s %9.1f ms\n", "step tab switch (rebuild)", switching);

    int row = 0;
    const double selecting = bestMilliseconds(runs * 5, [&] {
        row = (row + 1) % std::max(1, plugins->rowCount());
        plugins->selectRow(row);
        QCoreApplication::processEvents();
    });
    std::printf("%-44s %9.1f ms\n", "plugin selection", selecting);

    const double saving = bestMilliseconds(runs, [&] {
        save->trigger();
        QCoreApplication::processEvents();
    });
    std::printf("%-44s %9.1f ms\n", "Save (both files, scripts, panel)", saving);
    Prompts::setBackend(nullptr);
    return 0;
}
