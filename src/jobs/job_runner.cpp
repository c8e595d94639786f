// "Iniciar": one job from the path fields or every job of the process list, each through one
// or two tool runs, then the end-of-run actions.
#include <string>
#include <vector>

#include "jobs/command_lines.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/system.h"
#include "shell/principal.h"

namespace vz {
namespace {

struct Job {
    std::string source;  // the input as the user named it; a conversion reads a temporary ISO
    std::string output;
};

// Runs the jobs of one press of "Iniciar" with the options the window shows now.
class JobRunner {
  public:
    JobRunner(TPrincipal& window, bool listRun)
        : w_(window), listRun_(listRun), format_(window.format()), mode_(window.mode()) {}

    void run(const Job& job) {
        results_.clear();
        std::string input = job.source;
        std::string temporary;
        if (mode_ == Mode::Conversion) {
            temporary = freeTemporaryPath(job);
            run(format_ == Format::Dax ? cisoUnpackLine(w_.programFolder(), input, temporary)
                                       : daxUnpackLine(w_.programFolder(), input, temporary));
            input = temporary;
        }
        run(mainLine(job, input));
        if (!temporary.empty())
            w_.system.deleteFile(temporary);
        deleteSourceIfDone(job);
    }

    // In a single DAX job the loader configuration window comes first, while the window is
    // still shown.
    void configureLoaderFirst() {
        if (format_ == Format::Dax && mode_ != Mode::Descomprimir && w_.creaini.checked() &&
            w_.configurationForm()) {
            w_.host.showModal(*w_.configurationForm());
        }
    }

  private:
    CommandLine mainLine(const Job& job, const std::string& input) const {
        bool decompress = mode_ == Mode::Descomprimir;
        if (format_ == Format::Cso) {
            return cisoMainLine(w_.programFolder(),
                                csoLevelPiece(decompress, w_.suiComboBox1.text()), input,
                                job.output);
        }
        DaxMainLine line;
        line.wait = !listRun_ && w_.pausaresumen.checked();
        line.decompress = decompress;
        line.input = input;
        line.output = job.output;
        if (!decompress) {
            line.options = w_.OpcionesDAX();
            if (w_.crealog.checked()) {
                line.log = listRun_ ? changeExtension(job.source, ".txt") : w_.editlog.text();
            }
        }
        return daxMainLine(w_.programFolder(), line);
    }

    void run(const CommandLine& line) { results_.push_back(EjecutarYEsperar(line, kShowNormal)); }

    // The temporary ISO never takes the name of a file that is already there, such as the
    // user's own juego.iso beside juego.dax; then a free name in the same folder is used.
    std::string freeTemporaryPath(const Job& job) const {
        std::string wanted =
            listRun_ ? folderPart(job.source) + "temp.iso" : changeExtension(job.output, ".iso");
        std::string candidate = wanted;
        for (int n = 1; w_.system.fileExists(candidate); ++n) {
            candidate = changeExtension(wanted, "") + "-" + std::to_string(n) + ".iso";
        }
        return candidate;
    }

    // The user's input goes only when every tool run of the job succeeded and the output is
    // there.
    void deleteSourceIfDone(const Job& job) const {
        if (!w_.BorrarIsoFin.checked())
            return;
        for (int result : results_) {
            if (result != 0)
                return;
        }
        if (w_.system.fileExists(job.output))
            w_.system.deleteFile(job.source);
    }

    TPrincipal& w_;
    bool listRun_;
    Format format_;
    Mode mode_;
    std::vector<int> results_;
};

}  // namespace

DaxOptionPieces TPrincipal::OpcionesDAX() const {
    return daxOptionPieces(suiComboBox1.text(), areasNC.checked(), editframe.text(),
                           areasNCvideos.checked(), areasNCaudio.checked());
}

void TPrincipal::IniciarClick() {
    bool listRun = !listEmpty();
    if (!listRun) {
        if (editiso.text().empty() || editdax.text().empty()) {
            MiMensaje.show(
                "Introducir Datos",
                "Debe rellenar los datos de entrada y salida para poder iniciar algun proceso",
                MessageIcon::Warning, 1);
            return;
        }
    }
    if (format() == Format::None)
        return;
    JobRunner runner(*this, listRun);
    if (listRun) {
        minimizeToTray();
        for (int row = 0; row < suiStringGrid1.rowCount(); ++row) {
            runner.run({suiStringGrid1.cell(0, row), suiStringGrid1.cell(1, row)});
        }
    } else {
        Job job{editiso.text(), editdax.text()};
        runner.configureLoaderFirst();
        minimizeToTray();
        runner.run(job);
    }
    endOfRun();
}

void TPrincipal::endOfRun() {
    if (ApagaWindows.checked()) {
        system.powerOff();
        close();
    }
    if (ReproSoundalFin.checked())
        system.playSound(endSoundPath_);
    restoreFromTray();
}

}  // namespace vz
