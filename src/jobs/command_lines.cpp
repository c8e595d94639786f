#include "jobs/command_lines.h"

#include "platform/paths.h"

namespace vz {
namespace {

#ifdef _WIN32
constexpr const char* kDaxcrName = "daxcr.exe";
constexpr const char* kCisoName = "ciso.exe";
#else
constexpr const char* kDaxcrName = "daxcr";
constexpr const char* kCisoName = "ciso";
#endif

// Builds the text and the argument list together, so the two always agree.
class LineBuilder {
  public:
    explicit LineBuilder(std::string program) {
        line_.program = program;
        line_.text = std::move(program);
    }
    // A piece that is empty or starts with one blank; it becomes one argument.
    LineBuilder& option(const std::string& piece) {
        if (!piece.empty()) {
            line_.text += piece;
            line_.arguments.push_back(piece.substr(1));
        }
        return *this;
    }
    // The input and output paths, each in double quotes after a blank.
    LineBuilder& paths(const std::string& input, const std::string& output) {
        line_.text += " \"" + input + "\" \"" + output + "\"";
        line_.arguments.push_back(input);
        line_.arguments.push_back(output);
        return *this;
    }
    LineBuilder& text(const std::string& text) {
        line_.text += text;
        return *this;
    }
    LineBuilder& quoted(const std::string& path) {
        line_.text += "\"" + path + "\"";
        line_.arguments.push_back(path);
        return *this;
    }
    CommandLine done() { return std::move(line_); }

  private:
    CommandLine line_;
};

}  // namespace

DaxOptionPieces daxOptionPieces(const std::string& levelText, bool areasNC,
                                const std::string& frameText, bool video, bool audio) {
    DaxOptionPieces pieces;
    pieces.level = levelText.empty() ? " -l0" : " -l" + levelText;
    if (areasNC)
        pieces.frame = " -a" + frameText;
    if (video)
        pieces.video = " -v";
    if (audio)
        pieces.audio = " -s";
    return pieces;
}

std::string csoLevelPiece(bool decompress, const std::string& levelText) {
    if (decompress)
        return " 0";
    if (levelText.empty())
        return " 9";
    if (levelText == "0")
        return " 6";
    return " " + levelText;
}

std::string daxcrPath(const std::string& programFolder) {
    return programFolder + relativePath({"kvt", kDaxcrName});
}

std::string cisoPath(const std::string& programFolder) {
    return programFolder + relativePath({"kvt", kCisoName});
}

CommandLine daxMainLine(const std::string& programFolder, const DaxMainLine& line) {
    LineBuilder builder(daxcrPath(programFolder));
    builder.option(line.wait ? " -w" : "").option(line.decompress ? " -d" : "");
    builder.option(line.options.level)
        .option(line.options.frame)
        .option(line.options.video)
        .option(line.options.audio);
    builder.paths(line.input, line.output).text(" ");
    if (line.log)
        builder.quoted(*line.log);
    return builder.done();
}

CommandLine cisoMainLine(const std::string& programFolder, const std::string& levelPiece,
                         const std::string& input, const std::string& output) {
    return LineBuilder(cisoPath(programFolder))
        .option(levelPiece)
        .paths(input, output)
        .text(" ")
        .done();
}

CommandLine cisoUnpackLine(const std::string& programFolder, const std::string& input,
                           const std::string& temporaryIso) {
    return cisoMainLine(programFolder, " 0", input, temporaryIso);
}

CommandLine daxUnpackLine(const std::string& programFolder, const std::string& input,
                          const std::string& temporaryIso) {
    return LineBuilder(daxcrPath(programFolder)).option(" -d").paths(input, temporaryIso).done();
}

}  // namespace vz
