// Loading and saving a list of 100,000 jobs, and showing it in the window's grid, against
// plain line-by-line file I/O measured in the same run. Not a test: it prints figures.
#include <QApplication>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/form_view.h"
#include "shell/principal.h"
#include "support/scripted_host.h"

namespace {

namespace fs = std::filesystem;

double seconds(const std::function<void()>& work) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int jobs = 100000;
    fs::path folder = fs::temp_directory_path() / "vz-list-bench";
    fs::create_directories(folder);
    fs::path list = folder / "cien-mil.lvt";
    {
        std::ofstream out(list, std::ios::binary);
        for (int i = 0; i < jobs; ++i) {
            out << "/home/usuario/PSP/juegos/juego numero " << i << ".iso\r\n";
            out << "/home/usuario/PSP/comprimidos/juego numero " << i << ".dax\r\n";
        }
    }

    std::vector<std::string> lines;
    double plainRead = seconds([&] {
        lines.clear();
        std::ifstream in(list, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    });
    double plainWrite = seconds([&] {
        std::ofstream out(folder / "plain.lvt", std::ios::binary);
        for (const auto& line : lines)
            out << line << '\n';
    });

    vz::test::ScriptedHost host;
    vz::test::FakeSystem system;
    vz::TPrincipal form(host, system);
    form.create("");
    double load = seconds([&] { form.CargarLista(list.string()); });
    double save = seconds([&] {
        host.fileAnswers.push_back((folder / "guardada.lvt").string());
        form.BotonSaveLVT.click();
    });
    bool same = fs::file_size(folder / "guardada.lvt") == fs::file_size(list);

    form.setVisible(true);
    vz::FormView view(form, host);
    auto* grid = qobject_cast<QTableView*>(view.widgetFor("suiStringGrid1"));
    form.PaneLotes.setCollapsed(false);
    double shown = seconds([&] {
        form.CargarLista(list.string());
        QCoreApplication::processEvents();
        grid->scrollToBottom();
        QCoreApplication::processEvents();
        grid->scrollToTop();
        QCoreApplication::processEvents();
    });

    std::printf("list of %d jobs (%.1f MiB)\n", jobs,
                static_cast<double>(fs::file_size(list)) / 1048576.0);
    std::printf("%-44s %8.1f ms\n", "baseline: getline read into a vector", plainRead * 1e3);
    std::printf("%-44s %8.1f ms  x%.2f of baseline\n", "CargarLista into the grid", load * 1e3,
                load / plainRead);
    std::printf("%-44s %8.1f ms\n", "baseline: ofstream write of the lines", plainWrite * 1e3);
    std::printf("%-44s %8.1f ms  x%.2f of baseline\n", "BotonSaveLVT (sibling, fsync, rename)",
                save * 1e3, save / plainWrite);
    std::printf("%-44s %8.1f ms\n", "load, show, scroll to the end and back", shown * 1e3);
    std::printf("saved list byte-identical in size: %s; grid rows: %d\n", same ? "yes" : "NO",
                grid->model()->rowCount());
    fs::remove_all(folder);
    return 0;
}
